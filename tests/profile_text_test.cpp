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
using prestova::testing::args_of;

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
// character takes the value's first, a yes/no whether it is "yes", a drive
// "D:BYTES". "software" makes a key below HKEY_CURRENT_USER\Software, then a
// value of that name in it.
void set_fact(MachineProfile& p, const std::string& name, const std::string& value)
{
    if (name == "software") {
        RegKey& software = p.registry.hive(Hive::CurrentUser).subkey("Software");
        if (software.subkey_count() == 0) software.subkey(value);
        else software.subkey_at(0).set_value({value, reg::Sz, {0}});
        return;
    }
    const auto key = std::ranges::find(facts_keys(), name, &FactKey::name);
    ASSERT_NE(key, facts_keys().end()) << name;
    std::visit(
        [&]<typename M>(const M& member) {
            if constexpr (std::is_same_v<M, NumberMember>) set_number(p, *key, std::stoull(value));
            else if constexpr (std::is_same_v<M, ProfileMember<char>>) p.*member = value.empty() ? '\0' : value[0];
            else if constexpr (std::is_same_v<M, ProfileMember<std::optional<bool>>>) p.*member = value == "yes";
            else if constexpr (std::is_same_v<M, ProfileMember<std::vector<std::string>>>) (p.*member).push_back(value);
            else if constexpr (std::is_same_v<M, ProfileMember<std::string>>) p.*member = value;
            else if constexpr (std::is_same_v<M, ProfileMember<std::map<char, std::uint64_t>>>)
                (p.*member)[value.at(0)] = std::stoull(value.substr(2));
            else ADD_FAILURE() << name;
        },
        key->member);
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

// Every code-page byte that is no blank reads back; none at all is an empty value.
TEST(FactsText, ReadsBackEveryByte)
{
    MachineProfile bytes;
    for (int b = 0x21; b < 0x100; ++b)
        if (b != ',') bytes.creatable.push_back(std::string("x") + static_cast<char>(b));
    for (int b = 0x21; b < 0x100; ++b) {
        bytes.decimal_separator = bytes.thousands_separator = static_cast<char>(b);
        bytes.currency_symbol = std::string(1, static_cast<char>(b)) + "x";
        expect_facts_read_back(bytes, "byte " + std::to_string(b));
    }
}

// Every line of tests/cases/facts_writer.txt: values that read back (and a
// line they are written as), and what the reader would not read back as
// written, refused saying what and why.
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
        for (const auto& [text, quoted] : args_of(line.substr(0, arrow)))
            quoted ? set_fact(p, name, text) : void(name = text);
        const std::string what = line.substr(arrow + 4);
        if (what == "reads back" || what.starts_with("writes ")) {
            expect_facts_read_back(p, line);
            if (what != "reads back") {
                EXPECT_NE(written(p).find(args_of(what.substr(7)).at(0).text + "\n"), std::string::npos) << line;
            }
        } else {
            try {
                (void)write_machine_facts(p, "m.reg");
                (void)write_reg_text(p.registry);
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
    MachineProfile blanks;  // blanks around a record's service pack are dropped on reading, not refused
    blanks.service_pack = " A \xE9";
    EXPECT_EQ(parse(written(blanks)).service_pack, "A \xE9");
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
    const std::string text = write_reg_text(deep);
    EXPECT_EQ(write_reg_text(parse_reg_text(text, "written.reg")), text);
    key->subkey("k");
    EXPECT_THROW(write_reg_text(deep), ProfileError);
}

}  // namespace
