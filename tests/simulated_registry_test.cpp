// The simulated registry answers the ANSI registry calls with Windows'
// result codes, sizes, enumeration order and access rules.
#include "platform/simulated/reg_file.hpp"
#include "platform/simulated/simulated_registry.hpp"
#include "probes/mod_registry.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace prestova;

namespace {

const RegHandle HKLM = root_handle(RegRoot::LocalMachine);
const RegHandle HKCR = root_handle(RegRoot::ClassesRoot);
constexpr RegHandle kGarbage = 0xDEAD;

const char* const kReg = "REGEDIT4\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n"
                         "\"Text\"=\"hello\"\n"
                         "\"Number\"=dword:00000640\n"
                         "\"Empty\"=hex:\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Kids\\beta]\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Kids\\Alpha]\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Kids\\_under]\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Kids\\zeta]\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Kids\\Gamma]\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Locked\\Inner]\n"
                         "\"v\"=\"open\"\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Locked]\n"
                         "\"v\"=\"secret\"\n"
                         "[HKEY_CLASSES_ROOT\\.pdf]\n"
                         "@=\"AcroExch.Document\"\n";

class SimRegistry : public ::testing::Test {
protected:
    SimRegistry() : tree(parse_reg_text(kReg, "t.reg")), registry(tree, {"HKLM\\software\\LOCKED"}) {}

    RegHandle open(RegHandle root, std::string_view path)
    {
        RegHandle h = kGarbage;
        EXPECT_EQ(registry.open_key(root, path, &h), reg::Success) << path;
        return h;
    }
    std::string text(RegHandle h, const char* name)
    {
        char buffer[64] = {};
        std::uint32_t size = sizeof buffer, type = 0;
        const long status = registry.query_value(h, name, &type, reinterpret_cast<std::uint8_t*>(buffer), &size);
        if (status != reg::Success) return "error " + std::to_string(status);
        return std::string(buffer, size);
    }

    RegistryTree tree;
    SimulatedRegistry registry;
};

}  // namespace

TEST_F(SimRegistry, OpensPathsRelativeToRootsAndHandlesWithoutRegardToCase)
{
    for (const char* path : {"SOFTWARE\\Test", "software\\TEST\\", "Software\\Test\\Kids\\..\\"}) {
        RegHandle h = kGarbage;
        const long status = registry.open_key(HKLM, path, &h);
        if (std::string_view(path).find("..") != std::string_view::npos) {
            EXPECT_EQ(status, reg::FileNotFound);  // no path arithmetic: ".." is a name like any other
            EXPECT_EQ(h, 0u);
            continue;
        }
        ASSERT_EQ(status, reg::Success) << path;
        EXPECT_EQ(text(h, "text"), std::string("hello\0", 6));
        const RegHandle kid = open(h, "Kids\\ALPHA");
        EXPECT_NE(kid, h);
        EXPECT_EQ(registry.close_key(kid), reg::Success);
        EXPECT_EQ(registry.close_key(h), reg::Success);
    }
    EXPECT_EQ(registry.open_handle_count(), 0u);
}

TEST_F(SimRegistry, MissingKeysAndBadHandlesClearTheResult)
{
    const struct {
        RegHandle root;
        const char* path;
        long status;
    } cases[] = {{HKLM, "SOFTWARE\\Nowhere", reg::FileNotFound},
                 {HKLM, "SOFTWARE\\Test\\Text", reg::FileNotFound},
                 {0, "SOFTWARE", reg::InvalidHandle},
                 {0x4242, "SOFTWARE", reg::InvalidHandle},
                 {HKLM, "\\SOFTWARE", 161},
                 {HKLM, "SOFTWARE\\\\Test", 161}};
    for (const auto& c : cases) {
        RegHandle h = kGarbage;
        EXPECT_EQ(registry.open_key(c.root, c.path, &h), c.status) << c.path;
        EXPECT_EQ(h, 0u);
        h = kGarbage;
        EXPECT_EQ(registry.open_key_ex(c.root, c.path, 0, reg::KeyRead, &h), c.status) << c.path;
        EXPECT_EQ(h, 0u);
    }
    EXPECT_EQ(registry.open_handle_count(), 0u);
}

TEST_F(SimRegistry, AnEmptyPathOpensTheKeyGiven)
{
    EXPECT_EQ(open(HKLM, ""), HKLM);  // a predefined key comes back as itself
    const RegHandle test = open(HKLM, "SOFTWARE\\Test");
    EXPECT_EQ(open(test, ""), test);  // RegOpenKeyA hands back the same handle
    RegHandle copy = 0;
    ASSERT_EQ(registry.open_key_ex(test, "", 0, reg::KeyRead, &copy), reg::Success);
    EXPECT_NE(copy, test);  // RegOpenKeyExA opens a new one
    EXPECT_EQ(registry.open_handle_count(), 2u);
    registry.close_key(copy);
    registry.close_key(test);
    EXPECT_EQ(registry.open_handle_count(), 0u);
}

// That HKEY_CLASSES_ROOT reads the local machine's SOFTWARE\Classes is in
// mod_registry_test; here: the root is there even in an empty registry.
TEST_F(SimRegistry, ClassesRootAlwaysOpens)
{
    RegistryTree empty;
    SimulatedRegistry bare(empty);
    RegHandle h = kGarbage;
    EXPECT_EQ(bare.open_key_ex(HKCR, "", 0, reg::KeyRead, &h), reg::Success);  // always there
    EXPECT_EQ(bare.open_key(HKCR, ".pdf", &h), reg::FileNotFound);
}

// Every predefined root answers as an empty key in an empty registry.
TEST_F(SimRegistry, PredefinedRootsAreThereEvenInAnEmptyRegistry)
{
    RegistryTree empty;
    SimulatedRegistry bare(empty);
    char name[32];
    std::uint32_t size = 0;
    for (const RegHandle root :
         {HKLM, HKCR, root_handle(RegRoot::CurrentUser), RegHandle{0x80000003u}, RegHandle{0x80000005u}}) {
        EXPECT_EQ(bare.enum_key(root, 0, name, sizeof name), reg::NoMoreItems) << root;
        EXPECT_EQ(bare.query_value(root, "x", nullptr, nullptr, &size), reg::FileNotFound) << root;
    }
}

TEST_F(SimRegistry, ADeniedKeyOpensButRefusesQueries)
{
    const RegHandle locked = open(HKLM, "SOFTWARE\\Locked\\");
    std::uint32_t size = 0;
    EXPECT_EQ(registry.query_value(locked, "v", nullptr, nullptr, &size), reg::AccessDenied);
    char name[32];
    EXPECT_EQ(registry.enum_key(locked, 0, name, sizeof name), reg::AccessDenied);
    const RegHandle inner = open(locked, "Inner");  // the key below has rights of its own
    EXPECT_EQ(text(inner, "v"), std::string("open\0", 5));
    registry.close_key(inner);
    registry.close_key(locked);

    for (const std::uint32_t access : {reg::KeyQueryValue, reg::KeyRead, 0x0008u}) {
        RegHandle h = kGarbage;
        EXPECT_EQ(registry.open_key_ex(HKLM, "software\\locked", 0, access, &h), reg::AccessDenied) << access;
        EXPECT_EQ(h, 0u);
    }
    RegHandle h = 0;
    EXPECT_EQ(registry.open_key_ex(HKLM, "SOFTWARE\\Locked", 0, 0x00020000, &h), reg::Success);  // READ_CONTROL
    EXPECT_EQ(registry.query_value(h, "v", nullptr, nullptr, &size), reg::AccessDenied);
    registry.close_key(h);
    EXPECT_EQ(registry.open_handle_count(), 0u);
}

TEST_F(SimRegistry, HandlesOpenedForQueriesOnlyCannotEnumerate)
{
    RegHandle h = 0;
    ASSERT_EQ(registry.open_key_ex(HKLM, "SOFTWARE\\Test\\Kids", 0, reg::KeyQueryValue, &h), reg::Success);
    char name[32];
    EXPECT_EQ(registry.enum_key(h, 0, name, sizeof name), reg::AccessDenied);
    registry.close_key(h);
}

TEST_F(SimRegistry, QueryReportsSizesAndCopiesLikeRegQueryValueEx)
{
    const RegHandle h = open(HKLM, "SOFTWARE\\Test");
    std::uint32_t type = 99, size = 0;
    EXPECT_EQ(registry.query_value(h, "Text", &type, nullptr, &size), reg::Success);
    EXPECT_EQ(type, reg::Sz);
    EXPECT_EQ(size, 6u);  // the terminating NUL counts
    EXPECT_EQ(registry.query_value(h, "Text", nullptr, nullptr, nullptr), reg::Success);

    std::uint8_t small[5];
    size = sizeof small;
    EXPECT_EQ(registry.query_value(h, "text", &type, small, &size), reg::MoreData);
    EXPECT_EQ(size, 6u);
    std::uint8_t exact[6];
    size = sizeof exact;
    EXPECT_EQ(registry.query_value(h, "TEXT", &type, exact, &size), reg::Success);
    EXPECT_EQ(std::memcmp(exact, "hello", 6), 0);

    std::uint8_t number[4];
    size = 4;
    EXPECT_EQ(registry.query_value(h, "Number", &type, number, &size), reg::Success);
    EXPECT_EQ(type, reg::Dword);
    EXPECT_EQ(number[0] | number[1] << 8, 1600);

    size = 4;
    EXPECT_EQ(registry.query_value(h, "Empty", &type, number, &size), reg::Success);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(type, reg::Binary);
    EXPECT_EQ(registry.query_value(h, "Missing", &type, nullptr, &size), reg::FileNotFound);
    EXPECT_EQ(registry.query_value(h, "", &type, nullptr, &size), reg::FileNotFound);  // no default was set
    EXPECT_EQ(registry.query_value(h, nullptr, &type, nullptr, &size), reg::FileNotFound);
    EXPECT_EQ(registry.query_value(h, "Text", &type, exact, nullptr), 87);  // a buffer needs its size
    registry.close_key(h);

    EXPECT_EQ(registry.query_value(0, "Text", &type, nullptr, &size), reg::InvalidHandle);
    EXPECT_EQ(registry.query_value(h, "Text", &type, nullptr, &size), reg::InvalidHandle);  // closed
}

TEST_F(SimRegistry, EnumeratesSubkeysInWindowsOrder)
{
    const RegHandle h = open(HKLM, "SOFTWARE\\Test\\Kids");
    std::vector<std::string> names;
    char name[2048];
    std::uint32_t index = 0;
    long status;
    while ((status = registry.enum_key(h, index, name, sizeof name)) == reg::Success) {
        names.emplace_back(name);
        ++index;
    }
    EXPECT_EQ(status, reg::NoMoreItems);
    // Compared in upper case, so '_' sorts after the letters.
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "Gamma", "zeta", "_under"}));

    EXPECT_EQ(registry.enum_key(h, 0, name, 5), reg::MoreData);  // "Alpha" needs 6 with its NUL
    EXPECT_EQ(registry.enum_key(h, 0, name, 6), reg::Success);
    EXPECT_EQ(registry.enum_key(h, 1000, name, sizeof name), reg::NoMoreItems);
    EXPECT_EQ(registry.enum_key(0, 0, name, sizeof name), reg::InvalidHandle);
    registry.close_key(h);
}

TEST_F(SimRegistry, ClosingRootsAlwaysWorksAndUnknownHandlesFail)
{
    EXPECT_EQ(registry.close_key(HKLM), reg::Success);
    EXPECT_EQ(registry.close_key(HKCR), reg::Success);
    EXPECT_EQ(registry.close_key(0), reg::InvalidHandle);
    EXPECT_EQ(registry.close_key(0x1234), reg::InvalidHandle);
    const RegHandle h = open(HKLM, "SOFTWARE");
    EXPECT_EQ(registry.open_handle_count(), 1u);
    EXPECT_EQ(registry.close_key(h), reg::Success);
    EXPECT_EQ(registry.close_key(h), reg::InvalidHandle);
    EXPECT_EQ(registry.open_handle_count(), 0u);
}

TEST_F(SimRegistry, AKeyRemovedWhileOpenReportsItsDeletion)
{
    const RegHandle h = open(HKLM, "SOFTWARE\\Test");
    registry.tree() = parse_reg_text("REGEDIT4\n", "empty.reg");
    std::uint32_t size = 0;
    EXPECT_EQ(registry.query_value(h, "Text", nullptr, nullptr, &size), 1018);
    EXPECT_EQ(registry.close_key(h), reg::Success);
}

// Listing many subkeys one index at a time, reopening the key for each as
// the Acrobat check does, gives them all in order; the benchmark
// ListSubkeys shows the cost per subkey stays flat.
TEST(SimRegistryScale, ListsTwentyThousandSubkeysInOrder)
{
    RegistryTree tree;
    RegKey& acrobat = tree.make(*parse_key_name("HKLM\\SOFTWARE\\Adobe\\Acrobat Reader"));
    constexpr int kCount = 20000;
    for (int i = kCount; i-- > 0;) {
        std::string name(1, i % 3 ? 'v' : 'V');
        name.append(std::to_string(i)).append(".0");
        acrobat.subkey(name);
    }
    SimulatedRegistry registry(tree);
    const std::vector<std::string> names =
        ListRegSubkeys(registry, RegRoot::LocalMachine, "SOFTWARE\\Adobe\\acrobat Reader\\");
    ASSERT_EQ(names.size(), static_cast<std::size_t>(kCount));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                               [](const std::string& a, const std::string& b) { return compare_key_names(a, b) < 0; }));
    EXPECT_EQ(names.front(), "V0.0");  // in the case it was made with
    EXPECT_EQ(registry.open_handle_count(), 0u);
}

// A subkey made after a listing takes its place in the next one.
TEST_F(SimRegistry, ListsAKeyMadeAfterwardsInItsPlace)
{
    const RegHandle h = open(HKLM, "SOFTWARE\\Test\\Kids");
    char name[64];
    ASSERT_EQ(registry.enum_key(h, 0, name, sizeof name), reg::Success);
    EXPECT_STREQ(name, "Alpha");
    tree.make(*parse_key_name("HKLM\\SOFTWARE\\Test\\Kids\\aardvark"));
    ASSERT_EQ(registry.enum_key(h, 0, name, sizeof name), reg::Success);
    EXPECT_STREQ(name, "aardvark");
    EXPECT_EQ(registry.enum_key(h, 5, name, sizeof name), reg::Success);
    EXPECT_STREQ(name, "_under");
    EXPECT_EQ(registry.enum_key(h, 6, name, sizeof name), reg::NoMoreItems);
    registry.close_key(h);
}
