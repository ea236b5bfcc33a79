// A snapshot of a machine, written out and read back as a machine profile,
// shows the same panel as the machine itself: for every bundled machine, on
// a page and freshly initialised, down to what each download link starts.
#include "session/control_setup.hpp"
#include "session/machine_snapshot.hpp"
#include "cli_support.hpp"
#include "host/download_links.hpp"
#include "host/hyper_jump.hpp"
#include "platform/simulated/facts_writer.hpp"
#include "platform/simulated/reg_writer.hpp"
#include "render/panel_render.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace prestova;
using prestova::testing::cli;
using prestova::testing::kSource;
using prestova::testing::TempFolder;

namespace {

namespace fs = std::filesystem;

// The snapshot's two files, as the snapshot command writes them.
fs::path snapshot_to(const fs::path& machine_file, const TempFolder& dir)
{
    const MachineProfile p = take_snapshot(*open_profile_machine(machine_file.string()));
    dir.write("snap.reg", write_reg_text(p.registry));
    return dir.write("snap.machine", write_machine_facts(p, "snap.reg"));
}

// The whole panel as JSON after one run and a click on every link.
std::string panel(const fs::path& machine_file, const PageSettings& settings)
{
    forget_default_browser();
    auto session = ControlSession::open(open_profile_machine(machine_file.string()), settings);
    const RunReport report = session->control.show();
    std::vector<LinkClick> clicks;
    for (const auto& link : download_links()) {
        const auto result = click_link(session->control, link.link);
        const auto& asked = session->shell.requests();
        clicks.push_back({std::string(design(link.link).name), asked.empty() ? "" : asked.back().file,
                          asked.empty() ? "" : asked.back().parameters, result, ""});
    }
    forget_default_browser();
    return render_json(PanelView{session->panel, report, clicks, "machine"});
}

const PageSettings kSettings[] = {
    {kSource + "/pages/sample.html", {}, false},
    {std::nullopt, {}, true},
    {kSource + "/pages/sample.html", {{"IEVersion", "1.0"}, {"JavaVersion", "1.4"}}, false},
};

std::string read_text(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SnapshotOfBundledMachine : public ::testing::TestWithParam<const char*> {};

TEST_P(SnapshotOfBundledMachine, ShowsTheSamePanel)
{
    const fs::path original = kSource + "/profiles/" + GetParam() + ".machine";
    const TempFolder folder;
    const fs::path copy = snapshot_to(original, folder);
    for (const auto& settings : kSettings) EXPECT_EQ(panel(copy, settings), panel(original, settings));
}

INSTANTIATE_TEST_SUITE_P(Profiles, SnapshotOfBundledMachine,
                         ::testing::Values("xp-laptop-2005", "win98-desktop", "win7-desktop", "server2008-r2",
                                           "uhd-nearly-full", "student-2006-equipped", "bare-xp"));

// A machine whose every probe has something unusual to say.
const char* const kOddMachine =
    "[windows]\nplatform_id = 2\nmajor = 6\nminor = 0\nbuild = 6002\n"
    "service_pack = Service Pack 2\nproduct_type = 3\n"
    "[screen]\nwidth = 1280\nheight = 1024\ntwips_per_pixel = 12\nbits_per_pixel = 16\n"
    "hdc = 0x77\n"
    "[memory]\ntotal_physical = 1073741824\n"
    "[disk]\nc_free = 900000000\nd_free = 5\n"
    "[objects]\ncreatable = ShockwaveFlash.ShockwaveFlash.9, ShockwaveFlash.ShockwaveFlash.7, "
    "Unrelated.Thing\n"
    "[locale]\ndecimal_separator = ,\n"
    "[registry]\nfile = odd.reg\ndenied = HKEY_LOCAL_MACHINE\\SOFTWARE\\Mozilla\\Mozilla Firefox\n"
    "[shell]\nprograms = C:\\Opera\\opera.exe, C:\\Unrelated.exe\n";

const char* const kOddRegistry =
    "REGEDIT4\n"
    "[HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0]\n\"~MHz\"=dword:00000bb8\n"
    "\"Unrelated\"=\"x\"\n"
    "[HKEY_CLASSES_ROOT\\.swf]\n@=\"ShockwaveFlash.ShockwaveFlash\"\n"
    "[HKEY_CLASSES_ROOT\\.zip]\n@=\"\"\n"
    "[HKEY_CLASSES_ROOT\\.pdf]\n@=\"AcroExch.Document\"\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Adobe\\Acrobat Reader]\n\"NoSubkeys\"=\"so not installed\"\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment]\n\"CurrentVersion\"=hex(2):31,2e,36,00\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Mozilla\\Mozilla Firefox]\n\"CurrentVersion\"=\"3.0 (en-GB)\"\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape 6]\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AmayaWX]\n"
    "\"DisplayVersion\"=\"  9.1  \"\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe]\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer]\n"
    "[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]\n@=\"C:\\\\Opera\\\\opera.exe \\\"%1\\\"\"\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Unrelated\\Vendor]\n\"Big\"=\"never read\"\n";

fs::path odd_machine(const TempFolder& dir)
{
    dir.write("odd.reg", kOddRegistry);
    return dir.write("odd.machine", kOddMachine);
}

TEST(SnapshotOfAMachine, ShowsTheSamePanelWhateverTheProbesFind)
{
    const TempFolder folder, copy_folder;
    const fs::path original = odd_machine(folder);
    const fs::path copy = snapshot_to(original, copy_folder);
    for (const auto& settings : kSettings) EXPECT_EQ(panel(copy, settings), panel(original, settings));
}

// The user's number, date and time settings go into the snapshot and come
// back from it.
TEST(SnapshotOfAMachine, KeepsTheRegionalSettings)
{
    const struct {
        const char* locale;
        char decimal, thousands;
        const char* currency;
        const char* short_date;
        const char* time_format;
    } cases[] = {{"", '.', ',', "$", "M/d/yyyy", "h:mm:ss tt"},
                 {"decimal_separator = ,\nthousands_separator = .\ncurrency_symbol = \xE2\x82\xAC\n"
                  "short_date = dd.MM.yyyy\ntime_format = HH:mm:ss\n",
                  ',', '.', "\x80", "dd.MM.yyyy", "HH:mm:ss"},
                 {"thousands_separator =\ncurrency_symbol =\nshort_date = d' de 'MMMM\ntime_format = H' h 'mm\n", '.',
                  '\0', "", "d' de 'MMMM", "H' h 'mm"}};
    for (const auto& c : cases) {
        const TempFolder folder, copy_folder;
        const fs::path original = folder.write("m.machine", std::string("[locale]\n") + c.locale);
        const MachineProfile p = take_snapshot(*open_profile_machine(original.string()));
        EXPECT_EQ(p.decimal_separator, c.decimal) << c.locale;
        EXPECT_EQ(p.thousands_separator, c.thousands) << c.locale;
        EXPECT_EQ(p.currency_symbol, c.currency) << c.locale;
        EXPECT_EQ(p.short_date, c.short_date) << c.locale;
        EXPECT_EQ(p.time_format, c.time_format) << c.locale;
        const MachineProfile back = load_machine_profile(snapshot_to(original, copy_folder));
        EXPECT_EQ(back.thousands_separator, c.thousands) << c.locale;
        EXPECT_EQ(back.currency_symbol, c.currency) << c.locale;
        EXPECT_EQ(back.short_date, c.short_date) << c.locale;
        EXPECT_EQ(back.time_format, c.time_format) << c.locale;
    }
}

TEST(SnapshotOfAMachine, HoldsOnlyWhatTheChecksRead)
{
    const TempFolder folder;
    const MachineProfile p = take_snapshot(*open_profile_machine(odd_machine(folder).string()));
    const std::string reg = write_reg_text(p.registry);
    EXPECT_EQ(reg.find("Unrelated"), std::string::npos) << reg;
    EXPECT_EQ(reg.find("NoSubkeys"), std::string::npos) << reg;  // the key is listed, its values not read
    EXPECT_NE(reg.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape 6]"), std::string::npos) << reg;
    EXPECT_NE(reg.find("\"CurrentVersion\"=hex(2):31,2e,36,00"), std::string::npos) << reg;
    EXPECT_EQ(p.denied_keys, std::vector<std::string>{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Mozilla\\Mozilla Firefox"});
    EXPECT_EQ(p.creatable,
              (std::vector<std::string>{"ShockwaveFlash.ShockwaveFlash.7", "ShockwaveFlash.ShockwaveFlash.9"}));
    EXPECT_EQ(p.programs, std::vector<std::string>{"C:\\Opera\\opera.exe"});
    EXPECT_EQ(p.free_bytes, (std::map<char, std::uint64_t>{{'C', 900000000}}));  // only the drive checked
    EXPECT_EQ(p.product_type, 3);
    EXPECT_EQ(p.device_context, 0x77);
}

TEST(SnapshotCommand, WritesBothFilesThatCheckReads)
{
    const TempFolder folder;
    const std::string base = folder.file("pc").string();
    const auto r = cli({"snapshot", "--machine", kSource + "/profiles/win7-desktop.machine", "--output", base});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("pc.machine"), std::string::npos);
    const auto a =
        cli({"check", "--machine", base + ".machine", "--page", kSource + "/pages/sample.html", "--format", "json"});
    const auto b = cli({"check", "--machine", kSource + "/profiles/win7-desktop.machine", "--page",
                        kSource + "/pages/sample.html", "--format", "json"});
    ASSERT_EQ(a.code, 0) << a.err;
    // Only the machine's name differs.
    EXPECT_EQ(a.out.substr(a.out.find("\"stopped\"")), b.out.substr(b.out.find("\"stopped\"")));
}

TEST(SnapshotCommand, RefusesBadUse)
{
    EXPECT_NE(cli({"snapshot"}).err.find("snapshot needs --machine FILE"), std::string::npos);
    EXPECT_NE(cli({"snapshot", "--machine", kSource + "/profiles/bare-xp.machine", "--frob"}).err.find("'--frob'"),
              std::string::npos);
    // On a copy: were the refusal to fail, the bundled profile would be overwritten.
    const TempFolder folder;
    for (const char* name : {"bare-xp.machine", "bare-xp.reg"})
        fs::copy_file(kSource + "/profiles/" + name, folder.file(name));
    const std::string machine = folder.file("bare-xp.machine").string();
    const std::string machine_before = read_text(machine);
    const auto overwrite = cli({"snapshot", "--machine", machine, "--output", folder.file("bare-xp").string()});
    EXPECT_EQ(overwrite.code, 2);
    EXPECT_NE(overwrite.err.find("would overwrite"), std::string::npos) << overwrite.err;
    EXPECT_EQ(read_text(machine), machine_before);
}

}  // namespace
