// Reading .reg exports as Windows' registry editor imports them: a table of
// rules (tests/cases/reg_import.txt), each read as REGEDIT4, as a UTF-16 5.00
// export and as UTF-8, whole and in blocks, giving exactly the values (and
// the keys that hold nothing) or the refusal with its line in
// reg_import.expected, as are exports no rule can write. Then the bytes
// that are no registry file, the size limit and what messages quote.
#include "platform/simulated/reg_file.hpp"
#include "expected_outputs.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace prestova;
using prestova::testing::TempFolder;
using namespace std::string_literals;

namespace {

// What a file gives: every value, one a line (key, name, type, bytes) with
// keys in enumeration order, and each key that holds nothing; or the refusal.
std::string outcome(const std::function<RegistryTree()>& read)
{
    RegistryTree tree;
    try {
        tree = read();
    } catch (const ProfileError& e) {
        return std::string("refused: ").append(e.what()).append("\n");
    }
    std::string out;
    for (const Hive h : {Hive::LocalMachine, Hive::CurrentUser, Hive::Users, Hive::CurrentConfig}) {
        std::vector<std::pair<const RegKey*, std::string>> todo;
        if (const RegKey* root = tree.find_hive(h)) todo.emplace_back(root, hive_name(h));
        while (!todo.empty()) {
            const auto [key, path] = todo.back();
            todo.pop_back();
            if (key->value_count() == 0 && key->subkey_count() == 0) out += path + " holds nothing\n";
            for (std::size_t i = 0; i < key->value_count(); ++i) {
                const StoredValue& v = key->value_at(i);
                out += path + " \"" + std::string(v.name()) + "\" " + std::to_string(v.type()) + " ";
                for (std::size_t b = 0; b < v.data().size(); ++b) {
                    char hex[4];
                    std::snprintf(hex, sizeof hex, "%02x", v.data()[b]);
                    out.append(b ? "," : "").append(hex);
                }
                out += v.data().empty() ? "no bytes\n" : "\n";
            }
            for (std::size_t i = key->subkey_count(); i-- > 0;)
                todo.emplace_back(&key->subkey_at(i), path + "\\" + std::string(key->subkey_at(i).name()));
        }
    }
    return out.empty() ? "no values\n" : out;
}

// The file regedit 5.00 writes: UTF-16LE with its byte-order mark.
std::string utf16_file(std::u16string_view text)
{
    std::string out = "\xFF\xFE";
    for (const char16_t unit : text) out.append({static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)});
    return out;
}

const std::string k4 = "REGEDIT4\r\n";
const std::string kA = k4 + "[HKEY_LOCAL_MACHINE\\A]\r\n";  // values go to line 3 on

// A rule's file from its lines in tests/cases/reg_import.txt: each line ends
// in CR LF unless it ends in {EOF}; {CR}, {LF} and {xHH} stand for bytes.
std::string rule_file(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines) {
        std::size_t i = 0;
        for (; i < line.size(); ++i) {
            if (line.compare(i, 5, "{EOF}") == 0) break;
            if (line.compare(i, 4, "{CR}") == 0) out += '\r', i += 3;
            else if (line.compare(i, 4, "{LF}") == 0) out += '\n', i += 3;
            else if (line.compare(i, 2, "{x") == 0 && line.compare(i + 4, 1, "}") == 0)
                out += static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16)), i += 4;
            else out += line[i];
        }
        if (i == line.size()) out += "\r\n";
    }
    return out;
}

// Each rule reads the same from every encoding (UTF-8 with its mark, and the
// 5.00 header in UTF-16 where no hex(...) type would change), whole or a few
// bytes at a time; what it gives is in reg_import.expected, as is what two
// exports give whose letters go to the code page, read cut anywhere (inside
// a UTF-8 sequence, a UTF-16 unit or surrogate pair, a CR LF).
TEST(RegImport, EveryRuleAsWindowsRegistryEditorDoes)
{
    const std::filesystem::path cases = std::filesystem::path(PRESTOVA_SOURCE_DIR) / "tests" / "cases";
    prestova::testing::ExpectedOutputs expected(cases / "reg_import.expected");
    const auto rules = prestova::testing::read_named_blocks(cases / "reg_import.txt").blocks;
    ASSERT_FALSE(rules.empty());
    const TempFolder dir;
    for (const auto& [rule, lines] : rules) {
        const std::string text = rule_file(lines);
        std::vector<std::string> texts = {text, "\xEF\xBB\xBF" + text};
        if (text.find("hex(") == std::string::npos) {
            std::string five = text;
            if (five.starts_with("REGEDIT4")) five.replace(0, 8, "Windows Registry Editor Version 5.00");
            std::u16string units;
            for (const unsigned char c : five) units += c;  // each byte a unit of its own
            texts.push_back(utf16_file(units));
        }
        const std::string first = outcome([&] { return parse_reg_text(text, "bad.reg"); });
        expected.check(rule, first);
        for (const std::string& variant : texts) {
            const auto path = dir.write("bad.reg", variant);
            for (const std::size_t block : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 20})
                EXPECT_EQ(outcome([&] { return *read_reg_file(path, "bad.reg", block); }), first)
                    << rule << ", block " << block << " of " << variant.size();
            EXPECT_EQ(outcome([&] { return parse_reg_text(variant, "bad.reg"); }), first) << rule;
        }
    }
    const std::pair<const char*, std::string> exports[] = {
        {"a UTF-16 export",
         utf16_file(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Caf\u00E9 \U0001F600]\r\n"
                    u"\"Owner\"=\"Zo\u00EB \u20AC \u4E2D \U0001F600\"\r\n"
                    u"\"Path\"=hex(2):25,00,e9,00,25,00,00,00\r\n"
                    u"\"List\"=hex(7):61,00,00,00,ac,20,00,00,00,00\r\n"
                    u"\"Raw\"=hex:61,00,62,00\r\n\"Nul\"=\"1\0002\"\r\n\"Long\"=hex:01,\\\r\n  02\r\n"s)},
        {"a UTF-16 hex(2) text of an odd number of bytes",
         utf16_file(u"Windows Registry Editor Version 5.00\r\n[HKCU\\A]\r\n\"v\"=hex(2):41,00,42\r\n")},
        {"UTF-8 with its mark", "\xEF\xBB\xBFREGEDIT4\n[HKCU\\Caf\xC3\xA9]\n\"N\"=\"Zo\xC3\xAB \xF0\x9F\x98\x80\"\n"},
        // A NUL in a name, which no Windows tool can write into a .reg file and
        // only UTF-16 or UTF-8 can carry (reg_import.txt has the other limits).
        {"a UTF-16 key name holding a NUL",
         utf16_file(u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\a"s + u'\0' + u"b]\r\n")},
        {"a UTF-16 value name holding a NUL",
         utf16_file(u"Windows Registry Editor Version 5.00\r\n[HKCU\\a]\r\n\r\n\"x"s + u'\0' + u"y\"=\"data\"\r\n")},
        {"a UTF-8 value name holding a NUL", "\xEF\xBB\xBFREGEDIT4\n[HKCU\\a]\n\"n\0\"=dword:1\n"s}};
    for (const auto& [name, bytes] : exports) {
        const std::string& text = bytes;  // clang 14 lambdas cannot capture a structured binding
        const std::string first = outcome([&] { return parse_reg_text(text, "xp.reg"); });
        expected.check(name, first);
        const auto path = dir.write("xp.reg", text);
        for (std::size_t block = 1; block <= 9; ++block)
            EXPECT_EQ(outcome([&] { return *read_reg_file(path, "xp.reg", block); }), first) << name << block;
    }
}

std::string refusal(const std::string& text)
{
    return outcome([&] { return parse_reg_text(text, "bad.reg"); });
}

TEST(RegFile, BytesThatAreNoRegistryFile)
{
    const TempFolder dir;
    for (const auto& [bytes, message] :
         {std::pair<std::string, std::string>{
              "\xFE\xFF", "bad.reg: big-endian UTF-16 is not read; save the file as regedit exports it (UTF-16LE)"},
          {"\xFF\xFEW\0x", "bad.reg: UTF-16 file with an odd number of bytes"},
          {"REGEDIT4\r\n" + std::string(3, '\0'),
           "bad.reg: the file holds NUL bytes: UTF-16 needs its byte-order mark (FF FE)"},
          // What comes first is refused, however the file is cut into blocks.
          {"REGEDIT4\r\nbroken\r\n\0"s, "bad.reg:2: expected [KEY], @=VALUE or \"NAME\"=VALUE, not 'broken'"}}) {
        const std::string& text = bytes;  // clang 14 captures no structured binding
        EXPECT_EQ(refusal(text), "refused: " + message + "\n");
        const auto path = dir.write("bad.reg", bytes);
        EXPECT_EQ(outcome([&] { return *read_reg_file(path, "bad.reg", 1); }), "refused: " + message + "\n");
    }
    EXPECT_FALSE(read_reg_file(dir.file("absent.reg"), "absent.reg"));
    EXPECT_FALSE(read_reg_file(dir.path(), "a folder"));
}

// More than 1 GiB is refused before a byte is read (the file is sparse: it
// takes no room on the disk); the limit itself is read.
TEST(RegFile, RefusesAFileOverItsLimit)
{
    const TempFolder dir;
    const auto path = dir.write("huge.reg", "REGEDIT4\n");
    std::filesystem::resize_file(path, kMaxRegFileBytes + 1);
    EXPECT_EQ(outcome([&] { return *read_reg_file(path, "huge.reg"); }),
              "refused: huge.reg: the file is 1073741825 bytes long; registry files of at most 1073741824 bytes (1 "
              "GiB) are read\n");
    std::filesystem::resize_file(path, kMaxRegFileBytes);
    EXPECT_EQ(outcome([&] { return *read_reg_file(path, "huge.reg"); }),
              "refused: huge.reg: the file holds NUL bytes: UTF-16 needs its byte-order mark (FF FE)\n");
}

// Whatever a line holds, a message quotes a bounded, terminal-safe piece.
TEST(RegFile, MessagesQuoteABoundedPieceOfTheLine)
{
    const std::string garbage = "\x1b]0 owned\x07\x1b[2J" + std::string(8 * 1024 * 1024, 'x');
    for (const std::string& text : {garbage, kA + garbage, kA + "\"v\"=" + garbage, kA + "\"v\"=dword:" + garbage,
                                    k4 + "[" + garbage + "]\n", kA + "\"v\"=hex:01," + garbage}) {
        const std::string what = refusal(text);
        EXPECT_LT(what.size(), 400u) << what.substr(0, 400);
        EXPECT_EQ(what.find_first_of("\x1b\x07"), std::string::npos) << what.substr(0, 400);
        EXPECT_NE(what.find("more bytes cut)"), std::string::npos) << what.substr(0, 400);
    }
    EXPECT_NE(refusal(kA + "D\xE9pt\n").find("not 'D\xC3\xA9pt'"),
              std::string::npos);  // the code page's letters as letters
}

}  // namespace
