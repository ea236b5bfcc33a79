#include "platform/simulated/machine_profile.hpp"

#include "core/ansi.hpp"
#include "core/ascii_case.hpp"
#include "core/file_text.hpp"
#include "platform/simulated/facts_format.hpp"
#include "platform/simulated/reg_file.hpp"

#include <charconv>

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
    if (end + 1 < text.data() + text.size() && *end == '.') std::from_chars(end + 1, text.data() + text.size(), minor);
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
            section_ = to_lower_ascii(trim(std::string_view(t).substr(1, t.size() - 2)));
            std::string known;
            std::string_view previous;
            for (const FactKey& key : facts_keys()) {
                if (key.section == section_) return;
                if (key.section != previous) known.append(previous.empty() ? "" : ", ").append(key.section);
                previous = key.section;
            }
            fail("unknown section " + quote_profile_input(t) + " (known: " + known + ")");
        }
        const auto eq = t.find('=');
        if (eq == std::string::npos) fail("expected KEY = VALUE, not " + quote_profile_input(t));
        if (section_.empty()) fail("a key before any [section] line");
        const std::string key = to_lower_ascii(trim(std::string_view(t).substr(0, eq)));
        const std::string value = without_comment(trim(std::string_view(t).substr(eq + 1)));
        if (!seen_.emplace(section_ + "." + key, line_).second)
            fail("duplicate key " + quote_profile_input(key) + " in [" + section_ + "] (first set on line " +
                 std::to_string(seen_[section_ + "." + key]) + ")");
        set(fact_key(key), key, value);
    }

    // The section's row for a key; a drive key such as c_free is the row LETTER_free.
    const FactKey& fact_key(const std::string& key) const
    {
        const bool drive = key.size() > 2 && key[0] >= 'a' && key[0] <= 'z' && key[1] == '_';
        bool drives = false;
        for (const FactKey& row : facts_keys()) {
            if (row.section != section_) continue;
            if (row.kind != FactKind::DriveBytes ? row.name == key
                                                 : drive && key.substr(2) == row.name.substr(row.name.find('_') + 1))
                return row;
            drives = drives || row.kind == FactKind::DriveBytes;
        }
        fail("unknown key " + quote_profile_input(key) + " in [" + section_ + "]" +
             (drives ? " (expected LETTER_free or LETTER_total, e.g. c_free)" : ""));
    }

    // The line a key was set on, 0 when it was not.
    int line_of(const std::string& section, const std::string& key) const
    {
        const auto at = seen_.find(section + "." + key);
        return at == seen_.end() ? 0 : at->second;
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
            fail(quote_profile_input(text) + " is out of range (" + std::to_string(min) + " to " + std::to_string(max) +
                 ")");
        return v;
    }

    bool yes_no(const std::string& text) const
    {
        const std::string t = to_lower_ascii(text);
        if (t == "yes" || t == "true" || t == "1") return true;
        if (t == "no" || t == "false" || t == "0") return false;
        fail(quote_profile_input(text) + " is neither yes nor no");
    }

    void set(const FactKey& fact, const std::string& key, const std::string& v)
    {
        const std::string name(fact.name);
        switch (fact.kind) {
        case FactKind::Number: set_number(p_, fact, number(v, fact.min, fact.max)); break;
        case FactKind::YesNo: member_of<std::optional<bool>>(p_, fact) = yes_no(v); break;
        case FactKind::RecordText:
            if (v.size() > fact.max_length)
                fail(name + " is longer than the record's " + std::to_string(fact.max_length) + " characters");
            member_of<std::string>(p_, fact) = v;
            break;
        case FactKind::Text: member_of<std::string>(p_, fact) = v; break;
        case FactKind::Picture:
            // An empty picture would show nothing.
            if (v.empty())
                fail(name + " must not be empty: give a picture such as " +
                     member_of<std::string>(MachineProfile{}, fact));
            member_of<std::string>(p_, fact) = v;
            break;
        case FactKind::Character:
            if (v.size() != 1) fail(name + " must be one character, not " + quote_profile_input(v));
            member_of<char>(p_, fact) = v[0];
            break;
        case FactKind::CharacterOrNone:
            if (v.size() > 1) fail(name + " must be one character or none, not " + quote_profile_input(v));
            member_of<char>(p_, fact) = v.empty() ? '\0' : v[0];
            break;
        case FactKind::List: member_of<std::vector<std::string>>(p_, fact) = comma_list(v); break;
        case FactKind::DeniedKeys:
            // Each must be in the registry file, which is read last (finish()).
            for (auto& denied : comma_list(v)) {
                if (!parse_key_name(denied)) fail("unknown hive in denied key " + quote_profile_input(denied));
                member_of<std::vector<std::string>>(p_, fact).push_back(std::move(denied));
            }
            break;
        case FactKind::DriveBytes:
            member_of<std::map<char, std::uint64_t>>(p_, fact)[static_cast<char>(key[0] - 'a' + 'A')] =
                number(v, fact.min, fact.max);
            break;
        case FactKind::RegistryFile:
            if (v.empty()) fail(name + " needs the name of a .reg file");
            registry_file_ = v;
            break;
        }
    }

    // What hangs on more than one key, and the registry file.
    void finish()
    {
        // Left out, the service-pack numbers come from the text.
        const auto [major, minor] = service_pack_numbers(p_.service_pack);
        if (!line_of("windows", "service_pack_major")) p_.service_pack_major = major;
        if (!line_of("windows", "service_pack_minor")) p_.service_pack_minor = minor;
        for (const auto& [letter, total] : p_.total_bytes) {
            const int line = line_of("disk", std::string(1, static_cast<char>(letter - 'A' + 'a')) + "_total");
            const auto free = p_.free_bytes.find(letter);
            if (free == p_.free_bytes.end()) fail_at(line, std::string(1, letter) + ": has a total but no free bytes");
            if (total < free->second) fail_at(line, std::string(1, letter) + ": total is less than its free bytes");
        }
        if (registry_file_.empty()) return;
        const auto path = base_ / registry_file_;
        // Read a block at a time: memory holds the tree, not the file.
        const std::string shown = shown_path(path.string());
        auto registry = read_reg_file(path, shown);
        if (!registry)
            fail_at(line_of("registry", "file"),
                    "cannot read the registry file " + shown + ": " + unreadable_reason(path));
        p_.registry = std::move(*registry);
        // A denied key that is not in the registry is a misspelling.
        for (const auto& denied : p_.denied_keys)
            if (!p_.registry.find(*parse_key_name(denied)))
                fail_at(line_of("registry", "denied"),
                        "denied key " + quote_profile_input(denied) + " is not in " + shown);
    }

    std::string file_;
    std::filesystem::path base_;
    int line_ = 0;
    std::string section_;
    std::map<std::string, int> seen_;  // "section.key" and the line it was set on
    std::string registry_file_;
    MachineProfile p_;
};

}  // namespace

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
    if (!text)
        throw ProfileError(machine_file.string() +
                           ": cannot read the machine profile: " + unreadable_reason(machine_file));
    // An empty file is no machine at all, not one with every fact unknown.
    if (text->find_first_not_of(" \t\r\n") == std::string::npos)
        throw ProfileError(machine_file.string() + ": the machine profile is empty");
    if (text->starts_with("REGEDIT4") || text->starts_with("Windows Registry Editor") ||
        text->starts_with(std::string_view("\xFF\xFEW\0i\0n\0", 8)))
        throw ProfileError(machine_file.string() + ": this is a registry export; pass the .machine file that names it");
    return parse_machine_profile(*text, machine_file.string(), machine_file.parent_path());
}

}  // namespace prestova
