#include "platform/win32/win32_platform.hpp"

#include <objbase.h>
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace prestova {

bool Win32Objects::try_create(std::string_view prog_id)
{
    const std::string id(prog_id);
    wchar_t wide[256] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, id.c_str(), -1, wide, 256)) return false;
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(wide, &clsid))) return false;
    IUnknown* object = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&object))) ||
        !object)
        return false;
    object->Release();  // only whether it could be made matters
    return true;
}

std::intptr_t Win32Shell::execute(std::string_view file, std::string_view parameters, int show_command)
{
    const std::string f(file), p(parameters);
    return reinterpret_cast<std::intptr_t>(
        ShellExecuteA(nullptr, nullptr, f.c_str(), p.empty() ? nullptr : p.c_str(), nullptr, show_command));
}

}  // namespace prestova
