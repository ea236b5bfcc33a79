#include "control/member_table.hpp"

#include "core/indexed_table.hpp"

namespace prestova {

namespace {

using enum AutomationType;
using enum Prop;

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

// The properties in the order the interface publishes them.
constexpr std::array<Prop, kPropertyCount> kPropertyMembers{
    JavaVersion, DiskSpaceRec, DiskSpaceMin, MemoryMin, MemoryRec, CPUMin, CPURec,
    BlueYRM, RedYRM, GreenYRM, BlueBadYRM, RedBadYRM, GreenBadYRM, BlueOkYRM, RedOkYRM, GreenOkYRM,
    Blue2YRM, Red2YRM, Green2YRM, Blue3YRM, Red3YRM, Green3YRM, OSRec, OSMin, IEVersion,
    Zip1, Zip1URL, Zip2, Zip2URL, JavaURL, RealURL, IEURL, AdobeURL, FlashURL,
    recColorDepth, MinColorDepth, ScreenRecWid, ScreenRecHgt, ScreenMinWid, ScreenMinHgt,
};

constexpr bool every_property_once()
{
    std::array<int, kPropertyCount> seen{};
    for (Prop p : kPropertyMembers) ++seen[static_cast<std::size_t>(p)];
    for (int n : seen)
        if (n != 1) return false;
    return true;
}
static_assert(every_property_once(), "the interface publishes each property once");

// Their identifiers count down from here in that order, one identifier
// shared by the reading and the writing member.
constexpr std::int32_t kFirstPropertyDispid = 0x68030027;

std::array<Member, kMemberCount> build_members()
{
    std::array<Member, kMemberCount> m{};
    std::size_t i = 0;
    for (const auto& method : kMethods) {
        m[i] = {static_cast<int>(i + 1), method.name,       method.dispid,    MemberKind::Method,
                method.method,           std::nullopt,      method.parameters, method.result};
        ++i;
    }
    std::int32_t dispid = kFirstPropertyDispid;
    for (Prop p : kPropertyMembers) {
        const auto name = property_info(p).name;
        m[i] = {static_cast<int>(i + 1), name, dispid, MemberKind::PropertyGet, std::nullopt, p, {}, Variant};
        ++i;
        m[i] = {static_cast<int>(i + 1), name, dispid, MemberKind::PropertyPut, std::nullopt, p, kPropertyPutParameters,
                std::nullopt};
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

const Member& method_member(Method method)
{
    // The methods lead the table in the order of their enumeration.
    return member_table()[static_cast<std::size_t>(method)];
}

} // namespace prestova
