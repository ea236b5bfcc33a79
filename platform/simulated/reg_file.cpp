#include "platform/simulated/reg_file.hpp"

#include "core/ansi.hpp"

#include <algorithm>
#include <array>
#include <fstream>
#include <span>
#include <vector>

namespace prestova {

namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";

// Each byte's value as a hexadecimal digit, or -1.
constexpr std::array<std::int8_t, 256> kHexDigitValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int c = 0; c < 10; ++c) values['0' + c] = static_cast<std::int8_t>(c);
    for (int c = 0; c < 6; ++c) values['a' + c] = values['A' + c] = static_cast<std::int8_t>(10 + c);
    return values;
}();

int hex_digit_value(char c) { return kHexDigitValues[static_cast<unsigned char>(c)]; }

bool is_hex_digit(char c) { return hex_digit_value(c) >= 0; }

std::uint32_t hex_number(std::string_view digits)
{
    std::uint32_t v = 0;
    for (char c : digits) v = v * 16 + static_cast<std::uint32_t>(hex_digit_value(c));
    return v;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The parts of a key name below its hive: HKEY_CLASSES_ROOT's SOFTWARE and
// Classes first, then the backslash-separated names, empty ones skipped.
class KeyParts {
public:
    KeyParts(bool classes_root, std::string_view rest) : prefix_(classes_root ? 0 : 2), rest_(rest) {}
    bool next(std::string_view& part)
    {
        static constexpr std::string_view classes[] = {"SOFTWARE", "Classes"};
        if (prefix_ < 2) {
            part = classes[prefix_++];
            return true;
        }
        while (at_ < rest_.size()) {
            const std::size_t end = std::min(rest_.find('\\', at_), rest_.size());
            part = rest_.substr(at_, end - at_);
            at_ = end + 1;
            if (!part.empty()) return true;
        }
        return false;
    }

private:
    int prefix_;
    std::string_view rest_;
    std::size_t at_ = 0;
};

class RegFileParser {
public:
    explicit RegFileParser(std::string_view file) : file_(file) {}

    // Before any bytes: the whole input's size.
    void check_size(std::uint64_t size)
    {
        if (size > kMaxRegFileBytes)
            fail("the file is " + std::to_string(size) + " bytes long; registry files of at most " +
                 std::to_string(kMaxRegFileBytes) + " bytes (1 GiB) are read");
        total_ = size;
    }

    // The input in pieces of any size, in order; the first piece holds at
    // least the first three bytes (the byte-order mark), or all there is.
    void feed(std::string_view bytes)
    {
        read_ += bytes.size();
        if (read_ > kMaxRegFileBytes) check_size(read_);
        if (!started_) {
            started_ = true;
            bytes = start(bytes);
        }
        if (encoding_ == Encoding::Utf16) feed_utf16(bytes);
        else feed_bytes(bytes);
    }

    RegistryTree finish()
    {
        if (have_odd_byte_) fail("UTF-16 file with an odd number of bytes");
        physical_line(pending_);  // what follows the last line break, even nothing
        if (continuing_) {
            continuing_ = false;
            logical_line(logical_number_, logical_);
        }
        line_ = 0;
        if (!have_header_) fail("no \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\" line: not a registry file");
        return std::move(tree_);
    }

private:
    enum class Encoding { Plain, Utf8, Utf16 };

    [[noreturn]] void fail(const std::string& message) const { throw ProfileError(file_, line_, message); }

    // Settles the encoding from the byte-order mark; the bytes after it.
    std::string_view start(std::string_view bytes)
    {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
        if (bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF)
            fail("big-endian UTF-16 is not read; save the file as regedit exports it (UTF-16LE)");
        if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) {
            if (total_ % 2) fail("UTF-16 file with an odd number of bytes");
            encoding_ = Encoding::Utf16;
            return bytes.substr(2);
        }
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
            encoding_ = Encoding::Utf8;
            return bytes.substr(3);
        }
        return bytes;
    }

    // Plain and UTF-8 text: lines end at '\n' bytes, which no UTF-8
    // sequence holds, so each line is converted by itself.
    void feed_bytes(std::string_view bytes)
    {
        if (encoding_ == Encoding::Plain && bytes.find('\0') != std::string_view::npos) {
            line_ = 0;
            fail("the file holds NUL bytes: UTF-16 needs its byte-order mark (FF FE)");
        }
        split_lines(bytes);
    }

    // Text in the code page, cut into physical lines; a line still open at
    // the end of the piece waits in pending_ for the next one.
    void split_lines(std::string_view bytes)
    {
        for (std::size_t pos = 0;;) {
            const std::size_t end = bytes.find('\n', pos);
            if (end == std::string_view::npos) {
                pending_.append(bytes.substr(pos));
                return;
            }
            if (pending_.empty()) {
                physical_line(bytes.substr(pos, end - pos));
            } else {
                pending_.append(bytes.substr(pos, end - pos));
                physical_line(pending_);
                pending_.clear();
            }
            pos = end + 1;
        }
    }

    // UTF-16LE: each unit to the code page; a surrogate pair is one '?'.
    // Only unit 000A becomes a '\n', so the converted piece splits into the
    // same lines as the units would.
    void feed_utf16(std::string_view bytes)
    {
        // One character at most for each unit, and one for a unit completed by the odd byte.
        utf16_piece_.resize(bytes.size() / 2 + 1);
        char* const out = utf16_piece_.data();
        std::size_t n = 0;
        std::size_t i = 0;
        if (have_odd_byte_ && !bytes.empty()) {
            n += code_page_char(static_cast<char16_t>(odd_byte_ | static_cast<unsigned char>(bytes[0]) << 8), out + n);
            have_odd_byte_ = false;
            i = 1;
        }
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
        const auto ascii_four = [&](std::size_t at) {
            return at + 7 < bytes.size() && (byte(at + 1) | byte(at + 3) | byte(at + 5) | byte(at + 7)) == 0 &&
                   ((byte(at) | byte(at + 2) | byte(at + 4) | byte(at + 6)) & 0x80) == 0;
        };
        while (i + 1 < bytes.size()) {
            if (ascii_four(i)) {  // four ASCII units at a time, the bulk of any export
                out[n] = bytes[i];
                out[n + 1] = bytes[i + 2];
                out[n + 2] = bytes[i + 4];
                out[n + 3] = bytes[i + 6];
                n += 4;
                i += 8;
                after_high_ = false;
                continue;
            }
            const auto u = static_cast<char16_t>(byte(i) | byte(i + 1) << 8);
            if (u < 0x80) {
                after_high_ = false;
                out[n++] = static_cast<char>(u);
            } else {
                n += code_page_char(u, out + n);
            }
            i += 2;
        }
        if (i < bytes.size()) {
            have_odd_byte_ = true;
            odd_byte_ = static_cast<unsigned char>(bytes[i]);
        }
        split_lines(std::string_view(out, n));
    }

    // Writes the unit's character to out: 1, or 0 for the second half of a
    // surrogate pair, whose first half already stood for the whole.
    std::size_t code_page_char(char16_t u, char* out)
    {
        const bool high = u >= 0xD800 && u < 0xDC00;
        const bool low = u >= 0xDC00 && u < 0xE000;
        const bool second_half = low && after_high_;
        after_high_ = high;
        if (second_half) return 0;
        *out = high || low ? '?' : utf16_to_ansi(u);
        return 1;
    }

    // Physical lines are joined where one ends in a backslash (regedit wraps
    // long hex lists that way); the continuation's leading blanks go.
    void physical_line(std::string_view raw)
    {
        ++physical_number_;
        if (encoding_ == Encoding::Utf8 && ascii_prefix_length(raw) < raw.size()) {
            decoded_.assign(raw);
            utf8_to_ansi_in_place(decoded_);
            raw = decoded_;
        }
        const std::string_view line = trim(raw);
        const auto continues = [](std::string_view t) {
            return !t.empty() && t.back() == '\\' && t.front() != '[' && t.front() != ';';
        };
        if (continuing_) {
            logical_ += line;
            if (continues(logical_)) {
                logical_.pop_back();
                return;
            }
            continuing_ = false;
            logical_line(logical_number_, logical_);
            return;
        }
        if (continues(line)) {
            logical_.assign(line.substr(0, line.size() - 1));
            logical_number_ = physical_number_;
            continuing_ = true;
            return;
        }
        logical_line(physical_number_, line);
    }

    void logical_line(int number, std::string_view t)
    {
        line_ = number;
        if (t.empty() || t[0] == ';') return;
        if (!have_header_) {
            if (t == kHeader4) unicode_ = false;
            else if (t == kHeader5) unicode_ = true;
            else
                fail("the first line must be \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\", not " +
                     quote_profile_input(t));
            have_header_ = true;
        } else if (t[0] == '[') {
            key_line(t);
        } else {
            value_line(t);
        }
    }

    // One name of a key being made or deleted, at its depth below the hive.
    void check_key_part(std::string_view part, std::size_t depth, std::string_view full) const
    {
        if (depth > kMaxKeyDepth)
            fail("the key " + quote_profile_input(full) + " is more than " + std::to_string(kMaxKeyDepth) +
                 " levels deep, which Windows does not allow");
        if (part.size() > kMaxKeyNameLength)
            fail("the key name " + quote_profile_input(part) + " is " + std::to_string(part.size()) +
                 " characters long; Windows allows at most " + std::to_string(kMaxKeyNameLength));
        if (part.find('\0') != std::string_view::npos)
            fail("the key name " + quote_profile_input(part) + " holds a NUL character, which a .reg file cannot carry");
    }

    void key_line(std::string_view t)
    {
        if (t.back() != ']') fail("a key line must end with ']': " + quote_profile_input(t));
        std::string_view inner = t.substr(1, t.size() - 2);
        const bool remove = !inner.empty() && inner[0] == '-';
        if (remove) inner.remove_prefix(1);
        std::string_view rest = inner;
        while (!rest.empty() && rest.front() == '\\') rest.remove_prefix(1);
        const std::size_t root_end = std::min(rest.find('\\'), rest.size());
        const std::string_view root_text = rest.substr(0, root_end);
        if (!last_root_ || root_text != last_root_text_) {
            last_root_ = parse_hive_name(root_text);
            if (!last_root_) fail("unknown hive in " + quote_profile_input(t));
            last_root_text_.assign(root_text);
        }
        const std::optional<HiveRoot>& root = last_root_;
        KeyParts parts(root->classes_root, rest.substr(root_end));
        std::string_view part;
        std::size_t depth = 0;
        if (!remove) {
            RegKey* key = &tree_.hive(root->hive);
            if (path_hive_ != root->hive) forget_path();
            path_hive_ = root->hive;
            bool on_path = true;  // the parts so far are those of the last key line
            while (parts.next(part)) {
                check_key_part(part, ++depth, inner);
                const std::size_t at = depth - 1;
                if (on_path && at < path_.size() && path_part(at) == part) {
                    key = path_[at].key;
                    continue;
                }
                if (on_path) {
                    on_path = false;
                    path_.resize(at);
                    path_text_.resize(at ? path_[at - 1].end : 0);
                }
                key = &key->subkey(part);
                path_text_.append(part);
                path_.push_back({key, path_text_.size()});
            }
            key_ = key;
            return;
        }
        forget_path();
        // The parent of the last part, found without making anything.
        RegKey* parent = tree_.find_hive(root->hive) ? &tree_.hive(root->hive) : nullptr;
        std::string_view last;
        while (parts.next(part)) {
            check_key_part(part, ++depth, inner);
            if (depth > 1) parent = parent ? parent->find_subkey(last) : nullptr;
            last = part;
        }
        if (depth == 0) fail("a whole hive cannot be deleted: " + quote_profile_input(t));
        if (parent) parent->remove_subkey(last);
        key_ = nullptr;
        after_deletion_ = true;
    }

    // The last key line's parts: exports list keys in order, so most key
    // lines share all but their last part with the one before, which is
    // then not looked up again. Byte-equal parts name the same key as long
    // as nothing was deleted in between.
    std::string_view path_part(std::size_t at) const
    {
        const std::size_t begin = at ? path_[at - 1].end : 0;
        return std::string_view(path_text_).substr(begin, path_[at].end - begin);
    }

    void forget_path()
    {
        path_.clear();
        path_text_.clear();
        path_hive_.reset();
    }

    void value_line(std::string_view t)
    {
        std::size_t i = 0;
        std::string_view name;
        if (t[0] == '@') i = 1;
        else if (t[0] == '"') name = quoted(t, i, name_);
        else fail("expected [KEY], @=VALUE or \"NAME\"=VALUE, not " + quote_profile_input(t));
        if (name.size() > kMaxValueNameLength)
            fail("the value name " + quote_profile_input(name) + " is " + std::to_string(name.size()) +
                 " characters long; Windows allows at most " + std::to_string(kMaxValueNameLength));
        if (name.find('\0') != std::string_view::npos)
            fail("the value name " + quote_profile_input(name) + " holds a NUL character, which a .reg file cannot carry");
        const std::string_view rest = trim(t.substr(i));
        if (rest.empty() || rest[0] != '=') fail("expected '=' after the value name");
        if (!key_) fail(after_deletion_ ? "a value under a deleted key" : "a value before any [KEY] line");
        const std::string_view data = trim(rest.substr(1));
        if (data == "-") {
            key_->remove_value(name);
            return;
        }
        std::uint32_t type = reg::Sz;
        std::span<const std::uint8_t> bytes;
        std::array<std::uint8_t, 4> dword{};
        if (!data.empty() && data[0] == '"') {
            std::size_t j = 0;
            const std::string_view text = quoted(data, j, text_);
            if (j != data.size()) fail("unexpected text after the closing quote");
            if (text.data() != text_.data()) text_.assign(text);
            text_.push_back('\0');
            bytes = {reinterpret_cast<const std::uint8_t*>(text_.data()), text_.size()};
        } else if (data.substr(0, 6) == "dword:") {
            const std::string_view digits = data.substr(6);
            if (digits.empty() || digits.size() > 8 || !std::all_of(digits.begin(), digits.end(), is_hex_digit))
                fail("dword: needs one to eight hexadecimal digits, not " + quote_profile_input(digits));
            const std::uint32_t v = hex_number(digits);
            for (std::size_t b = 0; b < dword.size(); ++b) dword[b] = static_cast<std::uint8_t>(v >> (8 * b));
            bytes = dword;
            type = reg::Dword;
        } else if (data.substr(0, 3) == "hex") {
            type = hex_value(data.substr(3));
            bytes = data_;
        } else {
            fail("unknown value data " + quote_profile_input(data) + " (expected \"text\", dword:, hex: or -)");
        }
        key_->set_value(name, type, bytes);
    }

    // After "hex": an optional "(TYPE)", a colon, then bytes as two hex
    // digits separated by commas, into data_. The value's type.
    std::uint32_t hex_value(std::string_view data)
    {
        std::uint32_t type = reg::Binary;
        if (!data.empty() && data[0] == '(') {
            const auto close = data.find(')');
            const std::string_view digits = data.substr(1, close == std::string_view::npos ? 0 : close - 1);
            if (close == std::string_view::npos || digits.empty() || digits.size() > 8 ||
                !std::all_of(digits.begin(), digits.end(), is_hex_digit))
                fail("bad value type in hex(...): " + quote_profile_input(data));
            type = hex_number(digits);
            data.remove_prefix(close + 1);
        }
        if (data.empty() || data[0] != ':') fail("expected ':' after hex");
        data.remove_prefix(1);
        std::string_view rest = trim(data);
        // Every byte but the last takes two digits and a comma at least.
        data_.resize((rest.size() + 1) / 3);
        std::size_t n = 0;
        // The common "xx,xx,...,xx" without blanks byte by byte; anything
        // else goes on item by item below from the same place.
        const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
        const char* at = rest.data();
        const char* const end = at + rest.size();
        while (end - at >= 2) {
            const int high = hex_digit_value(at[0]);
            const int low = hex_digit_value(at[1]);
            if ((high | low) < 0) break;
            const bool last = end - at == 2;
            if (!last && (at[2] != ',' || end - at == 3 || blank(at[3]))) break;
            data_[n++] = static_cast<std::uint8_t>(high << 4 | low);
            at += last ? 2 : 3;
        }
        rest = std::string_view(at, static_cast<std::size_t>(end - at));
        while (!rest.empty()) {
            const std::size_t comma = rest.find(',');
            const std::string_view item = trim(rest.substr(0, comma));
            if (item.size() != 2 || !is_hex_digit(item[0]) || !is_hex_digit(item[1]))
                fail(item.empty() ? "truncated hex list" : "bad hex byte " + quote_profile_input(item));
            data_[n++] = static_cast<std::uint8_t>(hex_number(item));
            if (comma == std::string_view::npos) break;
            rest = rest.substr(comma + 1);
            if (trim(rest).empty()) fail("truncated hex list: it ends with a comma");
        }
        data_.resize(n);
        const bool text_type = type == reg::Sz || type == reg::ExpandSz || type == reg::MultiSz;
        if (unicode_ && text_type) {
            // A 5.00 export writes text types as UTF-16LE; the ANSI calls see them converted.
            if (data_.size() % 2) fail("hex(" + std::to_string(type) + ") text with an odd number of bytes");
            for (std::size_t b = 0; b < data_.size(); b += 2) {
                const auto u = static_cast<char16_t>(data_[b] | data_[b + 1] << 8);
                data_[b / 2] = static_cast<std::uint8_t>(u < 0x80 ? static_cast<char>(u) : utf16_to_ansi(u));
            }
            data_.resize(data_.size() / 2);
        }
        return type;
    }

    // The quoted text starting at t[i] == '"', with \\ and \" escapes; i
    // ends just after the closing quote. A text without escapes is a view
    // of t; one with escapes is written to scratch.
    std::string_view quoted(std::string_view t, std::size_t& i, std::string& scratch) const
    {
        const std::size_t start = ++i;
        const std::size_t close = t.find('"', start);
        const std::size_t escape = t.substr(0, close).find('\\', start);
        if (close != std::string_view::npos && escape == std::string_view::npos) {
            i = close + 1;
            return t.substr(start, close - start);
        }
        // The next quote and backslash are looked for again only once passed,
        // so the text is scanned once however many escapes it holds.
        std::size_t next_quote = close;
        std::size_t next_escape = escape;
        i = std::min(escape, t.size());
        scratch.clear();
        for (std::size_t run = start;;) {  // t[i] ends the run: a quote, a backslash or the end
            scratch.append(t.data() + run, i - run);
            if (i == t.size()) fail("missing closing quote");
            if (t[i] == '"') {
                ++i;
                return scratch;
            }
            if (i + 1 >= t.size() || (t[i + 1] != '\\' && t[i + 1] != '"'))
                fail("a backslash in quotes must be written \\\\ (or \\\" for a quote)");
            scratch += t[i + 1];
            i += 2;
            run = i;
            if (next_quote < i) next_quote = t.find('"', i);
            if (next_escape < i) next_escape = t.find('\\', i);
            i = std::min({next_quote, next_escape, t.size()});
        }
    }

    std::string file_;
    std::uint64_t total_ = 0;
    std::uint64_t read_ = 0;
    bool started_ = false;
    Encoding encoding_ = Encoding::Plain;
    bool have_odd_byte_ = false;
    unsigned char odd_byte_ = 0;
    bool after_high_ = false;

    std::string pending_;      // the physical line being read
    std::string decoded_;      // a UTF-8 line in the code page
    std::string utf16_piece_;  // a UTF-16 piece in the code page
    std::string logical_;  // lines joined by trailing backslashes
    bool continuing_ = false;
    int physical_number_ = 0;
    int logical_number_ = 0;

    int line_ = 0;
    bool have_header_ = false;
    bool unicode_ = false;
    bool after_deletion_ = false;
    RegistryTree tree_;
    RegKey* key_ = nullptr;
    struct PathPart {
        RegKey* key;
        std::size_t end;  // in path_text_
    };
    std::string last_root_text_;  // the hive as the last key line spelled it
    std::optional<HiveRoot> last_root_;
    std::optional<Hive> path_hive_;  // unset: no path to reuse
    std::vector<PathPart> path_;
    std::string path_text_;
    // Reused for every value line.
    std::string name_;  // a value name with escapes
    std::string text_;  // a text value and its NUL
    std::vector<std::uint8_t> data_;
};

} // namespace

RegistryTree parse_reg_text(std::string_view bytes, std::string_view file_name)
{
    RegFileParser parser(file_name);
    parser.check_size(bytes.size());
    parser.feed(bytes);
    return parser.finish();
}

std::optional<RegistryTree> read_reg_file(const std::filesystem::path& path, std::string_view file_name,
                                          std::size_t block_size)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    RegFileParser parser(file_name);
    parser.check_size(size);
    // The first block holds the byte-order mark whole.
    std::vector<char> block(std::max<std::size_t>(4, std::min<std::uintmax_t>(size, block_size)));
    for (std::size_t want = block.size(); in; want = std::min(block.size(), std::max<std::size_t>(block_size, 1))) {
        in.read(block.data(), static_cast<std::streamsize>(want));
        if (in.gcount() > 0) parser.feed(std::string_view(block.data(), static_cast<std::size_t>(in.gcount())));
    }
    if (in.bad()) throw ProfileError(std::string(file_name) + ": cannot read the file to its end");
    return parser.finish();
}

} // namespace prestova
