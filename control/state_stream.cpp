#include "control/state_stream.hpp"

#include "core/exact_number_text.hpp"

namespace prestova {

namespace {

std::string escape(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

std::optional<std::string> unescape(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::string tagged(char tag, std::string_view body) { return std::string{tag, ':'}.append(body); }

std::string encode(const Variant& v)
{
    switch (v.type()) {
    case Variant::Type::Empty: return "E:";
    case Variant::Type::Null: return "N:";
    case Variant::Type::Integer: return tagged('I', exact_number_text(v.as_integer()));
    case Variant::Type::Long: return tagged('L', exact_number_text(v.as_long()));
    case Variant::Type::Single: return tagged('S', exact_number_text(v.as_single()));
    case Variant::Type::Double: return tagged('D', exact_number_text(v.as_double()));
    case Variant::Type::Currency: return tagged('C', exact_number_text(v.as_currency().ten_thousandths));
    case Variant::Type::Date: return tagged('A', exact_number_text(v.as_date()));
    case Variant::Type::Text: return tagged('T', escape(v.text()));
    case Variant::Type::Boolean: return v.as_boolean() ? "B:1" : "B:0";
    case Variant::Type::Error: return tagged('R', exact_number_text(v.as_error()));
    case Variant::Type::Decimal: {
        const Decimal& d = v.as_decimal();
        return tagged('M', exact_number_text(d.high) + ":" + exact_number_text(d.low) + ":" +
                               exact_number_text(int{d.scale}) + ":" + (d.negative ? "1" : "0"));
    }
    case Variant::Type::Byte: return tagged('Y', exact_number_text(int{v.as_byte()}));
    }
    return "E:";
}

std::optional<Variant> decode_decimal(std::string_view body)
{
    std::string_view parts[4];
    for (int i = 0; i < 4; ++i) {
        const auto colon = body.find(':');
        if ((colon == std::string_view::npos) != (i == 3)) return std::nullopt;
        parts[i] = body.substr(0, colon);
        body = colon == std::string_view::npos ? std::string_view() : body.substr(colon + 1);
    }
    const auto high = read_exact_number<std::uint32_t>(parts[0]);
    const auto low = read_exact_number<std::uint64_t>(parts[1]);
    const auto scale = read_exact_number<std::uint8_t>(parts[2]);
    if (!high || !low || !scale || *scale > kMaxDecimalScale || (parts[3] != "0" && parts[3] != "1"))
        return std::nullopt;
    return Variant::decimal(Decimal{*high, *low, *scale, parts[3] == "1"});
}

std::optional<Variant> decode(std::string_view field)
{
    if (field.size() < 2 || field[1] != ':') return std::nullopt;
    const std::string_view body = field.substr(2);
    switch (field[0]) {
    case 'E': return body.empty() ? std::optional<Variant>(Variant()) : std::nullopt;
    case 'N': return body.empty() ? std::optional<Variant>(Variant::null()) : std::nullopt;
    case 'Y':
        if (auto n = read_exact_number<std::uint8_t>(body)) return Variant::byte(*n);
        return std::nullopt;
    case 'R':
        if (auto n = read_exact_number<std::int32_t>(body)) return Variant::error(*n);
        return std::nullopt;
    case 'C':
        if (auto n = read_exact_number<std::int64_t>(body)) return Variant::currency(Currency{*n});
        return std::nullopt;
    case 'A':
        if (auto n = read_exact_number<double>(body)) return Variant::date(*n);
        return std::nullopt;
    case 'M': return decode_decimal(body);
    case 'I':
        if (auto n = read_exact_number<std::int16_t>(body)) return Variant::integer(*n);
        return std::nullopt;
    case 'L':
        if (auto n = read_exact_number<std::int32_t>(body)) return Variant::long_integer(*n);
        return std::nullopt;
    case 'S':
        if (auto n = read_exact_number<float>(body)) return Variant::single(*n);
        return std::nullopt;
    case 'D':
        if (auto n = read_exact_number<double>(body)) return Variant::real(*n);
        return std::nullopt;
    case 'B':
        if (body == "0" || body == "1") return Variant::boolean(body == "1");
        return std::nullopt;
    case 'T':
        if (auto t = unescape(body)) return Variant(*t);
        return std::nullopt;
    default: return std::nullopt;
    }
}

}  // namespace

std::string encode_state(const MemoryPropertyBag& bag)
{
    std::string out(kStreamHeader);
    for (const auto& [key, value] : bag.entries()) out += key + "=" + encode(value) + "\n";
    return out;
}

std::optional<MemoryPropertyBag> decode_state(std::string_view text)
{
    if (!text.starts_with(kStreamHeader)) return std::nullopt;
    text.remove_prefix(kStreamHeader.size());
    MemoryPropertyBag bag;
    while (!text.empty()) {
        const auto end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0) return std::nullopt;
        auto value = decode(line.substr(equals + 1));
        if (!value) return std::nullopt;
        bag.set(line.substr(0, equals), std::move(*value));
    }
    return bag;
}

}  // namespace prestova
