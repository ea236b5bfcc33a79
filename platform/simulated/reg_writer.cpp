#include "platform/simulated/reg_writer.hpp"

#include <algorithm>
#include <cstdio>

namespace prestova {

namespace {

constexpr const char* kEnd = "\r\n";

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string hex_bytes(const std::vector<std::uint8_t>& data)
{
    std::string out;
    char byte[4];
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(byte, sizeof byte, "%02x", data[i]);
        if (i) out += ',';
        out += byte;
    }
    return out;
}

// Text a quoted line gives back byte for byte: one terminating NUL, nothing
// below a blank before it.
bool plain_text(const std::vector<std::uint8_t>& data)
{
    if (data.empty() || data.back() != 0) return false;
    return std::all_of(data.begin(), data.end() - 1, [](std::uint8_t b) { return b >= 0x20 && b != 0x7F; });
}

std::string value_line(const RegValue& v)
{
    std::string line = v.name.empty() ? "@=" : quoted(v.name) + "=";
    if (v.type == reg::Sz && plain_text(v.data))
        return line + quoted(std::string(v.data.begin(), v.data.end() - 1));
    if (v.type == reg::Dword && v.data.size() == 4) {
        const std::uint32_t n = static_cast<std::uint32_t>(v.data[0]) | static_cast<std::uint32_t>(v.data[1]) << 8 |
                                static_cast<std::uint32_t>(v.data[2]) << 16 |
                                static_cast<std::uint32_t>(v.data[3]) << 24;
        char digits[16];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(n));
        return line + "dword:" + digits;
    }
    if (v.type == reg::Binary) return line + "hex:" + hex_bytes(v.data);
    char type[16];
    std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(v.type));
    return line + type + hex_bytes(v.data);
}

void write_key(const RegKey& key, const std::string& name, bool is_hive, std::string& out)
{
    if (!is_hive && (!key.values.empty() || key.subkeys.empty())) {
        out += kEnd;
        out += "[" + name + "]" + kEnd;
        for (const auto& [upper_name, value] : key.values) out += value_line(value) + kEnd;
    }
    for (const auto& [upper_name, sub] : key.subkeys) {
        std::string sub_name = name + "\\" + sub.name;
        if (upper_ascii(sub_name) == "HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES") sub_name = "HKEY_CLASSES_ROOT";
        write_key(sub, sub_name, false, out);
    }
}

} // namespace

std::string write_reg_text(const RegistryTree& tree)
{
    std::string out = std::string("REGEDIT4") + kEnd;
    static constexpr std::pair<Hive, const char*> hives[] = {{Hive::LocalMachine, "HKEY_LOCAL_MACHINE"},
                                                              {Hive::CurrentUser, "HKEY_CURRENT_USER"},
                                                              {Hive::Users, "HKEY_USERS"},
                                                              {Hive::CurrentConfig, "HKEY_CURRENT_CONFIG"}};
    for (const auto& [hive, name] : hives)
        if (const RegKey* root = tree.find_hive(hive)) write_key(*root, name, true, out);
    return out;
}

} // namespace prestova
