#pragma once
// A strict little JSON reader for checking the panel's JSON: objects keep
// their key order, numbers stay as written, and any syntax fault throws.
#include <algorithm>
#include <cstdint>
#include <regex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace prestova::testing {

struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object } type = Type::Null;
    bool boolean = false;
    std::string text;  // a string's decoded UTF-8, or a number as written
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;

    JsonValue();

    const JsonValue& operator[](std::string_view key) const
    {
        for (const auto& [k, v] : members)
            if (k == key) return v;
        throw std::out_of_range("no member " + std::string(key));
    }
    std::vector<std::string> keys() const
    {
        std::vector<std::string> out;
        for (const auto& m : members) out.push_back(m.first);
        return out;
    }
};

// Defaulted out here: with an implicit one, clang 14 needs
// std::pair<std::string, JsonValue> complete while still completing it.
inline JsonValue::JsonValue() = default;

class JsonReader {
public:
    static JsonValue parse(std::string_view text)
    {
        JsonReader reader(text);
        JsonValue value = reader.value();
        reader.check(reader.at_ == text.size(), "text after the value");
        return value;
    }

private:
    explicit JsonReader(std::string_view text) : text_(text) {}

    void check(bool ok, const std::string& why) const
    {
        if (!ok) throw std::runtime_error("JSON: " + why + " at offset " + std::to_string(at_));
    }
    void blanks() { at_ = std::min(text_.find_first_not_of(" \t\r\n", at_), text_.size()); }
    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    // Skips c (and the blanks after it) when it comes next.
    bool take(char c)
    {
        if (peek() != c) return false;
        ++at_;
        blanks();
        return true;
    }
    void expect(char c) { check(take(c), std::string("expected '") + c + "'"); }

    JsonValue value()
    {
        blanks();
        JsonValue v;
        if (take('{')) {
            v.type = JsonValue::Type::Object;
            if (!take('}')) {
                do {
                    std::string key = string();
                    expect(':');
                    v.members.emplace_back(std::move(key), value());
                } while (take(','));
                expect('}');
            }
        } else if (take('[')) {
            v.type = JsonValue::Type::Array;
            if (!take(']')) {
                do v.items.push_back(value());
                while (take(','));
                expect(']');
            }
        } else if (peek() == '"') {
            v.type = JsonValue::Type::String;
            v.text = string();
        } else {
            static const std::regex kToken(R"(true|false|null|-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?)");
            std::match_results<std::string_view::const_iterator> m;
            check(std::regex_search(text_.begin() + static_cast<std::ptrdiff_t>(at_), text_.end(), m, kToken,
                                    std::regex_constants::match_continuous),
                  "bad value");
            v.text = m.str();
            v.type = v.text == "null"                        ? JsonValue::Type::Null
                     : v.text == "true" || v.text == "false" ? JsonValue::Type::Bool
                                                             : JsonValue::Type::Number;
            v.boolean = v.text == "true";
            at_ += v.text.size();
            blanks();
        }
        return v;
    }

    std::string string()
    {
        check(peek() == '"', "expected a string");
        ++at_;
        std::string out;
        for (;;) {
            check(at_ < text_.size(), "unterminated string");
            const char c = text_[at_++];
            if (c == '"') break;
            check(static_cast<unsigned char>(c) >= 0x20, "raw control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = peek();
            ++at_;
            if (e != 'u') {
                const auto at = std::string_view("\"\\/bfnrt").find(e);
                check(e != '\0' && at != std::string_view::npos, "bad escape");
                out += "\"\\/\b\f\n\r\t"[at];
                continue;
            }
            const std::string hex(text_.substr(at_, 4));
            check(hex.size() == 4 && hex.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos,
                  "bad \\u escape");
            const auto cp = static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
            at_ += 4;
            // UTF-8; the panel never needs surrogate pairs.
            if (cp < 0x80) {
                out += static_cast<char>(cp);
            } else if (cp < 0x800) {
                out += static_cast<char>(0xC0 | cp >> 6);
                out += static_cast<char>(0x80 | (cp & 0x3F));
            } else {
                out += static_cast<char>(0xE0 | cp >> 12);
                out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
                out += static_cast<char>(0x80 | (cp & 0x3F));
            }
        }
        blanks();
        return out;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace prestova::testing
