#include "platform/simulated/reg_writer.hpp"

#include <algorithm>
#include <cstdio>

namespace prestova {

namespace {

constexpr const char* kEnd = "\r\n";

void append_quoted(std::string& out, std::string_view text)
{
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

void append_hex_bytes(std::string& out, std::span<const std::uint8_t> data)
{
    static const char digits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i) out += ',';
        out += digits[data[i] >> 4];
        out += digits[data[i] & 0xF];
    }
}

// Text a quoted line gives back byte for byte: one terminating NUL, nothing
// below a blank before it.
bool plain_text(std::span<const std::uint8_t> data)
{
    if (data.empty() || data.back() != 0) return false;
    return std::all_of(data.begin(), data.end() - 1, [](std::uint8_t b) { return b >= 0x20 && b != 0x7F; });
}

void append_value_line(std::string& out, const StoredValue& v)
{
    const auto data = v.data();
    if (v.name().empty()) out += '@';
    else append_quoted(out, v.name());
    out += '=';
    if (v.type() == reg::Sz && plain_text(data)) {
        append_quoted(out, std::string_view(reinterpret_cast<const char*>(data.data()), data.size() - 1));
    } else if (v.type() == reg::Dword && data.size() == 4) {
        const std::uint32_t n = static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
                                static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
        char digits[16];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(n));
        out.append("dword:").append(digits);
    } else if (v.type() == reg::Binary) {
        out += "hex:";
        append_hex_bytes(out, data);
    } else {
        char type[16];
        std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(v.type()));
        out += type;
        append_hex_bytes(out, data);
    }
    out += kEnd;
}

[[noreturn]] void refuse(std::string_view what, const std::string& reason)
{
    throw ProfileError("cannot write the registry as a .reg file: " + quote_profile_input(what) + " " + reason);
}

void check_key_name(std::string_view path, std::string_view name, std::size_t depth)
{
    std::string what(path);
    what.append("\\").append(name);
    if (name.empty()) refuse(what, "has a key with an empty name");
    if (name.find('\\') != std::string_view::npos) refuse(what, "is a key name holding a backslash");
    if (name.find('\0') != std::string_view::npos) refuse(what, "is a key name holding a NUL character");
    if (name.find_first_of("\r\n") != std::string_view::npos) refuse(what, "is a key name holding a line break");
    if (name.size() > kMaxKeyNameLength)
        refuse(what, "is a key name longer than " + std::to_string(kMaxKeyNameLength) + " characters");
    if (depth > kMaxKeyDepth) refuse(what, "is more than " + std::to_string(kMaxKeyDepth) + " levels deep");
}

void check_value_name(std::string_view path, std::string_view name)
{
    const auto value = [&] { return std::string(path).append(" value ").append(name); };
    if (name.find('\0') != std::string_view::npos) refuse(value(), "has a name holding a NUL character");
    // The reader ends a line at a lone CR as at LF, as regedit does.
    if (name.find_first_of("\r\n") != std::string_view::npos) refuse(value(), "has a name holding a line break");
    if (name.size() > kMaxValueNameLength)
        refuse(value(), "has a name longer than " + std::to_string(kMaxValueNameLength) + " characters");
}

// A key's own line and values, where it needs them.
void write_key(const RegKey& key, std::string_view path, std::string& out)
{
    if (key.value_count() == 0 && key.subkey_count() != 0) return;
    out.append(kEnd).append("[").append(path).append("]").append(kEnd);
    for (std::size_t i = 0; i < key.value_count(); ++i) {
        check_value_name(path, key.value_at(i).name());
        append_value_line(out, key.value_at(i));
    }
}

// The key named `path`, `depth` levels below its hive, and every key below
// it except `skip`, depth first with a stack of its own.
void write_tree(const RegKey& top, std::string path, std::size_t depth, const RegKey* skip, std::string& out)
{
    struct Frame {
        const RegKey* key;
        std::size_t next = 0;
        std::size_t path_size;
        std::size_t depth;
    };
    write_key(top, path, out);
    std::vector<Frame> stack{{&top, 0, path.size(), depth}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.key->subkey_count()) {
            stack.pop_back();
            continue;
        }
        const RegKey& sub = frame.key->subkey_at(frame.next++);
        if (&sub == skip) continue;
        const std::size_t sub_depth = frame.depth + 1;
        path.resize(frame.path_size);
        check_key_name(path, sub.name(), sub_depth);
        path.append("\\").append(sub.name());
        write_key(sub, path, out);
        stack.push_back({&sub, 0, path.size(), sub_depth});
    }
}

// HKEY_LOCAL_MACHINE\SOFTWARE\Classes when spelt exactly so: written as
// HKEY_CLASSES_ROOT, it reads back with that spelling.
const RegKey* classes_root(const RegKey& local_machine)
{
    const RegKey* software = local_machine.find_subkey("SOFTWARE");
    if (!software || software->name() != "SOFTWARE") return nullptr;
    const RegKey* classes = software->find_subkey("Classes");
    return classes && classes->name() == "Classes" ? classes : nullptr;
}

}  // namespace

std::string write_reg_text(const RegistryTree& tree)
{
    std::string out = std::string("REGEDIT4") + kEnd;
    for (const Hive hive : {Hive::LocalMachine, Hive::CurrentUser, Hive::Users, Hive::CurrentConfig}) {
        const RegKey* root = tree.find_hive(hive);
        if (!root) continue;
        const RegKey* classes = hive == Hive::LocalMachine ? classes_root(*root) : nullptr;
        write_tree(*root, hive_name(hive), 0, classes, out);
        if (classes) write_tree(*classes, "HKEY_CLASSES_ROOT", 2, nullptr, out);
    }
    return out;
}

}  // namespace prestova
