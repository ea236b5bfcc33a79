#include "probes/version_text.hpp"

#include "core/input_quote.hpp"
#include "core/script_error.hpp"

#include <vector>

namespace prestova {

namespace {

std::vector<std::string_view> components(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '.' || text[i] == '_') {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// Two digit strings as numbers, whatever their length.
int compare_digits(std::string_view a, std::string_view b)
{
    while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
    while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace

Variant CutLangType(Variant& Number, const Locale& locale)
{
    if (Number.is_empty() || (Number.is_text() && Number.text().empty())) return Variant();
    Number = Variant(Number.to_text(locale));
    const std::string& text = Number.text();
    for (std::int32_t i = 1;; ++i) {
        // The scan position is a 16-bit whole number.
        if (i > 32767) throw ScriptError(ErrorCode::Overflow, "Overflow: version text longer than 32766 characters");
        if (static_cast<std::size_t>(i) > text.size()) return Number;
        if (text[static_cast<std::size_t>(i - 1)] == '(') {
            if (i == 1)
                throw ScriptError(ErrorCode::InvalidArgument,
                                  "Invalid procedure call or argument: " + quote_ansi_input(text) + " starts with \"(\"");
            Number = Variant(text.substr(0, static_cast<std::size_t>(i - 2)));
            return Number;
        }
    }
}

std::string CutDecimal(const Variant& Number, std::uint8_t ByPlace, const Locale& locale)
{
    const std::string text = Number.to_text(locale);
    const auto point = text.find('.');
    if (point == std::string::npos) return text;
    const std::size_t p = point + 1;
    if (p > 255) throw ScriptError(ErrorCode::Overflow, "Overflow: the decimal point lies beyond position 255");
    const std::size_t keep = p + ByPlace;
    if (keep > 255) throw ScriptError(ErrorCode::Overflow, "Overflow: more than 255 characters to keep");
    return text.substr(0, keep);
}

bool is_version_text(std::string_view text)
{
    if (text.empty()) return false;
    for (auto part : components(text)) {
        if (part.empty()) return false;
        for (char c : part)
            if (c < '0' || c > '9') return false;
    }
    return true;
}

int compare_versions(std::string_view a, std::string_view b)
{
    if (!is_version_text(a) || !is_version_text(b)) return compare_text(a, b);
    const auto pa = components(a), pb = components(b);
    for (std::size_t i = 0; i < std::max(pa.size(), pb.size()); ++i) {
        const int c = compare_digits(i < pa.size() ? pa[i] : "0", i < pb.size() ? pb[i] : "0");
        if (c != 0) return c;
    }
    return 0;
}

Comparison compare_versions(std::string_view a, const Variant& b, const Locale& locale)
{
    if (b.is_null()) return Comparison::null();
    return Comparison::of(compare_versions(a, b.to_text(locale)));
}

} // namespace prestova
