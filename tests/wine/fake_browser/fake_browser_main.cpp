// A stand-in for the default browser in the Wine tests: every launch
// appends one line to a log, each command-line argument as the program
// received it, in brackets ("[http://a b] [x]"), so a test sees both what
// was opened and how many arguments it came as.
//   log: %PRESTOVA_FAKE_BROWSER_LOG%
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

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
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"PRESTOVA_FAKE_BROWSER_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    HANDLE log = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(log);
    return ok && written == bytes.size() ? 0 : 1;
}
