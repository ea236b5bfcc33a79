#include "control/member_table.hpp"

namespace prestova {

namespace {

constexpr std::int32_t kFirstPropertyDispid = 0x68030027;

std::array<Member, kMemberCount> build_members()
{
    std::array<Member, kMemberCount> m{};
    const Member methods[] = {
        {1, "DeviceColors", 0x60030028, MemberKind::Method, Method::DeviceColors, std::nullopt},
        {2, "GetDiskSpace", 0x60030036, MemberKind::Method, Method::GetDiskSpace, std::nullopt},
        {3, "CutLangType", 0x60030038, MemberKind::Method, Method::CutLangType, std::nullopt},
        {4, "CutDecimal", 0x60030039, MemberKind::Method, Method::CutDecimal, std::nullopt},
        {5, "getVersion", 0x6003003A, MemberKind::Method, Method::getVersion, std::nullopt},
    };
    std::size_t i = 0;
    for (const auto& method : methods) m[i++] = method;
    std::int32_t dispid = kFirstPropertyDispid;
    for (Prop p : interface_order()) {
        const auto name = property_info(p).name;
        m[i] = {static_cast<int>(i + 1), name, dispid, MemberKind::PropertyGet, std::nullopt, p};
        ++i;
        m[i] = {static_cast<int>(i + 1), name, dispid, MemberKind::PropertyPut, std::nullopt, p};
        ++i;
        --dispid;
    }
    return m;
}

} // namespace

const std::array<Member, kMemberCount>& member_table()
{
    static const auto members = build_members();
    return members;
}

std::optional<std::int32_t> find_dispid(std::string_view name)
{
    for (const auto& m : member_table())
        if (equals_ignoring_case(m.name, name)) return m.dispid;
    return std::nullopt;
}

const Member* find_member(std::int32_t dispid, MemberKind kind)
{
    for (const auto& m : member_table())
        if (m.dispid == dispid && m.kind == kind) return &m;
    return nullptr;
}

} // namespace prestova
