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

namespace {

// What a REGEDIT4 file with one value line gives: the bytes, or the refusal.
struct ValueForm {
    std::string line;      // the value line(s) under [HKLM\A], its line break(s) included
    std::string expected;  // the bytes, or for a refusal the whole message
    bool refused;
};

void expect_value(const ValueForm& form, std::uint32_t type)
{
    const std::string text = k4 + "[HKLM\\A]\n" + form.line;
    if (form.refused) {
        EXPECT_EQ(refusal(text), form.expected) << form.line;
        return;
    }
    try {
        RegistryTree t = parse_reg_text(text, "ok.reg");
        EXPECT_EQ(data(t, "HKLM\\A", "v", type), text_bytes(form.expected)) << form.line;
    } catch (const ProfileError& e) {
        ADD_FAILURE() << form.line << ": " << e.what();
    }
}

} // namespace

// Hex lists of every length and form, blanks and wrapping included, read
// byte for byte, and each malformed one refused with its own message.
TEST(RegFileHex, ListsOfAnyLengthAndForm)
{
    std::string all17 = "\"v\"=hex:";
    std::string bytes17;
    for (int b = 0; b < 17; ++b) {
        all17 += std::string(b ? "," : "") + std::string(1, "0123456789abcdef"[b >> 4]) + "0123456789abcdef"[b & 15];
        bytes17 += static_cast<char>(b);
    }
    const ValueForm forms[] = {
        {.line = "\"v\"=hex:\n", .expected = "", .refused = false},
        {.line = "\"v\"=hex:01\n", .expected = "\x01", .refused = false},
        {.line = "\"v\"=hex:01,02,03,04\n", .expected = "\x01\x02\x03\x04", .refused = false},
        {.line = "\"v\"=hex:01,02,03,04,05\n", .expected = "\x01\x02\x03\x04\x05", .refused = false},
        {.line = all17 + "\n", .expected = bytes17, .refused = false},
        {.line = "\"v\"=hex:0a,0B,Ff,fF,10,20,30,40,5e\n", .expected = "\x0a\x0b\xff\xff\x10\x20\x30\x40\x5e", .refused = false},
        {.line = "\"v\"=hex:01, 02,03,04,05,06\n", .expected = "\x01\x02\x03\x04\x05\x06", .refused = false},
        {.line = "\"v\"=hex:01,02,03,04 ,05,06\n", .expected = "\x01\x02\x03\x04\x05\x06", .refused = false},
        {.line = "\"v\"=hex:01,02,03,04,05,\t06 \n", .expected = "\x01\x02\x03\x04\x05\x06", .refused = false},
        {.line = "\"v\"=hex:01,02,03,04,05,\\\n  06,07\n", .expected = "\x01\x02\x03\x04\x05\x06\x07", .refused = false},
        {.line = "\"v\"=hex:01,02,03,04,0\\\n  5,06\n", .expected = "\x01\x02\x03\x04\x05\x06", .refused = false},
        {.line = "\"v\"=hex:01,02, \\\n 03\n", .expected = "\x01\x02\x03", .refused = false},
        {.line = "\"v\"=hex:01,02,03,04,05,\n", .expected = "bad.reg:3: truncated hex list: it ends with a comma", .refused = true},
        {.line = "\"v\"=hex:01,02,03,04, \n", .expected = "bad.reg:3: truncated hex list: it ends with a comma", .refused = true},
        {.line = "\"v\"=hex:01,02,03,04,05,06,07,08,09,10,11,12,\n",
         .expected = "bad.reg:3: truncated hex list: it ends with a comma",
         .refused = true},
        {.line = "\"v\"=hex:01,02,03,04,,05,06\n", .expected = "bad.reg:3: truncated hex list", .refused = true},
        {.line = "\"v\"=hex:01,02,03,04,5,06,07,08\n", .expected = "bad.reg:3: bad hex byte '5'", .refused = true},
        {.line = "\"v\"=hex:01,02,03,04,0g,06,07,08,09\n", .expected = "bad.reg:3: bad hex byte '0g'", .refused = true},
        {.line = "\"v\"=hex:01,02,03,04;05,06,07,08\n", .expected = "bad.reg:3: bad hex byte '04;05'", .refused = true},
        {.line = "\"v\"=hex:01,02,03,04,05,06,07,08,09,10,11,12,1\n", .expected = "bad.reg:3: bad hex byte '1'", .refused = true},
        {.line = "\"v\"=hex:01,02,03,04,05,06,07,08,09,10,11,12,123\n", .expected = "bad.reg:3: bad hex byte '123'", .refused = true},
        // Lists of eight items and more: a flaw at each place of the first eight.
        {.line = "\"v\"=hex:01,02,03,04,05,06,07,08,09\n", .expected = "\x01\x02\x03\x04\x05\x06\x07\x08\x09", .refused = false},
        {.line = "\"v\"=hex:01,02,03,04,05,06,07,08\n", .expected = "\x01\x02\x03\x04\x05\x06\x07\x08", .refused = false},
        {.line = "\"v\"=hex:01,02,03,04,05,06,07,08,\n", .expected = "bad.reg:3: truncated hex list: it ends with a comma", .refused = true},
        {.line = "\"v\"=hex:01,02,03,04,05,06,07,08, 09\n", .expected = "\x01\x02\x03\x04\x05\x06\x07\x08\x09", .refused = false},
        {.line = "\"v\"=hex:01,02,03,04,05,06,07, 08,09\n", .expected = "\x01\x02\x03\x04\x05\x06\x07\x08\x09", .refused = false},
        {.line = "\"v\"=hex:01,02,03,04,05,06,07,0x,09\n", .expected = "bad.reg:3: bad hex byte '0x'", .refused = true},
        {.line = "\"v\"=hex:0g,02,03,04,05,06,07,08,09\n", .expected = "bad.reg:3: bad hex byte '0g'", .refused = true},
        {.line = "\"v\"=hex:01,02,03,04,05,06;07,08,09\n", .expected = "bad.reg:3: bad hex byte '06;07'", .refused = true},
        {.line = "\"v\"=hex:01,02,03,04,05,06,07,08;09\n", .expected = "bad.reg:3: bad hex byte '08;09'", .refused = true},
    };
    for (const ValueForm& form : forms) expect_value(form, reg::Binary);
}

// Quoted texts with escapes at every place, the very end included.
TEST(RegFileText, EscapesAnywhereInQuotes)
{
    std::vector<ValueForm> forms = {
        {.line = "\"v\"=\"\"\n", .expected = std::string(1, '\0'), .refused = false},
        {.line = "\"v\"=\"\\\\\"\n", .expected = std::string("\\\0", 2), .refused = false},
        {.line = "\"v\"=\"abc\\\\\"\n", .expected = std::string("abc\\\0", 5), .refused = false},
        {.line = "\"v\"=\"abcdefgh\\\"\"\n", .expected = std::string("abcdefgh\"\0", 10), .refused = false},
        {.line = "\"v\"=\"abc\\\"\n", .expected = "bad.reg:3: missing closing quote", .refused = true},
        {.line = "\"v\"=\"abcdefghijk\n", .expected = "bad.reg:3: missing closing quote", .refused = true},
        {.line = "\"v\"=\"abcdefgh\\\n", .expected = "bad.reg:3: missing closing quote", .refused = true},  // the line goes on
        {.line = "\"v\"=\"abcdefghij\\n\"\n",
         .expected = "bad.reg:3: a backslash in quotes must be written \\\\ (or \\\" for a quote)",
         .refused = true},
        {.line = "\"v\"=\"abcdefghij\" x\n", .expected = "bad.reg:3: unexpected text after the closing quote", .refused = true},
    };
    // One escape, then two in a row, at each place of a text longer than a few words.
    for (std::size_t at = 0; at <= 20; ++at) {
        const std::string before(at, 'x');
        const std::string after(20 - at, 'y');
        forms.push_back({.line = std::string("\"v\"=\"") + before + "\\\"" + after + "\"\n",
                         .expected = before + "\"" + after + std::string(1, '\0'),
                         .refused = false});
        forms.push_back({.line = std::string("\"v\"=\"") + before + "\\\\\\\"" + after + "\"\n",
                         .expected = before + "\\\"" + after + std::string(1, '\0'),
                         .refused = false});
        const std::string name = std::string("\"") + before + "\\\"" + after + "\"=dword:1\n";
        RegistryTree t = parse_reg_text(k4 + "[HKLM\\A]\n" + name, "ok.reg");
        EXPECT_NE(find(t, "HKLM\\A", before + "\"" + after), nullptr) << name;
    }
    for (const ValueForm& form : forms) expect_value(form, reg::Sz);
    RegistryTree t = parse_reg_text(k4 + "[HKLM\\A]\n\"a\\\"b\\\\c 0123456789\"=dword:1\n", "ok.reg");
    EXPECT_NE(find(t, "HKLM\\A", "a\"b\\c 0123456789"), nullptr);
}

// Key lines that start like the one before find the same keys where their
// names are the same, and new ones where a name only starts the same.
TEST(RegFileKeys, LinesSharingTheirStartWithTheOneBefore)
{
    RegistryTree t = parse_reg_text(k4 +
                                        "[HKLM\\SOFTWARE\\V\\P\\1.0]\n\"a\"=dword:1\n"
                                        "[HKLM\\SOFTWARE\\V\\P\\1.0\\Sub]\n\"b\"=dword:1\n"
                                        "[HKLM\\SOFTWARE\\V\\P\\1.0]\n\"c\"=dword:1\n"
                                        "[HKLM\\SOFTWARE\\V\\P\\1.0]\n\"c2\"=dword:1\n"
                                        "[HKLM\\SOFTWARE\\V\\P\\1.00]\n\"d\"=dword:1\n"
                                        "[HKLM\\SOFTWARE\\V\\P]\n\"e\"=dword:1\n"
                                        "[HKLM\\SOFTWARE\\V\\p\\2.0]\n\"f\"=dword:1\n"
                                        "[HKLM\\SOFTWARE\\\\V\\\\\\P\\3.0\\]\n\"g\"=dword:1\n"
                                        "[HKLM]\n\"h\"=dword:1\n"
                                        "[HKLM\\SOFTWARE\\V]\n\"i\"=dword:1\n"
                                        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\V]\n\"j\"=dword:1\n"
                                        "[HKCR\\.pdf]\n\"k\"=dword:1\n"
                                        "[HKCR\\.pdfx]\n\"l\"=dword:1\n"
                                        "[HKCR]\n\"m\"=dword:1\n"
                                        "[HKCR\\.pdf\\Open]\n\"n\"=dword:1\n"
                                        "[-HKLM\\SOFTWARE\\V\\P\\1.0\\Sub]\n"
                                        "[HKLM\\SOFTWARE\\V\\P\\1.0\\Sub]\n\"o\"=dword:1\n"
                                        "[HKCU\\SOFTWARE\\V\\P\\1.0\\Sub]\n\"p\"=dword:1\n"
                                        "[\\HKLM\\SOFTWARE\\V\\P]\n\"q\"=dword:1\n",
                                    "keys.reg");
    const struct {
        const char* key;
        std::vector<std::string> values;
        std::size_t subkeys;
    } expected[] = {
        {.key = "HKLM\\SOFTWARE\\V\\P\\1.0", .values = {"a", "c", "c2"}, .subkeys = 1},
        {.key = "HKLM\\SOFTWARE\\V\\P\\1.0\\Sub", .values = {"o"}, .subkeys = 0},
        {.key = "HKLM\\SOFTWARE\\V\\P\\1.00", .values = {"d"}, .subkeys = 0},
        {.key = "HKLM\\SOFTWARE\\V\\P", .values = {"e", "q"}, .subkeys = 4},
        {.key = "HKLM\\SOFTWARE\\V\\P\\2.0", .values = {"f"}, .subkeys = 0},
        {.key = "HKLM\\SOFTWARE\\V\\P\\3.0", .values = {"g"}, .subkeys = 0},
        {.key = "HKLM", .values = {"h"}, .subkeys = 1},
        {.key = "HKLM\\SOFTWARE\\V", .values = {"i", "j"}, .subkeys = 1},
        {.key = "HKLM\\SOFTWARE\\Classes", .values = {"m"}, .subkeys = 2},
        {.key = "HKLM\\SOFTWARE\\Classes\\.pdf", .values = {"k"}, .subkeys = 1},
        {.key = "HKLM\\SOFTWARE\\Classes\\.pdfx", .values = {"l"}, .subkeys = 0},
        {.key = "HKLM\\SOFTWARE\\Classes\\.pdf\\Open", .values = {"n"}, .subkeys = 0},
        {.key = "HKCU\\SOFTWARE\\V\\P\\1.0\\Sub", .values = {"p"}, .subkeys = 0},
    };
    for (const auto& e : expected) {
        const RegKey* key = t.find(*parse_key_name(e.key));
        ASSERT_NE(key, nullptr) << e.key;
        EXPECT_EQ(key->value_count(), e.values.size()) << e.key;
        for (const std::string& name : e.values) EXPECT_NE(key->find_value(name), nullptr) << e.key << " " << name;
        EXPECT_EQ(key->subkey_count(), e.subkeys) << e.key;
    }
    EXPECT_EQ(t.hive(Hive::LocalMachine).find_subkey("SOFTWARE")->subkey_count(), 2u);  // V and Classes
}

// UTF-16 text goes to the code page many units at a time: a unit beyond
// ASCII, a NUL or a surrogate pair at any place in a long run reads as
// it does alone, whole or in blocks.
TEST(RegFileReading, Utf16WithOtherUnitsAnywhereInLongAsciiRuns)
{
    const TempFolder dir;
    for (std::size_t at = 0; at <= 40; ++at) {
        const std::u16string before(at, u'a');
        const std::u16string after(40 - at, u'b');
        const std::string expected = std::string(at, 'a') + "\xE9 ?" + std::string(40 - at, 'b');
        const std::string text = utf16_file(std::u16string(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\") +
                                            before + u"\u00E9 \U0001F600" + after + u"]\r\n\"" + before +
                                            u"\u00E9 \U0001F600" + after + u"\"=\"" + before + u"\u00E9 \U0001F600" +
                                            after + u"\"\r\n");
        const std::string key = std::string("HKCU\\") + expected;
        RegistryTree whole = parse_reg_text(text, "u16.reg");
        EXPECT_EQ(data(whole, key, expected, reg::Sz), sz(expected)) << at;
        const auto path = dir.write("u16.reg", text);
        for (const std::size_t block : {std::size_t{3}, std::size_t{17}, std::size_t{40}}) {
            std::optional<RegistryTree> read = read_reg_file(path, "u16.reg", block);
            ASSERT_TRUE(read);
            EXPECT_EQ(data(*read, key, expected, reg::Sz), sz(expected)) << at << " " << block;
        }
        const std::string with_nul = utf16_file(std::u16string(u"Windows Registry Editor Version 5.00\r\n[HKCU\\") + before +
                                                std::u16string(1, u'\0') + after + u"]\r\n");
        const auto nul_path = dir.write("nul.reg", with_nul);
        for (const std::size_t block : {std::size_t{5}, std::size_t{1} << 20}) {
            try {
                read_reg_file(nul_path, "nul.reg", block);
                ADD_FAILURE() << "accepted " << at;
            } catch (const ProfileError& e) {
                EXPECT_EQ(std::string(e.what()), std::string("nul.reg:2: the key name '") + std::string(at, 'a') + "\\x00" +
                                                     std::string(40 - at, 'b') +
                                                     "' holds a NUL character, which a .reg file cannot carry");
            }
        }
    }
}

// Long ASCII runs go four blocks of 32 units at once, tested together: a
// unit beyond ASCII in any block of such a group, before or after groups
// read whole, reads as it does alone.
TEST(RegFileReading, Utf16OtherUnitsInAnyBlockOfLongRuns)
{
    for (const std::size_t at : {0, 1, 31, 32, 95, 96, 127, 128, 129, 200, 255, 256, 300, 511, 599}) {
        const std::u16string before(at, u'a');
        const std::u16string after(600 - at, u'b');
        const std::string expected = std::string(at, 'a') + "\xE9" + std::string(600 - at, 'b');
        const std::string text = utf16_file(
            std::u16string(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\k]\r\n\"v\"=\"") + before +
            u"\u00E9" + after + u"\"\r\n");
        RegistryTree whole = parse_reg_text(text, "u16.reg");
        EXPECT_EQ(data(whole, "HKCU\\k", "v", reg::Sz), sz(expected)) << at;
    }
}
