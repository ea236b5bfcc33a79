#pragma once
// The automation interface of the control as data: the five methods, then a
// reading and a writing member per property, in their published order with their dispatch identifiers, parameters and
// results. Dispatch, the command line's `call`, the component's dual interface and the type library's source
// (component/tallymere.idl) all come from it.
#include "design/properties.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace prestova {

enum class Method : std::uint8_t { DeviceColors, GetDiskSpace, CutLangType, CutDecimal, getVersion };
constexpr std::size_t kMethodCount = static_cast<std::size_t>(Method::getVersion) + 1;
enum class MemberKind : std::uint8_t { Method, PropertyGet, PropertyPut };

// The automation types the interface passes, named as automation names them.
enum class AutomationType : std::uint8_t {
    Byte,    // unsigned 8 bits
    Long,    // signed 32 bits
    Single,  // single-precision number
    String,  // BSTR
    Variant,
    OSofPrestovaUser,  // the enumeration getVersion answers with
};

struct Parameter {
    std::string_view name;
    AutomationType type;
    bool by_reference;  // in and out: the member may change the caller's value
};

struct Member {
    int order;  // 1 to kMemberCount
    std::string_view name;
    std::int32_t dispid;
    MemberKind kind;
    std::optional<Method> method;  // for methods
    std::optional<Prop> prop;      // for property members
    std::span<const Parameter> parameters;
    // Handed back as the last, out argument; a property's writing member has none.
    std::optional<AutomationType> result;
};
constexpr std::size_t kMemberCount = kMethodCount + 2 * kPropertyCount;

const std::array<Member, kMemberCount>& member_table();

// The dispatch identifier of a name (methods and properties share one for
// reading and writing), without regard to case as automation looks names up.
std::optional<std::int32_t> find_dispid(std::string_view name);
// The member with that identifier and kind (a property's get or put).
const Member* find_member(std::int32_t dispid, MemberKind kind);
// A method's entry.
const Member& method_member(Method method);

}  // namespace prestova
