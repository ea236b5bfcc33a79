#include "control/member_table.hpp"

#include "core/indexed_table.hpp"

namespace prestova {

namespace {

using enum AutomationType;

constexpr Parameter kDeviceColorsParameters[] = {{"hDC", Long, true}};
constexpr Parameter kGetDiskSpaceParameters[] = {{"sDrive", String, true}};
constexpr Parameter kCutLangTypeParameters[] = {{"Number", Variant, true}};
constexpr Parameter kCutDecimalParameters[] = {{"Number", Variant, true}, {"ByPlace", Byte, true}};
// Every property is written with one variant, taken by value.
constexpr Parameter kPropertyPutParameters[] = {{"value", Variant, false}};

struct MethodEntry {
    Method method;
    std::string_view name;
    std::int32_t dispid;
    std::span<const Parameter> parameters;
    AutomationType result;
};

// The five methods come first, in this order; the properties follow them.
constexpr MethodEntry kMethods[] = {
    {Method::DeviceColors, "DeviceColors", 0x60030028, kDeviceColorsParameters, Single},
    {Method::GetDiskSpace, "GetDiskSpace", 0x60030036, kGetDiskSpaceParameters, Variant},
    {Method::CutLangType, "CutLangType", 0x60030038, kCutLangTypeParameters, Variant},
    {Method::CutDecimal, "CutDecimal", 0x60030039, kCutDecimalParameters, String},
    {Method::getVersion, "getVersion", 0x6003003A, {}, OSofPrestovaUser},
};

static_assert(rows_in_key_order(kMethods, [](const MethodEntry& m) { return m.method; }),
              "method_member indexes the table by Method");
static_assert(std::size(kMethods) == kMethodCount, "every method has its row");

std::array<Member, kMemberCount> build_members()
{
    std::array<Member, kMemberCount> m{};
    std::size_t i = 0;
    for (const auto& method : kMethods) {
        m[i] = {static_cast<int>(i + 1), method.name,  method.dispid,     MemberKind::Method,
                method.method,           std::nullopt, method.parameters, method.result};
        ++i;
    }
    for (Prop p : published_order()) {
        const auto& info = property_info(p);
        m[i] = {static_cast<int>(i + 1), info.name, info.dispid, MemberKind::PropertyGet, std::nullopt, p, {}, Variant};
        ++i;
        m[i] = {static_cast<int>(i + 1), info.name,   info.dispid, MemberKind::PropertyPut, std::nullopt, p,
                kPropertyPutParameters,  std::nullopt};
        ++i;
    }
    return m;
}

}  // namespace

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

const Member& method_member(Method method)
{
    // The methods lead the table in the order of their enumeration.
    return member_table()[static_cast<std::size_t>(method)];
}

}  // namespace prestova
