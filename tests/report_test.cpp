// `prestova report`: every record says what `prestova check --format json`
// says of the same machine and page, whatever the threads; unreadable
// machines become error lines; the outputs keep their documented columns.
#include "apps/prestova/report_command.hpp"
#include "apps/prestova/report/report_writer.hpp"
#include "cli_support.hpp"
#include "render_json_support.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace prestova;
using namespace prestova::testing;

namespace {

const std::string kProfiles = kSource + "/profiles";
const std::string kPage = kSource + "/pages/sample.html";

// Each row as the panel shows it, written down here apart from the product:
// the measured cell, the verdict icons and the download links.
struct RowCells {
    const char* key;
    const char* value;
    std::vector<std::pair<const char*, const char*>> icons;  // name, verdict
    std::vector<const char*> links;
};
const std::vector<RowCells> kRows{
    {"memory", "LabelMemAmount", {{"memGood", "good"}, {"memOk", "okay"}, {"memBad", "bad"}}, {}},
    {"processor", "Label14", {{"procgood", "good"}, {"procok", "okay"}, {"procbad", "bad"}}, {}},
    {"disk", "Label4", {{"diskgood", "good"}, {"diskok", "okay"}, {"diskbad", "bad"}}, {}},
    {"video", "Label19", {{"videogood", "good"}, {"videook", "okay"}, {"videobad", "bad"}}, {}},
    {"os", "Label24", {{"osgood", "good"}, {"osok", "okay"}, {"osbad", "bad"}}, {}},
    {"software",
     "Label28",
     {{"softgood", "good"}, {"softok", "okay"}},
     {"acrolink", "flashlink", "reallink", "ziplink1", "ziplink2", "javalink"}},
    {"browser", "Label33", {{"browsgood", "good"}, {"browsok", "okay"}, {"browsbad", "bad"}}, {"explorerLink"}},
};

const JsonValue* control(const JsonValue& panel, std::string_view name)
{
    for (const auto& c : panel["controls"].items)
        if (c["name"].text == name) return &c;
    return nullptr;
}

// The report's record for one machine and page against the check's panel.
void expect_record_matches_panel(const JsonValue& record, const JsonValue& panel, const std::string& what)
{
    bool all_good = true, none_bad = true;
    for (const RowCells& row : kRows) {
        const JsonValue& got = record["rows"][row.key];
        EXPECT_EQ(got["value"].text, (*control(panel, row.value))["caption"].text) << what << " " << row.key;
        std::string verdict = "none";
        for (const auto& [icon, name] : row.icons)
            if ((*control(panel, icon))["visible"].boolean) verdict = name;
        EXPECT_EQ(got["verdict"].text, verdict) << what << " " << row.key;
        std::vector<std::string> missing, reported;
        for (const char* link : row.links)
            if ((*control(panel, link))["visible"].boolean) missing.push_back((*control(panel, link))["caption"].text);
        for (const auto& item : got["missing"].items) reported.push_back(item.text);
        EXPECT_EQ(reported, missing) << what << " " << row.key;
        all_good = all_good && verdict == "good";
        none_bad = none_bad && (verdict == "good" || verdict == "okay");
    }
    EXPECT_EQ(record["readiness"].text, all_good ? "ready" : none_bad ? "usable" : "not ready") << what;
    if (panel["stopped"].type == JsonValue::Type::Null) {
        EXPECT_EQ(record["stopped"].type, JsonValue::Type::Null) << what;
    } else {
        EXPECT_EQ(record["stopped"]["step"].text, panel["stopped"]["step"].text) << what;
        EXPECT_EQ(record["stopped"]["message"].text, panel["stopped"]["message"].text) << what;
    }
}

std::vector<JsonValue> jsonl(const std::string& text)
{
    std::vector<JsonValue> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(JsonReader::parse(line));
    return lines;
}

// Machines unlike the bundled ones: memory, speed, disk, screen and Windows
// version spread over the verdicts' edges.
void write_generated_machines(const TempFolder& dir)
{
    struct GeneratedMachine {
        const char* name;
        int major, minor, width, height, bits;
        const char* memory;
        const char* disk;
        int mhz;
    };
    const GeneratedMachine machines[] = {
        {"gen-tiny", 4, 10, 640, 480, 8, "33554432", "10485760", 133},
        {"gen-mid", 5, 0, 1024, 768, 16, "134217728", "1073741824", 633},
        {"gen-big", 6, 1, 1920, 1080, 32, "8589934592", "536870912000", 3000},
        {"gen-no-memory", 5, 1, 800, 600, 24, "", "0", 0},
    };
    for (const GeneratedMachine& s : machines) {
        std::ostringstream facts;
        facts << "[windows]\nplatform_id = " << (s.major == 4 ? 1 : 2) << "\nmajor = " << s.major
              << "\nminor = " << s.minor << "\nbuild = 1\n\n[screen]\nwidth = " << s.width << "\nheight = " << s.height
              << "\nbits_per_pixel = " << s.bits << "\n\n[memory]\n";
        if (*s.memory) facts << "total_physical = " << s.memory << "\n";
        facts << "\n[disk]\nc_free = " << s.disk << "\n\n[registry]\nfile = " << s.name << ".reg\n";
        dir.write(std::string(s.name) + ".machine", facts.str());
        std::ostringstream reg;
        reg << "REGEDIT4\n\n";
        if (s.mhz)
            reg << "[HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0]\n\"~MHz\"=dword:"
                << std::hex << s.mhz << "\n";
        dir.write(std::string(s.name) + ".reg", reg.str());
    }
}

TEST(Report, EveryRecordSaysWhatCheckSaysOfThatMachineAndPage)
{
    const TempFolder dir;
    write_generated_machines(dir);
    const auto plain_page = dir.write("plain.html", "<object classid=Prestova></object>");
    const CliResult r = cli({"report", "--page", kPage, "--page", plain_page.string(), kProfiles, dir.path().string(),
                             "--format", "jsonl", "--jobs", "2"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto records = jsonl(r.out);
    ASSERT_EQ(records.size(), 2u * (7 + 4));
    for (const JsonValue& record : records) {
        const std::string what = record["file"].text + " on " + record["page"].text;
        const CliResult check =
            cli({"check", "--machine", record["file"].text, "--page", record["page"].text, "--format", "json"});
        ASSERT_EQ(check.code, 0) << check.err;
        expect_record_matches_panel(record, JsonReader::parse(check.out), what);
        EXPECT_EQ(record["machine"].text, std::filesystem::path(record["file"].text).stem().string());
    }
}

TEST(Report, OrderIsByFileThenPageWhateverTheThreads)
{
    const TempFolder dir;
    write_generated_machines(dir);
    for (const char* format : {"csv", "jsonl", "html"}) {
        std::vector<std::string> args{"report",  "--page",   kPage,  "--page", kPage, dir.path().string(),
                                      kProfiles, "--format", format, "--jobs"};
        args.push_back("1");
        const CliResult one = cli(args);
        args.back() = "8";
        const CliResult eight = cli(args);
        ASSERT_EQ(one.code, 0) << one.err;
        EXPECT_EQ(one.out, eight.out) << format;
    }
    const auto records =
        jsonl(cli({"report", "--page", kPage, kProfiles, dir.path().string(), "--format", "jsonl"}).out);
    for (std::size_t i = 1; i < records.size(); ++i) EXPECT_LE(records[i - 1]["file"].text, records[i]["file"].text);
}

TEST(Report, UnreadableMachinesBecomeErrorLinesAndStrictMakesThemCount)
{
    const TempFolder dir;
    write_generated_machines(dir);
    dir.write("broken.machine", "[windows]\nmajor = lots\n");
    dir.write("lost-registry.machine", "[registry]\nfile = nowhere.reg\n");
    const std::string missing = (dir.path() / "absent.machine").string();
    const std::vector<std::string> args{"report", "--page", kPage, dir.path().string(), missing, "--format", "jsonl"};

    const CliResult r = cli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    const auto records = jsonl(r.out);
    ASSERT_EQ(records.size(), 7u);
    int errors = 0;
    for (const auto& record : records) {
        if (record["readiness"].text != "error") continue;
        ++errors;
        EXPECT_EQ(record["page"].type, JsonValue::Type::Null);
        if (record["machine"].text == "broken") {
            EXPECT_EQ(record["error"]["line"].text, "2");
            EXPECT_NE(record["error"]["message"].text.find("'lots'"), std::string::npos)
                << record["error"]["message"].text;
        }
        if (record["machine"].text == "lost-registry") {
            EXPECT_NE(record["error"]["message"].text.find("nowhere.reg"), std::string::npos);
        }
    }
    EXPECT_EQ(errors, 3);
    EXPECT_NE(r.err.find("3 could not be read"), std::string::npos) << r.err;

    std::vector<std::string> strict = args;
    strict.push_back("--strict");
    EXPECT_EQ(cli(strict).code, 1);

    const CliResult csv = cli({"report", "--page", kPage, (dir.path() / "broken.machine").string()});
    EXPECT_NE(csv.out.find(",broken,,error,"), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find(",2,"), std::string::npos) << csv.out;
}

TEST(Report, EmptyFolderGivesAnEmptyReport)
{
    const TempFolder dir;
    std::filesystem::create_directories(dir.path() / "nothing" / "here");
    dir.write("nothing/notes.txt", "not a machine");
    const CliResult r = cli({"report", (dir.path() / "nothing").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    std::string header;
    for (const auto& c : csv_columns()) {
        if (!header.empty()) header += ',';
        header += c;
    }
    EXPECT_EQ(r.out, header.append("\r\n"));
    EXPECT_NE(r.err.find("no .machine files found"), std::string::npos);
}

TEST(Report, DuplicateMachineNamesAreKeptApartByFile)
{
    const TempFolder dir;
    const std::string facts = "[windows]\nmajor = 5\nminor = 1\n\n[memory]\ntotal_physical = 536870912\n";
    std::filesystem::create_directories(dir.path() / "a");
    std::filesystem::create_directories(dir.path() / "b");
    dir.write("a/pc.machine", facts);
    dir.write("b/pc.machine", facts + "\n[disk]\nc_free = 1\n");
    const CliResult r = cli({"report", (dir.path() / "b").string(), (dir.path() / "a").string(), "--format", "jsonl"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto records = jsonl(r.out);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]["machine"].text, "pc");
    EXPECT_EQ(records[1]["machine"].text, "pc");
    EXPECT_EQ(records[0]["file"].text, (dir.path() / "a" / "pc.machine").string());
    EXPECT_EQ(records[1]["file"].text, (dir.path() / "b" / "pc.machine").string());
}

TEST(Report, APageThatStopsEveryRunLeavesLaterRowsWithoutVerdict)
{
    const TempFolder dir;
    const auto page = dir.write("stops.html", "<object classid=Prestova><param name=MemoryMin value=lots></object>");
    const CliResult r = cli({"report", "--page", page.string(), kProfiles, "--format", "jsonl"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto records = jsonl(r.out);
    ASSERT_EQ(records.size(), 7u);
    for (const auto& record : records) {
        EXPECT_EQ(record["readiness"].text, "not ready");
        EXPECT_EQ(record["stopped"]["error"].text, "13");
        EXPECT_EQ(record["rows"]["browser"]["verdict"].text, "none");
    }
    EXPECT_NE(r.err.find("7 not ready"), std::string::npos) << r.err;
}

struct BadReport {
    std::vector<std::string> args;
    std::string message;
};

TEST(Report, BadUsageExitsTwoWithOneClearLine)
{
    const std::vector<BadReport> cases{
        {{"report"}, "at least one machine"},
        {{"report", kProfiles, "--format", "xml"}, "unknown report format 'xml'"},
        {{"report", kProfiles, "--jobs", "0"}, "--jobs takes a whole number"},
        {{"report", kProfiles, "--panels", "p"}, "--panels goes with --format html"},
        {{"report", kProfiles, "--page", "/nonexistent/course.html"}, "cannot read /nonexistent/course.html"},
        {{"report", kProfiles, "--param", "NoSuchThing=1"}, "is not a property"},
    };
    for (const auto& c : cases) {
        const CliResult r = cli(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(Report, HtmlIsOneSelfContainedFileWithPanelsInlineOrBeside)
{
    const TempFolder dir;
    const auto html = dir.file("fleet.html").string();
    ASSERT_EQ(cli({"report", "--page", kPage, kProfiles, "--format", "html", "--output", html}).code, 0);
    std::ifstream in(html, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("<!DOCTYPE html>", 0), 0u);
    // Nothing is fetched: no external script, style sheet, font or picture.
    for (const char* outside : {"<script src", "<link", "@import", "url(http", "src=\"http", "src=\\\"http"})
        EXPECT_EQ(text.find(outside), std::string::npos) << outside;
    EXPECT_NE(text.find("P.push("), std::string::npos);

    const auto panels = dir.file("panels");
    ASSERT_EQ(
        cli({"report", "--page", kPage, kProfiles, "--format", "html", "--output", html, "--panels", panels.string()})
            .code,
        0);
    EXPECT_TRUE(std::filesystem::exists(panels / "1-1.svg"));
    EXPECT_TRUE(std::filesystem::exists(panels / "7-1.svg"));
    std::ifstream again(html, std::ios::binary);
    const std::string linked((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
    EXPECT_EQ(linked.find("P.push("), std::string::npos);
    EXPECT_NE(linked.find("\"panels/1-1.svg\""), std::string::npos);
}

TEST(Report, FindsMachineFilesRecursivelyOnceEach)
{
    const TempFolder dir;
    std::filesystem::create_directories(dir.path() / "x" / "y");
    dir.write("x/y/deep.machine", "");
    dir.write("x/top.machine", "");
    dir.write("x/top.reg", "");
    const std::string top = (dir.path() / "x" / "top.machine").string();
    const auto files = find_machine_files({(dir.path() / "x").string(), top});
    EXPECT_EQ(files, (std::vector<std::string>{top, (dir.path() / "x" / "y" / "deep.machine").string()}));
}

}  // namespace
