// Reading .reg exports as Windows' registry editor imports them: a table of
// rules (tests/cases/reg_import.txt), each read as REGEDIT4, as a UTF-16 5.00
// export and as UTF-8, whole and in blocks, giving exactly the values (and
// the keys that hold nothing) or the refusal with its line in
// reg_import.expected; so are exports no rule can write and bytes that are no
// registry file. Then the size limit and what messages quote.
#include "platform/simulated/reg_file.hpp"
#include "platform/simulated/reg_writer.hpp"
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

// A rule's file from its lines in tests/cases/reg_import.txt, as code units:
// each line ends in CR LF unless it ends in {EOF}; {CR}, {LF}, {xHH} and
// {uHHHH} stand for units.
std::u16string rule_units(const std::vector<std::string>& lines)
{
    std::u16string out;
    for (const std::string& line : lines) {
        std::size_t i = 0;
        for (; i < line.size(); ++i) {
            const std::size_t digits = line.compare(i, 2, "{x") == 0 ? 2 : line.compare(i, 2, "{u") == 0 ? 4 : 0;
            if (line.compare(i, 5, "{EOF}") == 0) break;
            if (line.compare(i, 4, "{CR}") == 0) out += u'\r', i += 3;
            else if (line.compare(i, 4, "{LF}") == 0) out += u'\n', i += 3;
            else if (digits && line.compare(i + 2 + digits, 1, "}") == 0)
                out += static_cast<char16_t>(std::stoi(line.substr(i + 2, digits), nullptr, 16)), i += digits + 2;
            else out += static_cast<unsigned char>(line[i]);
        }
        if (i == line.size()) out += u"\r\n";
    }
    return out;
}

// Each rule reads the same from every encoding (UTF-8 with its mark, and the
// 5.00 header in UTF-16 where no hex(...) type would change), whole or a few
// bytes at a time, cut anywhere (inside a UTF-8 sequence, a UTF-16 unit or
// surrogate pair, a CR LF); what it gives is in reg_import.expected. A rule
// whose first line is {UTF-16} is a 5.00 export of the units that follow, one
// whose first line is {AS IS} the bytes that follow: each is read as it is.
TEST(RegImport, EveryRuleAsWindowsRegistryEditorDoes)
{
    const std::filesystem::path cases = std::filesystem::path(PRESTOVA_SOURCE_DIR) / "tests" / "cases";
    prestova::testing::ExpectedOutputs expected(cases / "reg_import.expected");
    const auto rules = prestova::testing::read_named_blocks(cases / "reg_import.txt").blocks;
    ASSERT_FALSE(rules.empty());
    const TempFolder dir;
    for (const auto& [rule, lines] : rules) {
        const bool utf16 = lines.at(0) == "{UTF-16}", as_is = utf16 || lines[0] == "{AS IS}";
        const std::u16string units = rule_units({lines.begin() + as_is, lines.end()});
        const std::string text = utf16 ? utf16_file(units) : std::string(units.begin(), units.end());
        std::vector<std::string> texts = {text};
        if (!as_is) texts.push_back("\xEF\xBB\xBF" + text);
        if (!as_is && text.find("hex(") == std::string::npos) {
            std::string five = text;
            if (five.starts_with("REGEDIT4")) five.replace(0, 8, "Windows Registry Editor Version 5.00");
            texts.push_back(utf16_file(std::u16string(five.begin(), five.end())));  // each byte a unit of its own
        }
        const std::string first = outcome([&] { return parse_reg_text(text, "bad.reg"); });
        expected.check(rule, first);
        if (!first.starts_with("refused: ")) {  // what was read is written, as expected, and reads back the same
            const std::string written = write_reg_text(parse_reg_text(text, "bad.reg"));
            std::string shown;
            for (const char c : written) shown += c == '\r' ? std::string("\\r") : std::string(1, c);
            expected.check(rule + ", written", shown);
            EXPECT_EQ(outcome([&] { return parse_reg_text(written, "written.reg"); }), first) << rule << " written";
        }
        for (const std::string& variant : texts) {
            const auto path = dir.write("bad.reg", variant);
            for (std::size_t block = 1; block <= 10; ++block)
                EXPECT_EQ(outcome([&] { return *read_reg_file(path, "bad.reg", block < 10 ? block : 1 << 20); }), first)
                    << rule << ", block " << block << " of " << variant.size();
            EXPECT_EQ(outcome([&] { return parse_reg_text(variant, "bad.reg"); }), first) << rule;
        }
    }
    EXPECT_FALSE(read_reg_file(dir.file("absent.reg"), "absent.reg"));
    EXPECT_FALSE(read_reg_file(dir.path(), "a folder"));
}

std::string refusal(const std::string& text)
{
    return outcome([&] { return parse_reg_text(text, "bad.reg"); });
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
