// What the registry writer writes, the registry file reader reads back to
// the same keys and the same bytes.
#include "core/file_text.hpp"
#include "platform/simulated/reg_file.hpp"
#include "platform/simulated/reg_writer.hpp"

#include "test_name_support.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>
#include <vector>

using namespace prestova;

namespace {

const std::string kSource = PRESTOVA_SOURCE_DIR;

// Names (as spelt), values (name, type, bytes) and subkeys, all the way down.
// With a stack of its own, as a tree may be 512 levels deep.
void expect_same(const RegKey& top_a, const RegKey& top_b, const std::string& top_where)
{
    std::vector<std::tuple<const RegKey*, const RegKey*, std::string>> todo{{&top_a, &top_b, top_where}};
    while (!todo.empty()) {
        const auto [a, b, where] = todo.back();
        todo.pop_back();
        EXPECT_EQ(a->name(), b->name()) << where;
        ASSERT_EQ(a->value_count(), b->value_count()) << where;
        for (std::size_t i = 0; i < a->value_count(); ++i) {
            const StoredValue& value = a->value_at(i);
            const StoredValue* other = b->find_value(value.name());
            ASSERT_NE(other, nullptr) << where << " value " << value.name();
            EXPECT_EQ(other->name(), value.name()) << where;
            EXPECT_EQ(other->type(), value.type()) << where << " value " << value.name();
            EXPECT_TRUE(std::ranges::equal(other->data(), value.data())) << where << " value " << value.name();
        }
        ASSERT_EQ(a->subkey_count(), b->subkey_count()) << where;
        for (std::size_t i = 0; i < a->subkey_count(); ++i) {
            const RegKey& sub = a->subkey_at(i);
            EXPECT_EQ(sub.name(), b->subkey_at(i).name()) << where;  // the same order
            const RegKey* other = b->find_subkey(sub.name());
            ASSERT_NE(other, nullptr) << where << "\\" << sub.name();
            todo.emplace_back(&sub, other, std::string(where).append("\\").append(sub.name()));
        }
    }
}

void expect_round_trip(RegistryTree& tree, const std::string& what)
{
    const std::string text = write_reg_text(tree);
    RegistryTree back = parse_reg_text(text, "written.reg");
    for (const Hive hive : {Hive::LocalMachine, Hive::CurrentUser, Hive::Users, Hive::CurrentConfig}) {
        if (!tree.find_hive(hive)) continue;
        expect_same(tree.hive(hive), back.hive(hive), what);
    }
}

TEST(RegWriter, EveryBundledRegistryReadsBackTheSame)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kSource + "/profiles")) {
        if (entry.path().extension() != ".reg") continue;
        RegistryTree tree = parse_reg_text(read_file_text(entry.path()).value(), entry.path().string());
        expect_round_trip(tree, entry.path().filename().string());
        ++files;
    }
    EXPECT_GE(files, 7);
}

struct OddValue {
    const char* what;
    std::uint32_t type;
    std::string bytes;
};

class RegWriterValue : public ::testing::TestWithParam<OddValue> {};

TEST_P(RegWriterValue, ReadsBackByteForByte)
{
    RegistryTree tree;
    RegKey& key = tree.make(*parse_key_name("HKLM\\SOFTWARE\\Odd \"Vendor\"\\Key"));
    const auto& p = GetParam();
    key.set_value({"name with \\ and \"", p.type, std::vector<std::uint8_t>(p.bytes.begin(), p.bytes.end())});
    key.set_value({"", p.type, std::vector<std::uint8_t>(p.bytes.begin(), p.bytes.end())});
    expect_round_trip(tree, p.what);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RegWriterValue,
    ::testing::Values(OddValue{"text", reg::Sz, std::string("C:\\Program Files\\\"x\"\0", 21)},
                      OddValue{"empty text", reg::Sz, std::string("\0", 1)},
                      OddValue{"text without its NUL", reg::Sz, "6.0"}, OddValue{"no bytes at all", reg::Sz, ""},
                      OddValue{"text with a NUL inside", reg::Sz, std::string("1.5\0junk\0", 9)},
                      OddValue{"text with a line break", reg::Sz, std::string("a\r\nb\0", 5)},
                      OddValue{"code-page text", reg::Sz, std::string("Caf\xE9 \x80\0", 7)},
                      OddValue{"expandable text", reg::ExpandSz, std::string("%ProgramFiles%\0", 15)},
                      OddValue{"text list", reg::MultiSz, std::string("a\0b\0\0", 5)},
                      OddValue{"number", reg::Dword, std::string("\x40\x06\0\0", 4)},
                      OddValue{"short number", reg::Dword, std::string("\x40\x06", 2)},
                      OddValue{"binary", reg::Binary, std::string("\0\xff\x10", 3)},
                      OddValue{"quad", reg::Qword, std::string("\1\2\3\4\5\6\7\x08", 8)},
                      OddValue{"a type of its own", 0x20000, "xyz"}),
    [](const auto& info) { return prestova::testing::test_name(info.param.what); });

TEST(RegWriter, WritesClassesRootByItsOwnNameAndSkipsBareParents)
{
    RegistryTree tree;
    tree.make(*parse_key_name("HKCR\\.zip")).set_value({"", reg::Sz, {'W', 'i', 'n', 'Z', 'i', 'p', 0}});
    tree.make(*parse_key_name("HKLM\\SOFTWARE\\Adobe\\Acrobat Reader\\7.0"));
    EXPECT_EQ(write_reg_text(tree), "REGEDIT4\r\n"
                                    "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Adobe\\Acrobat Reader\\7.0]\r\n"
                                    "\r\n[HKEY_CLASSES_ROOT\\.zip]\r\n@=\"WinZip\"\r\n");
}

// Values set on a hive itself, HKEY_CLASSES_ROOT's own values and an empty
// hive are written, as regedit writes [HKEY_CURRENT_USER] lines.
TEST(RegWriter, WritesValuesOnHivesAndClassesRoot)
{
    RegistryTree tree;
    tree.hive(Hive::CurrentUser).set_value({"OnTheHive", reg::Sz, {'x', 0}});
    tree.hive(Hive::LocalMachine).set_value({"", reg::Dword, {1, 0, 0, 0}});
    tree.make(*parse_key_name("HKEY_CLASSES_ROOT")).set_value({"Root", reg::Sz, {'r', 0}});
    tree.make(*parse_key_name("HKCR\\.pdf")).set_value({"", reg::Sz, {'p', 0}});
    tree.make(*parse_key_name("HKLM\\SOFTWARE\\Adobe"));
    tree.hive(Hive::Users);
    const std::string text = write_reg_text(tree);
    EXPECT_NE(text.find("\r\n[HKEY_CURRENT_USER]\r\n\"OnTheHive\"=\"x\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n[HKEY_LOCAL_MACHINE]\r\n@=dword:00000001\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n[HKEY_CLASSES_ROOT]\r\n\"Root\"=\"r\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n[HKEY_USERS]\r\n"), std::string::npos) << text;
    expect_round_trip(tree, "values on hives");
    EXPECT_NE(parse_reg_text(text, "back.reg").find_hive(Hive::Users), nullptr);
}

// SOFTWARE\Classes spelt otherwise is written under its own spelling, so
// that it reads back spelt the same.
TEST(RegWriter, KeepsTheSpellingOfSoftwareAndClasses)
{
    for (const char* spelling : {"Software\\Classes", "SOFTWARE\\CLASSES", "software\\classes"}) {
        RegistryTree tree;
        tree.make(*parse_key_name(std::string("HKLM\\") + spelling + "\\.zip")).set_value({"", reg::Sz, {'z', 0}});
        const std::string text = write_reg_text(tree);
        EXPECT_NE(text.find(std::string("[HKEY_LOCAL_MACHINE\\") + spelling + "\\.zip]"), std::string::npos) << text;
        expect_round_trip(tree, spelling);
    }
}

// A name its own reader would refuse is refused when writing, before any
// text is handed back, naming the key: a .reg file cannot carry a NUL or a
// line break in a name.
TEST(RegWriter, RefusesNamesARegFileCannotCarry)
{
    const struct {
        const char* what;
        std::string key;    // below HKEY_CURRENT_USER\Software
        std::string value;  // a value name set there
        const char* message;
    } cases[] = {
        {"NUL in a value name", "Vendor", std::string("a\0b", 3),
         "'HKEY_CURRENT_USER\\\\Software\\\\Vendor value a\\x00b' has a name holding a NUL character"},
        {"NUL in a key name", std::string("Ven\0dor", 7), "v",
         "'HKEY_CURRENT_USER\\\\Software\\\\Ven\\x00dor' is a key name holding a NUL character"},
        {"line break in a value name", "Vendor", "a\nb", "has a name holding a line break"},
        {"carriage return in a value name", "Vendor", "a\rb", "has a name holding a line break"},
        {"line break in a key name", "Ven\ndor", "v", "is a key name holding a line break"},
        {"backslash in a key name", "Ven\\dor", "v", "is a key name holding a backslash"},
        {"empty key name", "", "v", "has a key with an empty name"},
        {"long key name", std::string(256, 'k'), "v", "is a key name longer than 255 characters"},
        {"long value name", "Vendor", std::string(16384, 'v'), "has a name longer than 16383 characters"},
    };
    for (const auto& c : cases) {
        RegistryTree tree;
        tree.hive(Hive::CurrentUser).subkey("Software").subkey(c.key).set_value({c.value, reg::Sz, {0}});
        try {
            write_reg_text(tree);
            ADD_FAILURE() << c.what << " written";
        } catch (const ProfileError& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind("cannot write the registry as a .reg file: ", 0), 0u) << what;
            EXPECT_NE(what.find(c.message), std::string::npos) << c.what << ": " << what;
            EXPECT_LT(what.size(), 300u) << what;
        }
    }
    // 512 levels are written and read back; 513 are refused.
    RegistryTree tree;
    RegKey* key = &tree.hive(Hive::CurrentUser);
    for (int i = 0; i < 512; ++i) key = &key->subkey("k");
    expect_round_trip(tree, "512 levels");
    key->subkey("k");
    EXPECT_THROW(write_reg_text(tree), ProfileError);
}

}  // namespace
