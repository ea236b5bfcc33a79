#include "apps/prestova/report/fleet_result.hpp"

#include "core/ansi.hpp"
#include "render/display_text.hpp"

namespace prestova {

namespace {

// The cell of each row in the results column that holds what was measured.
constexpr std::array<ControlId, kReportRowCount> kMeasuredCells{
    ControlId::LabelMemAmount, ControlId::Label14, ControlId::Label4,  ControlId::Label19,
    ControlId::Label24,        ControlId::Label28, ControlId::Label33,
};

RowVerdict as_row_verdict(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Good: return RowVerdict::Good;
    case Verdict::Okay: return RowVerdict::Okay;
    case Verdict::Bad: return RowVerdict::Bad;
    }
    return RowVerdict::None;
}

std::size_t row_index(PanelRow row)
{
    for (std::size_t i = 0; i < kReportRowCount; ++i)
        if (kReportRows[i] == row) return i;
    return kReportRowCount;
}

// A caption's line breaks (CR, as the panel's labels hold them, or CR LF)
// as LF: a bare CR in a CSV file makes a terminal overwrite the line's start.
std::string with_line_feeds(std::string text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') out += text[i];
        else if (i + 1 == text.size() || text[i + 1] != '\n') out += '\n';
    }
    return out;
}

}  // namespace

FleetResult read_fleet_result(const PanelState& panel, const RunReport& report)
{
    FleetResult result;
    for (std::size_t i = 0; i < kReportRowCount; ++i)
        result.rows[i].value = with_line_feeds(ansi_to_utf8(panel.state(kMeasuredCells[i]).caption));
    for (const ControlDesign& c : panel_design()) {
        const std::size_t i = row_index(c.row);
        if (i == kReportRowCount || !panel.state(c.id).visible) continue;
        if (c.kind == ControlKind::Icon) {
            // Should a run show two icons, the worse one counts.
            const RowVerdict shown = as_row_verdict(c.verdict);
            if (result.rows[i].verdict == RowVerdict::None || shown > result.rows[i].verdict)
                result.rows[i].verdict = shown;
        } else if (c.style == CellStyle::Link) {
            result.rows[i].missing.push_back(ansi_to_utf8(panel.state(c.id).caption));
        }
    }
    bool all_good = true, none_bad = true;
    for (const RowResult& row : result.rows) {
        all_good = all_good && row.verdict == RowVerdict::Good;
        none_bad = none_bad && (row.verdict == RowVerdict::Good || row.verdict == RowVerdict::Okay);
    }
    result.readiness = all_good ? Readiness::Ready : none_bad ? Readiness::Usable : Readiness::NotReady;
    if (report.stopped)
        result.stopped = RunStop{utf8_or_code_page(report.stopped->step), report.stopped->error_number,
                                 utf8_or_code_page(report.stopped->message)};
    return result;
}

std::string_view row_key(PanelRow row)
{
    switch (row) {
    case PanelRow::Memory: return "memory";
    case PanelRow::Processor: return "processor";
    case PanelRow::Disk: return "disk";
    case PanelRow::Video: return "video";
    case PanelRow::OperatingSystem: return "os";
    case PanelRow::Software: return "software";
    case PanelRow::Browser: return "browser";
    case PanelRow::Header:
    case PanelRow::None: break;
    }
    return "";
}

std::string_view verdict_name(RowVerdict verdict)
{
    switch (verdict) {
    case RowVerdict::Good: return "good";
    case RowVerdict::Okay: return "okay";
    case RowVerdict::Bad: return "bad";
    case RowVerdict::None: break;
    }
    return "none";
}

std::string_view readiness_name(Readiness readiness)
{
    switch (readiness) {
    case Readiness::Ready: return "ready";
    case Readiness::Usable: return "usable";
    case Readiness::NotReady: break;
    }
    return "not ready";
}

}  // namespace prestova
