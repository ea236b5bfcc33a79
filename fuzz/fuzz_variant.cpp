// The property value's conversions, formats and comparisons on a few typed
// values of any of the thirteen types. Input: the locale's decimal
// separator, then up to four values, each a type byte and its bytes (text: a
// length byte, then the text). A
// ScriptError is the host's answer; anything else is a fault, and so is a
// broken promise of the functions (a comparison outside -1..1, a whole
// number whose text does not read back, a written number that reads
// otherwise once the locale groups thousands and has a currency symbol).
#include "core/script_error.hpp"
#include "core/variant.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using namespace prestova;

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;

    bool take(void* out, std::size_t n)
    {
        if (size < n) return false;
        std::memcpy(out, data, n);
        data += n, size -= n;
        return true;
    }
};

[[noreturn]] void broken(const char* what)
{
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

void expect_sign(int r, const char* what)
{
    if (r < -1 || r > 1) broken(what);
}

// Runs f; a ScriptError is an answer, not a fault.
template <typename F>
void attempt(F&& f)
{
    try {
        f();
    } catch (const ScriptError&) {}
}

// The same locale as a user's in the United States would have it.
Locale with_grouping(const Locale& locale)
{
    Locale grouped = locale;
    grouped.thousands_separator = ',';
    grouped.currency_symbol = "$";
    return grouped;
}

// Types whose text is their exact value, read back as their number.
bool text_reads_back(Variant::Type t)
{
    using T = Variant::Type;
    return t == T::Integer || t == T::Long || t == T::Byte || t == T::Currency || t == T::Decimal;
}

void numbers(double d, const Locale& locale, bool ordinary_separator)
{
    (void)round_half_even(d);
    attempt([&] { (void)to_int16(d); });
    attempt([&] { (void)to_int32(d); });
    const std::string general = general_form(d, locale);
    const std::string fixed = format_0_00(d, locale);
    if (ordinary_separator && std::isfinite(d)) {
        // What the control writes, a page's script reads back as a number.
        attempt([&] { (void)parse_number(general, locale); });
        double plain = 0;
        try {
            plain = parse_number(fixed, locale);
        } catch (const ScriptError&) {
            broken("format_0_00 of a finite number does not read as a number");
        }
        // Grouping and a currency symbol change nothing the control writes.
        const Locale grouped = with_grouping(locale);
        try {
            if (parse_number(fixed, grouped) != plain) broken("format_0_00 reads otherwise with grouping");
        } catch (const ScriptError&) {
            broken("format_0_00 reads only without grouping");
        }
        attempt([&] {
            const double value = parse_number(general, locale);
            try {
                if (parse_number(general, grouped) != value) broken("general_form reads otherwise with grouping");
            } catch (const ScriptError&) {
                broken("general_form reads only without grouping");
            }
        });
    }
}

void one(const Variant& v, const Locale& locale, bool ordinary_separator)
{
    (void)Variant::type_name(v.type());
    attempt([&] { numbers(v.to_double(locale), locale, ordinary_separator); });
    attempt([&] { (void)general_form(v.to_single(locale), locale); });
    attempt([&] { (void)v.to_integer(locale); });
    attempt([&] { (void)v.to_long(locale); });
    attempt([&] { (void)v.to_byte(locale); });
    attempt([&] {
        const std::string joined = v.joined_text(locale);
        if (v.is_null() && !joined.empty()) broken("Null adds text to a caption");
    });
    attempt([&] {
        const std::string text = v.to_text(locale);
        attempt([&] { (void)parse_number(text, locale); });
        if (ordinary_separator && text_reads_back(v.type())) {
            const double back = parse_number(text, locale);
            if (back != v.to_double(locale)) broken("an exact value's text reads back as another number");
        }
        if (compare_text(text, text) != 0) broken("a text differs from itself");
    });
    if (v.is_text()) {
        attempt([&] { (void)parse_number(v.text(), locale); });
        attempt([&] { (void)parse_number(v.text(), with_grouping(locale)); });
    }
    if (v.type() == Variant::Type::Single) attempt([&] { (void)general_form(v.as_single(), locale); });
    if (v.type() == Variant::Type::Double) numbers(v.as_double(), locale, ordinary_separator);
}

void pair(const Variant& a, const Variant& b, const Locale& locale)
{
    if ((a == b) != (b == a)) broken("equality is not symmetric");
    attempt([&] {
        const double n = b.to_double(locale);
        attempt([&] {
            const Comparison c = compare_number(a, n, locale);
            expect_sign(c.order(), "compare_number");
            if (c.is_null() != a.is_null()) broken("only Null gives a Null comparison");
        });
    });
    attempt([&] {
        const std::string x = a.to_text(locale);
        const std::string y = b.to_text(locale);
        const int r = compare_text(x, y);
        expect_sign(r, "compare_text");
        if (compare_text(a, y, locale).order() != r) broken("a value compares with a text as its own text");
        if (compare_text(y, x) != -r) broken("compare_text is not antisymmetric");
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in{data, size};
    Locale locale;
    if (!in.take(&locale.decimal_separator, 1)) return 0;
    const bool ordinary_separator = locale.decimal_separator == '.' || locale.decimal_separator == ',';

    std::vector<Variant> values;
    std::uint8_t tag = 0;
    while (values.size() < 4 && in.take(&tag, 1)) {
        switch (tag % 13) {
        case 0: values.emplace_back(); break;
        case 1: {
            std::int16_t v = 0;
            if (!in.take(&v, sizeof v)) break;
            values.push_back(Variant::integer(v));
            break;
        }
        case 2: {
            std::int32_t v = 0;
            if (!in.take(&v, sizeof v)) break;
            values.push_back(Variant::long_integer(v));
            break;
        }
        case 3: {
            float v = 0;
            if (!in.take(&v, sizeof v)) break;
            values.push_back(Variant::single(v));
            break;
        }
        case 4: {
            double v = 0;
            if (!in.take(&v, sizeof v)) break;
            values.push_back(Variant::real(v));
            break;
        }
        case 5: {
            std::uint8_t v = 0;
            if (!in.take(&v, 1)) break;
            values.push_back(Variant::boolean(v & 1));
            break;
        }
        case 7: values.push_back(Variant::null()); break;
        case 8: {
            std::int64_t v = 0;
            if (!in.take(&v, sizeof v)) break;
            values.push_back(Variant::currency(Currency{v}));
            break;
        }
        case 9: {
            double v = 0;
            if (!in.take(&v, sizeof v)) break;
            values.push_back(Variant::date(v));
            break;
        }
        case 10: {
            std::int32_t v = 0;
            if (!in.take(&v, sizeof v)) break;
            values.push_back(Variant::error(v));
            break;
        }
        case 11: {
            Decimal d;
            std::uint8_t scale = 0, negative = 0;
            if (!in.take(&d.high, sizeof d.high) || !in.take(&d.low, sizeof d.low) || !in.take(&scale, 1) ||
                !in.take(&negative, 1))
                break;
            d.scale = static_cast<std::uint8_t>(scale % (kMaxDecimalScale + 1));
            d.negative = negative & 1;
            values.push_back(Variant::decimal(d));
            break;
        }
        case 12: {
            std::uint8_t v = 0;
            if (!in.take(&v, 1)) break;
            values.push_back(Variant::byte(v));
            break;
        }
        default: {
            std::uint8_t n = 0;
            if (!in.take(&n, 1)) break;
            const std::size_t len = n < in.size ? n : in.size;
            values.push_back(Variant(std::string(reinterpret_cast<const char*>(in.data), len)));
            in.data += len, in.size -= len;
            break;
        }
        }
    }
    for (const auto& v : values) one(v, locale, ordinary_separator);
    for (const auto& a : values)
        for (const auto& b : values) pair(a, b, locale);
    return 0;
}
