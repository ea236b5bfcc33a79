#include "stream_format.hpp"

#include <charconv>

namespace prestova::component {

namespace {

template <class T>
std::string number_text(T value)
{
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc{} ? std::string(buffer, end) : std::string("0");
}

template <class T>
std::optional<T> parse(std::string_view text)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

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
        if (text[i] != '\\') { out += text[i]; continue; }
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

std::string encode(const Variant& v)
{
    switch (v.type()) {
    case Variant::Type::Empty: return "E:";
    case Variant::Type::Integer: return "I:" + number_text(v.as_integer());
    case Variant::Type::Long: return "L:" + number_text(v.as_long());
    case Variant::Type::Single: return "S:" + number_text(v.as_single());
    case Variant::Type::Double: return "D:" + number_text(v.as_double());
    case Variant::Type::Boolean: return v.as_boolean() ? "B:1" : "B:0";
    case Variant::Type::Text: return "T:" + escape(v.text());
    }
    return "E:";
}

std::optional<Variant> decode(std::string_view field)
{
    if (field.size() < 2 || field[1] != ':') return std::nullopt;
    const std::string_view body = field.substr(2);
    switch (field[0]) {
    case 'E': return body.empty() ? std::optional<Variant>(Variant()) : std::nullopt;
    case 'I': if (auto n = parse<std::int16_t>(body)) return Variant::integer(*n); return std::nullopt;
    case 'L': if (auto n = parse<std::int32_t>(body)) return Variant::long_integer(*n); return std::nullopt;
    case 'S': if (auto n = parse<float>(body)) return Variant::single(*n); return std::nullopt;
    case 'D': if (auto n = parse<double>(body)) return Variant::real(*n); return std::nullopt;
    case 'B':
        if (body == "0" || body == "1") return Variant::boolean(body == "1");
        return std::nullopt;
    case 'T': if (auto t = unescape(body)) return Variant(*t); return std::nullopt;
    default: return std::nullopt;
    }
}

} // namespace

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

} // namespace prestova::component
