#include "platform/simulated/facts_format.hpp"

#include <cctype>
#include <charconv>

namespace prestova {

namespace {

using P = MachineProfile;
constexpr std::uint64_t u16 = 0xFFFF, u32 = 0xFFFFFFFF, i32 = 0x7FFFFFFF, u64 = UINT64_MAX;
using enum FactKind;
using enum Written;

constexpr FactKey kFactKeys[] = {
    // section   key                    member                  kind              min max  length written   refused as
    {"windows", "platform_id", &P::platform_id, Number, 0, u32},
    {"windows", "major", &P::major, Number, 0, u32},
    {"windows", "minor", &P::minor, Number, 0, u32},
    {"windows", "build", &P::build, Number, 0, u32},
    {"windows", "service_pack", &P::service_pack, RecordText, 0, 0, 127, WhenSet, "service_pack"},
    // Left out, these come from "Service Pack N[.M]" in the text (the reader's finish()).
    {"windows", "service_pack_major", &P::service_pack_major, Number, 0, u16},
    {"windows", "service_pack_minor", &P::service_pack_minor, Number, 0, u16},
    {"windows", "product_type", &P::product_type, Number, 0, 255, 0, WhenSet},
    {"windows", "extended_record", &P::extended_record, YesNo, 0, 0, 0, AsAnswered},
    {"screen", "width", &P::width, Number, 1, 100000},
    {"screen", "height", &P::height, Number, 1, 100000},
    {"screen", "twips_per_pixel", &P::twips_per_pixel, Number, 1, 1440},
    {"screen", "bits_per_pixel", &P::bits_per_pixel, Number, 0, i32},
    {"screen", "planes", &P::planes, Number, 0, i32},
    {"screen", "hdc", &P::device_context, Number, 1, i32, 0, Hex},
    {"memory", "total_physical", &P::total_physical, Number, 0, u64, 0, WhenSet},
    {"disk", "LETTER_free", &P::free_bytes, DriveBytes, 0, u64},
    {"disk", "LETTER_total", &P::total_bytes, DriveBytes, 0, u64},
    {"objects", "creatable", &P::creatable, List, 0, 0, 0, WhenSet, "an [objects] creatable item"},
    {"locale", "decimal_separator", &P::decimal_separator, Character, 0, 0, 0, Always, "the decimal separator"},
    {"locale", "thousands_separator", &P::thousands_separator, CharacterOrNone, 0, 0, 0, Always,
     "the thousands separator"},
    {"locale", "currency_symbol", &P::currency_symbol, Text, 0, 0, 0, Always, "the currency symbol"},
    {"locale", "short_date", &P::short_date, Picture, 0, 0, 0, Always, "the short date format"},
    {"locale", "time_format", &P::time_format, Picture, 0, 0, 0, Always, "the time format"},
    {"registry", "file", {}, RegistryFile, 0, 0, 0, WhenSet, "the registry file name"},
    {"registry", "denied", &P::denied_keys, DeniedKeys, 0, 0, 0, WhenSet, "a [registry] denied key"},
    {"shell", "programs", &P::programs, List, 0, 0, 0, WhenSet, "a [shell] programs item"},
};

template <typename T>
void put(T& field, std::uint64_t value)
{
    field = static_cast<T>(value);
}
template <typename T>
void put(std::optional<T>& field, std::uint64_t value)
{
    field = static_cast<T>(value);
}

template <typename T>
std::optional<std::string> shown(const T& value, bool hex)
{
    if (!hex) return std::to_string(+value);
    // The bits, as a stream shows a signed handle in hexadecimal.
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::make_unsigned_t<T>>(value), 16).ptr;
    std::string text = "0x";
    for (const char* c = digits; c != end; ++c) text += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    return text;
}
template <typename T>
std::optional<std::string> shown(const std::optional<T>& value, bool hex)
{
    if (!value) return std::nullopt;
    return shown(*value, hex);
}

}  // namespace

std::span<const FactKey> facts_keys() { return kFactKeys; }

void set_number(MachineProfile& p, const FactKey& key, std::uint64_t value)
{
    std::visit([&](auto member) { put(p.*member, value); }, std::get<NumberMember>(key.member));
}

std::optional<std::string> number_text(const MachineProfile& p, const FactKey& key)
{
    return std::visit([&](auto member) { return shown(p.*member, key.written == Written::Hex); },
                      std::get<NumberMember>(key.member));
}

}  // namespace prestova
