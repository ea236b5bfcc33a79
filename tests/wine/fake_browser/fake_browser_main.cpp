// A stand-in for the default browser in the Wine tests: every launch
// appends one line to a log, each command-line argument as the program
// received it, in brackets ("[http://a b] [x]"), so a test sees both what
// was opened and how many arguments it came as.
//   log: %PRESTOVA_FAKE_BROWSER_LOG%, else prestova_fake_browser.log beside it
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::wstring log_path()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"PRESTOVA_FAKE_BROWSER_LOG", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return std::wstring(path, length);
    const DWORD module = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (module == 0 || module >= MAX_PATH) return L"prestova_fake_browser.log";
    std::wstring own(path, module);
    const auto dot = own.rfind(L'.');
    return (dot == std::wstring::npos ? own : own.substr(0, dot)) + L".log";
}

std::string utf8(const std::wstring& text)
{
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace

int main()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return 1;
    std::wstring line;
    for (int i = 1; i < count; ++i) {  // the program's own name is not an argument
        if (i > 1) line += L' ';
        line += L'[' + std::wstring(arguments[i]) + L']';
    }
    LocalFree(arguments);
    const std::string bytes = utf8(line) + "\n";
    // One write of the whole line, so launches close together never mix.
    HANDLE log = CreateFileW(log_path().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(log);
    return ok && written == bytes.size() ? 0 : 1;
}
