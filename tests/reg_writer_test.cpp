// What the registry writer writes, the registry file reader reads back to
// the same keys and the same bytes.
#include "core/file_text.hpp"
#include "platform/simulated/reg_file.hpp"
#include "platform/simulated/reg_writer.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace prestova;

namespace {

const std::string kSource = PRESTOVA_SOURCE_DIR;

// Names (as spelt), values (name, type, bytes) and subkeys, all the way down.
void expect_same(const RegKey& a, const RegKey& b, const std::string& where)
{
    EXPECT_EQ(a.name, b.name) << where;
    ASSERT_EQ(a.values.size(), b.values.size()) << where;
    for (const auto& [upper, value] : a.values) {
        const RegValue* other = b.find_value(value.name);
        ASSERT_NE(other, nullptr) << where << " value " << value.name;
        EXPECT_EQ(other->name, value.name) << where;
        EXPECT_EQ(other->type, value.type) << where << " value " << value.name;
        EXPECT_EQ(other->data, value.data) << where << " value " << value.name;
    }
    ASSERT_EQ(a.subkeys.size(), b.subkeys.size()) << where;
    for (const auto& [upper, sub] : a.subkeys) {
        const RegKey* other = b.find_subkey(sub.name);
        ASSERT_NE(other, nullptr) << where << "\\" << sub.name;
        expect_same(sub, *other, where + "\\" + sub.name);
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
                      OddValue{"text without its NUL", reg::Sz, "6.0"},
                      OddValue{"no bytes at all", reg::Sz, ""},
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
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(RegWriter, WritesClassesRootByItsOwnNameAndSkipsBareParents)
{
    RegistryTree tree;
    tree.make(*parse_key_name("HKCR\\.zip")).set_value({"", reg::Sz, {'W', 'i', 'n', 'Z', 'i', 'p', 0}});
    tree.make(*parse_key_name("HKLM\\SOFTWARE\\Adobe\\Acrobat Reader\\7.0"));
    EXPECT_EQ(write_reg_text(tree), "REGEDIT4\r\n"
                                    "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Adobe\\Acrobat Reader\\7.0]\r\n"
                                    "\r\n[HKEY_CLASSES_ROOT\\.zip]\r\n@=\"WinZip\"\r\n");
}

} // namespace
