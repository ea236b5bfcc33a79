#include "platform/simulated/machine_profile.hpp"

#include "core/ansi.hpp"
#include "core/ascii_case.hpp"
#include "core/file_text.hpp"
#include "platform/simulated/reg_file.hpp"

#include <charconv>
#include <set>

namespace prestova {

namespace {

std::string trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return std::string(s);
}

std::vector<std::string> comma_list(std::string_view text)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ',') {
            std::string item = trim(text.substr(start, i - start));
            if (!item.empty()) items.push_back(std::move(item));
            start = i + 1;
        }
    }
    return items;
}

// "2   ; NT family" is 2: a ';' or '#' after a blank starts a comment, so a
// value may still be ";" itself.
std::string without_comment(const std::string& value)
{
    for (std::size_t i = 1; i < value.size(); ++i)
        if ((value[i] == ';' || value[i] == '#') && (value[i - 1] == ' ' || value[i - 1] == '\t'))
            return trim(std::string_view(value).substr(0, i));
    return value;
}

// "Service Pack 2" gives 2 and 0, "Service Pack 6a" 6 and 0, "Service Pack 1.5" 1 and 5.
std::pair<std::uint16_t, std::uint16_t> service_pack_numbers(std::string_view text)
{
    const auto at = find_ignoring_case(text, "service pack");
    if (at == std::string_view::npos) return {0, 0};
    text.remove_prefix(at + 12);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    std::uint16_t major = 0, minor = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), major);
    if (ec != std::errc()) return {0, 0};
    if (end + 1 < text.data() + text.size() && *end == '.')
        std::from_chars(end + 1, text.data() + text.size(), minor);
    return {major, minor};
}

class FactsParser {
public:
    FactsParser(std::string_view file, std::filesystem::path base) : file_(file), base_(std::move(base)) {}

    MachineProfile parse(std::string_view raw)
    {
        // Written on any system, so UTF-8; the machine itself speaks the ANSI code page.
        if (raw.substr(0, 3) == "\xEF\xBB\xBF") raw.remove_prefix(3);
        const std::string text = utf8_to_ansi(raw);
        for (std::size_t pos = 0; pos <= text.size();) {
            const std::size_t end = std::min(text.find('\n', pos), text.size());
            ++line_;
            line(trim(text.substr(pos, end - pos)));
            pos = end + 1;
        }
        finish();
        return std::move(p_);
    }

private:
    [[noreturn]] void fail(const std::string& message) const { throw ProfileError(file_, line_, message); }
    [[noreturn]] void fail_at(int line, const std::string& message) const { throw ProfileError(file_, line, message); }

    void line(const std::string& t)
    {
        if (t.empty() || t[0] == ';' || t[0] == '#') return;
        if (t[0] == '[') {
            if (t.back() != ']') fail("a section line must end with ']'");
            const std::string name = trim(std::string_view(t).substr(1, t.size() - 2));
            static const std::set<std::string> known = {"windows", "screen", "memory", "disk",
                                                         "objects", "locale", "registry", "shell"};
            section_ = to_lower_ascii(name);
            if (!known.count(section_))
                fail("unknown section " + quote_profile_input(t) +
                     " (known: windows, screen, memory, disk, objects, locale, registry, shell)");
            return;
        }
        const auto eq = t.find('=');
        if (eq == std::string::npos) fail("expected KEY = VALUE, not " + quote_profile_input(t));
        if (section_.empty()) fail("a key before any [section] line");
        const std::string key = to_lower_ascii(trim(std::string_view(t).substr(0, eq)));
        const std::string value = without_comment(trim(std::string_view(t).substr(eq + 1)));
        if (!seen_.emplace(section_ + "." + key, line_).second)
            fail("duplicate key " + quote_profile_input(key) + " in [" + section_ + "] (first set on line " +
                 std::to_string(seen_[section_ + "." + key]) + ")");
        set(key, value);
    }

    std::uint64_t number(const std::string& text, std::uint64_t min, std::uint64_t max) const
    {
        const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        const char* begin = text.data() + (hex ? 2 : 0);
        const char* end = text.data() + text.size();
        std::uint64_t v = 0;
        const auto [ptr, ec] = std::from_chars(begin, end, v, hex ? 16 : 10);
        if (text.empty() || ec == std::errc::invalid_argument || ptr != end)
            fail(quote_profile_input(text) + " is not a whole number (decimal, or hexadecimal after 0x)");
        if (ec == std::errc::result_out_of_range || v < min || v > max)
            fail(quote_profile_input(text) + " is out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
        return v;
    }

    template <typename T>
    T whole(const std::string& text, std::uint64_t min, std::uint64_t max) const
    {
        return static_cast<T>(number(text, min, max));
    }

    bool yes_no(const std::string& text) const
    {
        const std::string t = to_lower_ascii(text);
        if (t == "yes" || t == "true" || t == "1") return true;
        if (t == "no" || t == "false" || t == "0") return false;
        fail(quote_profile_input(text) + " is neither yes nor no");
    }

    // A date or time picture: an empty one would show nothing.
    const std::string& picture(const std::string& key, const std::string& text, std::string_view example) const
    {
        if (text.empty()) fail(key + " must not be empty: give a picture such as " + std::string(example));
        return text;
    }

    [[noreturn]] void unknown(const std::string& key) const { fail("unknown key " + quote_profile_input(key) + " in [" + section_ + "]"); }

    void set(const std::string& key, const std::string& v)
    {
        constexpr std::uint64_t u16 = 0xFFFF, u32 = 0xFFFFFFFF, i32 = 0x7FFFFFFF, u64 = UINT64_MAX;
        const std::string& s = section_;
        if (s == "windows") {
            if (key == "platform_id") p_.platform_id = whole<std::uint32_t>(v, 0, u32);
            else if (key == "major") p_.major = whole<std::uint32_t>(v, 0, u32);
            else if (key == "minor") p_.minor = whole<std::uint32_t>(v, 0, u32);
            else if (key == "build") p_.build = whole<std::uint32_t>(v, 0, u32);
            else if (key == "service_pack") {
                if (v.size() > 127) fail("service_pack is longer than the record's 127 characters");
                p_.service_pack = v;
            } else if (key == "service_pack_major") sp_major_ = whole<std::uint16_t>(v, 0, u16);
            else if (key == "service_pack_minor") sp_minor_ = whole<std::uint16_t>(v, 0, u16);
            else if (key == "product_type") p_.product_type = whole<std::uint8_t>(v, 0, 255);
            else if (key == "extended_record") p_.extended_record = yes_no(v);
            else unknown(key);
        } else if (s == "screen") {
            if (key == "width") p_.width = whole<std::uint32_t>(v, 1, 100000);
            else if (key == "height") p_.height = whole<std::uint32_t>(v, 1, 100000);
            else if (key == "twips_per_pixel") p_.twips_per_pixel = whole<std::uint32_t>(v, 1, 1440);
            else if (key == "bits_per_pixel") p_.bits_per_pixel = whole<std::int32_t>(v, 0, i32);
            else if (key == "planes") p_.planes = whole<std::int32_t>(v, 0, i32);
            else if (key == "hdc") p_.device_context = whole<std::int32_t>(v, 1, i32);
            else unknown(key);
        } else if (s == "memory") {
            if (key == "total_physical") p_.total_physical = number(v, 0, u64);
            else unknown(key);
        } else if (s == "disk") {
            const bool drive = key.size() > 2 && key[0] >= 'a' && key[0] <= 'z' && key[1] == '_';
            const char letter = static_cast<char>(key[0] - 'a' + 'A');
            if (drive && key.substr(2) == "free") p_.free_bytes[letter] = number(v, 0, u64);
            else if (drive && key.substr(2) == "total") total_line_[letter] = line_, p_.total_bytes[letter] = number(v, 0, u64);
            else fail("unknown key " + quote_profile_input(key) + " in [disk] (expected LETTER_free or LETTER_total, e.g. c_free)");
        } else if (s == "objects") {
            if (key == "creatable") p_.creatable = comma_list(v);
            else unknown(key);
        } else if (s == "locale") {
            if (key == "decimal_separator") {
                if (v.size() != 1) fail("decimal_separator must be one character, not " + quote_profile_input(v));
                p_.decimal_separator = v[0];
            } else if (key == "thousands_separator") {
                if (v.size() > 1) fail("thousands_separator must be one character or none, not " + quote_profile_input(v));
                p_.thousands_separator = v.empty() ? '\0' : v[0];
            } else if (key == "currency_symbol") p_.currency_symbol = v;
            else if (key == "short_date") p_.short_date = picture(key, v, kUnitedStatesShortDate);
            else if (key == "time_format") p_.time_format = picture(key, v, kUnitedStatesTimeFormat);
            else unknown(key);
        } else if (s == "registry") {
            if (key == "file") {
                if (v.empty()) fail("file needs the name of a .reg file");
                registry_file_ = v, registry_line_ = line_;
            } else if (key == "denied") {
                for (auto& name : comma_list(v)) {
                    if (!parse_key_name(name)) fail("unknown hive in denied key " + quote_profile_input(name));
                    denied_lines_.push_back(line_);
                    p_.denied_keys.push_back(std::move(name));
                }
            } else unknown(key);
        } else if (s == "shell") {
            if (key == "programs") p_.programs = comma_list(v);
            else unknown(key);
        }
    }

    void finish()
    {
        const auto [major, minor] = service_pack_numbers(p_.service_pack);
        p_.service_pack_major = sp_major_.value_or(major);
        p_.service_pack_minor = sp_minor_.value_or(minor);
        for (const auto& [letter, total] : p_.total_bytes) {
            const auto free = p_.free_bytes.find(letter);
            if (free == p_.free_bytes.end())
                fail_at(total_line_[letter], std::string(1, letter) + ": has a total but no free bytes");
            if (total < free->second) fail_at(total_line_[letter], std::string(1, letter) + ": total is less than its free bytes");
        }
        if (registry_file_.empty()) return;
        const auto path = base_ / registry_file_;
        // Read a block at a time: memory holds the tree, not the file.
        const std::string shown = shown_path(path.string());
        auto registry = read_reg_file(path, shown);
        if (!registry) fail_at(registry_line_, "cannot read the registry file " + shown);
        p_.registry = std::move(*registry);
        // A denied key that is not in the registry is a misspelling.
        for (std::size_t i = 0; i < p_.denied_keys.size(); ++i)
            if (!p_.registry.find(*parse_key_name(p_.denied_keys[i])))
                fail_at(denied_lines_[i], "denied key " + quote_profile_input(p_.denied_keys[i]) + " is not in " + shown);
    }

    std::string file_;
    std::filesystem::path base_;
    int line_ = 0;
    std::string section_;
    std::map<std::string, int> seen_;
    std::optional<std::uint16_t> sp_major_, sp_minor_;
    std::map<char, int> total_line_;
    std::string registry_file_;
    int registry_line_ = 0;
    std::vector<int> denied_lines_;
    MachineProfile p_;
};

} // namespace

bool MachineProfile::answers_extended_record() const
{
    if (extended_record) return *extended_record;
    return platform_id == 2 && major >= 5;
}

MachineProfile parse_machine_profile(std::string_view text, std::string_view file_name,
                                     const std::filesystem::path& base_dir)
{
    return FactsParser(file_name, base_dir).parse(text);
}

MachineProfile load_machine_profile(const std::filesystem::path& machine_file)
{
    const auto text = read_file_text(machine_file);
    if (!text) throw ProfileError(machine_file.string() + ": cannot read the machine profile");
    return parse_machine_profile(*text, machine_file.string(), machine_file.parent_path());
}

} // namespace prestova
