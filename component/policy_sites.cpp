#include "policy_sites.hpp"

#include "utf8_text.hpp"

#include <windows.h>

#include <string>
#include <vector>

namespace prestova::component {

namespace {

// Every REG_SZ value of the policy key in one registry view, whatever its name.
void add_policy(AllowedSites& sites, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAllowedSitesPolicyKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return;
    DWORD count = 0, longest_name = 0, longest_data = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest_name,
                         &longest_data, nullptr, nullptr) == ERROR_SUCCESS) {
        std::vector<wchar_t> name(longest_name + 1);
        std::vector<wchar_t> data(longest_data / sizeof(wchar_t) + 1);
        for (DWORD i = 0; i < count; ++i) {
            DWORD name_size = static_cast<DWORD>(name.size()), type = 0;
            DWORD data_size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
            if (RegEnumValueW(key, i, name.data(), &name_size, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                              &data_size) != ERROR_SUCCESS ||
                type != REG_SZ)
                continue;
            std::size_t length = data_size / sizeof(wchar_t);
            while (length > 0 && data[length - 1] == L'\0') --length;
            // A value that is no text still puts the list in force, as any mistake does.
            sites.add(utf8_text(data.data(), length).value_or("(not valid UTF-16)"));
        }
    }
    RegCloseKey(key);
}

}  // namespace

void add_policy_sites(AllowedSites& sites)
{
    // Group Policy writes the 64-bit view on 64-bit Windows, a 32-bit
    // installer the 32-bit one; both count, whichever DLL reads them.
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) add_policy(sites, view);
}

}  // namespace prestova::component
