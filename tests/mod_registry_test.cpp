// The four registry reads on a simulated registry that behaves as Windows'.
#include "control_support.hpp"
#include "probes/mod_registry.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;

namespace {

constexpr const char* kRegistry = R"(Windows Registry Editor Version 5.00

[HKEY_CLASSES_ROOT\.pdf]
@="AcroExch.Document"
"Content Type"="application/pdf"

[HKEY_CLASSES_ROOT\.swf]
@=""

[HKEY_LOCAL_MACHINE\SOFTWARE\Test]
"Text"="  padded  "
"Expand"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,00,00
"Multi"=hex(7):61,00,00,00,00,00
"Binary"=hex:01,02
"Number"=dword:0000002a
"Negative"=dword:ffffffff
"NumberText"="3"
"Quad"=hex(b):01,00,00,00,00,00,00,00
"NoNul"=hex(1):41,00,42,00
"EmbeddedNul"=hex(1):41,00,00,00,42,00,00,00

[HKEY_LOCAL_MACHINE\SOFTWARE\Test\Charlie]
[HKEY_LOCAL_MACHINE\SOFTWARE\Test\alpha]
[HKEY_LOCAL_MACHINE\SOFTWARE\Test\Bravo]

[HKEY_LOCAL_MACHINE\SOFTWARE\Locked]
"Secret"="hidden"
)";

class ModRegistry : public ::testing::Test {
protected:
    ModRegistry() : machine(machine_profile("[registry]\ndenied = HKEY_LOCAL_MACHINE\\SOFTWARE\\Locked\n", kRegistry))
    {}
    void TearDown() override { EXPECT_EQ(machine.registry().open_handle_count(), 0u) << "a key was left open"; }

    std::string text(RegRoot root, std::string_view path, std::string_view name)
    {
        return ReadRegString(machine.registry(), root, path, name, "No");
    }
    std::int32_t number(std::string_view path, std::string_view name)
    {
        return ReadRegDword(machine.registry(), RegRoot::LocalMachine, path, name, -7);
    }

    SimulatedMachine machine;
};

TEST_F(ModRegistry, ReadsTextValuesOnlyWhenTheyAreStrings)
{
    const std::tuple<RegRoot, const char*, const char*, const char*> cases[] = {
        {RegRoot::ClassesRoot, ".pdf", "", "AcroExch.Document"},
        {RegRoot::ClassesRoot, ".PDF\\", "", "AcroExch.Document"},  // case and a trailing backslash
        {RegRoot::LocalMachine, "SOFTWARE\\Classes\\.pdf", "", "AcroExch.Document"},
        {RegRoot::ClassesRoot, ".pdf", "content type", "application/pdf"},
        {RegRoot::ClassesRoot, ".swf", "", ""},  // the empty text is not the default
        {RegRoot::ClassesRoot, ".zip", "", "No"},
        {RegRoot::LocalMachine, "SOFTWARE\\Test\\", "Text", "  padded  "},
        {RegRoot::LocalMachine, "SOFTWARE\\Test\\", "Expand", "No"},
        {RegRoot::LocalMachine, "SOFTWARE\\Test\\", "Multi", "No"},
        {RegRoot::LocalMachine, "SOFTWARE\\Test\\", "Binary", "No"},
        {RegRoot::LocalMachine, "SOFTWARE\\Test\\", "Number", "No"},
        {RegRoot::LocalMachine, "SOFTWARE\\Test\\", "Missing", "No"},
        {RegRoot::LocalMachine, "SOFTWARE\\Test\\", "", "No"},  // no default value set
        {RegRoot::LocalMachine, "SOFTWARE\\Test\\", "NoNul", "AB"},
        {RegRoot::LocalMachine, "SOFTWARE\\Test\\", "EmbeddedNul", "A"},
        {RegRoot::LocalMachine, "SOFTWARE\\Locked\\", "Secret", "No"},
        {RegRoot::LocalMachine, "SOFTWARE\\Nowhere\\", "Text", "No"},
    };
    for (const auto& [root, path, name, expected] : cases)
        EXPECT_EQ(text(root, path, name), expected) << path << " " << name;
}

TEST_F(ModRegistry, ReadsNumbersOnlyFromDwords)
{
    EXPECT_EQ(number("SOFTWARE\\Test\\", "Number"), 42);
    EXPECT_EQ(number("SOFTWARE\\Test\\", "Negative"), -1);
    EXPECT_EQ(number("SOFTWARE\\Test\\", "NumberText"), -7);
    EXPECT_EQ(number("SOFTWARE\\Test\\", "Quad"), -7);  // more data than four bytes
    EXPECT_EQ(number("SOFTWARE\\Test\\", "Missing"), -7);
    EXPECT_EQ(number("SOFTWARE\\Nowhere\\", "Number"), -7);
}

TEST_F(ModRegistry, ListsSubkeysInEnumerationOrder)
{
    EXPECT_EQ(ListRegSubkeys(machine.registry(), RegRoot::LocalMachine, "SOFTWARE\\Test\\"),
              (std::vector<std::string>{"alpha", "Bravo", "Charlie"}));
    EXPECT_TRUE(ListRegSubkeys(machine.registry(), RegRoot::LocalMachine, "SOFTWARE\\Test\\alpha").empty());
    EXPECT_TRUE(ListRegSubkeys(machine.registry(), RegRoot::LocalMachine, "SOFTWARE\\Nowhere").empty());
    EXPECT_TRUE(ListRegSubkeys(machine.registry(), RegRoot::LocalMachine, "SOFTWARE\\Locked").empty());
}

TEST_F(ModRegistry, AKeyExistsWhenItCanBeQueried)
{
    EXPECT_TRUE(RegKeyExists(machine.registry(), RegRoot::LocalMachine, "SOFTWARE\\Test\\"));
    EXPECT_TRUE(RegKeyExists(machine.registry(), RegRoot::LocalMachine, "software\\test\\bravo"));
    EXPECT_TRUE(RegKeyExists(machine.registry(), RegRoot::ClassesRoot, ".pdf"));
    EXPECT_FALSE(RegKeyExists(machine.registry(), RegRoot::LocalMachine, "SOFTWARE\\Nowhere\\"));
    EXPECT_FALSE(RegKeyExists(machine.registry(), RegRoot::LocalMachine, "SOFTWARE\\Locked\\"));
}

TEST(TrimBlanks, RemovesSpacesAtBothEnds)
{
    EXPECT_EQ(trim_blanks("  6.0  "), "6.0");
    EXPECT_EQ(trim_blanks("   "), "");
    EXPECT_EQ(trim_blanks("a b"), "a b");
    EXPECT_EQ(trim_blanks("\t1\t"), "\t1\t");
}

}  // namespace
