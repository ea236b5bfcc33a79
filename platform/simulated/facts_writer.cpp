#include "platform/simulated/facts_writer.hpp"

#include "core/ansi.hpp"
#include "core/input_quote.hpp"
#include "platform/simulated/profile_error.hpp"
#include "platform/simulated/registry_tree.hpp"

#include <sstream>
#include <utility>

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
        const char* why = item.empty() ? "an empty item is dropped"
                          : item.find(',') != std::string::npos ? "a comma separates items"
                                                                : not_kept(item);
        if (why) refuse(what, ansi_to_utf8(item), why);
        // ", ;x" would start a comment, ",;x" does not.
        if (!out.empty()) out += item.front() == ';' || item.front() == '#' ? "," : ", ";
        out += ansi_to_utf8(item);
    }
    return out;
}

} // namespace

std::string write_machine_facts(const MachineProfile& p, std::string_view reg_file, std::string_view heading)
{
    // Everything is checked before anything is written.
    if (p.service_pack.size() > 127)
        refuse("service_pack", ansi_to_utf8(p.service_pack), "it is longer than the record's 127 characters");
    // Blanks around the service-pack text are trimmed, as Windows 98 SE's " A " becomes "A".
    if (const char* why = cut_short(p.service_pack)) refuse("service_pack", ansi_to_utf8(p.service_pack), why);
    const std::string creatable = listed("an [objects] creatable item", p.creatable);
    const std::string denied = listed("a [registry] denied key", p.denied_keys);
    // The reader takes a denied key missing from the registry file for a
    // misspelling; without a file it cannot tell.
    if (!reg_file.empty())
        for (const auto& key : p.denied_keys)
            if (const auto name = parse_key_name(key); !name || !p.registry.find(*name))
                refuse("a [registry] denied key", ansi_to_utf8(key), "it is not in the registry written beside it");
    const std::string programs = listed("a [shell] programs item", p.programs);
    const auto read_as_none = [](char c) { return is_blank(c) || c == '\n' || c == '\r'; };
    const char separator = p.decimal_separator;
    if (read_as_none(separator))
        refuse("the decimal separator", ansi_to_utf8(std::string_view(&separator, 1)), "it would be read as none");
    // No thousands separator is written as an empty value.
    const std::string thousands = p.thousands_separator ? std::string(1, p.thousands_separator) : std::string();
    if (read_as_none(p.thousands_separator))
        refuse("the thousands separator", ansi_to_utf8(thousands), "it would be read as none");
    if (const char* why = not_kept(p.currency_symbol)) refuse("the currency symbol", ansi_to_utf8(p.currency_symbol), why);
    for (const auto& [what, picture] : {std::pair{"the short date format", &p.short_date},
                                        std::pair{"the time format", &p.time_format}}) {
        const char* why = picture->empty() ? "the reader takes no empty picture" : not_kept(*picture);
        if (why) refuse(what, ansi_to_utf8(*picture), why);
    }
    if (const char* why = not_kept(reg_file)) refuse("the registry file name", reg_file, why);

    std::ostringstream out;
    if (!heading.empty()) {
        // Only a comment: a line break in it would start a line of its own.
        std::string comment(heading);
        for (char& c : comment)
            if (c == '\n' || c == '\r') c = ' ';
        out << "; " << comment << "\n";
    }

    out << "\n[windows]\n"
        << "platform_id = " << p.platform_id << "\n"
        << "major = " << p.major << "\n"
        << "minor = " << p.minor << "\n"
        << "build = " << p.build << "\n";
    if (!p.service_pack.empty()) out << "service_pack = " << ansi_to_utf8(p.service_pack) << "\n";
    out << "service_pack_major = " << p.service_pack_major << "\n"
        << "service_pack_minor = " << p.service_pack_minor << "\n";
    if (p.product_type) out << "product_type = " << static_cast<unsigned>(*p.product_type) << "\n";
    out << "extended_record = " << (p.answers_extended_record() ? "yes" : "no") << "\n";

    out << "\n[screen]\n"
        << "width = " << p.width << "\n"
        << "height = " << p.height << "\n"
        << "twips_per_pixel = " << p.twips_per_pixel << "\n"
        << "bits_per_pixel = " << p.bits_per_pixel << "\n"
        << "planes = " << p.planes << "\n"
        << "hdc = 0x" << std::hex << std::uppercase << p.device_context << std::dec << "\n";

    out << "\n[memory]\n";
    if (p.total_physical) out << "total_physical = " << *p.total_physical << "\n";

    out << "\n[disk]\n";
    for (const auto& [letter, free] : p.free_bytes) {
        const char key = static_cast<char>(letter - 'A' + 'a');
        out << key << "_free = " << free << "\n";
        if (const auto total = p.total_bytes.find(letter); total != p.total_bytes.end())
            out << key << "_total = " << total->second << "\n";
    }

    out << "\n[objects]\n";
    if (!creatable.empty()) out << "creatable = " << creatable << "\n";

    out << "\n[locale]\n"
        << "decimal_separator = " << ansi_to_utf8(std::string(1, p.decimal_separator)) << "\n"
        << "thousands_separator = " << ansi_to_utf8(thousands) << "\n"
        << "currency_symbol = " << ansi_to_utf8(p.currency_symbol) << "\n"
        << "short_date = " << ansi_to_utf8(p.short_date) << "\n"
        << "time_format = " << ansi_to_utf8(p.time_format) << "\n";

    out << "\n[registry]\n";
    if (!reg_file.empty()) out << "file = " << reg_file << "\n";
    if (!denied.empty()) out << "denied = " << denied << "\n";

    out << "\n[shell]\n";
    if (!programs.empty()) out << "programs = " << programs << "\n";
    return out.str();
}

} // namespace prestova
