#pragma once
// A strict little JSON reader for checking the panel's JSON: objects keep
// their key order, numbers stay as written, and any syntax fault throws.
#include <cctype>
#include <cstdint>
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

class JsonReader {
public:
    static JsonValue parse(std::string_view text)
    {
        JsonReader reader(text);
        JsonValue value = reader.value();
        reader.blanks();
        if (reader.at_ != text.size()) reader.fail("text after the value");
        return value;
    }

private:
    explicit JsonReader(std::string_view text) : text_(text) {}

    [[noreturn]] void fail(const std::string& why) const
    {
        throw std::runtime_error("JSON: " + why + " at offset " + std::to_string(at_));
    }
    void blanks()
    {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t'))
            ++at_;
    }
    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    void expect(char c)
    {
        if (peek() != c) fail(std::string("expected '") + c + "'");
        ++at_;
    }
    void word(std::string_view w)
    {
        if (text_.substr(at_, w.size()) != w) fail("bad literal");
        at_ += w.size();
    }

    JsonValue value()
    {
        blanks();
        JsonValue v;
        const char c = peek();
        if (c == '{') object(v);
        else if (c == '[') array(v);
        else if (c == '"') { v.type = JsonValue::Type::String; v.text = string(); }
        else if (c == 't') { word("true"); v.type = JsonValue::Type::Bool; v.boolean = true; }
        else if (c == 'f') { word("false"); v.type = JsonValue::Type::Bool; }
        else if (c == 'n') word("null");
        else number(v);
        return v;
    }

    void object(JsonValue& v)
    {
        v.type = JsonValue::Type::Object;
        expect('{');
        blanks();
        if (peek() == '}') { ++at_; return; }
        for (;;) {
            blanks();
            std::string key = string();
            blanks();
            expect(':');
            v.members.emplace_back(std::move(key), value());
            blanks();
            if (peek() == ',') { ++at_; continue; }
            expect('}');
            return;
        }
    }

    void array(JsonValue& v)
    {
        v.type = JsonValue::Type::Array;
        expect('[');
        blanks();
        if (peek() == ']') { ++at_; return; }
        for (;;) {
            v.items.push_back(value());
            blanks();
            if (peek() == ',') { ++at_; continue; }
            expect(']');
            return;
        }
    }

    void number(JsonValue& v)
    {
        const std::size_t begin = at_;
        if (peek() == '-') ++at_;
        if (peek() == '0') ++at_;
        else if (peek() >= '1' && peek() <= '9') while (peek() >= '0' && peek() <= '9') ++at_;
        else fail("bad value");
        if (peek() == '.') {
            ++at_;
            if (!(peek() >= '0' && peek() <= '9')) fail("bad fraction");
            while (peek() >= '0' && peek() <= '9') ++at_;
        }
        if (peek() == 'e' || peek() == 'E') {
            ++at_;
            if (peek() == '+' || peek() == '-') ++at_;
            if (!(peek() >= '0' && peek() <= '9')) fail("bad exponent");
            while (peek() >= '0' && peek() <= '9') ++at_;
        }
        v.type = JsonValue::Type::Number;
        v.text = std::string(text_.substr(begin, at_ - begin));
    }

    static void append_utf8(std::string& out, std::uint32_t cp)
    {
        if (cp < 0x80) out += static_cast<char>(cp);
        else if (cp < 0x800) { out += static_cast<char>(0xC0 | (cp >> 6)); out += static_cast<char>(0x80 | (cp & 0x3F)); }
        else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    std::string string()
    {
        expect('"');
        std::string out;
        for (;;) {
            if (at_ >= text_.size()) fail("unterminated string");
            const char c = text_[at_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) fail("raw control character in a string");
            if (c != '\\') { out += c; continue; }
            const char e = peek();
            ++at_;
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                if (at_ + 4 > text_.size()) fail("short \\u escape");
                for (char h : text_.substr(at_, 4))
                    if (!std::isxdigit(static_cast<unsigned char>(h))) fail("bad \\u escape");
                const std::uint32_t cp = static_cast<std::uint32_t>(std::stoul(std::string(text_.substr(at_, 4)), nullptr, 16));
                at_ += 4;
                append_utf8(out, cp);  // the panel never needs surrogate pairs
                break;
            }
            default: fail("bad escape");
            }
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace prestova::testing
