// Reading .reg exports as Windows' registry editor imports them: one table
// of rules, each read as REGEDIT4, as a UTF-16 5.00 export and as UTF-8,
// whole and in blocks, giving exactly the values listed or the refusal with
// its line. Then the encodings, the limits and what messages quote.
#include "platform/simulated/reg_file.hpp"
#include "temp_folder.hpp"
#include "test_name_support.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

using namespace prestova;
using prestova::testing::TempFolder;
using namespace std::string_literals;

namespace {

struct Value {
    std::string key;
    std::string name;
    std::uint32_t type;
    std::string bytes;
    bool operator==(const Value&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Value& v)
{
    out << v.key << " \"" << v.name << "\" " << v.type << " ";
    for (const char c : v.bytes) out << static_cast<int>(static_cast<unsigned char>(c)) << ",";
    return out;
}

Value sz(std::string name, std::string text, std::string key = "HKEY_LOCAL_MACHINE\\A")
{
    return {std::move(key), std::move(name), reg::Sz, text.append(1, '\0')};
}
Value dword(std::string name, std::string le_bytes)
{
    return {"HKEY_LOCAL_MACHINE\\A", std::move(name), reg::Dword, std::move(le_bytes)};
}
Value bin(std::string name, std::string bytes, std::uint32_t type = reg::Binary)
{
    return {"HKEY_LOCAL_MACHINE\\A", std::move(name), type, std::move(bytes)};
}

// Every value of the tree, keys in enumeration order.
std::vector<Value> values_of(const RegistryTree& tree)
{
    std::vector<Value> out;
    for (const Hive h : {Hive::LocalMachine, Hive::CurrentUser, Hive::Users, Hive::CurrentConfig}) {
        std::vector<std::pair<const RegKey*, std::string>> todo;
        if (const RegKey* root = tree.find_hive(h)) todo.emplace_back(root, hive_name(h));
        while (!todo.empty()) {
            const auto [key, path] = todo.back();
            todo.pop_back();
            for (std::size_t i = 0; i < key->value_count(); ++i) {
                const StoredValue& v = key->value_at(i);
                out.push_back({path, std::string(v.name()), v.type(), std::string(v.data().begin(), v.data().end())});
            }
            for (std::size_t i = key->subkey_count(); i-- > 0;)
                todo.emplace_back(&key->subkey_at(i), path + "\\" + std::string(key->subkey_at(i).name()));
        }
    }
    return out;
}

// What a file gives: its values, or the refusal's message.
std::tuple<std::vector<Value>, std::string> outcome(const std::function<RegistryTree()>& read)
{
    try {
        return {values_of(read()), ""};
    } catch (const ProfileError& e) {
        return {std::vector<Value>{}, e.what()};
    }
}

// The file regedit 5.00 writes: UTF-16LE with its byte-order mark.
std::string utf16_file(std::u16string_view text)
{
    std::string out = "\xFF\xFE";
    for (const char16_t unit : text) out.append({static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)});
    return out;
}

std::string widen(std::string_view ascii)
{
    std::string out = "\xFF\xFE";
    for (const char c : ascii) out.append({c, '\0'});
    return out;
}

const std::string k4 = "REGEDIT4\r\n";
const std::string kA = k4 + "[HKEY_LOCAL_MACHINE\\A]\r\n";  // values go to line 3 on

struct Rule {
    const char* rule;
    std::string text;           // a REGEDIT4 file
    std::vector<Value> values;  // exactly these when read
    std::string refusal;        // else "LINE: message"
};

void PrintTo(const Rule& r, std::ostream* out) { *out << r.rule; }

const Rule kRules[] = {
    // What every export holds.
    {"every value type as its bytes",
     kA + "@=\"default\"\r\n\"Text\"=\"C:\\\\Program Files\\\\\\\"quoted\\\"\"\r\n\"Empty\"=\"\"\r\n"
          "\"Number\"=dword:0000c80A\r\n\"Short\"=dword:7\r\n\"Binary\"=hex:01,ff,00\r\n\"NoBytes\"=hex:\r\n"
          "\"Expand\"=hex(2):25,41,25,00\r\n\"Multi\"=hex(7):61,00,62,00,00\r\n\"Quad\"=hex(b):01,02,03,04,05,06,07,"
          "08\r\n"
          "\"NoNul\"=hex(1):41,42\r\n\"Odd\"=hex(4a):09\r\n  \"Spaced\" = \"x\"  \r\n\"Esc\\\"aped\\\\\"=dword:1\r\n",
     {sz("", "default"), sz("Text", "C:\\Program Files\\\"quoted\""), sz("Empty", ""), dword("Number", "\x0a\xc8\0\0"s),
      dword("Short", "\x07\0\0\0"s), bin("Binary", "\x01\xff\0"s), bin("NoBytes", ""),
      bin("Expand", "%A%\0"s, reg::ExpandSz), bin("Multi", "a\0b\0\0"s, reg::MultiSz),
      bin("Quad", "\x01\x02\x03\x04\x05\x06\x07\x08", reg::Qword), bin("NoNul", "AB", reg::Sz),
      bin("Odd", "\x09", 0x4A), sz("Spaced", "x"), dword("Esc\"aped\\", "\x01\0\0\0"s)},
     ""},
    {"a value set again keeps its first spelling and takes the new data",
     kA + "\"Ver\"=\"1\"\r\n\"VER\"=dword:2\r\n\"gone\"=dword:3\r\n\"GONE\"=-\r\n",
     {dword("Ver", "\x02\0\0\0"s)},
     ""},
    {"hex lists with blanks around bytes and commas",
     kA + "\"v\"=hex: 01 , 02,\t03 ,04\r\n",
     {bin("v", "\x01\x02\x03\x04")},
     ""},

    // Line ends and comments.
    {"lines ending in LF", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:1\n", {dword("v", "\x01\0\0\0"s)}, ""},
    {"lines ending in a lone CR",
     "REGEDIT4\r[HKEY_LOCAL_MACHINE\\A]\r\"v\"=dword:1\r\"w\"=\"x\"",
     {dword("v", "\x01\0\0\0"s), sz("w", "x")},
     ""},
    {"a lone CR counts a line",
     "REGEDIT4\r[HKEY_LOCAL_MACHINE\\A]\r\r\nbroken\r\n",
     {},
     "4: expected [KEY], @=VALUE or \"NAME\"=VALUE, not 'broken'"},
    {"a CR inside quotes ends the line", kA + "\"v\"=\"a\rb\"\r\n", {}, "3: missing closing quote"},
    {"comment lines start with ; or #",
     "; before\r\n# too\r\n" + kA + "# hash\r\n  ; indented\r\n\"v\"=dword:1\r\n",
     {dword("v", "\x01\0\0\0"s)},
     ""},
    {"a ; after a value starts a comment",
     kA + "\"s\"=\"x\" ; note\r\n\"t\"=\"x\";note\r\n\"d\"=dword:1 ; note\r\n\"e\"=dword:2;note\r\n\"h\"=hex:01,02 ; "
          "note\r\n"
          "\"i\"=hex:03;note\r\n\"j\"=hex(2):41,00;note\r\n",
     {sz("s", "x"), sz("t", "x"), dword("d", "\x01\0\0\0"s), dword("e", "\x02\0\0\0"s), bin("h", "\x01\x02"),
      bin("i", "\x03"), bin("j", "A\0"s, reg::ExpandSz)},
     ""},
    {"a ; in quotes is text", kA + "\"a;b\"=\"c;d\" ; note\r\n", {sz("a;b", "c;d")}, ""},
    {"a ; after =- starts a comment", kA + "\"v\"=dword:1\r\n@=\"d\"\r\n\"v\"=- ; gone\r\n@=-;gone\r\n", {}, ""},
    {"a ; where a hex byte could stand ends the list",
     kA + "\"v\"=hex:01,02,03,04;05,06\r\n",
     {bin("v", "\x01\x02\x03\x04")},
     ""},
    {"a # after a value is no comment",
     kA + "\"v\"=dword:1 # note\r\n",
     {},
     "3: dword: needs one to eight hexadecimal digits, not '1 # note'"},
    {"a # after text is no comment", kA + "\"v\"=\"x\" # note\r\n", {}, "3: unexpected text after the closing quote"},
    {"a comment after a key line is refused",
     kA + "[HKEY_LOCAL_MACHINE\\B] ; note\r\n",
     {},
     "3: a key line must end with ']': '[HKEY_LOCAL_MACHINE\\\\B] ; note'"},
    {"a comment line ending in a backslash ends there",
     kA + "; note \\\r\n\"v\"=dword:1\r\n",
     {dword("v", "\x01\0\0\0"s)},
     ""},

    // dword: and hex lists.
    {"blanks after dword:",
     kA + "\"a\"=dword: 00000001\r\n\"b\"=dword:\t2\r\n",
     {dword("a", "\x01\0\0\0"s), dword("b", "\x02\0\0\0"s)},
     ""},
    {"a comma after the last hex byte",
     kA + "\"a\"=hex:01,02,\r\n\"b\"=hex:03, \r\n\"c\"=hex:04,;note\r\n",
     {bin("a", "\x01\x02"), bin("b", "\x03"), bin("c", "\x04")},
     ""},
    {"a hex list goes on after a backslash where a byte could stand",
     kA + "\"a\"=hex:01,02,\\\r\n  03,04,\\\r\n  05\r\n\"b\"=hex:\\\r\n 06\r\n\"c\"=hex:07, \\\r\n08,\r\n",
     {bin("a", "\x01\x02\x03\x04\x05"), bin("b", "\x06"), bin("c", "\x07\x08")},
     ""},
    {"comments and blank lines inside a continued hex list",
     kA + "\"a\"=hex:01,\\ ; note\r\n\r\n ; a comment line\r\n\t\r\n 02,\\\r\n 03 ; the end\r\n",
     {bin("a", "\x01\x02\x03")},
     ""},
    {"text types of a 4 export stay as written",
     kA + "\"v\"=hex(2):41,00,42,00,00,00\r\n",
     {bin("v", "A\0B\0\0\0"s, reg::ExpandSz)},
     ""},

    // Where Windows imports no value, the file is refused.
    {"a quoted text cut by a backslash", kA + "\"v\"=\"abc\\\r\ndef\"\r\n", {}, "3: missing closing quote"},
    {"a quoted name cut by a backslash", kA + "\"na\\\r\nme\"=dword:1\r\n", {}, "3: missing closing quote"},
    {"a dword cut by a backslash",
     kA + "\"v\"=dword:0000\\\r\n0001\r\n",
     {},
     "3: dword: needs one to eight hexadecimal digits, not '0000\\\\'"},
    {"a backslash right after a hex byte", kA + "\"v\"=hex:01,02\\\r\n,03\r\n", {}, "3: bad hex byte '02\\\\'"},
    {"a continued hex list whose next line starts with the comma",
     kA + "\"v\"=hex:01,\\\r\n,02\r\n",
     {},
     "3: truncated hex list"},
    {"a backslash inside a hex byte", kA + "\"v\"=hex:01,0\\\r\n2\r\n", {}, "3: bad hex byte '0\\\\'"},
    {"a continued hex list followed by a value",
     kA + "\"v\"=hex:01,\\\r\n\r\n\"w\"=dword:1\r\n",
     {},
     "3: bad hex byte '\"w\"=dword:1'"},
    {"a # line inside a continued hex list",
     kA + "\"v\"=hex:01,\\\r\n# note\r\n02\r\n",
     {},
     "3: bad hex byte '# note'"},
    {"the file ends after a backslash",
     kA + "\r\n\"v\"=hex:01,\\\r\n\r\n; note\r\n",
     {},
     "4: truncated hex list: the file ends after its backslash"},

    // Everything else that is malformed.
    {"no header", "", {}, "no \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\" line: not a registry file"},
    {"only comments",
     "; only a comment\r\n",
     {},
     "no \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\" line: not a registry file"},
    {"a key before the header",
     "\r\n[HKLM\\X]\r\n",
     {},
     "2: the first line must be \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\", not '[HKLM\\\\X]'"},
    {"another header",
     "Windows Registry Editor Version 4.00\r\n",
     {},
     "1: the first line must be \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\", not 'Windows Registry Editor "
     "Version 4.00'"},
    {"a value before any key", k4 + "\"v\"=\"x\"\r\n", {}, "2: a value before any [KEY] line"},
    {"a value under a deleted key", k4 + "[-HKLM\\A]\r\n\"v\"=\"x\"\r\n", {}, "3: a value under a deleted key"},
    {"a line that is neither key nor value",
     kA + "plain words\r\n",
     {},
     "3: expected [KEY], @=VALUE or \"NAME\"=VALUE, not 'plain words'"},
    {"no =", kA + "\"v\"\r\n", {}, "3: expected '=' after the value name"},
    {"no closing quote", kA + "\"v\"=\"x\r\n", {}, "3: missing closing quote"},
    {"an escaped closing quote", kA + "\"v\"=\"abc\\\"\r\n", {}, "3: missing closing quote"},
    {"an unknown escape",
     kA + "\"v\"=\"C:\\Windows\"\r\n",
     {},
     "3: a backslash in quotes must be written \\\\ (or \\\" for a quote)"},
    {"text after the closing quote", kA + "\"v\"=\"x\" trailing\r\n", {}, "3: unexpected text after the closing quote"},
    {"unknown data",
     kA + "\"v\"=word:1\r\n",
     {},
     "3: unknown value data 'word:1' (expected \"text\", dword:, hex: or -)"},
    {"no data", kA + "\"v\"=\r\n", {}, "3: unknown value data '' (expected \"text\", dword:, hex: or -)"},
    {"nine dword digits",
     kA + "\"v\"=dword:123456789\r\n",
     {},
     "3: dword: needs one to eight hexadecimal digits, not '123456789'"},
    {"a dword with no digit", kA + "\"v\"=dword:\r\n", {}, "3: dword: needs one to eight hexadecimal digits, not ''"},
    {"a dword with a letter",
     kA + "\"v\"=dword:12g4\r\n",
     {},
     "3: dword: needs one to eight hexadecimal digits, not '12g4'"},
    {"two commas in a row", kA + "\"v\"=hex:01,,02\r\n", {}, "3: truncated hex list"},
    {"a comma first", kA + "\"v\"=hex:,01\r\n", {}, "3: truncated hex list"},
    {"a one-digit byte", kA + "\"v\"=hex:1,02\r\n", {}, "3: bad hex byte '1'"},
    {"a one-digit byte last", kA + "\"v\"=hex:01,02,1\r\n", {}, "3: bad hex byte '1'"},
    {"a three-digit byte", kA + "\"v\"=hex:01,123\r\n", {}, "3: bad hex byte '123'"},
    {"bytes without a comma", kA + "\"v\"=hex:01 02\r\n", {}, "3: bad hex byte '01 02'"},
    {"a byte that is no hex", kA + "\"v\"=hex:0x1\r\n", {}, "3: bad hex byte '0x1'"},
    {"a bad type", kA + "\"v\"=hex(zz):01\r\n", {}, "3: bad value type in hex(...): '(zz):01'"},
    {"an open type", kA + "\"v\"=hex(2:01\r\n", {}, "3: bad value type in hex(...): '(2:01'"},
    {"no colon after hex", kA + "\"v\"=hex 01\r\n", {}, "3: expected ':' after hex"},
    {"an unknown hive",
     k4 + "[HKEY_LOCAL_MACHNE\\SOFTWARE]\r\n",
     {},
     "2: unknown hive in '[HKEY_LOCAL_MACHNE\\\\SOFTWARE]'"},
    {"no hive", k4 + "[]\r\n", {}, "2: unknown hive in '[]'"},
    {"no closing bracket", k4 + "[HKLM\\SOFTWARE\r\n", {}, "2: a key line must end with ']': '[HKLM\\\\SOFTWARE'"},
    {"a whole hive deleted",
     k4 + "[-HKEY_CLASSES_ROOT\\.pdf]\r\n[-HKLM]\r\n",
     {},
     "3: a whole hive cannot be deleted: '[-HKLM]'"},
};

class RegImport : public ::testing::TestWithParam<Rule> {};

// Each rule reads the same from every encoding, whole or a few bytes at a time.
TEST_P(RegImport, AsWindowsRegistryEditorDoes)
{
    const Rule& r = GetParam();
    const TempFolder dir;
    std::vector<std::string> texts = {r.text, "\xEF\xBB\xBF" + r.text};
    // The 5.00 header turns text types into UTF-16; other rules hold for both.
    if (r.text.find("hex(") == std::string::npos) {
        std::string five = r.text;
        if (five.starts_with("REGEDIT4")) five.replace(0, 8, "Windows Registry Editor Version 5.00");
        texts.push_back(widen(five));
    }
    const std::vector<Value> expected_values = r.refusal.empty() ? r.values : std::vector<Value>{};
    const bool numbered = !r.refusal.empty() && std::isdigit(static_cast<unsigned char>(r.refusal[0]));
    const std::string expected_refusal = r.refusal.empty() ? "" : (numbered ? "bad.reg:" : "bad.reg: ") + r.refusal;
    for (const std::string& text : texts) {
        const auto path = dir.write("bad.reg", text);
        for (const std::size_t block : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 20}) {
            const auto [values, refusal] = outcome([&] { return *read_reg_file(path, "bad.reg", block); });
            EXPECT_EQ(refusal, expected_refusal) << "block " << block << " of " << text.size();
            EXPECT_EQ(values, expected_values) << "block " << block << " of " << text.size();
        }
        const auto [values, refusal] = outcome([&] { return parse_reg_text(text, "bad.reg"); });
        EXPECT_EQ(refusal, expected_refusal);
        EXPECT_EQ(values, expected_values);
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, RegImport, ::testing::ValuesIn(kRules),
                         [](const auto& info) { return prestova::testing::test_name(info.param.rule); });

const RegKey* key(const RegistryTree& tree, std::string_view name) { return tree.find(*parse_key_name(name)); }

TEST(RegFile, Utf16TextAndTextTypesGoToTheCodePage)
{
    const std::string text =
        utf16_file(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Caf\u00E9 \U0001F600]\r\n"
                   u"\"Owner\"=\"Zo\u00EB \u20AC \u4E2D \U0001F600\"\r\n"
                   u"\"Path\"=hex(2):25,00,e9,00,25,00,00,00\r\n"
                   u"\"List\"=hex(7):61,00,00,00,ac,20,00,00,00,00\r\n"
                   u"\"Raw\"=hex:61,00,62,00\r\n\"Nul\"=\"1\0002\"\r\n\"Long\"=hex:01,\\\r\n  02\r\n"s);
    const std::string k = "HKEY_CURRENT_USER\\Caf\xE9 ?";
    const std::vector<Value> expected = {sz("Owner", "Zo\xEB \x80 ? ?", k),
                                         {k, "Path", reg::ExpandSz, "%\xE9%\0"s},
                                         {k, "List", reg::MultiSz, "a\0\x80\0\0"s},
                                         {k, "Raw", reg::Binary, "a\0b\0"s},
                                         sz("Nul", "1\0002"s, k),
                                         {k, "Long", reg::Binary, "\x01\x02"}};
    EXPECT_EQ(values_of(parse_reg_text(text, "xp.reg")), expected);
    // A unit, a surrogate pair, a CR LF cut anywhere between two blocks.
    const TempFolder dir;
    const auto path = dir.write("xp.reg", text);
    for (std::size_t block = 1; block <= 9; ++block)
        EXPECT_EQ(values_of(*read_reg_file(path, "xp.reg", block)), expected) << block;
    EXPECT_EQ(outcome([&] {
                  return parse_reg_text(
                      utf16_file(u"Windows Registry Editor Version 5.00\r\n[HKCU\\A]\r\n\"v\"=hex(2):41,00,42\r\n"),
                      "bad.reg");
              }),
              std::make_tuple(std::vector<Value>{}, "bad.reg:3: hex(2) text with an odd number of bytes"s));
}

TEST(RegFile, Utf8WithItsMarkGoesToTheCodePage)
{
    const std::string text = "\xEF\xBB\xBFREGEDIT4\n[HKCU\\Caf\xC3\xA9]\n\"N\"=\"Zo\xC3\xAB \xF0\x9F\x98\x80\"\n";
    const std::vector<Value> expected = {sz("N", "Zo\xEB ?", "HKEY_CURRENT_USER\\Caf\xE9")};
    EXPECT_EQ(values_of(parse_reg_text(text, "u8.reg")), expected);
    const TempFolder dir;
    const auto path = dir.write("u8.reg", text);
    for (std::size_t block = 1; block <= 5; ++block)
        EXPECT_EQ(values_of(*read_reg_file(path, "u8.reg", block)), expected) << block;
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
        EXPECT_EQ(std::get<1>(outcome([&] { return parse_reg_text(text, "bad.reg"); })), message);
        const auto path = dir.write("bad.reg", bytes);
        EXPECT_EQ(std::get<1>(outcome([&] { return *read_reg_file(path, "bad.reg", 1); })), message);
    }
    EXPECT_FALSE(read_reg_file(dir.file("absent.reg"), "absent.reg"));
    EXPECT_FALSE(read_reg_file(dir.path(), "a folder"));
}

TEST(RegFile, KeysDeletionsAndHives)
{
    const RegistryTree t = parse_reg_text(
        k4 + "[HKEY_CLASSES_ROOT\\.pdf]\n@=\"AcroExch.Document\"\n"
             "[HKLM\\SOFTWARE\\Classes\\.swf]\n[HKCR\\.zip]\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES\\.zip]\n"
             "[HKLM\\SOFTWARE\\A\\B\\C]\n[-HKLM\\SOFTWARE\\a\\b]\n[-HKLM\\SOFTWARE\\Never\\There]\n"
             "[HKU\\.DEFAULT]\n[HKEY_USERS\\S-1]\n[HKCC\\System]\n[hkey_current_user\\Console]\n[\\HKLM\\\\X\\\\Y\\]\n",
        "keys.reg");
    EXPECT_NE(key(t, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.pdf"), nullptr);
    EXPECT_NE(key(t, "HKCR\\.SWF"), nullptr);
    EXPECT_EQ(key(t, "HKCR\\.zip"), nullptr);
    EXPECT_NE(key(t, "HKLM\\SOFTWARE\\A"), nullptr);
    EXPECT_EQ(key(t, "HKLM\\SOFTWARE\\A\\B"), nullptr);
    EXPECT_EQ(key(t, "HKLM\\SOFTWARE\\Never"), nullptr);
    EXPECT_EQ(t.find_hive(Hive::Users)->subkey_count(), 2u);
    EXPECT_NE(key(t, "HKCC\\SYSTEM"), nullptr);
    EXPECT_EQ(key(t, "HKCU\\console")->name(), "Console");
    EXPECT_NE(key(t, "HKLM\\X\\Y"), nullptr);
    EXPECT_EQ(std::get<1>(outcome([] {
                  return parse_reg_text(k4 + "[-HKCR]\n[HKCR\\.a]\n[-HKLM\\SOFTWARE]\n\"v\"=\"x\"\n", "bad.reg");
              })),
              "bad.reg:5: a value under a deleted key");
}

// Key lines that start like the one before find the same keys where their
// names are the same, and other keys where a name only starts the same, or
// after a deletion.
TEST(RegFile, KeyLinesSharingTheirStartWithTheOneBefore)
{
    const RegistryTree t =
        parse_reg_text(k4 + "[HKLM\\S\\V\\P\\1.0]\n\"a\"=dword:1\n[HKLM\\S\\V\\P\\1.0\\Sub]\n\"b\"=dword:1\n"
                            "[HKLM\\S\\V\\P\\1.0]\n\"c\"=dword:1\n[HKLM\\S\\V\\P\\1.00]\n\"d\"=dword:1\n"
                            "[HKLM\\S\\V\\P]\n\"e\"=dword:1\n[HKLM\\S\\V\\p\\2.0]\n\"f\"=dword:1\n"
                            "[HKLM\\S\\\\V\\P\\3.0\\]\n\"g\"=dword:1\n[HKLM]\n\"h\"=dword:1\n[HKEY_LOCAL_MACHINE\\S\\V]"
                            "\n\"i\"=dword:1\n"
                            "[HKCR\\.pdf]\n\"j\"=dword:1\n[HKCR]\n\"k\"=dword:1\n[-HKLM\\S\\V\\P\\1.0\\Sub]\n"
                            "[HKLM\\S\\V\\P\\1.0\\Sub]\n\"l\"=dword:1\n[HKCU\\S\\V\\P\\1.0\\Sub]\n\"m\"=dword:1\n",
                       "keys.reg");
    const std::vector<std::pair<const char*, std::string>> expected = {{"HKLM\\S\\V\\P\\1.0", "ac"},
                                                                       {"HKLM\\S\\V\\P\\1.0\\Sub", "l"},
                                                                       {"HKLM\\S\\V\\P\\1.00", "d"},
                                                                       {"HKLM\\S\\V\\P", "e"},
                                                                       {"HKLM\\S\\V\\P\\2.0", "f"},
                                                                       {"HKLM\\S\\V\\P\\3.0", "g"},
                                                                       {"HKLM", "h"},
                                                                       {"HKLM\\S\\V", "i"},
                                                                       {"HKCR\\.pdf", "j"},
                                                                       {"HKCR", "k"},
                                                                       {"HKCU\\S\\V\\P\\1.0\\Sub", "m"}};
    for (const auto& [name, values] : expected) {
        const RegKey* k = key(t, name);
        ASSERT_NE(k, nullptr) << name;
        std::string names;
        for (std::size_t i = 0; i < k->value_count(); ++i) names += k->value_at(i).name();
        EXPECT_EQ(names, values) << name;
    }
    EXPECT_EQ(key(t, "HKLM\\S\\V\\P")->subkey_count(), 4u);
}

std::string refusal(const std::string& text)
{
    return std::get<1>(outcome([&] { return parse_reg_text(text, "bad.reg"); }));
}

std::string key_of_depth(std::size_t depth, const std::string& hive = "HKEY_CURRENT_USER")
{
    std::string line = "[" + hive;
    for (std::size_t i = 0; i < depth; ++i) line += "\\k";
    return line + "]\n";
}

// Windows' own limits: 512 levels below the hive (HKEY_CLASSES_ROOT is two
// down), 255 characters in a key name, 16,383 in a value name, no NUL in
// a name.
TEST(RegFile, WindowsLimits)
{
    EXPECT_NE(parse_reg_text(k4 + key_of_depth(512), "ok.reg")
                  .find(KeyName{Hive::CurrentUser, std::vector<std::string>(512, "k")}),
              nullptr);
    EXPECT_NO_THROW(parse_reg_text(k4 + key_of_depth(510, "HKCR"), "ok.reg"));
    for (const std::string& text :
         {k4 + key_of_depth(513), k4 + key_of_depth(511, "HKCR"), k4 + "[-" + key_of_depth(513).substr(1)}) {
        const std::string what = refusal(text);
        EXPECT_EQ(what.rfind("bad.reg:2: the key '", 0), 0u) << what.substr(0, 300);
        EXPECT_NE(what.find(" is more than 512 levels deep, which Windows does not allow"), std::string::npos)
            << what.substr(0, 300);
        EXPECT_LT(what.size(), 300u);
    }
    const std::string name255(255, 'n');
    const RegistryTree t =
        parse_reg_text(k4 + "[HKLM\\" + name255 + "]\n\"" + std::string(16383, 'v') + "\"=\"x\"\n", "ok.reg");
    EXPECT_NE(key(t, "HKLM\\" + name255)->find_value(std::string(16383, 'V')), nullptr);
    std::string what = refusal(k4 + "[HKLM\\A\\" + name255 + "n\\B]\n");
    EXPECT_EQ(what.rfind("bad.reg:2: the key name 'nnn", 0), 0u) << what;
    EXPECT_NE(what.find("is 256 characters long; Windows allows at most 255"), std::string::npos) << what;
    what = refusal(k4 + "[HKLM\\A]\n\n\"" + std::string(16384, 'v') + "\"=dword:1\n");
    EXPECT_EQ(what.rfind("bad.reg:4: the value name 'vvv", 0), 0u) << what;
    EXPECT_NE(what.find("is 16384 characters long; Windows allows at most 16383"), std::string::npos) << what;
    EXPECT_EQ(
        refusal(utf16_file(u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\a"s + u'\0' + u"b]\r\n")),
        "bad.reg:2: the key name 'a\\x00b' holds a NUL character, which a .reg file cannot carry");
    EXPECT_EQ(refusal(utf16_file(u"Windows Registry Editor Version 5.00\r\n[HKCU\\a]\r\n\r\n\"x"s + u'\0' +
                                 u"y\"=\"data\"\r\n")),
              "bad.reg:4: the value name 'x\\x00y' holds a NUL character, which a .reg file cannot carry");
    EXPECT_EQ(refusal("\xEF\xBB\xBFREGEDIT4\n[HKCU\\a]\n\"n\0\"=dword:1\n"s),
              "bad.reg:3: the value name 'n\\x00' holds a NUL character, which a .reg file cannot carry");
}

// More than 1 GiB is refused before a byte is read (the file is sparse: it
// takes no room on the disk); the limit itself is read.
TEST(RegFile, RefusesAFileOverItsLimit)
{
    const TempFolder dir;
    const auto path = dir.write("huge.reg", "REGEDIT4\n");
    std::filesystem::resize_file(path, kMaxRegFileBytes + 1);
    EXPECT_EQ(
        std::get<1>(outcome([&] { return *read_reg_file(path, "huge.reg"); })),
        "huge.reg: the file is 1073741825 bytes long; registry files of at most 1073741824 bytes (1 GiB) are read");
    std::filesystem::resize_file(path, kMaxRegFileBytes);
    EXPECT_EQ(std::get<1>(outcome([&] { return *read_reg_file(path, "huge.reg"); })),
              "huge.reg: the file holds NUL bytes: UTF-16 needs its byte-order mark (FF FE)");
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
