// The fleet dashboard: one self-contained HTML file, no network, no external
// scripts or fonts. Records are written as script data while they arrive;
// the page's own script draws the summaries, the verdict charts (inline
// SVG), the most common missing items and a table that sorts, filters and
// shows a page of rows at a time, so a hundred thousand machines stay usable.
#include "apps/prestova/report/dashboard_files.hpp"  // written by the build from dashboard.css and .js
#include "apps/prestova/report/report_writer.hpp"
#include "render/face_uri.hpp"
#include "render/json_escape.hpp"

#include <ostream>

namespace prestova {

namespace {

// A JSON string that may sit inside a <script> element.
std::string script_string(std::string_view utf8)
{
    std::string s = json_string(utf8);
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '<' && i + 1 < s.size() && (s[i + 1] == '/' || s[i + 1] == '!')) out += "\\u003c";
        else out += s[i];
    }
    return out;
}

char verdict_letter(RowVerdict v)
{
    switch (v) {
    case RowVerdict::Good: return 'g';
    case RowVerdict::Okay: return 'o';
    case RowVerdict::Bad: return 'b';
    case RowVerdict::None: break;
    }
    return 'n';
}

constexpr std::size_t kRecordsPerScript = 500;

// The verdict pictures are written once; each inline panel names them.
constexpr std::pair<Verdict, std::string_view> kFaces[]{
    {Verdict::Good, "@face-good@"}, {Verdict::Okay, "@face-okay@"}, {Verdict::Bad, "@face-bad@"}};

std::string with_named_faces(std::string svg)
{
    for (const auto& [verdict, name] : kFaces) {
        const std::string& uri = face_data_uri(verdict);
        for (std::size_t at = svg.find(uri); at != std::string::npos; at = svg.find(uri, at + name.size()))
            svg.replace(at, uri.size(), name);
    }
    return svg;
}

constexpr std::string_view kHead = R"HTML(<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; img-src 'self' data: file:">
<title>Prestova fleet report</title>
<style>
)HTML";

// After the style sheet.
constexpr std::string_view kBody = R"HTML(</style></head><body>
<header><h1>Prestova fleet report</h1></header>
<main>
<h2>Pages</h2>
<div id="summary" class="pages"></div>
<h2 id="machines-title">Machines</h2>
<div class="controls">
<label>Page <select id="page-filter"></select></label>
<label>Readiness <select id="readiness"><option value="">all</option><option value="0">ready</option><option value="1">usable</option><option value="2">not ready</option><option value="3">could not be read</option></select></label>
<label>Find <input id="search" type="search" placeholder="machine, file or value"></label>
<span id="shown" aria-live="polite"></span>
<button type="button" id="prev">&lt; previous</button><button type="button" id="next">next &gt;</button>
</div>
<div class="table-box" tabindex="0" role="region" aria-labelledby="machines-title">
<table class="machines" id="machines"><thead><tr id="head"></tr></thead><tbody id="rows"></tbody></table>
</div>
</main>
<dialog id="panel-view" aria-labelledby="panel-title"><button type="button" id="panel-close">close</button><h2 id="panel-title"></h2><div id="panel-body"></div></dialog>
<script>"use strict";var D=[],E=[],P=[];
)HTML";

constexpr std::string_view kApp = R"HTML(<script>"use strict";
)HTML";

// After the script.
constexpr std::string_view kEnd = R"HTML(</script>
</body></html>
)HTML";

class HtmlWriter final : public ReportWriter {
public:
    HtmlWriter(std::ostream& out, std::vector<std::string> pages, bool inline_panels)
        : out_(out), inline_panels_(inline_panels)
    {
        out_ << kHead << kDashboardCss << kBody << "var FACES={";
        for (const auto& [verdict, name] : kFaces)
            out_ << (verdict == Verdict::Good ? "" : ",") << name.substr(6, name.size() - 7) << ":"
                 << script_string(face_data_uri(verdict));
        out_ << "};\nvar PAGES=[";
        for (std::size_t i = 0; i < pages.size(); ++i) out_ << (i ? "," : "") << script_string(pages[i]);
        out_ << "];\n</script>\n";
    }

    void add(const ReportRecord& r) override
    {
        open_script();
        std::string panel = "\"\"";
        if (!r.panel.empty()) {
            if (inline_panels_) {
                out_ << "P.push(" << script_string(with_named_faces(r.panel)) << ");\n";
                panel = std::to_string(panels_++);
            } else {
                panel = script_string(r.panel);
            }
        }
        std::string verdicts, values = "[", missing = "[";
        for (std::size_t i = 0; i < kReportRowCount; ++i) {
            const RowResult& row = r.result.rows[i];
            verdicts += verdict_letter(row.verdict);
            if (i) values += ",";
            values += script_string(row.value);
            for (const auto& m : row.missing) {
                if (missing.size() > 1) missing += ",";
                missing += script_string(m);
            }
        }
        std::string stopped;
        if (const auto& stop = r.result.stopped)
            stopped = std::string(stop->step)
                          .append(": error ")
                          .append(std::to_string(stop->error_number))
                          .append(": ")
                          .append(stop->message);
        out_ << "D.push([" << script_string(r.file) << "," << script_string(r.machine) << "," << r.page << ","
             << static_cast<int>(r.result.readiness) << ",\"" << verdicts << "\"," << values << "]," << missing << "],"
             << script_string(stopped) << "," << panel << "]);\n";
    }

    void add(const ReportError& e) override
    {
        open_script();
        out_ << "E.push([" << script_string(e.file) << "," << script_string(e.machine) << "," << e.line << ","
             << script_string(e.message) << "]);\n";
    }

    void finish() override
    {
        close_script();
        out_ << kApp << kDashboardJs << kEnd;
        out_.flush();
    }

private:
    // Many small script elements rather than one huge one: the browser parses
    // as the file arrives.
    void open_script()
    {
        if (in_script_ == kRecordsPerScript) close_script();
        if (in_script_++ == 0) out_ << "<script>\n";
    }
    void close_script()
    {
        if (in_script_) out_ << "</script>\n";
        in_script_ = 0;
    }

    std::ostream& out_;
    bool inline_panels_;
    std::size_t panels_ = 0;
    std::size_t in_script_ = 0;
};

}  // namespace

std::unique_ptr<ReportWriter> make_html_writer(std::ostream& out, std::vector<std::string> pages, bool inline_panels)
{
    return std::make_unique<HtmlWriter>(out, std::move(pages), inline_panels);
}

}  // namespace prestova
