#include "host/hyper_jump.hpp"

namespace prestova {

namespace {

thread_local std::string browser_path_cache;

// The default value of the http command key, cut at its first NUL; a value
// stored without one is kept whole.
std::string read_http_command(Registry& registry)
{
    std::string text;
    RegHandle key = 0;
    if (registry.open_key_ex(root_handle(RegRoot::ClassesRoot), "http\\shell\\open\\command", 0, reg::KeyRead, &key) !=
        reg::Success)
        return text;
    std::uint32_t size = 0;
    if (registry.query_value(key, nullptr, nullptr, nullptr, &size) == reg::Success && size > 0) {
        std::string buffer(size, ' ');
        std::uint32_t read = size;
        if (registry.query_value(key, nullptr, nullptr, reinterpret_cast<std::uint8_t*>(buffer.data()), &read) ==
            reg::Success) {
            buffer.resize(std::min<std::size_t>(read, buffer.size()));
            text = buffer.substr(0, buffer.find('\0'));
        }
    }
    registry.close_key(key);
    return text;
}

}  // namespace

std::string cut_command_line(const std::string& command)
{
    const auto q1 = command.find('"');
    const auto q2 = q1 == std::string::npos ? std::string::npos : command.find('"', q1 + 1);
    if (q1 == 0 && q2 != std::string::npos) return command.substr(1, q2 - 1);
    const auto b = command.rfind('\\');
    if (b != std::string::npos) {
        const auto s = command.find(' ', b);
        if (s != std::string::npos) return command.substr(0, s);
    }
    return command;
}

std::string DefaultBrowserPath(Registry& registry)
{
    if (!browser_path_cache.empty()) return browser_path_cache;
    browser_path_cache = cut_command_line(read_http_command(registry));
    return browser_path_cache;
}

void forget_default_browser() { browser_path_cache.clear(); }

bool is_safe_address(std::string_view address)
{
    if (!address.empty() && address.front() == '-') return false;
    for (char c : address) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || u < 0x20 || u == 0x7F) return false;
    }
    return true;
}

std::intptr_t OpenInBrowser(Registry& registry, Shell& shell, std::string_view address, bool ViaBrowser)
{
    if (!is_safe_address(address)) return kShellFileNotFound;
    if (!ViaBrowser) return shell.execute(address, "", kShowNormal);
    const std::string browser = DefaultBrowserPath(registry);
    std::string argument(address);
    if (argument.find(' ') != std::string::npos) argument = "\"" + argument + "\"";
    return shell.execute(browser, argument, kShowNormal);
}

}  // namespace prestova
