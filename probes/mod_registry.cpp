#include "probes/mod_registry.hpp"

namespace prestova {

std::string ReadRegString(Registry& registry, RegRoot root, std::string_view path, std::string_view value_name,
                          std::string_view default_value)
{
    std::string result(default_value);
    const std::string name(value_name);
    RegHandle key = 0;
    registry.open_key(root_handle(root), path, &key);  // on failure the handle stays 0 and the query fails
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (registry.query_value(key, name.c_str(), &type, nullptr, &size) == reg::Success && type == reg::Sz) {
        std::string buffer(size, ' ');
        std::uint32_t ignored_type = 0;
        std::uint32_t read_size = size;
        registry.query_value(key, name.c_str(), &ignored_type, reinterpret_cast<std::uint8_t*>(buffer.data()),
                             &read_size);
        const auto nul = buffer.find('\0');
        result = nul == std::string::npos ? buffer : buffer.substr(0, nul);
    }
    registry.close_key(key);
    return result;
}

std::int32_t ReadRegDword(Registry& registry, RegRoot root, std::string_view path, std::string_view value_name,
                          std::int32_t default_value)
{
    std::int32_t result = default_value;
    const std::string name(value_name);
    RegHandle key = 0;
    registry.open_key(root_handle(root), path, &key);
    std::uint32_t type = 0;
    std::uint8_t data[4] = {};
    std::uint32_t size = sizeof data;
    if (registry.query_value(key, name.c_str(), &type, data, &size) == reg::Success && type == reg::Dword) {
        result = static_cast<std::int32_t>(
            static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
            static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24);
    }
    registry.close_key(key);
    return result;
}

std::vector<std::string> ListRegSubkeys(Registry& registry, RegRoot root, std::string_view path)
{
    std::vector<std::string> names;
    for (std::uint32_t index = 0;; ++index) {
        RegHandle key = 0;
        registry.open_key(root_handle(root), path, &key);  // afresh on every pass
        std::string buffer(2048, ' ');
        const long status = registry.enum_key(key, index, buffer.data(), static_cast<std::uint32_t>(buffer.size()));
        registry.close_key(key);
        if (status != reg::Success) break;
        names.push_back(buffer.substr(0, buffer.find('\0')));
    }
    return names;
}

bool RegKeyExists(Registry& registry, RegRoot root, std::string_view path)
{
    RegHandle key = 0;
    if (registry.open_key_ex(root_handle(root), path, 0, reg::KeyQueryValue, &key) != reg::Success) return false;
    registry.close_key(key);
    return true;
}

std::string trim_blanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace prestova
