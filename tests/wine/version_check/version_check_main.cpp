// Reads a Windows binary's version resource the way Windows itself does
// (GetFileVersionInfo, VerQueryValue) and prints it, one NAME=VALUE a line:
// the fixed file and product versions, the file type, and the strings of
// the first translation.
//   prestova_version_check FILE
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string dotted(DWORD high, DWORD low)
{
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", static_cast<unsigned long>(HIWORD(high)),
                  static_cast<unsigned long>(LOWORD(high)), static_cast<unsigned long>(HIWORD(low)),
                  static_cast<unsigned long>(LOWORD(low)));
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: prestova_version_check FILE\n");
        return 2;
    }
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(argv[1], &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (data.empty() || !GetFileVersionInfoA(argv[1], 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) {
        std::fprintf(stderr, "%s: no version resource that Windows reads\n", argv[1]);
        return 1;
    }
    std::printf("FixedFileVersion=%s\n", dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS).c_str());
    std::printf("FixedProductVersion=%s\n", dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS).c_str());
    std::printf("FileType=%s\n", fixed->dwFileType == VFT_DLL ? "dll" : fixed->dwFileType == VFT_APP ? "app" : "other");

    struct Translation {
        WORD language;
        WORD code_page;
    }* translations = nullptr;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length) ||
        length < sizeof(Translation)) {
        std::fprintf(stderr, "%s: no translation\n", argv[1]);
        return 1;
    }
    for (const char* name : {"FileVersion", "ProductVersion", "ProductName", "FileDescription", "OriginalFilename"}) {
        char path[128];
        std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translations->language,
                      translations->code_page, name);
        char* value = nullptr;
        UINT chars = 0;
        if (VerQueryValueA(data.data(), path, reinterpret_cast<void**>(&value), &chars) && value)
            std::printf("%s=%s\n", name, value);
        else std::printf("%s=(missing)\n", name);
    }
    return 0;
}
