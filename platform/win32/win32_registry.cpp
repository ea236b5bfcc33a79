#include "platform/win32/win32_platform.hpp"

#include <windows.h>

#include <string>

namespace prestova {

namespace {

// The predefined keys are sign-extended 32-bit values on 64-bit Windows.
HKEY to_hkey(RegHandle h)
{
    if (h == static_cast<RegHandle>(RegRoot::ClassesRoot)) return HKEY_CLASSES_ROOT;
    if (h == static_cast<RegHandle>(RegRoot::CurrentUser)) return HKEY_CURRENT_USER;
    if (h == static_cast<RegHandle>(RegRoot::LocalMachine)) return HKEY_LOCAL_MACHINE;
    return reinterpret_cast<HKEY>(h);
}

}  // namespace

long Win32Registry::open_key(RegHandle root, std::string_view path, RegHandle* result)
{
    HKEY key = nullptr;
    const std::string p(path);
    const LONG status = RegOpenKeyA(to_hkey(root), p.c_str(), &key);
    *result = status == ERROR_SUCCESS ? reinterpret_cast<RegHandle>(key) : 0;
    return status;
}

long Win32Registry::open_key_ex(RegHandle root, std::string_view path, std::uint32_t options, std::uint32_t access,
                                RegHandle* result)
{
    HKEY key = nullptr;
    const std::string p(path);
    const LONG status = RegOpenKeyExA(to_hkey(root), p.c_str(), options, access, &key);
    *result = status == ERROR_SUCCESS ? reinterpret_cast<RegHandle>(key) : 0;
    return status;
}

long Win32Registry::query_value(RegHandle key, const char* name, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* size)
{
    DWORD t = 0;
    DWORD s = size ? *size : 0;
    const LONG status = RegQueryValueExA(to_hkey(key), name, nullptr, type ? &t : nullptr, data, size ? &s : nullptr);
    if (type) *type = t;
    if (size) *size = s;
    return status;
}

long Win32Registry::enum_key(RegHandle key, std::uint32_t index, char* name, std::uint32_t capacity)
{
    return RegEnumKeyA(to_hkey(key), index, name, capacity);
}

long Win32Registry::close_key(RegHandle key) { return RegCloseKey(to_hkey(key)); }

}  // namespace prestova
