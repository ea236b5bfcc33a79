#include "platform/simulated/reg_file.hpp"

#include "core/ansi.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <fstream>
#include <functional>
#include <span>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Each pair of bytes (the first in the low half of the index) as the byte
// its two hex digits write, with 0x100 added; 0 where either is no digit.
// Hex lists are the bulk of an export: one look-up a byte.
constexpr unsigned kHexPairValid = 0x100;
constexpr std::array<std::uint16_t, 1 << 16> kHexPairs = [] {
    std::array<std::uint16_t, 1 << 16> pairs{};
    for (int high = 0; high < 256; ++high) {
        if (kHexDigitValues[high] < 0) continue;
        for (int low = 0; low < 256; ++low) {
            if (kHexDigitValues[low] >= 0)
                pairs[high | low << 8] = static_cast<std::uint16_t>(kHexPairValid | kHexDigitValues[high] << 4 | kHexDigitValues[low]);
        }
    }
    return pairs;
}();

unsigned hex_pair(const char* digits)
{
    return kHexPairs[static_cast<unsigned char>(digits[0]) | static_cast<unsigned char>(digits[1]) << 8];
}

bool is_hex_digit(char c) { return hex_digit_value(c) >= 0; }

std::uint32_t hex_number(std::string_view digits)
{
    std::uint32_t v = 0;
    for (char c : digits) v = v * 16 + static_cast<std::uint32_t>(hex_digit_value(c));
    return v;
}

// One compare and a bit test rather than a compare for each blank.
bool leading_blank(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' && (std::uint64_t{0x100000200} >> u & 1);  // ' ' and '\t'
}
bool trailing_blank(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' && (std::uint64_t{0x100002200} >> u & 1);  // ' ', '\t' and '\r'
}

// Called several times on every line: inlined, it costs a compare or two.
[[gnu::always_inline]] inline std::string_view trim(std::string_view s)
{
    const char* begin = s.data();
    const char* end = begin + s.size();
    while (begin != end && leading_blank(*begin)) ++begin;
    while (begin != end && trailing_blank(end[-1])) --end;
    return std::string_view(begin, static_cast<std::size_t>(end - begin));
}

// Eight bytes at a time where the byte order lets the first match be the
// lowest bit; elsewhere the byte loops alone.
constexpr bool kWordScan = std::endian::native == std::endian::little;
constexpr std::uint64_t kEveryByte = 0x0101010101010101;

// Two bytes, the first in the low half (on the byte order kWordScan needs).
std::uint16_t load2(const char* p)
{
    std::uint16_t x;
    std::memcpy(&x, p, sizeof x);
    return x;
}

std::uint64_t load8(const char* p)
{
    std::uint64_t x;
    std::memcpy(&x, p, sizeof x);
    return x;
}

// The top bit of each byte of x equal to c; a wrong bit only ever stands
// above a right one, so the lowest set bit is the first match.
std::uint64_t bytes_equal(std::uint64_t x, char c)
{
    const std::uint64_t y = x ^ (kEveryByte * static_cast<unsigned char>(c));
    return (y - kEveryByte) & ~y & (kEveryByte << 7);
}

// Copies quoted text from p to w up to the first quote or backslash (or
// end), where p then points. w has room for as many bytes as p has.
void copy_to_quote_or_backslash(const char*& p, const char* end, char*& w)
{
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i backslash = _mm_set1_epi8('\\');
    for (; end - p >= 16; p += 16, w += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(w), x);
        if (const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, quote), _mm_cmpeq_epi8(x, backslash)))) {
            const int before = std::countr_zero(static_cast<unsigned>(hits));
            p += before;
            w += before;
            return;
        }
    }
#endif
    if constexpr (kWordScan) {
        for (; end - p >= 8; p += 8, w += 8) {
            const std::uint64_t x = load8(p);
            std::memcpy(w, &x, sizeof x);
            if (const std::uint64_t hits = bytes_equal(x, '"') | bytes_equal(x, '\\')) {
                const int before = std::countr_zero(hits) / 8;
                p += before;
                w += before;
                return;
            }
        }
    }
    for (; p != end && *p != '"' && *p != '\\'; ++p) *w++ = *p;
}

// The first quote or backslash from p on, or end.
const char* find_quote_or_backslash(const char* p, const char* end)
{
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i backslash = _mm_set1_epi8('\\');
    for (; end - p >= 16; p += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, quote), _mm_cmpeq_epi8(x, backslash))))
            return p + std::countr_zero(static_cast<unsigned>(hits));
    }
#endif
    if constexpr (kWordScan) {
        for (; end - p >= 8; p += 8) {
            const std::uint64_t x = load8(p);
            if (const std::uint64_t hits = bytes_equal(x, '"') | bytes_equal(x, '\\'))
                return p + std::countr_zero(hits) / 8;
        }
    }
    while (p != end && *p != '"' && *p != '\\') ++p;
    return p;
}

// The first `wanted` byte from p on, or end.
const char* find_byte(const char* p, const char* end, char wanted)
{
    if constexpr (kWordScan) {
        for (; end - p >= 8; p += 8) {
            if (const std::uint64_t hits = bytes_equal(load8(p), wanted)) return p + std::countr_zero(hits) / 8;
        }
    }
    while (p != end && *p != wanted) ++p;
    return p;
}

// The '\n's of a piece in order, then its end. With SSE2 a block of 64
// bytes is compared at once and each line end is then one bit.
class LineEnds {
public:
    LineEnds(const char* begin, const char* end) : at_(begin), end_(end) { load(); }

    const char* next()
    {
#if defined(__SSE2__)
        while (bits_ == 0) {
            if (end_ - at_ <= 64) return end_;
            at_ += 64;
            load();
        }
        const char* const found = at_ + std::countr_zero(bits_);
        bits_ &= bits_ - 1;
        return found;
#else
        const char* const found = find_byte(at_, end_, '\n');
        at_ = found == end_ ? end_ : found + 1;
        return found;
#endif
    }

private:
    void load()
    {
#if defined(__SSE2__)
        if (end_ - at_ >= 64) {
            const __m128i newline = _mm_set1_epi8('\n');
            const auto* in = reinterpret_cast<const __m128i*>(at_);
            const auto mask = [&](int i) {
                return static_cast<std::uint64_t>(
                    static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(in + i), newline))));
            };
            bits_ = mask(0) | mask(1) << 16 | mask(2) << 32 | mask(3) << 48;
        } else {
            bits_ = 0;
            for (std::ptrdiff_t i = 0; i < end_ - at_; ++i) bits_ |= std::uint64_t{at_[i] == '\n'} << i;
        }
#endif
    }

    const char* at_;  // with SSE2 the block bits_ stands for, else where to look on
    const char* end_;
#if defined(__SSE2__)
    std::uint64_t bits_ = 0;  // the line ends in the block at at_
#endif
};

#if defined(__SSE2__)
// UTF-16LE units to the code page while all of them are ASCII, which is
// nearly all of an export; the bytes converted, a multiple of 64. Four
// blocks of 64 bytes are converted before one test of them all, and a
// group that holds anything else is left (its stores are overwritten).
// out has room for half as many bytes as in.
std::size_t ascii_blocks(const char* in, std::size_t size, char* out)
{
    const __m128i beyond_ascii = _mm_set1_epi16(static_cast<short>(0xFF80));
    const char* p = in;
    const auto block = [&](const char* from, char* to) {
        const auto* units = reinterpret_cast<const __m128i*>(from);
        const __m128i a = _mm_loadu_si128(units);
        const __m128i b = _mm_loadu_si128(units + 1);
        const __m128i c = _mm_loadu_si128(units + 2);
        const __m128i d = _mm_loadu_si128(units + 3);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_packus_epi16(a, b));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), _mm_packus_epi16(c, d));
        return _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d));
    };
    const auto ascii = [&](__m128i all) {
        return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(all, beyond_ascii), _mm_setzero_si128())) == 0xFFFF;
    };
    for (std::size_t groups = size / 256; groups != 0; --groups, p += 256, out += 128) {
        const __m128i all = _mm_or_si128(_mm_or_si128(block(p, out), block(p + 64, out + 32)),
                                         _mm_or_si128(block(p + 128, out + 64), block(p + 192, out + 96)));
        if (!ascii(all)) break;
    }
    for (std::size_t blocks = (size - static_cast<std::size_t>(p - in)) / 64; blocks != 0; --blocks, p += 64, out += 32) {
        if (!ascii(block(p, out))) break;
    }
    return static_cast<std::size_t>(p - in);
}
#endif

// How many bytes a and b start with in common.
std::size_t common_prefix_length(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    if constexpr (kWordScan) {
        for (; n - i >= 8; i += 8) {
            if (const std::uint64_t x = load8(a.data() + i) ^ load8(b.data() + i))
                return i + static_cast<std::size_t>(std::countr_zero(x) / 8);
        }
    }
    while (i < n && a[i] == b[i]) ++i;
    return i;
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
            may_hold_nul_ = true;
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
        const char* at = bytes.data();
        const char* const end = at + bytes.size();
        piece_begin_ = at;
        piece_end_ = end;
        LineEnds line_ends(at, end);
        for (const char* line_end; (line_end = line_ends.next()) != end; at = line_end + 1) {
            std::string_view line(at, static_cast<std::size_t>(line_end - at));
            const bool joined = !pending_.empty();
            if (joined) {
                pending_.append(line);
                line = pending_;
            }
            physical_line_inline(line);
            if (joined) pending_.clear();
        }
        pending_.append(at, static_cast<std::size_t>(end - at));
        if (readable_end(path_view_) == end) path_view_ = path_text_.assign(path_view_);  // the piece goes
        piece_begin_ = piece_end_ = nullptr;
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
#if defined(__SSE2__)
            if (const std::size_t done = ascii_blocks(bytes.data() + i, bytes.size() - i, out + n)) {
                n += done / 2;
                i += done;
                after_high_ = false;
                continue;
            }
            if (bytes.size() - i >= 32) {  // sixteen ASCII units at a time where the machine can
                const auto* in = reinterpret_cast<const __m128i*>(bytes.data() + i);
                const __m128i first = _mm_loadu_si128(in);
                const __m128i second = _mm_loadu_si128(in + 1);
                const __m128i beyond_ascii =
                    _mm_and_si128(_mm_or_si128(first, second), _mm_set1_epi16(static_cast<short>(0xFF80)));
                if (_mm_movemask_epi8(_mm_cmpeq_epi8(beyond_ascii, _mm_setzero_si128())) == 0xFFFF) {
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + n), _mm_packus_epi16(first, second));
                    n += 16;
                    i += 32;
                    after_high_ = false;
                    continue;
                }
            }
#endif
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
        if (!may_hold_nul_ && std::memchr(out, 0, n)) may_hold_nul_ = true;
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
    void physical_line(std::string_view raw) { physical_line_inline(raw); }

    // The same, written into split_lines' loop, which it is most of.
    [[gnu::always_inline]] void physical_line_inline(std::string_view raw)
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
            logical_.clear();
            logical_.append(line.substr(0, line.size() - 1));
            logical_number_ = physical_number_;
            continuing_ = true;
            return;
        }
        logical_line(physical_number_, line);
    }

    [[gnu::always_inline]] void logical_line(int number, std::string_view t)
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
        if (depth > kMaxKeyDepth || part.size() > kMaxKeyNameLength ||
            (may_hold_nul_ && part.find('\0') != std::string_view::npos))
            refuse_key_part(part, depth, full);
    }

    [[noreturn]] void refuse_key_part(std::string_view part, std::size_t depth, std::string_view full) const
    {
        if (depth > kMaxKeyDepth)
            fail("the key " + quote_profile_input(full) + " is more than " + std::to_string(kMaxKeyDepth) +
                 " levels deep, which Windows does not allow");
        if (part.size() > kMaxKeyNameLength)
            fail("the key name " + quote_profile_input(part) + " is " + std::to_string(part.size()) +
                 " characters long; Windows allows at most " + std::to_string(kMaxKeyNameLength));
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
        if (remove) {
            remove_key(t, inner, rest);
            return;
        }
        // Exports list keys in order, so most key lines start with much of
        // the one before: a name that ends where it ended there, within the
        // bytes both lines share, is the key the last line found. Byte-equal
        // text names the same keys as long as nothing was deleted in between.
        const std::size_t same = path_hive_ ? common_prefix_length(rest, path_view_) : 0;
        const auto shared = [&](std::size_t name_end) {
            return name_end < same || (name_end == same && (same == rest.size() || rest[same] == '\\'));
        };
        RegKey* key = nullptr;
        std::size_t depth = 0;
        std::size_t at = 0;  // in rest, where the parts still to find start
        if (path_hive_ && shared(path_root_end_)) {
            depth = path_.size();
            while (depth > 0 && !shared(path_[depth - 1].end)) --depth;
            path_.resize(depth);
            key = depth ? path_[depth - 1].key : &tree_.hive(*path_hive_);
            at = depth ? path_[depth - 1].end : path_root_end_;
        } else {
            const std::size_t root_end = std::min(rest.find('\\'), rest.size());
            const HiveRoot root = hive_root(rest.substr(0, root_end), t);
            path_.clear();
            path_hive_ = root.hive;
            path_root_end_ = root_end;
            key = &tree_.hive(root.hive);
            if (root.classes_root) {
                for (const std::string_view part : {std::string_view("SOFTWARE"), std::string_view("Classes")}) {
                    check_key_part(part, ++depth, inner);
                    key = &key->subkey(part);
                    path_.push_back({.key = key, .end = root_end});
                }
            }
            at = root_end;
        }
        // The text stays where it is while the piece does (see split_lines).
        path_view_ = rest;
        if (readable_end(rest) == rest.data() + rest.size()) path_view_ = path_text_.assign(rest);
        const char* const begin = rest.data();
        const char* const end = begin + rest.size();
        for (const char* p = begin + at; p != end;) {
            if (*p == '\\') {  // a separator, or an empty part, which names nothing
                ++p;
                continue;
            }
            const char* const part_end = find_byte(p, end, '\\');
            const std::string_view part(p, static_cast<std::size_t>(part_end - p));
            check_key_part(part, ++depth, inner);
            key = &key->subkey(part);
            path_.push_back({.key = key, .end = static_cast<std::size_t>(part_end - begin)});
            p = part_end;
        }
        key_ = key;
    }

    // The hive a key line's first name stands for; the last one is kept,
    // as files name few hives, each for many lines in a row.
    HiveRoot hive_root(std::string_view root_text, std::string_view line)
    {
        if (!last_root_ || root_text != last_root_text_) {
            last_root_ = parse_hive_name(root_text);
            if (!last_root_) fail("unknown hive in " + quote_profile_input(line));
            last_root_text_.assign(root_text);
        }
        return *last_root_;
    }

    // [-KEY]: the key goes with all below it, if it is there at all.
    void remove_key(std::string_view t, std::string_view inner, std::string_view rest)
    {
        const std::size_t root_end = std::min(rest.find('\\'), rest.size());
        const HiveRoot root = hive_root(rest.substr(0, root_end), t);
        KeyParts parts(root.classes_root, rest.substr(root_end));
        std::string_view part;
        std::size_t depth = 0;
        forget_path();
        // The parent of the last part, found without making anything.
        RegKey* parent = tree_.find_hive(root.hive) ? &tree_.hive(root.hive) : nullptr;
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

    void forget_path()
    {
        path_.clear();
        path_view_ = {};
        path_hive_.reset();
    }

    [[gnu::always_inline]] void value_line(std::string_view t)
    {
        std::size_t i = 0;
        std::string_view name;
        if (t[0] == '@') i = 1;
        else if (t[0] == '"') name = quoted_name(t, i);
        else fail("expected [KEY], @=VALUE or \"NAME\"=VALUE, not " + quote_profile_input(t));
        if (name.size() > kMaxValueNameLength)
            fail("the value name " + quote_profile_input(name) + " is " + std::to_string(name.size()) +
                 " characters long; Windows allows at most " + std::to_string(kMaxValueNameLength));
        if (may_hold_nul_ && name.find('\0') != std::string_view::npos)
            fail("the value name " + quote_profile_input(name) + " holds a NUL character, which a .reg file cannot carry");
        // What follows the name, without blanks either side of the '='.
        const char* p = t.data() + i;
        const char* end = t.data() + t.size();
        while (end != p && trailing_blank(end[-1])) --end;
        while (p != end && leading_blank(*p)) ++p;
        if (p == end || *p != '=') fail("expected '=' after the value name");
        if (!key_) fail(after_deletion_ ? "a value under a deleted key" : "a value before any [KEY] line");
        ++p;
        while (p != end && leading_blank(*p)) ++p;
        const std::string_view data(p, static_cast<std::size_t>(end - p));
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
            text_[text.size()] = '\0';  // quoted left room for it
            bytes = {reinterpret_cast<const std::uint8_t*>(text_.data()), text.size() + 1};
        } else if (data.substr(0, 6) == "dword:") {
            const std::string_view digits = data.substr(6);
            if (digits.empty() || digits.size() > 8) bad_dword(digits);
            std::uint32_t v = 0;
            if (digits.size() == 8) {  // as exports write them: four pairs
                const unsigned b0 = hex_pair(digits.data()), b1 = hex_pair(digits.data() + 2),
                               b2 = hex_pair(digits.data() + 4), b3 = hex_pair(digits.data() + 6);
                if ((b0 & b1 & b2 & b3 & kHexPairValid) == 0) bad_dword(digits);
                v = (b0 & 0xFF) << 24 | (b1 & 0xFF) << 16 | (b2 & 0xFF) << 8 | (b3 & 0xFF);
            } else {
                int all = 0;  // negative after any byte that is no digit
                for (const char c : digits) {
                    const int digit = hex_digit_value(c);
                    all |= digit;
                    v = v << 4 | static_cast<std::uint32_t>(digit & 0xF);
                }
                if (all < 0) bad_dword(digits);
            }
            for (std::size_t b = 0; b < dword.size(); ++b) dword[b] = static_cast<std::uint8_t>(v >> (8 * b));
            bytes = dword;
            type = reg::Dword;
        } else if (data.substr(0, 3) == "hex") {
            type = hex_value(data.substr(3));
            bytes = {data_.data(), data_length_};
        } else {
            fail("unknown value data " + quote_profile_input(data) + " (expected \"text\", dword:, hex: or -)");
        }
        key_->set_value(name, type, bytes);
    }

    [[noreturn]] void bad_dword(std::string_view digits) const
    {
        fail("dword: needs one to eight hexadecimal digits, not " + quote_profile_input(digits));
    }

    // After "hex": an optional "(TYPE)", a colon, then bytes as two hex
    // digits separated by commas, into data_ (data_length_ of them). The
    // value's type.
    [[gnu::always_inline]] std::uint32_t hex_value(std::string_view data)
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
        while (!data.empty() && leading_blank(data.front())) data.remove_prefix(1);
        std::string_view rest = data;  // its end has no blanks
        // Every byte but the last takes two digits and a comma at least.
        // data_ only grows: it keeps its room from one value to the next.
        // One more for the two-byte stores below.
        if (data_.size() < (rest.size() + 1) / 3 + 1) data_.resize((rest.size() + 1) / 3 + 1);
        std::uint8_t* const out = data_.data();
        std::size_t n = 0;
        // The common "xx,xx,...,xx" without blanks, a byte and its comma at
        // a time while something follows the comma; anything else goes on
        // item by item below from the same place, which sees the same text
        // after a comma however far this loop got.
        const char* at = rest.data();
        const char* const end = at + rest.size();
        if constexpr (kWordScan) {
            // Eight at once: the commas by three word compares, and each byte
            // stored with its table entry's flag above it, which the next
            // store overwrites (the last lands in data_'s spare byte).
            while (end - at >= 25) {
                const std::uint64_t commas = ((load8(at) & 0x0000FF0000FF0000) ^ 0x00002C00002C0000) |
                                             ((load8(at + 8) & 0x00FF0000FF0000FF) ^ 0x002C00002C00002C) |
                                             ((load8(at + 16) & 0xFF0000FF0000FF00) ^ 0x2C00002C00002C00);
                const std::uint16_t p0 = kHexPairs[load2(at)], p1 = kHexPairs[load2(at + 3)],
                                    p2 = kHexPairs[load2(at + 6)], p3 = kHexPairs[load2(at + 9)],
                                    p4 = kHexPairs[load2(at + 12)], p5 = kHexPairs[load2(at + 15)],
                                    p6 = kHexPairs[load2(at + 18)], p7 = kHexPairs[load2(at + 21)];
                if (commas != 0 || (p0 & p1 & p2 & p3 & p4 & p5 & p6 & p7 & kHexPairValid) == 0) break;
                std::uint8_t* const to = out + n;
                std::memcpy(to, &p0, 2);
                std::memcpy(to + 1, &p1, 2);
                std::memcpy(to + 2, &p2, 2);
                std::memcpy(to + 3, &p3, 2);
                std::memcpy(to + 4, &p4, 2);
                std::memcpy(to + 5, &p5, 2);
                std::memcpy(to + 6, &p6, 2);
                std::memcpy(to + 7, &p7, 2);
                n += 8;
                at += 24;
            }
        }
        while (end - at >= 13) {  // four at once, checked together
            const unsigned b0 = hex_pair(at), b1 = hex_pair(at + 3), b2 = hex_pair(at + 6), b3 = hex_pair(at + 9);
            if ((b0 & b1 & b2 & b3 & kHexPairValid) == 0 ||
                ((at[2] ^ ',') | (at[5] ^ ',') | (at[8] ^ ',') | (at[11] ^ ',')) != 0)
                break;
            out[n] = static_cast<std::uint8_t>(b0);
            out[n + 1] = static_cast<std::uint8_t>(b1);
            out[n + 2] = static_cast<std::uint8_t>(b2);
            out[n + 3] = static_cast<std::uint8_t>(b3);
            n += 4;
            at += 12;
        }
        while (end - at >= 4) {
            const unsigned b = hex_pair(at);
            if ((b & kHexPairValid) == 0 || at[2] != ',') break;
            out[n++] = static_cast<std::uint8_t>(b);
            at += 3;
        }
        if (end - at == 2 && (hex_pair(at) & kHexPairValid)) {
            out[n++] = static_cast<std::uint8_t>(hex_pair(at));
            at += 2;
        }
        rest = std::string_view(at, static_cast<std::size_t>(end - at));
        while (!rest.empty()) {
            const std::size_t comma = rest.find(',');
            const std::string_view item = trim(rest.substr(0, comma));
            if (item.size() != 2 || !is_hex_digit(item[0]) || !is_hex_digit(item[1]))
                fail(item.empty() ? "truncated hex list" : "bad hex byte " + quote_profile_input(item));
            out[n++] = static_cast<std::uint8_t>(hex_number(item));
            if (comma == std::string_view::npos) break;
            rest = rest.substr(comma + 1);
            if (trim(rest).empty()) fail("truncated hex list: it ends with a comma");
        }
        const bool text_type = type == reg::Sz || type == reg::ExpandSz || type == reg::MultiSz;
        if (unicode_ && text_type) {
            // A 5.00 export writes text types as UTF-16LE; the ANSI calls see them converted.
            if (n % 2) fail("hex(" + std::to_string(type) + ") text with an odd number of bytes");
            for (std::size_t b = 0; b < n; b += 2) {
                const auto u = static_cast<char16_t>(out[b] | out[b + 1] << 8);
                out[b / 2] = static_cast<std::uint8_t>(u < 0x80 ? static_cast<char>(u) : utf16_to_ansi(u));
            }
            n /= 2;
        }
        data_length_ = n;
        return type;
    }

    // The quoted name at the start of t: most have no escapes and are read
    // where they stand; i ends just after the closing quote.
    [[gnu::always_inline]] std::string_view quoted_name(std::string_view t, std::size_t& i)
    {
        const char* const end = t.data() + t.size();
        const char* const close = find_quote_or_backslash(t.data() + 1, end);
        if (close == end || *close != '"') return escaped_name(t, i);
        i = static_cast<std::size_t>(close + 1 - t.data());
        return std::string_view(t.data() + 1, static_cast<std::size_t>(close - t.data() - 1));
    }

    [[gnu::noinline]] std::string_view escaped_name(std::string_view t, std::size_t& i) { return quoted(t, i, name_); }

    // How far bytes may be read from line t on: to the end of the piece
    // split_lines holds, where t lies in it, else to t's end.
    const char* readable_end(std::string_view t) const
    {
        const std::less<const char*> before;
        return !before(t.data(), piece_begin_) && before(t.data(), piece_end_) ? piece_end_ : t.data() + t.size();
    }

    // The quoted text starting at t[i] == '"', with \\ and \" escapes, written
    // to buffer, with room after it for one more byte; i ends just after the
    // closing quote. buffer only grows, keeping its room from line to line.
    [[gnu::always_inline]] std::string_view quoted(std::string_view t, std::size_t& i, std::string& buffer) const
    {
        if (buffer.size() < t.size() + 1) buffer.resize(t.size() + 1);
        const char* p = t.data() + i + 1;
        const char* const end = t.data() + t.size();
        char* const out = buffer.data();
        char* w = out;
        for (;;) {
            copy_to_quote_or_backslash(p, end, w);
            if (p == end) fail("missing closing quote");
            if (*p == '"') break;
            if (end - p < 2 || (p[1] != '\\' && p[1] != '"'))
                fail("a backslash in quotes must be written \\\\ (or \\\" for a quote)");
            *w++ = p[1];
            p += 2;
        }
        i = static_cast<std::size_t>(p + 1 - t.data());
        return std::string_view(out, static_cast<std::size_t>(w - out));
    }

    std::string file_;
    std::uint64_t total_ = 0;
    std::uint64_t read_ = 0;
    bool started_ = false;
    Encoding encoding_ = Encoding::Plain;
    bool have_odd_byte_ = false;
    unsigned char odd_byte_ = 0;
    bool after_high_ = false;
    bool may_hold_nul_ = false;  // plain text cannot: NUL bytes are refused

    const char* piece_begin_ = nullptr;  // the piece split_lines is cutting, if any
    const char* piece_end_ = nullptr;
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
        std::size_t end;  // of the name in path_view_
    };
    std::string last_root_text_;  // the hive as the last key line spelled it
    std::optional<HiveRoot> last_root_;
    std::optional<Hive> path_hive_;  // unset: no path to reuse
    std::size_t path_root_end_ = 0;  // the hive's name in path_view_
    std::vector<PathPart> path_;     // the keys of the last key line's names
    std::string_view path_view_;     // that line from the hive's name on, in the piece or path_text_
    std::string path_text_;          // the last key line's text kept beyond its piece
    // Reused for every value line.
    std::string name_;  // a value name
    std::string text_;  // a text value and its NUL
    std::vector<std::uint8_t> data_;
    std::size_t data_length_ = 0;
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
