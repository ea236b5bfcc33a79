// This PC on the real Windows calls (built for Windows only).
#include "session/machine.hpp"

#include "platform/win32/win32_platform.hpp"

#include <windows.h>
// after windows.h, which it builds on
#include <objbase.h>

#include <string>

namespace prestova {

namespace {

constexpr std::intptr_t kCouldStart = 42;  // above 32: the shell's "started"
constexpr std::intptr_t kFileNotFound = ERROR_FILE_NOT_FOUND;

// Answers as the shell would for a program it can find, but starts nothing:
// a snapshot must not open a browser on the student's screen.
class DryRunShell final : public Shell {
public:
    std::intptr_t execute(std::string_view file, std::string_view, int) override
    {
        const std::string f(file);
        char found[MAX_PATH];
        if (f.empty() || SearchPathA(nullptr, f.c_str(), nullptr, MAX_PATH, found, nullptr) == 0) return kFileNotFound;
        const DWORD attributes = GetFileAttributesA(found);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return kFileNotFound;
        return kCouldStart;
    }
};

class ThisPc final : public Machine {
public:
    // Object creation (the plug-in probes) needs COM on this thread, in the
    // single-threaded apartment a browser gives its controls.
    ThisPc() : com_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ThisPc() override
    {
        if (com_) CoUninitialize();
    }
    ThisPc(const ThisPc&) = delete;
    ThisPc& operator=(const ThisPc&) = delete;

    Platform platform() override { return machine_.platform(); }
    Shell& dry_run_shell() override { return dry_run_; }
    std::string name() const override
    {
        char buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
        DWORD size = sizeof buffer;
        if (!GetComputerNameA(buffer, &size) || size == 0) return "this-pc";
        return std::string(buffer, size);
    }

private:
    bool com_;
    Win32Machine machine_;
    DryRunShell dry_run_;
};

}  // namespace

bool this_pc_supported() { return true; }

std::unique_ptr<Machine> open_this_pc() { return std::make_unique<ThisPc>(); }

}  // namespace prestova
