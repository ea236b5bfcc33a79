// Behaviour as data: every tests/cases/*.cases file is a list of cases, each
// a few files and `prestova` command lines run in a folder of its own; what
// the commands print must equal the file's .expected twin. After a reviewed
// change of behaviour, `cmake --build BUILD --target update_cases` rewrites the
// twins; `git diff tests/cases` then shows exactly what changed.
//
// A case file:
//   # comment                  (outside file bodies)
//   === NAME                   starts a case
//   machine BASE [SECTION.KEY=VALUE | -SECTION.KEY]...
//                              writes m.machine from cases/machines/BASE.machine
//                              with those facts set or removed, and m.reg from
//                              BASE.reg when there is one
//   file NAME | reg            the lines up to "end" become file NAME (reg:
//                              appended to m.reg); \r, \t and \xHH are escapes
//   run ARG...                 runs `prestova ARG...`; "quoted words" keep blanks
//                              and \" is a quote;
//                              @NAME is the case's file, $SOURCE the checkout
//   rows [TITLE...]            later panels show only these rows ("Disk space"),
//                              or all
//   show NAME                  prints the case's file NAME, as a command wrote
//                              it; a CR shows as \r
// Lines before the first case begin every case.
#include "cli_support.hpp"
#include "core/file_text.hpp"
#include "expected_outputs.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using prestova::testing::cli;
using prestova::testing::kSource;
using prestova::testing::TempFolder;

const fs::path kCases = fs::path(kSource) / "tests" / "cases";

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string replace_all(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// \r, \t and \xHH stand for bytes a line cannot hold or show.
std::string unescape(const std::string& line)
{
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == 'r' || line[i + 1] == 't')) {
            out += line[++i] == 'r' ? '\r' : '\t';
        } else if (line.compare(i, 2, "\\x") == 0 && i + 3 < line.size() && std::isxdigit(line[i + 2]) &&
                   std::isxdigit(line[i + 3])) {
            out += static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += line[i];
        }
    }
    return out;
}

std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ' ' && (i == 0 || line[i - 1] == ' ') && !quoted) out.emplace_back();  // a word starts
        if (line.compare(i, 2, "\\\"") == 0) out.back() += line[++i];
        else if (line[i] == '"') quoted = !quoted;
        else if (line[i] != ' ' || quoted) out.back() += line[i];
    }
    for (std::string& word : out) word = unescape(word);
    return out;
}

// A base machine's facts with some set ("memory.total_physical=1") or
// removed ("-disk.c_free"); a set key of a missing section adds the section.
std::string machine_text(const std::string& base, const std::vector<std::string>& changes)
{
    std::vector<std::string> lines =
        lines_of(prestova::read_file_text(kCases / "machines" / (base + ".machine")).value_or(""));
    for (const std::string& change : changes) {
        const bool remove = change.front() == '-';
        const std::size_t dot = change.find('.');
        const std::size_t equals = change.find('=');
        const std::string section = std::string("[").append(change, remove, dot - remove).append("]");
        const std::string key = change.substr(dot + 1, remove ? std::string::npos : equals - dot - 1);
        auto at = std::find(lines.begin(), lines.end(), section);
        if (at == lines.end()) at = lines.insert(lines.end(), section);
        auto end = std::find_if(at + 1, lines.end(), [](const std::string& l) { return l.starts_with("["); });
        auto line = std::find_if(at + 1, end, [&](const std::string& l) { return l.starts_with(key + " ="); });
        if (remove) {
            if (line != end) lines.erase(line);
        } else {
            const std::string text = key + " = " + change.substr(equals + 1);
            if (line != end) *line = text;
            else lines.insert(end, text);
        }
    }
    std::string out;
    for (const auto& l : lines) out += l + "\n";
    return out;
}

const std::vector<std::string> kRowTitles = {"Header", "Memory",           "Processor", "Disk space",
                                             "Video",  "Operating system", "Software",  "Browser"};

// The text panel's row blocks (a title line to a blank line) other than those
// named are left out; everything else stays.
std::string only_rows(const std::string& text, const std::vector<std::string>& rows)
{
    if (rows.empty()) return text;
    std::string out;
    bool keep = true, block_start = true;
    for (const std::string& line : lines_of(text)) {
        if (block_start && std::ranges::count(kRowTitles, line)) keep = std::ranges::count(rows, line) > 0;
        if (keep) out += line + "\n";
        block_start = line.empty();
        keep = keep || line.empty();
    }
    return out;
}

// What a case's commands printed, with its folder's and the checkout's paths
// written as @ and $SOURCE so the text is the same on every machine.
std::string run_case(const std::vector<std::string>& body)
{
    TempFolder folder;
    const std::string here = folder.path().string() + "/";
    std::string shown;
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const std::vector<std::string> w = words(body[i]);
        if (w.empty() || body[i].starts_with("#")) continue;  // file bodies are read whole below
        if (w[0] == "machine") {
            const auto registry = prestova::read_file_text(kCases / "machines" / (w.at(1) + ".reg"));
            folder.write("m.machine",
                         machine_text(w[1], {w.begin() + 2, w.end()}) + (registry ? "[registry]\nfile = m.reg\n" : ""));
            if (registry) folder.write("m.reg", *registry);
        } else if (w[0] == "file" || w[0] == "reg") {
            std::string text =
                w[0] == "reg" ? prestova::read_file_text(folder.file("m.reg")).value_or("") : std::string();
            while (++i < body.size() && body[i] != "end") text += unescape(body[i]) + "\n";
            folder.write(w[0] == "reg" ? "m.reg" : w.at(1), text);
        } else if (w[0] == "show") {
            // show FILE [TEXT]: the file, or only its lines holding TEXT
            auto text = prestova::read_file_text(folder.file(w.at(1)));
            if (text && w.size() > 2) {
                std::string kept;
                for (const auto& line : lines_of(*text))
                    if (line.find(w[2]) != std::string::npos) kept += line + "\n";
                text = kept;
            }
            shown += "[" + w[1] + "]\n" + (text ? replace_all(*text, "\r", "\\r") : "(no such file)\n");
        } else if (w[0] == "rows") {
            rows.assign(w.begin() + 1, w.end());
        } else if (w[0] == "run") {
            std::vector<std::string> args;
            for (auto a = w.begin() + 1; a != w.end(); ++a)
                args.push_back(a->starts_with("@") ? here + a->substr(1) : replace_all(*a, "$SOURCE", kSource));
            const auto r = cli(args);
            shown += "$ prestova" + body[i].substr(3) + "\n" + only_rows(r.out, rows);
            if (!r.err.empty()) shown += "[stderr]\n" + r.err;
            if (r.code != 0) shown += "[exit " + std::to_string(r.code) + "]\n";
        } else {
            ADD_FAILURE() << "unknown directive: " << body[i];
        }
    }
    return replace_all(replace_all(shown, here, "@"), kSource, "$SOURCE");
}

// Case name -> its lines, in file order; the lines before the first case
// begin every case.
std::vector<std::pair<std::string, std::vector<std::string>>> cases_of(const fs::path& file)
{
    auto [preamble, cases] = prestova::testing::read_named_blocks(file);
    for (auto& [name, lines] : cases) lines.insert(lines.begin(), preamble.begin(), preamble.end());
    return cases;
}

std::vector<std::string> case_files()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kCases))
        if (entry.path().extension() == ".cases") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Cases : public ::testing::TestWithParam<std::string> {};

TEST_P(Cases, PrintWhatTheirExpectedFileSays)
{
    prestova::testing::ExpectedOutputs expected(kCases / (GetParam() + ".expected"));
    for (const auto& [name, body] : cases_of(kCases / (GetParam() + ".cases"))) expected.check(name, run_case(body));
}

INSTANTIATE_TEST_SUITE_P(Files, Cases, ::testing::ValuesIn(case_files()), [](const auto& info) { return info.param; });

}  // namespace
