#pragma once
// What a fleet report keeps of one check run: for each of the seven test
// rows its verdict, the measured value as the panel shows it and the
// software the row offers to download, and the machine's readiness.
#include "checks/run_report.hpp"
#include "control/panel_state.hpp"
#include "design/panel_design.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace prestova {

// "none" when the run stopped before the row gave its verdict.
enum class RowVerdict { None, Good, Okay, Bad };
// ready: every row good; usable: every row good or okay; not ready otherwise.
enum class Readiness { Ready, Usable, NotReady };

constexpr std::array kReportRows{PanelRow::Memory,          PanelRow::Processor, PanelRow::Disk,   PanelRow::Video,
                                 PanelRow::OperatingSystem, PanelRow::Software,  PanelRow::Browser};
constexpr std::size_t kReportRowCount = kReportRows.size();

struct RowResult {
    RowVerdict verdict = RowVerdict::None;
    std::string value;                 // UTF-8, as the results column shows it, lines ending in LF
    std::vector<std::string> missing;  // the captions of the row's shown download links
};

struct FleetResult {
    std::array<RowResult, kReportRowCount> rows;
    Readiness readiness = Readiness::NotReady;
    std::optional<RunStop> stopped;  // texts in UTF-8
};

FleetResult read_fleet_result(const PanelState& panel, const RunReport& report);

// Names as the report writes them: "memory", "good", "not ready"...
std::string_view row_key(PanelRow row);
std::string_view verdict_name(RowVerdict verdict);
std::string_view readiness_name(Readiness readiness);

}  // namespace prestova
