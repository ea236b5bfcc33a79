#include "platform/simulated/reg_file.hpp"

#include "core/ansi.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

namespace prestova {

namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::size_t npos = std::string_view::npos;
constexpr std::size_t kAsciiBlock = 128;  // UTF-16 units looked at together

// Each byte's value as a hex digit, or -1: hex lists are the bulk of an export.
constexpr std::array<std::int8_t, 256> kHexDigits = [] {
    std::array<std::int8_t, 256> digits{};
    digits.fill(-1);
    for (int c = 0; c < 10; ++c) digits['0' + c] = static_cast<std::int8_t>(c);
    for (int c = 0; c < 6; ++c) digits['a' + c] = digits['A' + c] = static_cast<std::int8_t>(10 + c);
    return digits;
}();

int hex_digit(char c) { return kHexDigits[static_cast<unsigned char>(c)]; }

// One to eight hex digits as their number; nullopt for anything else.
std::optional<std::uint32_t> hex_number(std::string_view digits)
{
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t v = 0;
    for (const char c : digits) {
        const int digit = hex_digit(c);
        if (digit < 0) return std::nullopt;
        v = v << 4 | static_cast<std::uint32_t>(digit);
    }
    return v;
}

// One compare for the bytes that are not blanks, nearly all of them.
bool blank(char c) { return static_cast<unsigned char>(c) <= ' ' && (c == ' ' || c == '\t'); }

const char* skip_blanks(const char* p, const char* end)
{
    while (p != end && blank(*p)) ++p;
    return p;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// What stands before a ';' comment, trimmed. Only for text that cannot hold
// a ';' itself: a ';' in quotes is text.
std::string_view before_comment(std::string_view s) { return trim(s.substr(0, s.find(';'))); }

std::span<const std::uint8_t> as_bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool high_surrogate(char16_t u) { return u >= 0xD800 && u < 0xDC00; }
bool low_surrogate(char16_t u) { return u >= 0xDC00 && u < 0xE000; }

// Reads a registry export as Windows' registry editor imports it: lines end
// at CR LF, LF or a lone CR; blank lines and lines starting with ';' or '#'
// are skipped; a ';' after a value's data starts a comment; only a hex list
// goes on past its line, where a backslash stands in place of a byte.
// Whatever regedit would skip is refused here, naming the line, so that no
// value is ever read that Windows would not import.
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
        if (encoding_ == Encoding::Utf16) {
            split_lines(decode_utf16(bytes));
            return;
        }
        // The lines before a NUL are read first, so that whatever comes
        // first in the file is refused, however it was cut into pieces.
        if (const std::size_t nul = encoding_ == Encoding::Plain ? bytes.find('\0') : npos; nul != npos) {
            split_lines(bytes.substr(0, nul));
            line_ = 0;
            fail("the file holds NUL bytes: UTF-16 needs its byte-order mark (FF FE)");
        }
        split_lines(bytes);
    }

    RegistryTree finish()
    {
        if (have_odd_byte_) {
            line_ = 0;
            fail("UTF-16 file with an odd number of bytes");
        }
        if (!pending_.empty()) line(pending_);  // the last line, without a line end
        if (continuing_) fail("truncated hex list: the file ends after its backslash");
        line_ = 0;
        if (!have_header_)
            fail("no \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\" line: not a registry file");
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

    // UTF-16LE units to the code page, each its character and a surrogate
    // pair one '?'; a byte left over waits for the next piece. Only units
    // 000A and 000D become line ends.
    std::string_view decode_utf16(std::string_view bytes)
    {
        utf16_text_.resize(bytes.size() / 2 + 1);
        char* const text = utf16_text_.data();
        char* out = text;
        const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
        const auto* const end = in + bytes.size();
        if (have_odd_byte_ && in != end) {
            const auto u = static_cast<char16_t>(odd_byte_ | *in++ << 8);
            out = code_page_char(u, after_high_, out);
            after_high_ = high_surrogate(u);
            have_odd_byte_ = false;
        }
        const auto* const first = in;
        const auto* const last = in + (end - in) / 2 * 2;  // after the last whole unit
        while (in != last) {
            const std::size_t count = std::min(static_cast<std::size_t>(last - in) / 2, kAsciiBlock);
            if (count == kAsciiBlock && ascii_block(in, out)) {
                in += 2 * kAsciiBlock;
                out += kAsciiBlock;
                continue;
            }
            for (const auto* const stop = in + 2 * count; in != stop; in += 2) {
                const auto u = static_cast<char16_t>(in[0] | in[1] << 8);
                if (u < 0x80) {
                    *out++ = static_cast<char>(u);
                } else {
                    const bool after_high =
                        in == first ? after_high_ : high_surrogate(static_cast<char16_t>(in[-2] | in[-1] << 8));
                    out = code_page_char(u, after_high, out);
                }
            }
        }
        if (in != first) after_high_ = high_surrogate(static_cast<char16_t>(in[-2] | in[-1] << 8));
        if (in != end) {
            have_odd_byte_ = true;
            odd_byte_ = *in;
        }
        return std::string_view(text, static_cast<std::size_t>(out - text));
    }

    // Whether the kAsciiBlock units at in are all below 0x80, written to out
    // if so. Exports are nearly all ASCII; this plain loop without an early
    // exit is one the compiler can turn into a few vector instructions.
    static bool ascii_block(const unsigned char* in, char* out)
    {
        std::array<char, kAsciiBlock> block;
        unsigned char high = 0;
        for (std::size_t i = 0; i < kAsciiBlock; ++i) {
            block[i] = static_cast<char>(in[2 * i]);
            high |= static_cast<unsigned char>(in[2 * i + 1] | (in[2 * i] & 0x80));
        }
        if (high != 0) return false;
        std::memcpy(out, block.data(), kAsciiBlock);
        return true;
    }

    // A unit's code page character written at out; the second half of a
    // surrogate pair writes nothing, its first half having stood for both.
    static char* code_page_char(char16_t u, bool after_high, char* out)
    {
        if (low_surrogate(u) && after_high) return out;
        *out = high_surrogate(u) || low_surrogate(u) ? '?' : utf16_to_ansi(u);
        return out + 1;
    }

    // Text cut into lines at CR LF, LF or a lone CR; a line still open at
    // the end of the piece waits in pending_ for the next one.
    void split_lines(std::string_view text)
    {
        const char* p = text.data();
        const char* const end = p + text.size();
        if (after_cr_ && p != end) {  // a CR LF cut between two pieces
            after_cr_ = false;
            if (*p == '\n') ++p;
        }
        const auto next_lf = [&](const char* from) {
            const void* found = std::memchr(from, '\n', static_cast<std::size_t>(end - from));
            return found ? static_cast<const char*>(found) : end;
        };
        // The next LF is looked for once, not again for each lone CR before it.
        const char* lf = next_lf(p);
        while (p != end) {
            const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(lf - p));
            const char* const stop = cr ? static_cast<const char*>(cr) : lf;
            if (stop == end) break;
            const std::string_view piece_line(p, static_cast<std::size_t>(stop - p));
            if (pending_.empty()) {
                line(piece_line);
            } else {
                pending_.append(piece_line);
                line(pending_);
                pending_.clear();
            }
            if (*stop == '\n' || (lf != end && stop + 1 == lf)) {
                p = lf + 1;
                lf = next_lf(p);
            } else {
                p = stop + 1;
                after_cr_ = p == end;  // its LF may start the next piece
            }
        }
        pending_.append(p, static_cast<std::size_t>(end - p));
    }

    void line(std::string_view raw)
    {
        ++line_number_;
        if (encoding_ == Encoding::Utf8 && ascii_prefix_length(raw) < raw.size()) {
            decoded_.assign(raw);
            utf8_to_ansi_in_place(decoded_);
            raw = decoded_;
        }
        const std::string_view t = trim(raw);
        if (continuing_) {  // errors still name the value's first line
            hex_continuation(t);
            return;
        }
        line_ = line_number_;
        if (t.empty() || t[0] == ';' || t[0] == '#') return;
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
        if (part.find('\0') != npos)
            fail("the key name " + quote_profile_input(part) +
                 " holds a NUL character, which a .reg file cannot carry");
    }

    // [KEY] makes the key and its parents; [-KEY] deletes it with all below it.
    void key_line(std::string_view t)
    {
        if (t.back() != ']') fail("a key line must end with ']': " + quote_profile_input(t));
        std::string_view inner = t.substr(1, t.size() - 2);
        const bool remove = !inner.empty() && inner[0] == '-';
        if (remove) inner.remove_prefix(1);
        std::string_view rest = inner;
        while (!rest.empty() && rest[0] == '\\') rest.remove_prefix(1);
        if (remove) {
            remove_key(t, inner, rest);
            return;
        }
        // Exports list keys in order, so a key line mostly starts with names
        // of the one before, whose keys are known: byte for byte the same
        // names, ending where they ended there.
        std::size_t known = 0;
        for (std::size_t same = 0; known < path_.size(); ++known) {
            const std::size_t name_end = path_[known].end;
            if (name_end > rest.size() || (name_end < rest.size() && rest[name_end] != '\\') ||
                rest.substr(same, name_end - same) != std::string_view(path_text_).substr(same, name_end - same))
                break;
            same = name_end;
        }
        path_.resize(known);
        if (path_.empty()) {
            const std::size_t root_end = std::min(rest.find('\\'), rest.size());
            const HiveRoot root = hive_root(rest.substr(0, root_end), t);
            path_.push_back({root_end, &tree_.hive(root.hive)});
            if (root.classes_root)
                for (const std::string_view part : {std::string_view("SOFTWARE"), std::string_view("Classes")})
                    path_.push_back({root_end, &path_.back().key->subkey(part)});
        }
        for (std::size_t start = path_.back().end; start < rest.size();) {
            const std::size_t end = std::min(rest.find('\\', start), rest.size());
            if (end > start) {  // an empty name (a doubled or trailing backslash) names nothing
                const std::string_view part = rest.substr(start, end - start);
                check_key_part(part, path_.size(), inner);
                path_.push_back({end, &path_.back().key->subkey(part)});
            }
            start = end + 1;
        }
        path_text_.assign(rest);
        key_ = path_.back().key;
    }

    // The hive a key line's first name stands for.
    HiveRoot hive_root(std::string_view root_text, std::string_view t) const
    {
        const auto root = parse_hive_name(root_text);
        if (!root) fail("unknown hive in " + quote_profile_input(t));
        return *root;
    }

    // The key goes, if it is there at all; nothing is made.
    void remove_key(std::string_view t, std::string_view inner, std::string_view rest)
    {
        path_.clear();  // its keys may be gone
        const std::size_t root_end = std::min(rest.find('\\'), rest.size());
        const HiveRoot root = hive_root(rest.substr(0, root_end), t);
        parts_.clear();
        if (root.classes_root) parts_.insert(parts_.end(), {"SOFTWARE", "Classes"});
        for (std::size_t start = root_end; start < rest.size();) {
            const std::size_t end = std::min(rest.find('\\', start), rest.size());
            if (end > start) {
                const std::string_view part = rest.substr(start, end - start);
                check_key_part(part, parts_.size() + 1, inner);
                parts_.push_back(part);
            }
            start = end + 1;
        }
        if (parts_.empty()) fail("a whole hive cannot be deleted: " + quote_profile_input(t));
        RegKey* parent = tree_.find_hive(root.hive) ? &tree_.hive(root.hive) : nullptr;
        for (std::size_t i = 0; parent && i + 1 < parts_.size(); ++i) parent = parent->find_subkey(parts_[i]);
        if (parent) parent->remove_subkey(parts_.back());
        key_ = nullptr;
        after_deletion_ = true;
    }

    // @=DATA or "NAME"=DATA, t trimmed.
    void value_line(std::string_view t)
    {
        const char* p = t.data();
        const char* const end = p + t.size();
        std::string_view name;
        if (*p == '@') ++p;
        else if (*p == '"') name = quoted(p, end, name_);
        else fail("expected [KEY], @=VALUE or \"NAME\"=VALUE, not " + quote_profile_input(t));
        if (name.size() > kMaxValueNameLength)
            fail("the value name " + quote_profile_input(name) + " is " + std::to_string(name.size()) +
                 " characters long; Windows allows at most " + std::to_string(kMaxValueNameLength));
        if (name.find('\0') != npos)
            fail("the value name " + quote_profile_input(name) +
                 " holds a NUL character, which a .reg file cannot carry");
        p = skip_blanks(p, end);
        if (p == end || *p != '=') fail("expected '=' after the value name");
        if (!key_) fail(after_deletion_ ? "a value under a deleted key" : "a value before any [KEY] line");
        p = skip_blanks(p + 1, end);
        if (p != end && *p == '"') {
            const std::string_view text = quoted(p, end, text_);
            p = skip_blanks(p, end);
            if (p != end && *p != ';') fail("unexpected text after the closing quote");
            sz_.assign(text).push_back('\0');  // REG_SZ data ends with its NUL
            key_->set_value(name, reg::Sz, as_bytes(sz_));
            return;
        }
        std::string_view data(p, static_cast<std::size_t>(end - p));
        if (data.starts_with("hex")) {
            hex_value(name, data.substr(3));
            return;
        }
        data = before_comment(data);
        if (data == "-") {
            key_->remove_value(name);
        } else if (data.starts_with("dword:")) {
            const std::string_view digits = trim(data.substr(6));
            const auto v = hex_number(digits);
            if (!v) fail("dword: needs one to eight hexadecimal digits, not " + quote_profile_input(digits));
            const std::array<std::uint8_t, 4> bytes = {
                static_cast<std::uint8_t>(*v), static_cast<std::uint8_t>(*v >> 8), static_cast<std::uint8_t>(*v >> 16),
                static_cast<std::uint8_t>(*v >> 24)};
            key_->set_value(name, reg::Dword, bytes);
        } else {
            fail("unknown value data " + quote_profile_input(data) + " (expected \"text\", dword:, hex: or -)");
        }
    }

    // After "hex": an optional "(TYPE)", a colon, then the list.
    void hex_value(std::string_view name, std::string_view rest)
    {
        std::uint32_t type = reg::Binary;
        if (!rest.empty() && rest[0] == '(') {
            const std::size_t close = rest.find(')');
            const auto number = close == npos ? std::nullopt : hex_number(rest.substr(1, close - 1));
            if (!number) fail("bad value type in hex(...): " + quote_profile_input(before_comment(rest)));
            type = *number;
            rest.remove_prefix(close + 1);
        }
        if (rest.empty() || rest[0] != ':') fail("expected ':' after hex");
        hex_type_ = type;
        data_size_ = 0;
        continuing_ = hex_list(rest.substr(1));
        if (continuing_) hex_name_.assign(name);  // kept for the line the list ends on
        else set_hex_value(name);
    }

    // One line's part of a hex list, its end trimmed: bytes of two hex
    // digits separated by commas, blanks allowed around them; a ';' starts a
    // comment. A comma may end the list; a backslash where a byte could
    // stand ends the line and the list goes on in the next one (blank and
    // comment lines between are skipped). Whether it goes on.
    bool hex_list(std::string_view s)
    {
        const char* p = s.data();
        const char* const end = p + s.size();
        // Room for every byte the line can hold, written without a check each.
        std::size_t n = data_size_;
        if (data_.size() < n + s.size() / 2 + 1) data_.resize(n + s.size() / 2 + 1);
        std::uint8_t* const out = data_.data();
        bool goes_on = false;
        while (p != end) {
            // Bytes as exports write them, "hh," one after another, with the fewest checks.
            for (const char* const stop = p + (end - p) / 3 * 3; p != stop; p += 3) {
                const int high = hex_digit(p[0]);
                const int low = hex_digit(p[1]);
                if (high < 0 || low < 0 || p[2] != ',') break;
                out[n++] = static_cast<std::uint8_t>(high << 4 | low);
            }
            if (p == end) break;
            const char* const item = p;
            const int high = hex_digit(*p);
            if (high < 0) {  // no byte: blanks before one, a comment, the backslash that continues the list, or a fault
                if (blank(*p)) {
                    ++p;
                    continue;
                }
                if (*p == ';') break;
                const char* const after = skip_blanks(p + 1, end);
                if (*p == '\\' && (after == end || *after == ';')) {
                    goes_on = true;
                    break;
                }
                bad_hex_item(item, end);
            }
            const int low = end - p >= 2 ? hex_digit(p[1]) : -1;
            if (low < 0) bad_hex_item(item, end);
            out[n++] = static_cast<std::uint8_t>(high << 4 | low);
            p += 2;
            if (p != end && *p == ',') {
                ++p;
                continue;
            }
            p = skip_blanks(p, end);  // blanks before the comma, a comment or the end
            if (p == end || *p == ';') break;
            if (*p != ',') bad_hex_item(item, end);
            ++p;
        }
        data_size_ = n;
        return goes_on;
    }

    // A continued list's next line; blank and comment lines go by.
    void hex_continuation(std::string_view s)
    {
        if (s.empty() || s[0] == ';') return;
        continuing_ = hex_list(s);
        if (!continuing_) set_hex_value(hex_name_);
    }

    void set_hex_value(std::string_view name)
    {
        std::size_t n = data_size_;
        const bool text_type = hex_type_ == reg::Sz || hex_type_ == reg::ExpandSz || hex_type_ == reg::MultiSz;
        if (unicode_ && text_type) {
            // A 5.00 export writes text types as UTF-16LE; the ANSI calls see them converted.
            if (n % 2) fail("hex(" + std::to_string(hex_type_) + ") text with an odd number of bytes");
            for (std::size_t b = 0; b < n; b += 2) {
                const auto u = static_cast<char16_t>(data_[b] | data_[b + 1] << 8);
                data_[b / 2] = static_cast<std::uint8_t>(u < 0x80 ? static_cast<char>(u) : utf16_to_ansi(u));
            }
            n /= 2;
        }
        key_->set_value(name, hex_type_, std::span<const std::uint8_t>(data_.data(), n));
    }

    [[noreturn]] void bad_hex_item(const char* item, const char* end) const
    {
        const std::string_view rest(item, static_cast<std::size_t>(end - item));
        const std::string_view text = trim(rest.substr(0, std::min(rest.find(','), rest.find(';'))));
        fail(text.empty() ? "truncated hex list" : "bad hex byte " + quote_profile_input(text));
    }

    // The quoted text from the quote at p, with \\ and \" escapes; p ends
    // just after the closing quote. Text without escapes is returned where
    // it stands, other text as copied to buffer.
    std::string_view quoted(const char*& p, const char* end, std::string& buffer) const
    {
        const auto find = [](const char* from, const char* to, char c) {
            const void* found = std::memchr(from, c, static_cast<std::size_t>(to - from));
            return found ? static_cast<const char*>(found) : to;
        };
        const char* from = p + 1;
        const char* quote = find(from, end, '"');
        p = find(from, quote, '\\');
        if (p == quote) {
            if (p == end) fail("missing closing quote");
            return std::string_view(from, static_cast<std::size_t>(p++ - from));
        }
        // Only grows: it keeps its room from line to line.
        if (buffer.size() < static_cast<std::size_t>(end - from)) buffer.resize(static_cast<std::size_t>(end - from));
        char* const out = buffer.data();
        char* w = out;
        for (;;) {
            std::memcpy(w, from, static_cast<std::size_t>(p - from));
            w += p - from;
            if (p == end) fail("missing closing quote");
            if (*p == '"') break;
            if (p + 1 == end) fail("missing closing quote");  // the text does not go on in the next line
            if (p[1] != '\\' && p[1] != '"') fail("a backslash in quotes must be written \\\\ (or \\\" for a quote)");
            *w++ = p[1];
            from = p + 2;
            if (quote < from) quote = find(from, end, '"');  // that quote was the escaped one
            p = find(from, quote, '\\');
        }
        ++p;
        return std::string_view(out, static_cast<std::size_t>(w - out));
    }

    std::string file_;
    std::uint64_t total_ = 0;
    std::uint64_t read_ = 0;
    bool started_ = false;
    Encoding encoding_ = Encoding::Plain;
    bool have_odd_byte_ = false;
    unsigned char odd_byte_ = 0;
    bool after_high_ = false;  // the last UTF-16 unit was a surrogate pair's first half
    bool after_cr_ = false;    // the last piece ended in a CR
    std::string utf16_text_;   // a UTF-16 piece in the code page
    std::string pending_;      // a line begun in an earlier piece
    std::string decoded_;      // a UTF-8 line in the code page

    int line_number_ = 0;  // lines read
    int line_ = 0;         // the line errors name
    bool have_header_ = false;
    bool unicode_ = false;
    bool after_deletion_ = false;
    RegistryTree tree_;
    RegKey* key_ = nullptr;
    struct KnownKey {
        std::size_t end;  // of its name in path_text_
        RegKey* key;
    };
    std::vector<KnownKey> path_;           // the hive and the keys the last key line named
    std::string path_text_;                // that line from the hive's name on
    std::vector<std::string_view> parts_;  // the names of a key being deleted
    // Reused from value to value.
    std::string name_;         // a value name with escapes
    std::string text_;         // a text with escapes
    std::string sz_;           // a text and its NUL
    bool continuing_ = false;  // a hex list goes on in the next line
    std::string hex_name_;
    std::uint32_t hex_type_ = reg::Binary;
    std::vector<std::uint8_t> data_;  // only grows: it keeps its room from value to value
    std::size_t data_size_ = 0;       // the bytes of the list being read
};

}  // namespace

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

}  // namespace prestova
