#pragma once
// Registry contents for the software and browser rows, product by product.
#include <string>

namespace prestova::testing::software {

inline std::string acrobat(const char* association = "AcroExch.Document", bool versions = true)
{
    std::string r = "[HKEY_CLASSES_ROOT\\.pdf]\n@=\"" + std::string(association) + "\"\n\n";
    if (versions) r += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Adobe\\Acrobat Reader\\7.0]\n\n";
    return r;
}
inline std::string flash() { return "[HKEY_CLASSES_ROOT\\.swf]\n@=\"ShockwaveFlash.ShockwaveFlash\"\n\n"; }
inline std::string real(const char* version)
{
    return "[HKEY_LOCAL_MACHINE\\SOFTWARE\\RealNetworks\\RealPlayer]\n\"version\"=\"" + std::string(version) + "\"\n\n";
}
inline std::string zip(const char* association = "WinZip")
{
    return "[HKEY_CLASSES_ROOT\\.zip]\n@=\"" + std::string(association) + "\"\n\n";
}
inline std::string java(const char* version)
{
    return "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment]\n\"CurrentVersion\"=\"" +
           std::string(version) + "\"\n\n";
}
inline std::string explorer(const char* version, const char* default_command = nullptr)
{
    std::string r = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer]\n\n"
                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer\\Version Vector]\n\"IE\"=\"" +
                    std::string(version) + "\"\n\n";
    if (default_command) {
        std::string escaped;
        for (const char* p = default_command; *p; ++p) {
            if (*p == '\\' || *p == '"') escaped += '\\';
            escaped += *p;
        }
        r += "[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]\n@=\"" + escaped + "\"\n\n";
    }
    return r;
}

constexpr const char* kIeCommand = "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome";

}  // namespace prestova::testing::software
