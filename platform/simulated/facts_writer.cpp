#include "platform/simulated/facts_writer.hpp"

#include "core/ansi.hpp"
#include "core/input_quote.hpp"
#include "platform/simulated/profile_error.hpp"
#include "platform/simulated/facts_format.hpp"
#include "platform/simulated/registry_tree.hpp"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace prestova {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// A fact the reader would not read back as written is refused, so a snapshot
// never silently describes another machine.
[[noreturn]] void refuse(std::string_view what, std::string_view utf8, std::string_view why)
{
    throw ProfileError("a facts file cannot hold " + std::string(what) + " " + quote_input(utf8) + ": " +
                       std::string(why));
}

// Why the reader would cut a value short, or nullptr: a line break ends the
// line, a ';' or '#' after a blank starts a comment.
const char* cut_short(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') return "it holds a line break";
        if ((text[i] == ';' || text[i] == '#') && i > 0 && is_blank(text[i - 1]))
            return "a blank before ';' or '#' starts a comment";
    }
    return nullptr;
}

// The same for a text that must also keep its ends.
const char* not_kept(std::string_view text)
{
    if (const char* why = cut_short(text)) return why;
    if (!text.empty() && (is_blank(text.front()) || is_blank(text.back()))) return "blanks around it are dropped";
    return nullptr;
}

std::string listed(std::string_view what, const std::vector<std::string>& items)
{
    std::string out;
    for (const auto& item : items) {
        const char* why = item.empty()                          ? "an empty item is dropped"
                          : item.find(',') != std::string::npos ? "a comma separates items"
                                                                : not_kept(item);
        if (why) refuse(what, ansi_to_utf8(item), why);
        // ", ;x" would start a comment, ",;x" does not.
        if (!out.empty()) out += item.front() == ';' || item.front() == '#' ? "," : ", ";
        out += ansi_to_utf8(item);
    }
    return out;
}

// A key's value as written (UTF-8), or none where the key is left out.
std::optional<std::string> written(const FactKey& key, const MachineProfile& p, std::string_view reg_file)
{
    const auto read_as_none = [](char c) { return is_blank(c) || c == '\n' || c == '\r'; };
    std::string value;
    switch (key.kind) {
    case FactKind::Number: return number_text(p, key);
    case FactKind::YesNo: {
        // extended_record's default hangs on the version, so it is written as answered.
        const auto yes =
            key.written == Written::AsAnswered ? p.answers_extended_record() : member_of<std::optional<bool>>(p, key);
        if (!yes) return std::nullopt;
        return *yes ? "yes" : "no";
    }
    case FactKind::RecordText: {
        const std::string& text = member_of<std::string>(p, key);
        if (text.size() > key.max_length)
            refuse(key.refused_as, ansi_to_utf8(text),
                   "it is longer than the record's " + std::to_string(key.max_length) + " characters");
        if (const char* why = cut_short(text)) refuse(key.refused_as, ansi_to_utf8(text), why);
        value = ansi_to_utf8(text);
        break;
    }
    case FactKind::Text:
    case FactKind::Picture: {
        const std::string& text = member_of<std::string>(p, key);
        const char* why =
            key.kind == FactKind::Picture && text.empty() ? "the reader takes no empty picture" : not_kept(text);
        if (why) refuse(key.refused_as, ansi_to_utf8(text), why);
        value = ansi_to_utf8(text);
        break;
    }
    case FactKind::Character:
    case FactKind::CharacterOrNone: {
        const char c = member_of<char>(p, key);
        if (read_as_none(c)) refuse(key.refused_as, ansi_to_utf8(std::string_view(&c, 1)), "it would be read as none");
        // No character at all is an empty value.
        value =
            ansi_to_utf8(key.kind == FactKind::CharacterOrNone && !c ? std::string_view() : std::string_view(&c, 1));
        break;
    }
    case FactKind::List: value = listed(key.refused_as, member_of<std::vector<std::string>>(p, key)); break;
    case FactKind::DeniedKeys:
        value = listed(key.refused_as, member_of<std::vector<std::string>>(p, key));
        // The reader takes a denied key missing from the registry file for a
        // misspelling; without a file it cannot tell.
        if (!reg_file.empty())
            for (const auto& denied : member_of<std::vector<std::string>>(p, key))
                if (const auto name = parse_key_name(denied); !name || !p.registry.find(*name))
                    refuse(key.refused_as, ansi_to_utf8(denied), "it is not in the registry written beside it");
        break;
    case FactKind::DriveBytes: return std::nullopt;  // drive by drive: see write_drives
    case FactKind::RegistryFile:
        if (const char* why = not_kept(reg_file)) refuse(key.refused_as, reg_file, why);
        value = reg_file;
        break;
    }
    if (key.written == Written::WhenSet && value.empty()) return std::nullopt;
    return value;
}

// The drive keys drive by drive, c_free, c_total, d_free…: a drive is a
// letter with free bytes (the first drive key's member).
void write_drives(std::string& out, std::span<const FactKey> drive_keys, const MachineProfile& p)
{
    using Drives = std::map<char, std::uint64_t>;
    for (const auto& drive : member_of<Drives>(p, drive_keys.front())) {
        for (const FactKey& key : drive_keys) {
            const Drives& bytes = member_of<Drives>(p, key);
            if (const auto at = bytes.find(drive.first); at != bytes.end())
                out.append(1, static_cast<char>(drive.first - 'A' + 'a'))
                    .append(key.name.substr(key.name.find('_')))
                    .append(" = " + std::to_string(at->second) + "\n");
        }
    }
}

}  // namespace

std::string write_machine_facts(const MachineProfile& p, std::string_view reg_file, std::string_view heading)
{
    // Every value is checked as the text is made, and the text is only
    // handed out whole.
    std::string out;
    if (!heading.empty()) {
        // Only a comment: a line break in it would start a line of its own.
        std::string comment(heading);
        for (char& c : comment)
            if (c == '\n' || c == '\r') c = ' ';
        out += "; " + comment + "\n";
    }
    const auto keys = facts_keys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const FactKey& key = keys[i];
        if (i == 0 || keys[i - 1].section != key.section) out.append("\n[").append(key.section).append("]\n");
        if (key.kind == FactKind::DriveBytes) {
            std::size_t end = i;
            while (end < keys.size() && keys[end].kind == FactKind::DriveBytes) ++end;
            write_drives(out, keys.subspan(i, end - i), p);
            i = end - 1;
        } else if (const auto value = written(key, p, reg_file)) {
            out.append(key.name).append(" = ").append(*value).append("\n");
        }
    }
    return out;
}

}  // namespace prestova
