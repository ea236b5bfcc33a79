#pragma once
// Opening download addresses in the student's default browser.
#include "platform/registry.hpp"
#include "platform/shell.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace prestova {

constexpr std::intptr_t kShellFileNotFound = 2;  // what the shell answers for a missing program
constexpr int kShowNormal = 1;

// The program that opens web addresses, from the http command line; kept
// per thread after the first successful lookup and never refreshed.
std::string DefaultBrowserPath(Registry& registry);
// The program path inside a command line: a leading quoted path, else the
// text up to the first blank after the last backslash, else all of it.
std::string cut_command_line(const std::string& command);
// Forgets the cached browser path of this thread, as unloading the module does.
void forget_default_browser();

// Starts the default browser on address (ViaBrowser) or opens the address
// itself, and returns the shell's result (above 32 on success). The address
// reaches the browser as one argument; an address that could smuggle options
// or extra arguments (a leading "-", a double quote, a control character) is
// not opened and reads as a failure.
std::intptr_t OpenInBrowser(Registry& registry, Shell& shell, std::string_view address, bool ViaBrowser);
bool is_safe_address(std::string_view address);

}  // namespace prestova
