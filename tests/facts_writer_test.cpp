// What the facts writer writes, the machine profile reader reads back to
// the same facts.
#include "platform/simulated/facts_writer.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace prestova;

namespace {

const std::string kSource = PRESTOVA_SOURCE_DIR;

std::string written(const MachineProfile& p, const std::string& reg_file = "")
{
    return write_machine_facts(p, reg_file, "written by a test");
}

MachineProfile read_back(const MachineProfile& p, const std::string& reg_file = "")
{
    return parse_machine_profile(written(p, reg_file), "written.machine", kSource + "/profiles");
}

// Read back and written again, the same text: every fact came back, as the
// writer writes each key of the format.
void expect_reads_back(const MachineProfile& p, const std::string& what, const std::string& reg_file = "")
{
    EXPECT_EQ(written(read_back(p, reg_file), reg_file), written(p, reg_file)) << what;
}

TEST(FactsWriter, EveryBundledMachineReadsBackTheSame)
{
    int machines = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kSource + "/profiles")) {
        if (entry.path().extension() != ".machine") continue;
        expect_reads_back(load_machine_profile(entry.path()), entry.path().filename().string(),
                          entry.path().stem().string() + ".reg");
        ++machines;
    }
    EXPECT_GE(machines, 7);
}

TEST(FactsWriter, KeepsWhatTheDefaultsWouldChange)
{
    MachineProfile p;
    p.platform_id = 1;
    p.major = 4;
    p.minor = 10;
    p.build = 0x040A08AE;
    p.service_pack = " A \xE9";  // code page text, blanks trimmed away by the reader
    p.service_pack_major = 3;    // not the number in the text
    p.extended_record = true;    // not the default for this family
    p.width = 1;
    p.height = 100000;
    p.twips_per_pixel = 12;
    p.bits_per_pixel = 0;
    p.planes = 0;
    p.device_context = 0x7FFFFFFF;
    p.free_bytes = {{'C', 0}, {'D', UINT64_MAX}};
    p.total_bytes = {{'C', 10}, {'D', UINT64_MAX}};
    p.creatable = {"A.B.1", "a.b.2"};
    p.decimal_separator = ',';
    p.programs = {"C:\\Program Files (x86)\\Mozilla Firefox\\firefox.exe", "iexplore.exe"};
    const MachineProfile back = read_back(p);
    p.service_pack = "A \xE9";
    EXPECT_EQ(written(back), written(p));
    EXPECT_FALSE(back.total_physical);  // no memory: the query fails
}

TEST(FactsWriter, NoExtendedRecordNoProductType)
{
    MachineProfile p;
    p.platform_id = 2;
    p.major = 4;
    p.minor = 0;
    p.extended_record = false;
    p.service_pack = "Service Pack 6a";
    p.service_pack_major = 6;
    p.total_physical = 0;
    expect_reads_back(p, "NT 4");
}

// ", ;b" would read as a comment and lose b and everything after it.
TEST(FactsWriter, ListItemsStartingWithACommentCharacter)
{
    MachineProfile p;
    p.creatable = {";a", "b", ";c", "#d", "e;f", "g#h", "\x81\x8D\x8F\x90\x9D"};
    p.programs = {"#1.exe", ";2.exe", "C:\\x;y\\z.exe"};
    p.service_pack = ";x";
    p.decimal_separator = ';';
    expect_reads_back(p, "comment characters");
    EXPECT_NE(written(p).find("creatable = ;a, b,;c,#d, e;f, g#h, \xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\n"),
              std::string::npos);
}

TEST(FactsWriter, EveryCodePageByteReadsBackTheSame)
{
    MachineProfile p;
    for (int b = 0x21; b < 0x100; ++b)
        if (b != ',') p.creatable.push_back(std::string("x") + static_cast<char>(b));
    for (int b = 0x21; b < 0x100; ++b) {
        p.decimal_separator = static_cast<char>(b);
        expect_reads_back(p, "byte " + std::to_string(b));
    }
}

// None at all is an empty value; any code-page byte that is no blank is one.
TEST(FactsWriter, NumberSettingsReadBackTheSame)
{
    const struct {
        char thousands;
        const char* currency;
    } cases[] = {{'\0', ""}, {'.', "\x80"}, {'\xA0', "kr"}, {'\'', "Fr."},       {';', ";x"},
                 {'#', "#"}, {'=', "S/."},  {',', "R$ x"},  {'\x81', "\x81\x8D"}};
    for (const auto& c : cases) {
        MachineProfile p;
        p.thousands_separator = c.thousands;
        p.currency_symbol = c.currency;
        expect_reads_back(p, std::string("currency ") + c.currency);
    }
    MachineProfile p;
    for (int b = 0x21; b < 0x100; ++b) {
        p.thousands_separator = static_cast<char>(b);
        p.currency_symbol = std::string(1, static_cast<char>(b)) + "x";
        expect_reads_back(p, "byte " + std::to_string(b));
    }
}

// Pictures keep their inner blanks, quotes and comment characters.
TEST(FactsWriter, DateAndTimePicturesReadBackTheSame)
{
    const struct {
        const char* short_date;
        const char* time_format;
    } cases[] = {{"M/d/yyyy", "h:mm:ss tt"},
                 {"dd.MM.yyyy", "HH:mm:ss"},
                 {"d' de 'MMMM' \xE0 'yyyy", "H' h 'mm"},
                 {"yyyy;MM;dd", "#HH:mm"},
                 {"d", "t"},
                 {"dd/MM/yy'  '", "'x' = H"}};
    for (const auto& c : cases) {
        MachineProfile p;
        p.short_date = c.short_date;
        p.time_format = c.time_format;
        expect_reads_back(p, std::string(c.short_date) + " " + c.time_format);
    }
}

struct Unwritable {
    const char* what;
    void (*set)(MachineProfile&);
    std::string message;
};

class FactsWriterRefuses : public ::testing::TestWithParam<Unwritable> {};

// What the reader would not read back as written is refused, saying what and why.
TEST_P(FactsWriterRefuses, WhatItsReaderWouldNotReadBack)
{
    MachineProfile p;
    GetParam().set(p);
    try {
        (void)write_machine_facts(p, "m.reg");
        FAIL() << GetParam().what;
    } catch (const ProfileError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FactsWriterRefuses,
    ::testing::Values(
        Unwritable{"comma",
                   [](MachineProfile& p) {
                       p.creatable = {"a", "b,c"};
                   },
                   "a facts file cannot hold an [objects] creatable item 'b,c': a comma separates items"},
        Unwritable{"comment", [](MachineProfile& p) { p.programs = {"C:\\a ;b.exe"}; },
                   "a facts file cannot hold a [shell] programs item 'C:\\\\a ;b.exe': a blank before ';' or '#' "
                   "starts a comment"},
        Unwritable{"empty", [](MachineProfile& p) { p.creatable = {""}; },
                   "a facts file cannot hold an [objects] creatable item '': an empty item is dropped"},
        Unwritable{"blanks", [](MachineProfile& p) { p.creatable = {"a\t"}; },
                   "a facts file cannot hold an [objects] creatable item 'a\\x09': blanks around it are dropped"},
        Unwritable{"line break", [](MachineProfile& p) { p.programs = {"a\n[windows]"}; },
                   "a facts file cannot hold a [shell] programs item 'a\\x0a[windows]': it holds a line break"},
        Unwritable{"service pack", [](MachineProfile& p) { p.service_pack = "Service Pack 3 #beta"; },
                   "a facts file cannot hold service_pack 'Service Pack 3 #beta': a blank before ';' or '#' starts a "
                   "comment"},
        Unwritable{"long service pack", [](MachineProfile& p) { p.service_pack = std::string(128, 'S'); },
                   std::string("a facts file cannot hold service_pack '").append(80, 'S') +
                       "'... (48 more bytes cut): it is longer than the record's 127 characters"},
        Unwritable{"separator", [](MachineProfile& p) { p.decimal_separator = ' '; },
                   "a facts file cannot hold the decimal separator ' ': it would be read as none"},
        Unwritable{"blank thousands separator", [](MachineProfile& p) { p.thousands_separator = ' '; },
                   "a facts file cannot hold the thousands separator ' ': it would be read as none"},
        Unwritable{"line-break thousands separator", [](MachineProfile& p) { p.thousands_separator = '\n'; },
                   "a facts file cannot hold the thousands separator '\\x0a': it would be read as none"},
        Unwritable{"currency with blanks", [](MachineProfile& p) { p.currency_symbol = " kr"; },
                   "a facts file cannot hold the currency symbol ' kr': blanks around it are dropped"},
        Unwritable{"currency with a comment", [](MachineProfile& p) { p.currency_symbol = "a ;b"; },
                   "a facts file cannot hold the currency symbol 'a ;b': a blank before ';' or '#' starts a comment"},
        Unwritable{"empty short date", [](MachineProfile& p) { p.short_date.clear(); },
                   "a facts file cannot hold the short date format '': the reader takes no empty picture"},
        Unwritable{"empty time format", [](MachineProfile& p) { p.time_format.clear(); },
                   "a facts file cannot hold the time format '': the reader takes no empty picture"},
        Unwritable{"short date with blanks", [](MachineProfile& p) { p.short_date = "d/M "; },
                   "a facts file cannot hold the short date format 'd/M ': blanks around it are dropped"},
        Unwritable{"time format with a comment", [](MachineProfile& p) { p.time_format = "HH:mm #24"; },
                   "a facts file cannot hold the time format 'HH:mm #24': a blank before ';' or '#' starts a comment"},
        Unwritable{"time format with a line break", [](MachineProfile& p) { p.time_format = "HH\nmm"; },
                   "a facts file cannot hold the time format 'HH\\x0amm': it holds a line break"},
        // Read back beside its registry file, it would be taken for a misspelling.
        Unwritable{"denied key not in the registry", [](MachineProfile& p) { p.denied_keys = {"HKLM\\"}; },
                   "a facts file cannot hold a [registry] denied key 'HKLM\\\\': it is not in the registry "
                   "written beside it"}));

TEST(FactsWriter, RefusesARegistryFileNameItWouldCut)
{
    EXPECT_THROW((void)write_machine_facts(MachineProfile{}, "pc ;1.reg"), ProfileError);
    EXPECT_THROW((void)write_machine_facts(MachineProfile{}, " pc.reg"), ProfileError);
    // A heading is only a comment: a line break in it cannot start a line.
    const MachineProfile p;
    EXPECT_EQ(written(parse_machine_profile(write_machine_facts(p, "", "pc\n[windows]\nmajor = 9"), "m", ".")),
              written(p));
}

}  // namespace
