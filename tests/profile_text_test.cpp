// What no command shows about machine profiles: the writers read back the
// same for any value, even those no snapshot holds, and what only a writer
// refuses (no profile can hold it, a real PC can). What a snapshot writes of
// every bundled profile, and that check reads it back as the same machine,
// is in tests/cases/snapshot.cases and machine_profile.cases.
#include "core/file_text.hpp"
#include "platform/simulated/facts_format.hpp"
#include "platform/simulated/facts_writer.hpp"
#include "platform/simulated/reg_file.hpp"
#include "platform/simulated/reg_writer.hpp"
#include "quoted_args.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace prestova;

namespace {

const std::string kSource = PRESTOVA_SOURCE_DIR;

MachineProfile parse(std::string_view text) { return parse_machine_profile(text, "m.machine", kSource + "/profiles"); }

std::string written(const MachineProfile& p) { return write_machine_facts(p, ""); }

// Read back and written again, the same text: every fact came back.
void expect_facts_read_back(const MachineProfile& p, const std::string& what)
{
    EXPECT_EQ(written(parse(written(p))), written(p)) << what;
}

// Sets the fact the facts file names KEY, or adds an item to a list: a
// character takes the value's first, a yes/no whether it is "yes".
void set_fact(MachineProfile& p, const std::string& name, const std::string& value)
{
    const auto key = std::ranges::find(facts_keys(), name, &FactKey::name);
    ASSERT_NE(key, facts_keys().end()) << name;
    std::visit(
        [&]<typename M>(const M& member) {
            if constexpr (std::is_same_v<M, NumberMember>) set_number(p, *key, std::stoull(value));
            else if constexpr (std::is_same_v<M, ProfileMember<char>>) p.*member = value.empty() ? '\0' : value[0];
            else if constexpr (std::is_same_v<M, ProfileMember<std::optional<bool>>>) p.*member = value == "yes";
            else if constexpr (std::is_same_v<M, ProfileMember<std::vector<std::string>>>) (p.*member).push_back(value);
            else if constexpr (std::is_same_v<M, ProfileMember<std::string>>) p.*member = value;
            else ADD_FAILURE() << name;
        },
        key->member);
}

// The same for a registry: every key, name and byte came back.
void expect_reg_reads_back(const RegistryTree& tree, const std::string& what)
{
    const std::string text = write_reg_text(tree);
    EXPECT_EQ(write_reg_text(parse_reg_text(text, "written.reg")), text) << what;
}

// docs/machine-profile.md lists the format's keys section by section: a
// "### `[screen]`" heading starts a section, the first cell of a table row
// names keys in backticks.
TEST(FactsText, DocumentedKeysAreTheFormatsKeys)
{
    std::istringstream docs(read_file_text(kSource + "/docs/machine-profile.md").value());
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

TEST(FactsText, ReadsBackWhatItWrites)
{
    MachineProfile odd;  // what the defaults would change, and the format's edges
    odd.platform_id = 1, odd.major = 4, odd.minor = 10, odd.build = 0x040A08AE;
    odd.service_pack = " A \xE9";  // blanks around it are trimmed
    odd.service_pack_major = 3;    // not the number in the text
    odd.extended_record = true;    // not the default for this family
    odd.width = 1, odd.height = 100000, odd.twips_per_pixel = 12, odd.bits_per_pixel = 0, odd.planes = 0;
    odd.device_context = 0x7FFFFFFF;
    odd.free_bytes = {{'C', 0}, {'D', UINT64_MAX}};
    odd.total_bytes = {{'C', 10}, {'D', UINT64_MAX}};
    odd.creatable = {"A.B.1", "a.b.2"};
    odd.programs = {"C:\\Program Files (x86)\\Mozilla Firefox\\firefox.exe", "iexplore.exe"};
    const MachineProfile back = parse(written(odd));
    odd.service_pack = "A \xE9";
    EXPECT_EQ(written(back), written(odd));
    EXPECT_FALSE(back.total_physical);  // no memory: the query fails

    // ", ;b" would read as a comment and lose b and everything after it.
    MachineProfile comments;
    comments.creatable = {";a", "b", ";c", "#d", "e;f", "g#h", "\x81\x8D\x8F\x90\x9D"};
    comments.programs = {"#1.exe", ";2.exe", "C:\\x;y\\z.exe"};
    comments.service_pack = ";x";
    comments.decimal_separator = ';';
    expect_facts_read_back(comments, "comment characters");
    EXPECT_NE(written(comments).find("creatable = ;a, b,;c,#d, e;f, g#h, \xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\n"),
              std::string::npos);

    // Every code-page byte that is no blank; none at all is an empty value.
    MachineProfile bytes;
    for (int b = 0x21; b < 0x100; ++b)
        if (b != ',') bytes.creatable.push_back(std::string("x") + static_cast<char>(b));
    for (int b = 0x21; b < 0x100; ++b) {
        bytes.decimal_separator = bytes.thousands_separator = static_cast<char>(b);
        bytes.currency_symbol = std::string(1, static_cast<char>(b)) + "x";
        expect_facts_read_back(bytes, "byte " + std::to_string(b));
    }
}

// Every line of tests/cases/facts_writer.txt: values that read back, and what
// the reader would not read back as written, refused saying what and why.
TEST(FactsText, EveryLineOfTheWritersTableHolds)
{
    std::istringstream table(read_file_text(kSource + "/tests/cases/facts_writer.txt").value());
    int checked = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line.starts_with("#")) continue;
        const auto arrow = line.find(" => ");
        ASSERT_NE(arrow, std::string::npos) << line;
        MachineProfile p;
        std::string name;
        for (const auto& [text, quoted] : prestova::testing::args_of(line.substr(0, arrow)))
            quoted ? set_fact(p, name, text) : void(name = text);
        const std::string what = line.substr(arrow + 4);
        if (what == "reads back") {
            expect_facts_read_back(p, line);
        } else {
            try {
                (void)write_machine_facts(p, "m.reg");
                ADD_FAILURE() << "written: " << line;
            } catch (const ProfileError& e) {
                EXPECT_EQ(std::string(e.what()), what);
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 30);
    EXPECT_THROW((void)write_machine_facts(MachineProfile{}, "pc ;1.reg"), ProfileError);
    EXPECT_THROW((void)write_machine_facts(MachineProfile{}, " pc.reg"), ProfileError);
    // A heading is only a comment: a line break in it cannot start a line.
    EXPECT_EQ(written(parse(write_machine_facts(MachineProfile{}, "", "pc\n[windows]\nmajor = 9"))),
              written(MachineProfile{}));
}

// 512 levels are written and read back; 513 are refused. (What the writer
// writes of every tree a rule of reg_import.txt reads, and that it reads back
// the same, is in reg_import.expected: odd values and names, hives, spellings.)
TEST(RegText, WritesAtMost512Levels)
{
    RegistryTree deep;
    RegKey* key = &deep.hive(Hive::CurrentUser);
    for (int i = 0; i < 512; ++i) key = &key->subkey("k");
    expect_reg_reads_back(deep, "512 levels");
    key->subkey("k");
    EXPECT_THROW(write_reg_text(deep), ProfileError);
}

// A name its reader would refuse is refused before any text is handed back,
// naming the key. Windows' own registry can hold these; a profile cannot.
TEST(RegText, RefusesNamesARegFileCannotCarry)
{
    const struct {
        std::string key;    // below HKEY_CURRENT_USER\Software
        std::string value;  // a value name set there
        const char* message;
    } cases[] = {
        {"Vendor", std::string("a\0b", 3),
         "'HKEY_CURRENT_USER\\\\Software\\\\Vendor value a\\x00b' has a name holding a NUL character"},
        {std::string("Ven\0dor", 7), "v",
         "'HKEY_CURRENT_USER\\\\Software\\\\Ven\\x00dor' is a key name holding a NUL character"},
        {"Vendor", "a\nb", "has a name holding a line break"},
        {"Vendor", "a\rb", "has a name holding a line break"},
        {"Ven\ndor", "v", "is a key name holding a line break"},
        {"Ven\\dor", "v", "is a key name holding a backslash"},
        {"", "v", "has a key with an empty name"},
        {std::string(256, 'k'), "v", "is a key name longer than 255 characters"},
        {"Vendor", std::string(16384, 'v'), "has a name longer than 16383 characters"},
    };
    for (const auto& c : cases) {
        RegistryTree tree;
        tree.hive(Hive::CurrentUser).subkey("Software").subkey(c.key).set_value({c.value, reg::Sz, {0}});
        try {
            write_reg_text(tree);
            ADD_FAILURE() << c.message << ": written";
        } catch (const ProfileError& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind("cannot write the registry as a .reg file: ", 0), 0u) << what;
            EXPECT_NE(what.find(c.message), std::string::npos) << what;
            EXPECT_LT(what.size(), 300u) << what;
        }
    }
}

}  // namespace
