// Reading .reg exports: both headers, the three encodings, every value
// type, deletions, the HKEY_CLASSES_ROOT alias, and each malformed input
// refused with its file and line.
#include "platform/simulated/reg_file.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using namespace prestova;

namespace {

using Bytes = std::vector<std::uint8_t>;

// The file regedit 5.00 writes: UTF-16LE with its byte-order mark.
std::string utf16_file(std::u16string_view text)
{
    std::string out = "\xFF\xFE";
    for (char16_t unit : text) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

const StoredValue* find(RegistryTree& tree, std::string_view key, std::string_view name)
{
    RegKey* k = tree.find(*parse_key_name(key));
    return k ? k->find_value(name) : nullptr;
}

Bytes data(RegistryTree& tree, std::string_view key, std::string_view name, std::uint32_t expected_type)
{
    const StoredValue* v = find(tree, key, name);
    if (!v) {
        ADD_FAILURE() << key << " " << name << " is missing";
        return {};
    }
    EXPECT_EQ(v->type(), expected_type) << key << " " << name;
    return Bytes(v->data().begin(), v->data().end());
}

Bytes text_bytes(std::string_view s) { return Bytes(s.begin(), s.end()); }
// REG_SZ data: the text and its terminating NUL.
Bytes sz(std::string_view s)
{
    Bytes b = text_bytes(s);
    b.push_back(0);
    return b;
}

} // namespace

TEST(RegFile, Regedit4KeepsEveryValueTypeAsItsBytes)
{
    RegistryTree t = parse_reg_text("; exported\r\n\r\nREGEDIT4\r\n\r\n"
                                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\r\n"
                                    "@=\"default\"\r\n"
                                    "\"Text\"=\"C:\\\\Program Files\\\\\\\"quoted\\\"\"\r\n"
                                    "\"Empty\"=\"\"\r\n"
                                    "\"Number\"=dword:0000c80A\r\n"
                                    "\"Short\"=dword:7\r\n"
                                    "\"Binary\"=hex:01,ff,00\r\n"
                                    "\"NoBytes\"=hex:\r\n"
                                    "\"Expand\"=hex(2):25,41,25,00\r\n"
                                    "\"Multi\"=hex(7):61,00,62,00,00\r\n"
                                    "\"Quad\"=hex(b):01,02,03,04,05,06,07,08\r\n"
                                    "\"NoNul\"=hex(1):41,42\r\n"
                                    "\"Inside\"=hex(1):41,00,42,00\r\n"
                                    "\"Odd\"=hex(4a):09\r\n"
                                    "  \"Spaced\" = \"x\"  \r\n",
                                    "test.reg");
    const char* key = "HKLM\\Software\\test";
    EXPECT_EQ(data(t, key, "", reg::Sz), sz("default"));
    EXPECT_EQ(data(t, key, "text", reg::Sz), sz("C:\\Program Files\\\"quoted\""));
    EXPECT_EQ(data(t, key, "Empty", reg::Sz), Bytes{0});
    EXPECT_EQ(data(t, key, "Number", reg::Dword), (Bytes{0x0A, 0xC8, 0, 0}));
    EXPECT_EQ(data(t, key, "Short", reg::Dword), (Bytes{7, 0, 0, 0}));
    EXPECT_EQ(data(t, key, "Binary", reg::Binary), (Bytes{1, 0xFF, 0}));
    EXPECT_EQ(data(t, key, "NoBytes", reg::Binary), Bytes{});
    EXPECT_EQ(data(t, key, "Expand", reg::ExpandSz), sz("%A%"));
    EXPECT_EQ(data(t, key, "Multi", reg::MultiSz), (Bytes{'a', 0, 'b', 0, 0}));
    EXPECT_EQ(data(t, key, "Quad", reg::Qword), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(data(t, key, "NoNul", reg::Sz), text_bytes("AB"));
    EXPECT_EQ(data(t, key, "Inside", reg::Sz), (Bytes{'A', 0, 'B', 0}));
    EXPECT_EQ(data(t, key, "Odd", 0x4A), Bytes{9});
    EXPECT_EQ(data(t, key, "Spaced", reg::Sz), (Bytes{'x', 0}));
    EXPECT_EQ(find(t, key, "Text")->name(), "Text");  // the case is kept
    EXPECT_EQ(t.find(*parse_key_name("HKLM\\SOFTWARE\\TEST"))->name(), "Test");
}

TEST(RegFile, Utf16ExportConvertsTextAndTextTypesToTheCodePage)
{
    RegistryTree t = parse_reg_text(utf16_file(u"Windows Registry Editor Version 5.00\r\n\r\n"
                                               u"[HKEY_CURRENT_USER\\Caf\u00E9]\r\n"
                                               u"\"Owner\"=\"Zo\u00EB \u20AC \u4E2D\"\r\n"
                                               u"\"Path\"=hex(2):25,00,e9,00,25,00,00,00\r\n"
                                               u"\"List\"=hex(7):61,00,00,00,ac,20,00,00,00,00\r\n"
                                               u"\"Raw\"=hex:61,00,62,00\r\n"
                                               u"\"Long\"=hex:01,02,\\\r\n"
                                               u"    03,04,\\\r\n"
                                               u"  05\r\n"),
                                    "xp.reg");
    const char* key = "HKEY_CURRENT_USER\\Caf\xE9";
    EXPECT_EQ(data(t, key, "Owner", reg::Sz), sz("Zo\xEB \x80 ?"));
    EXPECT_EQ(data(t, key, "Path", reg::ExpandSz), (Bytes{'%', 0xE9, '%', 0}));
    EXPECT_EQ(data(t, key, "List", reg::MultiSz), (Bytes{'a', 0, 0x80, 0, 0}));
    EXPECT_EQ(data(t, key, "Raw", reg::Binary), (Bytes{'a', 0, 'b', 0}));  // binary stays as written
    EXPECT_EQ(data(t, key, "Long", reg::Binary), (Bytes{1, 2, 3, 4, 5}));
}

TEST(RegFile, Utf8FileWithItsMarkIsConvertedToTheCodePage)
{
    RegistryTree t = parse_reg_text("\xEF\xBB\xBFREGEDIT4\n[HKCU\\X]\n\"N\"=\"Caf\xC3\xA9\"\n", "u8.reg");
    EXPECT_EQ(data(t, "HKCU\\X", "N", reg::Sz), sz("Caf\xE9"));
}

TEST(RegFile, ClassesRootIsSoftwareClassesOfTheLocalMachine)
{
    RegistryTree t = parse_reg_text("REGEDIT4\n"
                                    "[HKEY_CLASSES_ROOT\\.pdf]\n@=\"AcroExch.Document\"\n"
                                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.swf]\n@=\"ShockwaveFlash.ShockwaveFlash\"\n"
                                    "[HKCR\\.zip]\n@=\"WinZip\"\n"
                                    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES\\.zip]\n",
                                    "alias.reg");
    EXPECT_NE(find(t, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.pdf", ""), nullptr);
    EXPECT_NE(find(t, "HKEY_CLASSES_ROOT\\.swf", ""), nullptr);
    EXPECT_EQ(t.find(*parse_key_name("HKCR\\.zip")), nullptr);
}

TEST(RegFile, DeletionsRemoveKeysWithTheirSubkeysAndSingleValues)
{
    RegistryTree t = parse_reg_text("REGEDIT4\n"
                                    "[HKLM\\SOFTWARE\\A\\B\\C]\n\"v\"=\"1\"\n"
                                    "[HKLM\\SOFTWARE\\Keep]\n@=\"d\"\n\"gone\"=dword:1\n\"stays\"=dword:2\n"
                                    "[-HKLM\\SOFTWARE\\a\\b]\n"
                                    "[-HKLM\\SOFTWARE\\Never\\There]\n"
                                    "[HKLM\\SOFTWARE\\Keep]\n\"GONE\"=-\n@=-\n",
                                    "del.reg");
    EXPECT_NE(t.find(*parse_key_name("HKLM\\SOFTWARE\\A")), nullptr);
    EXPECT_EQ(t.find(*parse_key_name("HKLM\\SOFTWARE\\A\\B")), nullptr);
    EXPECT_EQ(find(t, "HKLM\\SOFTWARE\\Keep", "gone"), nullptr);
    EXPECT_EQ(find(t, "HKLM\\SOFTWARE\\Keep", ""), nullptr);
    EXPECT_NE(find(t, "HKLM\\SOFTWARE\\Keep", "stays"), nullptr);
}

TEST(RegFile, EveryHiveAndItsAbbreviation)
{
    RegistryTree t = parse_reg_text("REGEDIT4\n[HKU\\.DEFAULT]\n[HKEY_USERS\\S-1]\n[HKCC\\System]\n"
                                    "[HKEY_CURRENT_CONFIG\\Software]\n[hkey_current_user\\Console]\n",
                                    "hives.reg");
    EXPECT_EQ(t.hive(Hive::Users).subkey_count(), 2u);
    EXPECT_EQ(t.hive(Hive::CurrentConfig).subkey_count(), 2u);
    EXPECT_NE(t.hive(Hive::CurrentUser).find_subkey("CONSOLE"), nullptr);
}

struct BadReg {
    std::string text;
    std::string where;  // "bad.reg:LINE: " or "bad.reg: "
    std::string message;
};

class RegFileRefuses : public ::testing::TestWithParam<BadReg> {};

TEST_P(RegFileRefuses, NamingTheFileAndLine)
{
    try {
        parse_reg_text(GetParam().text, "bad.reg");
        FAIL() << "accepted: " << GetParam().text;
    } catch (const ProfileError& e) {
        const std::string what = e.what();
        EXPECT_EQ(what.rfind(GetParam().where, 0), 0u) << what;
        EXPECT_NE(what.find(GetParam().message), std::string::npos) << what;
    }
}

const std::string k4 = "REGEDIT4\n";
INSTANTIATE_TEST_SUITE_P(
    Malformed, RegFileRefuses,
    ::testing::Values(BadReg{"", "bad.reg: ", "not a registry file"}, BadReg{"; only a comment\n", "bad.reg: ", "not a registry file"},
                      BadReg{"\n[HKLM\\X]\n", "bad.reg:2: ", "first line must be"},
                      BadReg{"Windows Registry Editor Version 4.00\n", "bad.reg:1: ", "first line must be"},
                      BadReg{k4 + "\"v\"=\"x\"\n", "bad.reg:2: ", "before any [KEY]"},
                      BadReg{k4 + "[-HKLM\\A]\n\"v\"=\"x\"\n", "bad.reg:3: ", "under a deleted key"},
                      BadReg{k4 + "[HKLM\\A]\nplain words\n", "bad.reg:3: ", "expected [KEY]"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"\n", "bad.reg:3: ", "expected '='"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=\"x\n", "bad.reg:3: ", "missing closing quote"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=\"C:\\Windows\"\n", "bad.reg:3: ", "backslash"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=\"x\" trailing\n", "bad.reg:3: ", "after the closing quote"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=word:1\n", "bad.reg:3: ", "unknown value data"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=\n", "bad.reg:3: ", "unknown value data"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=dword:123456789\n", "bad.reg:3: ", "dword"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=dword:12g4\n", "bad.reg:3: ", "dword"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=dword:\n", "bad.reg:3: ", "dword"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=hex:01,02,\n", "bad.reg:3: ", "truncated hex list"},
                      BadReg{k4 + "[HKLM\\A]\n\n\"v\"=hex:01,\\\n", "bad.reg:4: ", "truncated hex list"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=hex:01,,02\n", "bad.reg:3: ", "truncated hex list"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=hex:1,02\n", "bad.reg:3: ", "bad hex byte"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=hex:0x1\n", "bad.reg:3: ", "bad hex byte"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=hex(zz):01\n", "bad.reg:3: ", "hex(...)"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=hex(2:01\n", "bad.reg:3: ", "hex(...)"},
                      BadReg{k4 + "[HKLM\\A]\n\"v\"=hex 01\n", "bad.reg:3: ", "expected ':'"},
                      BadReg{"Windows Registry Editor Version 5.00\n[HKLM\\A]\n\"v\"=hex(2):41,00,42\n", "bad.reg:3: ", "odd number"},
                      BadReg{k4 + "[HKEY_LOCAL_MACHNE\\SOFTWARE]\n", "bad.reg:2: ", "unknown hive"},
                      BadReg{k4 + "[]\n", "bad.reg:2: ", "unknown hive"},
                      BadReg{k4 + "[HKLM\\SOFTWARE\n", "bad.reg:2: ", "must end with ']'"},
                      BadReg{k4 + "[-HKEY_CLASSES_ROOT\\.pdf]\n[-HKLM]\n", "bad.reg:3: ", "whole hive"},
                      BadReg{"\xFE\xFF", "bad.reg: ", "big-endian"},
                      BadReg{"\xFF\xFEW\0x", "bad.reg: ", "odd number of bytes"},
                      BadReg{std::string("R\0E\0", 4), "bad.reg: ", "NUL bytes"}));

namespace {

std::string refusal(const std::string& text)
{
    try {
        parse_reg_text(text, "bad.reg");
    } catch (const ProfileError& e) {
        return e.what();
    }
    ADD_FAILURE() << "accepted";
    return {};
}

std::string key_of_depth(std::size_t depth, const std::string& hive = "HKEY_CURRENT_USER")
{
    std::string key = "[" + hive;
    for (std::size_t i = 0; i < depth; ++i) key += "\\k";
    return key + "]\n";
}

using prestova::testing::TempFolder;

} // namespace

// Windows' own limits: 512 levels below the hive, 255 characters in a key
// name, 16,383 in a value name. HKEY_CLASSES_ROOT is two levels down.
TEST(RegFileLimits, AreWindowsOwn)
{
    RegistryTree deepest = parse_reg_text(k4 + key_of_depth(512) + "\"v\"=dword:1\n", "ok.reg");
    EXPECT_NE(deepest.find(KeyName{Hive::CurrentUser, std::vector<std::string>(512, "k")}), nullptr);
    for (const std::string& text :
         {k4 + key_of_depth(513), k4 + key_of_depth(511, "HKCR"), k4 + "[-" + key_of_depth(513).substr(1)}) {
        const std::string what = refusal(text);
        EXPECT_EQ(what.rfind("bad.reg:2: the key '", 0), 0u) << what.substr(0, 300);
        EXPECT_NE(what.find("more than 512 levels deep"), std::string::npos) << what.substr(0, 300);
        EXPECT_LT(what.size(), 300u);
    }
    EXPECT_NO_THROW(parse_reg_text(k4 + key_of_depth(510, "HKCR"), "ok.reg"));

    const std::string name255(255, 'n');
    RegistryTree t = parse_reg_text(k4 + "[HKLM\\" + name255 + "]\n\"" + std::string(16383, 'v') + "\"=\"x\"\n", "ok.reg");
    ASSERT_NE(t.find(*parse_key_name("HKLM\\" + name255)), nullptr);
    EXPECT_NE(t.find(*parse_key_name("HKLM\\" + name255))->find_value(std::string(16383, 'V')), nullptr);

    std::string what = refusal(k4 + "[HKLM\\A\\" + name255 + "n\\B]\n");
    EXPECT_EQ(what.rfind("bad.reg:2: the key name 'nnn", 0), 0u) << what;
    EXPECT_NE(what.find("is 256 characters long; Windows allows at most 255"), std::string::npos) << what;
    what = refusal(k4 + "[HKLM\\A]\n\n\"" + std::string(16384, 'v') + "\"=dword:1\n");
    EXPECT_EQ(what.rfind("bad.reg:4: the value name 'vvv", 0), 0u) << what;
    EXPECT_NE(what.find("is 16384 characters long; Windows allows at most 16383"), std::string::npos) << what;
    EXPECT_LT(what.size(), 300u);
}

// A .reg file has no way to write a NUL in a name, and the ANSI calls could
// not hand one over: such a name is refused where it is read.
TEST(RegFileNames, WithANulAreRefused)
{
    std::string what = refusal(utf16_file(std::u16string(u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\a") +
                                          u'\0' + u"b]\r\n"));
    EXPECT_EQ(what, "bad.reg:2: the key name 'a\\x00b' holds a NUL character, which a .reg file cannot carry");
    what = refusal(utf16_file(std::u16string(u"Windows Registry Editor Version 5.00\r\n[HKCU\\a]\r\n\r\n\"x") + u'\0' +
                              u"y\"=\"data\"\r\n"));
    EXPECT_EQ(what, "bad.reg:4: the value name 'x\\x00y' holds a NUL character, which a .reg file cannot carry");
    const char utf8[] = "\xEF\xBB\xBFREGEDIT4\n[HKCU\\a]\n@=\"\"\n\"n\0\"=dword:1\n";
    what = refusal(std::string(utf8, sizeof utf8 - 1));
    EXPECT_NE(what.find("bad.reg:4: the value name 'n\\x00'"), std::string::npos) << what;
    // In data a NUL is just a byte.
    RegistryTree t = parse_reg_text(
        utf16_file(std::u16string(u"Windows Registry Editor Version 5.00\r\n[HKCU\\a]\r\n\"x\"=\"1") + u'\0' + u"2\"\r\n"),
        "ok.reg");
    EXPECT_EQ(data(t, "HKCU\\a", "x", reg::Sz), (Bytes{'1', 0, '2', 0}));
}

// Whatever a line holds, a message quotes a bounded, terminal-safe piece.
TEST(RegFileMessages, QuoteABoundedPieceOfTheLine)
{
    const std::string garbage = "\x1b]0;owned\x07\x1b[2J" + std::string(8 * 1024 * 1024, 'x');
    for (const std::string& text : {garbage, k4 + "[HKLM\\A]\n" + garbage, k4 + "[HKLM\\A]\n\"v\"=" + garbage,
                                    k4 + "[HKLM\\A]\n\"v\"=dword:" + garbage, k4 + "[" + garbage + "]\n",
                                    k4 + "[HKLM\\A]\n\"v\"=hex:01," + garbage}) {
        const std::string what = refusal(text);
        EXPECT_LT(what.size(), 400u) << what.substr(0, 400);
        EXPECT_EQ(what.find('\x1b'), std::string::npos) << what.substr(0, 400);
        EXPECT_EQ(what.find('\x07'), std::string::npos) << what.substr(0, 400);
        EXPECT_NE(what.find("more bytes cut)"), std::string::npos) << what.substr(0, 400);
    }
    // The code page's letters read as letters.
    EXPECT_NE(refusal(k4 + "[HKLM\\A]\nD\xE9pt\n").find("not 'D\xC3\xA9pt'"), std::string::npos);
}

// The file is read in blocks (of 1 MiB, here of 1 to 40 bytes): a line, a
// UTF-16 unit, a surrogate pair, a UTF-8 sequence or a continued hex list
// cut at a block's end reads as it does whole.
TEST(RegFileReading, InBlocksGivesWhatTheWholeTextGives)
{
    const TempFolder dir;
    const std::string texts[] = {
        utf16_file(u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\Caf\u00E9 \U0001F600]\r\n"
                   u"\"Name\"=\"Zo\u00EB\"\r\n\"Long\"=hex:01,02,\\\r\n  03,04\r\n"),
        "\xEF\xBB\xBFREGEDIT4\n[HKEY_CURRENT_USER\\Caf\xC3\xA9 \xF0\x9F\x98\x80]\r\n\"Name\"=\"Zo\xC3\xAB\"\r\n"
        "\"Long\"=hex:01,02,\\\r\n  03,04",
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Caf\xE9 ?]\n\"Name\"=\"Zo\xEB\"\n\"Long\"=hex:01,02,\\\n  03,04\n\n"};
    for (const std::string& text : texts) {
        const auto path = dir.write("blocks.reg", text);
        for (std::size_t block = 1; block <= 40; ++block) {
            std::optional<RegistryTree> read = read_reg_file(path, "blocks.reg", block);
            ASSERT_TRUE(read);
            EXPECT_EQ(data(*read, "HKCU\\Caf\xE9 ?", "Name", reg::Sz), sz("Zo\xEB")) << block << " " << text;
            EXPECT_EQ(data(*read, "HKCU\\Caf\xE9 ?", "Long", reg::Binary), (Bytes{1, 2, 3, 4})) << block;
        }
        RegistryTree whole = parse_reg_text(text, "blocks.reg");
        EXPECT_EQ(data(whole, "HKCU\\Caf\xE9 ?", "Long", reg::Binary), (Bytes{1, 2, 3, 4}));
    }
    // Errors name the same line either way.
    const auto bad = dir.write("bad.reg", "REGEDIT4\n;\xEF\xBB\xBF\n[HKLM\\A]\nbroken\n");
    for (std::size_t block : {1, 3, 1 << 20}) {
        try {
            read_reg_file(bad, "bad.reg", block);
            ADD_FAILURE() << "accepted";
        } catch (const ProfileError& e) {
            EXPECT_EQ(std::string(e.what()), "bad.reg:4: expected [KEY], @=VALUE or \"NAME\"=VALUE, not 'broken'");
        }
    }
    EXPECT_FALSE(read_reg_file(dir.file("absent.reg"), "absent.reg"));
    EXPECT_FALSE(read_reg_file(dir.path(), "a folder"));
}

// More than 1 GiB is refused before a byte is read (the file here is
// sparse: it takes no room on the disk).
TEST(RegFileReading, RefusesAFileOverItsLimit)
{
    const TempFolder dir;
    const auto path = dir.write("huge.reg", "REGEDIT4\n");
    std::filesystem::resize_file(path, kMaxRegFileBytes + 1);
    try {
        read_reg_file(path, "huge.reg");
        ADD_FAILURE() << "accepted";
    } catch (const ProfileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "huge.reg: the file is 1073741825 bytes long; registry files of at most 1073741824 bytes (1 GiB) "
                  "are read");
    }
    std::filesystem::resize_file(path, kMaxRegFileBytes);  // the limit itself is read
    try {
        read_reg_file(path, "huge.reg");
        ADD_FAILURE() << "accepted";
    } catch (const ProfileError& e) {
        EXPECT_NE(std::string(e.what()).find("NUL bytes"), std::string::npos) << e.what();
    }
}
