// The facts file: every key, the defaults, each kind of error with its file
// and line, and loading the .reg beside it.
#include "core/file_text.hpp"
#include "platform/simulated/facts_format.hpp"
#include "platform/simulated/facts_writer.hpp"
#include "platform/simulated/machine_profile.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace prestova;

namespace {

MachineProfile parse(std::string_view text) { return parse_machine_profile(text, "m.machine", "."); }

using prestova::testing::TempFolder;

}  // namespace

TEST(MachineProfile, ReadsEveryFact)
{
    const MachineProfile p =
        parse("# a test machine\n"
              "[Windows]\n"
              "PLATFORM_ID=1\n  major =  4 \nminor=10\nbuild = 0x040A08AE\n"
              "service_pack = Service Pack 1.5   ; inline comment\n"
              "product_type = 3\nextended_record = yes\n"
              "[screen]\nwidth=1280\nheight=1024\ntwips_per_pixel=12\nbits_per_pixel=16\nplanes=2\nhdc=0x77\n"
              "[memory]\ntotal_physical = 17179869184\n"
              "[disk]\nc_free = 5000000000\nC_TOTAL = 9000000000\nd_free = 7\n"
              "[objects]\ncreatable = A.B.1 , , C.D\n"
              "[locale]\ndecimal_separator = ,\n"
              "[registry]\ndenied = HKLM\\SOFTWARE\\X, HKEY_CLASSES_ROOT\\.y\n"
              "[shell]\nprograms = C:\\a b\\c.exe\n");
    EXPECT_EQ(p.platform_id, 1u);
    EXPECT_EQ(p.major, 4u);
    EXPECT_EQ(p.minor, 10u);
    EXPECT_EQ(p.build, 0x040A08AEu);
    EXPECT_EQ(p.service_pack, "Service Pack 1.5");
    EXPECT_EQ(p.service_pack_major, 1);
    EXPECT_EQ(p.service_pack_minor, 5);
    EXPECT_EQ(p.product_type, 3);
    EXPECT_TRUE(p.answers_extended_record());
    EXPECT_EQ(p.width, 1280u);
    EXPECT_EQ(p.height, 1024u);
    EXPECT_EQ(p.twips_per_pixel, 12u);
    EXPECT_EQ(p.bits_per_pixel, 16);
    EXPECT_EQ(p.planes, 2);
    EXPECT_EQ(p.device_context, 0x77);
    EXPECT_EQ(p.total_physical, 17179869184ull);
    EXPECT_EQ(p.free_bytes, (std::map<char, std::uint64_t>{{'C', 5000000000ull}, {'D', 7}}));
    EXPECT_EQ(p.total_bytes, (std::map<char, std::uint64_t>{{'C', 9000000000ull}}));
    EXPECT_EQ(p.creatable, (std::vector<std::string>{"A.B.1", "C.D"}));
    EXPECT_EQ(p.decimal_separator, ',');
    EXPECT_EQ(p.denied_keys, (std::vector<std::string>{"HKLM\\SOFTWARE\\X", "HKEY_CLASSES_ROOT\\.y"}));
    EXPECT_EQ(p.programs, (std::vector<std::string>{"C:\\a b\\c.exe"}));
}

// docs/machine-profile.md lists the format's keys section by section: a
// "### `[screen]`" heading starts a section, the first cell of a table row
// names keys in backticks.
TEST(MachineProfile, DocumentedKeysAreTheFormatsKeys)
{
    std::istringstream docs(read_file_text(PRESTOVA_SOURCE_DIR "/docs/machine-profile.md").value());
    std::vector<std::string> documented, table;
    std::string section, line;
    while (std::getline(docs, line)) {
        if (line.starts_with("#")) section = line.starts_with("### `[") ? line.substr(6, line.find(']') - 6) : "";
        if (section.empty() || !line.starts_with("| `")) continue;
        std::istringstream cell(line.substr(0, line.find('|', 1)));
        std::string part;
        for (int i = 0; std::getline(cell, part, '`'); ++i)
            if (i % 2) documented.push_back(section + " " + part);  // between backticks
    }
    for (const FactKey& key : facts_keys()) table.push_back(std::string(key.section) + " " + std::string(key.name));
    EXPECT_EQ(documented, table);
}

// Every default, as the writer writes it: unset and empty keys left out.
TEST(MachineProfile, DefaultsWhenLeftOut)
{
    MachineProfile p = parse("; nothing but a comment\n\n[memory]\n");
    EXPECT_EQ(write_machine_facts(p, ""),
              "\n[windows]\nplatform_id = 2\nmajor = 5\nminor = 1\nbuild = 2600\nservice_pack_major = 0\n"
              "service_pack_minor = 0\nextended_record = yes\n\n[screen]\nwidth = 1024\nheight = 768\n"
              "twips_per_pixel = 15\nbits_per_pixel = 32\nplanes = 1\nhdc = 0x1A2B\n\n[memory]\n\n[disk]\n\n[objects]\n"
              "\n[locale]\ndecimal_separator = .\nthousands_separator = ,\ncurrency_symbol = $\nshort_date = M/d/yyyy\n"
              "time_format = h:mm:ss tt\n\n[registry]\n\n[shell]\n");
    EXPECT_EQ(p.registry.hive(Hive::LocalMachine).subkey_count(), 0u);

    EXPECT_EQ(parse("[windows]\nservice_pack = Service Pack 6a\n").service_pack_major, 6);
    EXPECT_EQ(parse("[windows]\nservice_pack = Service Pack 2\nservice_pack_major = 3\n").service_pack_major, 3);
    EXPECT_EQ(parse("[locale]\ndecimal_separator = ;\n").decimal_separator, ';');
}

TEST(MachineProfile, ExtendedRecordByDefaultOnlyFromWindows2000)
{
    const struct {
        const char* windows;
        bool answers;
    } cases[] = {{"platform_id=2\nmajor=5", true},
                 {"platform_id=2\nmajor=6", true},
                 {"platform_id=2\nmajor=4", false},
                 {"platform_id=1\nmajor=4", false},
                 {"platform_id=0\nmajor=5", false},
                 {"platform_id=2\nmajor=5\nextended_record=no", false},
                 {"platform_id=1\nmajor=4\nextended_record=YES", true}};
    for (const auto& c : cases)
        EXPECT_EQ(parse(std::string("[windows]\n") + c.windows + "\n").answers_extended_record(), c.answers)
            << c.windows;
}

// The number settings of the user, English (United States) unless given; an
// empty value is no separator or no symbol. The file is UTF-8, the settings
// are the code page's.
TEST(MachineProfile, ReadsTheNumberSettings)
{
    const struct {
        const char* locale;
        char decimal;
        char thousands;
        const char* currency;
    } cases[] = {{"", '.', ',', "$"},
                 {"decimal_separator = ,\nthousands_separator = .\ncurrency_symbol = \xE2\x82\xAC\n", ',', '.', "\x80"},
                 {"thousands_separator = \xC2\xA0\ncurrency_symbol = kr\n", '.', '\xA0', "kr"},
                 {"thousands_separator = '\ncurrency_symbol = Fr.   ; Swiss francs\n", '.', '\'', "Fr."},
                 {"thousands_separator =\ncurrency_symbol =\n", '.', '\0', ""},
                 {"THOUSANDS_SEPARATOR = ;\n", '.', ';', "$"}};
    for (const auto& c : cases) {
        const MachineProfile p = parse(std::string("[locale]\n") + c.locale);
        EXPECT_EQ(p.decimal_separator, c.decimal) << c.locale;
        EXPECT_EQ(p.thousands_separator, c.thousands) << c.locale;
        EXPECT_EQ(p.currency_symbol, c.currency) << c.locale;
    }
}

// The user's date and time pictures, English (United States) unless given;
// blanks around them and a comment after them are not theirs. UTF-8 in the
// file, the code page's in the picture.
TEST(MachineProfile, ReadsTheDateAndTimePictures)
{
    const struct {
        const char* locale;
        const char* short_date;
        const char* time_format;
    } cases[] = {
        {"", "M/d/yyyy", "h:mm:ss tt"},
        {"short_date = dd/MM/yyyy\ntime_format = HH:mm:ss\n", "dd/MM/yyyy", "HH:mm:ss"},
        {"SHORT_DATE =  yyyy-MM-dd   ; ISO\n", "yyyy-MM-dd", "h:mm:ss tt"},
        {"time_format = H' h 'mm\n", "M/d/yyyy", "H' h 'mm"},
        {"short_date = d' de 'MMMM' \xC3\xA0 'yyyy\ntime_format = tt h:mm\n", "d' de 'MMMM' \xE0 'yyyy", "tt h:mm"},
        {"short_date = d;M;yy\ntime_format = #HH\n", "d;M;yy", "#HH"}};
    for (const auto& c : cases) {
        const MachineProfile p = parse(std::string("[locale]\n") + c.locale);
        EXPECT_EQ(p.short_date, c.short_date) << c.locale;
        EXPECT_EQ(p.time_format, c.time_format) << c.locale;
    }
}

struct BadFacts {
    std::string text;
    std::string where;
    std::string message;
};

class MachineProfileRefuses : public ::testing::TestWithParam<BadFacts> {};

TEST_P(MachineProfileRefuses, NamingTheFileAndLine)
{
    try {
        parse(GetParam().text);
        FAIL() << "accepted: " << GetParam().text;
    } catch (const ProfileError& e) {
        const std::string what = e.what();
        EXPECT_EQ(what.rfind(GetParam().where, 0), 0u) << what;
        EXPECT_NE(what.find(GetParam().message), std::string::npos) << what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, MachineProfileRefuses,
    ::testing::Values(BadFacts{"[windows]\n[sceen]\n", "m.machine:2: ", "unknown section '[sceen]'"},
                      BadFacts{"[windows]\ncolour = 5\n", "m.machine:2: ", "unknown key 'colour'"},
                      BadFacts{"[disk]\nc_used = 5\n", "m.machine:2: ", "unknown key 'c_used'"},
                      BadFacts{"major = 5\n", "m.machine:1: ", "before any [section]"},
                      BadFacts{"[windows]\nmajor 5\n", "m.machine:2: ", "expected KEY = VALUE"},
                      BadFacts{"[windows\n", "m.machine:1: ", "must end with ']'"},
                      BadFacts{"[windows]\nmajor = five\n", "m.machine:2: ", "not a whole number"},
                      BadFacts{"[windows]\nmajor = -1\n", "m.machine:2: ", "not a whole number"},
                      BadFacts{"[windows]\nmajor = 5.0\n", "m.machine:2: ", "not a whole number"},
                      BadFacts{"[windows]\nbuild = 0x\n", "m.machine:2: ", "not a whole number"},
                      BadFacts{"[windows]\nbuild =\n", "m.machine:2: ", "not a whole number"},
                      BadFacts{"[windows]\nbuild = 0x100000000\n", "m.machine:2: ", "out of range"},
                      BadFacts{"[memory]\ntotal_physical = 99999999999999999999\n", "m.machine:2: ", "out of range"},
                      BadFacts{"[windows]\nproduct_type = 256\n", "m.machine:2: ", "out of range"},
                      BadFacts{"[screen]\ntwips_per_pixel = 0\n", "m.machine:2: ", "out of range"},
                      BadFacts{"[screen]\nhdc = 0\n", "m.machine:2: ", "out of range"},
                      BadFacts{"[windows]\nextended_record = maybe\n", "m.machine:2: ", "neither yes nor no"},
                      BadFacts{"[windows]\nMajor = 5\n\n[WINDOWS]\nmajor = 6\n",
                               "m.machine:5: ", "duplicate key 'major'"},
                      BadFacts{"[locale]\ndecimal_separator = ,,\n", "m.machine:2: ", "one character"},
                      BadFacts{"[registry]\ndenied = HKXX\\Y\n", "m.machine:2: ", "unknown hive"},
                      BadFacts{"[disk]\nc_free = 5\nc_total = 4\n", "m.machine:3: ", "less than"},
                      BadFacts{"[disk]\nd_total = 4\n", "m.machine:2: ", "no free bytes"},
                      BadFacts{"[memory]\n\n[registry]\nfile = no-such.reg\n", "m.machine:4: ", "no-such.reg"}));

INSTANTIATE_TEST_SUITE_P(
    NumberSettings, MachineProfileRefuses,
    ::testing::Values(BadFacts{"[locale]\nthousands_separator = ,,\n", "m.machine:2: ", "one character or none"},
                      BadFacts{"[locale]\ngrouping = ,\n", "m.machine:2: ", "unknown key 'grouping'"},
                      BadFacts{"[locale]\ncurrency_symbol = $\ncurrency_symbol = kr\n",
                               "m.machine:3: ", "duplicate key 'currency_symbol'"}));

INSTANTIATE_TEST_SUITE_P(
    DateAndTimePictures, MachineProfileRefuses,
    ::testing::Values(BadFacts{"[locale]\nshort_date =\n",
                               "m.machine:2: ", "short_date must not be empty: give a picture such as M/d/yyyy"},
                      BadFacts{"[locale]\n\ntime_format = \t\n",
                               "m.machine:3: ", "time_format must not be empty: give a picture such as h:mm:ss tt"},
                      BadFacts{"[locale]\nlong_date = dddd\n", "m.machine:2: ", "unknown key 'long_date'"},
                      BadFacts{"[locale]\nshort_date = d/M\nShort_Date = M/d\n",
                               "m.machine:3: ", "duplicate key 'short_date'"}));

TEST(MachineProfile, LoadsTheRegistryFileBesideIt)
{
    const TempFolder dir;
    dir.write("lab.reg", "REGEDIT4\n[HKEY_CLASSES_ROOT\\.pdf]\n@=\"AcroExch.Document\"\n[HKLM\\SOFTWARE\\Locked]\n");
    const auto machine = dir.write("lab.machine", "[registry]\nfile = lab.reg\ndenied = HKLM\\SOFTWARE\\Locked\n");
    MachineProfile p = load_machine_profile(machine);
    EXPECT_NE(p.registry.find(*parse_key_name("HKLM\\SOFTWARE\\Classes\\.pdf")), nullptr);
    EXPECT_EQ(p.denied_keys.size(), 1u);
}

TEST(MachineProfile, ProblemsInTheFilesAreNamedWithTheirPaths)
{
    const TempFolder dir;
    dir.write("bad.reg", "REGEDIT4\n\n\"v\"=\"x\"\n");
    const auto bad_reg = dir.write("a.machine", "[registry]\nfile = bad.reg\n");
    const auto typo = dir.write("b.machine", "[registry]\nfile = bad2.reg\n\ndenied = HKLM\\SOFTWARE\\Lockd\n");
    dir.write("bad2.reg", "REGEDIT4\n[HKLM\\SOFTWARE\\Locked]\n");
    const struct {
        std::filesystem::path file;
        std::string where;
    } cases[] = {{bad_reg, dir.file("bad.reg").string() + ":3: "},
                 {typo, typo.string() + ":4: "},
                 {dir.file("absent.machine"), dir.file("absent.machine").string() + ": "},
                 {dir.path(), dir.path().string() + ": "}};
    for (const auto& c : cases) {
        try {
            load_machine_profile(c.file);
            ADD_FAILURE() << "accepted " << c.file;
        } catch (const ProfileError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.where, 0), 0u) << e.what();
        }
    }
}

// Whatever a line holds, a message quotes a bounded, terminal-safe piece of
// it, its letters in UTF-8.
TEST(MachineProfile, MessagesQuoteABoundedPieceOfTheInput)
{
    const std::string garbage = "\x1b]0;owned\x07\x1b[2J" + std::string(1024 * 1024, 'x');
    for (const std::string& text : {garbage, "[" + garbage + "]", "[windows]\n" + garbage + " = 5",
                                    "[windows]\nmajor = " + garbage, "[windows]\nextended_record = " + garbage,
                                    "[locale]\ndecimal_separator = " + garbage, "[registry]\ndenied = " + garbage}) {
        try {
            parse(text);
            ADD_FAILURE() << "accepted";
        } catch (const ProfileError& e) {
            const std::string what = e.what();
            EXPECT_LT(what.size(), 400u) << what.substr(0, 400);
            EXPECT_EQ(what.find('\x1b'), std::string::npos) << what.substr(0, 400);
            EXPECT_EQ(what.find('\x07'), std::string::npos) << what.substr(0, 400);
            EXPECT_NE(what.find("more bytes cut)"), std::string::npos) << what.substr(0, 400);
        }
    }
    try {
        parse("[windows]\nmajor = f\xC3\xBCnf\n");  // UTF-8, as the file is
        ADD_FAILURE() << "accepted";
    } catch (const ProfileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "m.machine:2: 'f\xC3\xBCnf' is not a whole number (decimal, or hexadecimal after 0x)");
    }
}

TEST(ProfileMessages, QuoteCodePageInputAndShowPlainPathsAsTheyAre)
{
    EXPECT_EQ(quote_profile_input("D\xE9pt \x80\x1b[2J"), "'D\xC3\xA9pt \xE2\x82\xAC\\x1b[2J'");
    EXPECT_EQ(quote_profile_input(std::string(100, 'x')), "'" + std::string(80, 'x') + "'... (20 more bytes cut)");
    EXPECT_EQ(shown_path("/tmp/lab/pc.reg"), "/tmp/lab/pc.reg");
    EXPECT_EQ(shown_path("C:\\Profils\\caf\xC3\xA9.reg"), "C:\\Profils\\caf\xC3\xA9.reg");
    EXPECT_EQ(shown_path("/tmp/\x1b[2J.reg"), "'/tmp/\\x1b[2J.reg'");
    EXPECT_EQ(shown_path("/tmp/caf\xE9.reg"), "'/tmp/caf\\xe9.reg'");
}
