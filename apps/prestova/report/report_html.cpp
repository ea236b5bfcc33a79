// The fleet dashboard: one self-contained HTML file, no network, no external
// scripts or fonts. The page's own script comes first and records follow as
// script data while they arrive, so the table shows its first rows before the
// last record is read; then it draws the summaries, the verdict charts
// (inline SVG), the most common missing items and a table that sorts,
// filters and shows a page of rows at a time, so a hundred thousand machines
// stay usable.
//
// A panel kept in the page is the panel as designed, written once in parts,
// and for each record only the parts its run changed. Their markup (and the
// parts that repeat from machine to machine) is written once in a table and
// named by number, so a record's panel costs a few hundred bytes.
#include "apps/prestova/report/dashboard_files.hpp"  // written by the build from dashboard.css and .js
#include "apps/prestova/report/report_writer.hpp"
#include "render/json_escape.hpp"

#include <functional>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

namespace prestova {

namespace {

// A JSON string that may sit inside a <script> element.
std::string script_string(std::string_view utf8)
{
    std::string s = json_string(utf8);
    if (s.find('<') == std::string::npos) return s;  // most texts: nothing to change
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

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};
using TextNumbers = std::unordered_map<std::string, std::size_t, TextHash, std::equal_to<>>;

// The table the records' panel changes refer to (T in the page): every piece
// of markup, written the first time it is drawn, and every part drawn for a
// second time while the table has room for it. Markup depends on the design
// and the pages, not on the machines, so the table's memory stays flat.
class SharedTexts {
public:
    explicit SharedTexts(std::ostream& out) : out_(out), seen_(kSeenSlots, 0) {}

    // What the run changed, as the page's script reads it: fields joined by
    // ', each led by its kind. s: the part of that number, built from the
    // fields up to the next s; r: the table's text of that number; p: the
    // table's fields of that number; t: the text itself. Markup and the
    // escaped texts of a run never hold a ', so it needs no escape.
    std::string changes(const PanelView& view)
    {
        std::string out;
        for (const std::size_t part : changed_svg_parts(view)) {
            if (!out.empty()) out += '\'';
            out.append("s").append(std::to_string(part));
            const std::string fields = part_fields(view, part);
            if (!fields.empty()) out.append("'").append(fields);
        }
        return out;
    }

private:
    // Kept parts' sources: enough for the advice, values and lists that
    // repeat in a fleet of any size.
    static constexpr std::size_t kPartBytes = std::size_t{4} << 20;
    // Parts drawn once, by the hash of their source, a slot each; a newer
    // part takes an older one's slot, so the memory is fixed.
    static constexpr std::size_t kSeenSlots = std::size_t{1} << 16;

    // A part is drawn only when the table does not hold it yet.
    std::string part_fields(const PanelView& view, std::size_t part)
    {
        svg_part_source(view, part, source_);
        if (const auto kept = parts_.find(source_); kept != parts_.end())
            return std::string("p").append(std::to_string(kept->second));
        const std::string fields = fields_of(draw_svg_part(view, part));
        const std::size_t hash = std::hash<std::string_view>{}(source_);
        std::size_t& slot = seen_[hash % kSeenSlots];
        if (fields.empty() || slot != hash || part_bytes_ + source_.size() > kPartBytes) {
            slot = hash;
            return fields;
        }
        part_bytes_ += source_.size();
        const std::size_t number = push(fields);
        parts_.emplace(source_, number);
        return std::string("p").append(std::to_string(number));
    }

    std::string fields_of(const SvgPart& part)
    {
        std::string fields;
        std::size_t begin = 0;
        for (const SvgFragment& fragment : part.fragments) {
            const std::string_view text = std::string_view(part.text).substr(begin, fragment.end - begin);
            begin = fragment.end;
            if (!fields.empty()) fields += '\'';
            if (fragment.own) {
                fields.append("t").append(text);
                continue;
            }
            auto markup = markup_.find(text);
            if (markup == markup_.end()) markup = markup_.emplace(text, push(text)).first;
            fields.append("r").append(std::to_string(markup->second));
        }
        return fields;
    }

    // Writes the text into the table and gives its number there.
    std::size_t push(std::string_view text)
    {
        out_ << "T.push(" << script_string(text) << ");\n";
        return count_++;
    }

    std::ostream& out_;
    TextNumbers markup_, parts_;
    std::vector<std::size_t> seen_;
    std::size_t part_bytes_ = 0;
    std::size_t count_ = 0;
    std::string source_;  // kept from part to part: most parts need no more
};

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
<dialog id="panel-view" aria-labelledby="panel-title"><button type="button" id="panel-close">close</button><h2 id="panel-title"></h2> <a id="panel-save" href="#">save as SVG</a><div id="panel-body"></div></dialog>
<script>"use strict";var D=[],E=[],T=[];
)HTML";

// After the pages and the panel as designed.
constexpr std::string_view kApp = R"HTML(</script>
<script>"use strict";
)HTML";

constexpr std::string_view kEnd = R"HTML(</body></html>
)HTML";

class HtmlWriter final : public ReportWriter {
public:
    HtmlWriter(std::ostream& out, std::vector<std::string> pages, bool inline_panels)
        : out_(out), inline_panels_(inline_panels), shared_(out)
    {
        out_ << kHead << kDashboardCss << kBody << "var PAGES=[";
        for (std::size_t i = 0; i < pages.size(); ++i) out_ << (i ? "," : "") << script_string(pages[i]);
        out_ << "];\nvar PANEL=";
        if (inline_panels_) {
            const std::vector<std::string> parts = designed_svg_parts();
            for (std::size_t i = 0; i < parts.size(); ++i) out_ << (i ? "," : "[") << script_string(parts[i]);
            out_ << "];\n";
        } else {
            out_ << "null;\n";
        }
        out_ << kApp << kDashboardJs << "</script>\n";
    }

    void add(const ReportRecord& r) override
    {
        open_script();
        const std::string panel = script_string(inline_panels_ ? shared_.changes(r.panel->view()) : r.panel_file);
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
        out_ << kEnd;
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
    SharedTexts shared_;
    std::size_t in_script_ = 0;
};

}  // namespace

std::unique_ptr<ReportWriter> make_html_writer(std::ostream& out, std::vector<std::string> pages, bool inline_panels)
{
    return std::make_unique<HtmlWriter>(out, std::move(pages), inline_panels);
}

}  // namespace prestova
