#pragma once
// Read-only access to the Windows registry, shaped like the ANSI entry points
// the control uses, so the real implementation is a thin forwarder and the
// control's own algorithms (buffers, defaults, cutting at NUL) stay portable.
#include <cstdint>
#include <string_view>

namespace prestova {

using RegHandle = std::uintptr_t;  // 0 is no key

enum class RegRoot : std::uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
};

inline RegHandle root_handle(RegRoot root) { return static_cast<RegHandle>(root); }

namespace reg {
constexpr long Success = 0;
constexpr long FileNotFound = 2;
constexpr long AccessDenied = 5;
constexpr long InvalidHandle = 6;
constexpr long MoreData = 234;
constexpr long NoMoreItems = 259;

constexpr std::uint32_t None = 0;
constexpr std::uint32_t Sz = 1;
constexpr std::uint32_t ExpandSz = 2;
constexpr std::uint32_t Binary = 3;
constexpr std::uint32_t Dword = 4;
constexpr std::uint32_t MultiSz = 7;
constexpr std::uint32_t Qword = 11;

constexpr std::uint32_t KeyQueryValue = 0x0001;
constexpr std::uint32_t KeyRead = 0x20019;
}  // namespace reg

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyA: the most access the caller may have. *result is 0 on failure.
    virtual long open_key(RegHandle root, std::string_view path, RegHandle* result) = 0;
    // RegOpenKeyExA with the requested access.
    virtual long open_key_ex(RegHandle root, std::string_view path, std::uint32_t options, std::uint32_t access,
                             RegHandle* result) = 0;
    // RegQueryValueExA. name == nullptr and "" both mean the default value.
    // type may be null; data may be null (then only *size is reported).
    // On entry *size is the capacity of data; on return the byte count.
    virtual long query_value(RegHandle key, const char* name, std::uint32_t* type, std::uint8_t* data,
                             std::uint32_t* size) = 0;
    // RegEnumKeyA: the name of subkey number index, NUL-terminated.
    virtual long enum_key(RegHandle key, std::uint32_t index, char* name, std::uint32_t capacity) = 0;
    // RegCloseKey.
    virtual long close_key(RegHandle key) = 0;
};

}  // namespace prestova
