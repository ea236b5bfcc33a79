#pragma once
// The automation interface of the control as data: 85 members in their
// published order with their dispatch identifiers. Dispatch, the type
// library and the command line's `call` all read this one table.
#include "control/properties.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace prestova {

enum class Method : std::uint8_t { DeviceColors, GetDiskSpace, CutLangType, CutDecimal, getVersion };
enum class MemberKind : std::uint8_t { Method, PropertyGet, PropertyPut };

struct Member {
    int order;                     // 1 to 85
    std::string_view name;
    std::int32_t dispid;
    MemberKind kind;
    std::optional<Method> method;  // for methods
    std::optional<Prop> prop;      // for property members
};
constexpr std::size_t kMemberCount = 85;

const std::array<Member, kMemberCount>& member_table();

// The dispatch identifier of a name (methods and properties share one for
// reading and writing), without regard to case as automation looks names up.
std::optional<std::int32_t> find_dispid(std::string_view name);
// The member with that identifier and kind (a property's get or put).
const Member* find_member(std::int32_t dispid, MemberKind kind);

} // namespace prestova
