#include "probes/version_text.hpp"

#include "core/input_quote.hpp"
#include "core/script_error.hpp"

#include <optional>

namespace prestova {

namespace {

// The parts of a version text between full stops or underscores, one at a
// time: versions are compared on every run, and a list of the parts is
// more than the comparison needs.
class Components {
public:
    explicit Components(std::string_view text) : rest_(text) {}

    // The next part, or nullopt once the text is used up ("6." has two parts,
    // the second empty).
    std::optional<std::string_view> next()
    {
        if (done_) return std::nullopt;
        const std::size_t end = rest_.find_first_of("._");
        if (end == std::string_view::npos) {
            done_ = true;
            return rest_;
        }
        const std::string_view part = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        return part;
    }

private:
    std::string_view rest_;
    bool done_ = false;
};

// Two digit strings as numbers, whatever their length.
int compare_digits(std::string_view a, std::string_view b)
{
    while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
    while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

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
                throw ScriptError(ErrorCode::InvalidArgument, "Invalid procedure call or argument: " +
                                                                  quote_ansi_input(text) + " starts with \"(\"");
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
    Components parts(text);
    while (const auto part = parts.next()) {
        if (part->empty()) return false;
        for (char c : *part)
            if (c < '0' || c > '9') return false;
    }
    return true;
}

int compare_versions(std::string_view a, std::string_view b)
{
    if (!is_version_text(a) || !is_version_text(b)) return compare_text(a, b);
    Components pa(a), pb(b);
    for (;;) {
        const auto x = pa.next();
        const auto y = pb.next();
        if (!x && !y) return 0;
        const int c = compare_digits(x.value_or("0"), y.value_or("0"));
        if (c != 0) return c;
    }
}

Comparison compare_versions(std::string_view a, const Variant& b, const Locale& locale)
{
    if (b.is_null()) return Comparison::null();
    return Comparison::of(compare_versions(a, b.to_text(locale)));
}

}  // namespace prestova
