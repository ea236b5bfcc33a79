#include "platform/simulated/reg_file.hpp"

#include "core/ansi.hpp"

#include <algorithm>

namespace prestova {

namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";

bool is_hex_digit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::uint32_t hex_number(std::string_view digits)
{
    std::uint32_t v = 0;
    for (char c : digits) v = v * 16 + static_cast<std::uint32_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    return v;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

struct Line {
    int number;
    std::string text;
};

class RegFileParser {
public:
    explicit RegFileParser(std::string_view file) : file_(file) {}

    RegistryTree parse(std::string_view bytes)
    {
        bool have_header = false;
        for (const auto& line : logical_lines(decode(bytes))) {
            line_ = line.number;
            const std::string& t = line.text;
            if (t.empty() || t[0] == ';') continue;
            if (!have_header) {
                if (t == kHeader4) unicode_ = false;
                else if (t == kHeader5) unicode_ = true;
                else fail("the first line must be \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\", not \"" + t + "\"");
                have_header = true;
            } else if (t[0] == '[') {
                key_line(t);
            } else {
                value_line(t);
            }
        }
        line_ = 0;
        if (!have_header) fail("no \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\" line: not a registry file");
        return std::move(tree_);
    }

private:
    [[noreturn]] void fail(const std::string& message) const { throw ProfileError(file_, line_, message); }

    // The file's text in the ANSI code page, whatever encoding it came in.
    std::string decode(std::string_view bytes) const
    {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
        if (bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF)
            fail("big-endian UTF-16 is not read; save the file as regedit exports it (UTF-16LE)");
        if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) {
            if (bytes.size() % 2) fail("UTF-16 file with an odd number of bytes");
            std::string out;
            out.reserve(bytes.size() / 2);
            for (std::size_t i = 2; i < bytes.size(); i += 2) {
                const auto unit = static_cast<char16_t>(byte(i) | byte(i + 1) << 8);
                const bool high = unit >= 0xD800 && unit < 0xDC00;
                const bool low = unit >= 0xDC00 && unit < 0xE000;
                if (low && i > 2 && byte(i - 1) >= 0xD8 && byte(i - 1) < 0xDC) continue;  // second half of a pair
                out += high || low ? '?' : utf16_to_ansi(unit);
            }
            return out;
        }
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return utf8_to_ansi(bytes.substr(3));
        if (bytes.find('\0') != std::string_view::npos)
            fail("the file holds NUL bytes: UTF-16 needs its byte-order mark (FF FE)");
        return std::string(bytes);
    }

    // Physical lines, joined where a line ends in a backslash (regedit wraps
    // long hex lists that way); the continuation's leading blanks go.
    static std::vector<Line> logical_lines(const std::string& text)
    {
        std::vector<Line> lines;
        bool continuing = false;
        int number = 0;
        for (std::size_t pos = 0; pos <= text.size();) {
            const std::size_t end = std::min(text.find('\n', pos), text.size());
            const std::string_view line = trim(std::string_view(text).substr(pos, end - pos));
            ++number;
            if (continuing) lines.back().text += line;
            else lines.push_back({number, std::string(line)});
            const std::string& joined = lines.back().text;
            continuing = !joined.empty() && joined.back() == '\\' && joined.front() != '[' && joined.front() != ';';
            if (continuing) lines.back().text.pop_back();
            pos = end + 1;
        }
        return lines;
    }

    void key_line(std::string_view t)
    {
        if (t.back() != ']') fail("a key line must end with ']'");
        std::string_view inner = t.substr(1, t.size() - 2);
        const bool remove = !inner.empty() && inner[0] == '-';
        if (remove) inner.remove_prefix(1);
        const auto name = parse_key_name(inner);
        if (!name) fail("unknown hive in [" + std::string(inner) + "]");
        if (!remove) {
            key_ = &tree_.make(*name);
            return;
        }
        if (name->parts.empty()) fail("a whole hive cannot be deleted: [-" + std::string(inner) + "]");
        tree_.remove(*name);
        key_ = nullptr;
        after_deletion_ = true;
    }

    void value_line(std::string_view t)
    {
        std::size_t i = 0;
        std::string name;
        if (t[0] == '@') i = 1;
        else if (t[0] == '"') name = quoted(t, i);
        else fail("expected [KEY], @=VALUE or \"NAME\"=VALUE, not \"" + std::string(t) + "\"");
        const std::string_view rest = trim(t.substr(i));
        if (rest.empty() || rest[0] != '=') fail("expected '=' after the value name");
        if (!key_) fail(after_deletion_ ? "a value under a deleted key" : "a value before any [KEY] line");
        const std::string_view data = trim(rest.substr(1));
        if (data == "-") {
            key_->remove_value(name);
            return;
        }
        RegValue value{name, reg::Sz, {}};
        if (!data.empty() && data[0] == '"') {
            std::size_t j = 0;
            const std::string text = quoted(data, j);
            if (j != data.size()) fail("unexpected text after the closing quote");
            value.data.assign(text.begin(), text.end());
            value.data.push_back(0);
        } else if (data.substr(0, 6) == "dword:") {
            const std::string_view digits = data.substr(6);
            if (digits.empty() || digits.size() > 8 || !std::all_of(digits.begin(), digits.end(), is_hex_digit))
                fail("dword: needs one to eight hexadecimal digits, not \"" + std::string(digits) + "\"");
            const std::uint32_t v = hex_number(digits);
            for (int b = 0; b < 4; ++b) value.data.push_back(static_cast<std::uint8_t>(v >> (8 * b)));
            value.type = reg::Dword;
        } else if (data.substr(0, 3) == "hex") {
            hex_value(data.substr(3), value);
        } else {
            fail("unknown value data \"" + std::string(data) + "\" (expected \"text\", dword:, hex: or -)");
        }
        key_->set_value(std::move(value));
    }

    // After "hex": an optional "(TYPE)", a colon, then bytes as two hex digits
    // separated by commas.
    void hex_value(std::string_view data, RegValue& value) const
    {
        value.type = reg::Binary;
        if (!data.empty() && data[0] == '(') {
            const auto close = data.find(')');
            const std::string_view type = data.substr(1, close == std::string_view::npos ? 0 : close - 1);
            if (close == std::string_view::npos || type.empty() || type.size() > 8 ||
                !std::all_of(type.begin(), type.end(), is_hex_digit))
                fail("bad value type in hex(...): \"" + std::string(data) + "\"");
            value.type = hex_number(type);
            data.remove_prefix(close + 1);
        }
        if (data.empty() || data[0] != ':') fail("expected ':' after hex");
        data.remove_prefix(1);
        std::vector<std::uint8_t> bytes;
        for (std::string_view rest = trim(data); !rest.empty();) {
            const std::size_t comma = rest.find(',');
            const std::string_view item = trim(rest.substr(0, comma));
            if (item.size() != 2 || !is_hex_digit(item[0]) || !is_hex_digit(item[1]))
                fail(item.empty() ? "truncated hex list" : "bad hex byte \"" + std::string(item) + "\"");
            bytes.push_back(static_cast<std::uint8_t>(hex_number(item)));
            if (comma == std::string_view::npos) break;
            rest = rest.substr(comma + 1);
            if (trim(rest).empty()) fail("truncated hex list: it ends with a comma");
        }
        const bool text_type = value.type == reg::Sz || value.type == reg::ExpandSz || value.type == reg::MultiSz;
        if (unicode_ && text_type) {
            // A 5.00 export writes text types as UTF-16LE; the ANSI calls see them converted.
            if (bytes.size() % 2) fail("hex(" + std::to_string(value.type) + ") text with an odd number of bytes");
            std::vector<std::uint8_t> ansi;
            for (std::size_t b = 0; b < bytes.size(); b += 2)
                ansi.push_back(static_cast<std::uint8_t>(utf16_to_ansi(static_cast<char16_t>(bytes[b] | bytes[b + 1] << 8))));
            bytes = std::move(ansi);
        }
        value.data = std::move(bytes);
    }

    // The quoted text starting at t[i] == '"', with \\ and \" escapes; i ends
    // just after the closing quote.
    std::string quoted(std::string_view t, std::size_t& i) const
    {
        std::string out;
        for (++i; i < t.size(); ++i) {
            if (t[i] == '"') {
                ++i;
                return out;
            }
            if (t[i] == '\\') {
                if (i + 1 >= t.size() || (t[i + 1] != '\\' && t[i + 1] != '"'))
                    fail("a backslash in quotes must be written \\\\ (or \\\" for a quote)");
                ++i;
            }
            out += t[i];
        }
        fail("missing closing quote");
    }

    std::string file_;
    int line_ = 0;
    bool unicode_ = false;
    bool after_deletion_ = false;
    RegistryTree tree_;
    RegKey* key_ = nullptr;
};

} // namespace

RegistryTree parse_reg_text(std::string_view bytes, std::string_view file_name)
{
    return RegFileParser(file_name).parse(bytes);
}

} // namespace prestova
