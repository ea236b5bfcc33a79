// A page's script may store any type in a threshold. End to end, each row
// takes a Null, a Date and a Currency threshold as the scripting runtime
// would: Null stops a step that needs a number or a text and adds nothing
// to a caption; a Date counts as its serial number and shows as the
// machine's date; a Currency converts from its exact value.
#include "session/control_setup.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace prestova;

namespace {

const std::string kSource = PRESTOVA_SOURCE_DIR;

struct TypedCase {
    const char* name;
    const char* machine;
    std::vector<std::pair<std::string, std::string>> params;  // over the sample page, typed
    PanelRow row;
    std::string expected;           // where the run stopped, then the row's captions and visible icons
    std::int32_t bad_colour = 255;  // red + 256 x green + 65536 x blue of the bad colour group
};

std::string caption_text(const std::string& caption)
{
    std::string out;
    for (char c : caption) out += c == '\r' ? std::string("|") : std::string(1, c);
    return out;
}

// The row as the student sees it, one control a line.
std::string row_view(const ControlSession& session, const RunReport& report, PanelRow row,
                     std::int32_t report_bad_colour)
{
    std::string out = report.stopped ? "stopped at " + report.stopped->step + " (" +
                                           std::to_string(report.stopped->error_number) + ")\n"
                                     : std::string("ran to the end\n");
    for (const auto& c : panel_design()) {
        if (c.row != row) continue;
        const ControlState& state = session.panel.state(c.id);
        if (c.kind == ControlKind::Icon || c.style == CellStyle::Link) {
            if (state.visible) out += std::string(c.name).append(" shown\n");
        } else if (!state.caption.empty()) {
            out += std::string(c.name).append(": ").append(caption_text(state.caption));
            // The bad colour is the one a run sets on a failing row's advice.
            if (state.background == report_bad_colour)
                out.append(" [bad colour ").append(std::to_string(state.background)).append("]");
            out += "\n";
        }
    }
    return out;
}

class TypedThresholds : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedThresholds, FollowTheRuntimesRules)
{
    const TypedCase& c = GetParam();
    auto session = ControlSession::open(kSource + "/profiles/" + c.machine + ".machine", kSource + "/pages/sample.html",
                                        c.params, false);
    const RunReport report = session->control.show();
    const std::string view = row_view(*session, report, c.row, c.bad_colour);
    EXPECT_EQ(view, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, TypedThresholds,
    ::testing::Values(
        TypedCase{"memory_null",
                  "xp-laptop-2005",
                  {{"MemoryRec", "null:"}},
                  PanelRow::Memory,
                  "stopped at memory: recommended caption (MemoryRec) (94)\n"
                  "Label2: Total Memory\n"
                  "LabelMemAmount: 512.00 Megabytes\n"
                  "Label12: 128 Megabytes\n"
                  "Label13: 64 Megabytes\n"},
        TypedCase{"memory_date",
                  "xp-laptop-2005",
                  {{"MemoryRec", "date:1900-04-07"}, {"MemoryMin", "date:1900-02-06"}},
                  PanelRow::Memory,
                  "ran to the end\n"
                  "Label2: Total Memory\n"
                  "LabelMemAmount: 512.00 Megabytes\n"
                  "Label12: 4/7/1900 Megabytes\n"
                  "Label13: 2/6/1900 Megabytes\n"
                  "memRecommend: You have more than the recommended amount of RAM needed to use any Marvanta system "
                  "without problems.\n"
                  "memGood shown\n"},
        TypedCase{"memory_currency",
                  "xp-laptop-2005",
                  {{"MemoryRec", "cy:512.5"}, {"MemoryMin", "cy:1024"}},
                  PanelRow::Memory,
                  "ran to the end\n"
                  "Label2: Total Memory\n"
                  "LabelMemAmount: 512.00 Megabytes\n"
                  "Label12: 512.5 Megabytes\n"
                  "Label13: 1.024 Gigabytes\n"
                  "memRecommend: You have less than the minimum amount of RAM in your system.  To be able to use any "
                  "Marvanta system, you must upgrade the RAM in your computer to at least the minimum amount. [bad "
                  "colour 255]\n"
                  "memBad shown\n"},
        TypedCase{"processor_null",
                  "xp-laptop-2005",
                  {{"CPUMin", "null:"}},
                  PanelRow::Processor,
                  "stopped at processor: minimum caption (CPUMin) (94)\n"
                  "Label3: Processor (CPU)\n"
                  "Label15: 1 Ghz\n"
                  "Label16: 233 Mhz\n"},
        TypedCase{"processor_date",
                  "xp-laptop-2005",
                  {{"CPURec", "date:1904-05-15"}},
                  PanelRow::Processor,
                  "ran to the end\n"
                  "Label3: Processor (CPU)\n"
                  "Label14: 1.6 GHz\n"
                  "Label15: 1.597 Ghz\n"
                  "Label16: 500 Mhz\n"
                  "Label17: Your system meets the recommended minimum of 1.597 Ghz processor or better.\n"
                  "procgood shown\n"},
        TypedCase{"processor_currency",
                  "xp-laptop-2005",
                  {{"CPURec", "cy:1610.5"}},
                  PanelRow::Processor,
                  "ran to the end\n"
                  "Label3: Processor (CPU)\n"
                  "Label14: 1.6 GHz\n"
                  "Label15: 1.6105 Ghz\n"
                  "Label16: 500 Mhz\n"
                  "Label17: Your system meets the recommended minimum of 1.6105 Ghz processor or better.\n"
                  "procgood shown\n"},
        TypedCase{"disk_null",
                  "xp-laptop-2005",
                  {{"DiskSpaceMin", "null:"}},
                  PanelRow::Disk,
                  "stopped at disk: minimum caption (DiskSpaceMin) (94)\n"
                  "Label1: Available Disk Space\n"
                  "Label5: 2.00 Gigabytes\n"
                  "Label6: 512 Megabytes\n"},
        TypedCase{"disk_date",
                  "xp-laptop-2005",
                  {{"DiskSpaceRec", "date:2009-07-04"}},
                  PanelRow::Disk,
                  "ran to the end\n"
                  "Label1: Available Disk Space\n"
                  "Label4: C: 37.25 Gigabytes\n"
                  "Label5: 39.06 Gigabytes\n"
                  "Label6: 500 Megabytes\n"
                  "Label7: You have more than the minimum 500 Megabytes of available disk space, but could see "
                  "increased performance by clearing some disk space or upgrading your hard drive to get over the "
                  "recommended 39.06 Gigabytes of space.\n"
                  "diskok shown\n"},
        TypedCase{"disk_currency",
                  "xp-laptop-2005",
                  {{"DiskSpaceRec", "cy:38146.9726"}},
                  PanelRow::Disk,
                  "ran to the end\n"
                  "Label1: Available Disk Space\n"
                  "Label4: C: 37.25 Gigabytes\n"
                  "Label5: 37.25 Gigabytes\n"
                  "Label6: 500 Megabytes\n"
                  "Label7: You have more than the minimum 500 Megabytes of available disk space, but could see "
                  "increased performance by clearing some disk space or upgrading your hard drive to get over the "
                  "recommended 37.25 Gigabytes of space.\n"
                  "diskok shown\n"},
        TypedCase{
            "video_null",
            "xp-laptop-2005",
            {{"recColorDepth", "null:"}},
            PanelRow::Video,
            "ran to the end\n"
            "Label18: Video\n"
            "Label19: 1024x768| True Color (32 bit)\n"
            "Label20: 1024x768| Colors\n"
            "Label21: 800x600|High Color\n"
            "Label22: Okay. The current video resolution  and color depth will provide an okay user experience. You "
            "would get a more enjoyable experience by setting your color depth to at least  Colors 1024x768.\n"
            "videook shown\n"},
        TypedCase{"video_date",
                  "xp-laptop-2005",
                  {{"recColorDepth", "date:2079-06-05"}, {"ScreenRecWid", "date:1902-10-20"}},
                  PanelRow::Video,
                  "ran to the end\n"
                  "Label18: Video\n"
                  "Label19: 1024x768| True Color (32 bit)\n"
                  "Label20: 10/20/1902x768|6/5/2079 Colors\n"
                  "Label21: 800x600|High Color\n"
                  "Label22: Ready. The current video resolution and color depth will provide a good user experience.\n"
                  "videogood shown\n"},
        TypedCase{"video_currency",
                  "xp-laptop-2005",
                  {{"recColorDepth", "cy:65536"}, {"ScreenRecWid", "cy:1024.5"}},
                  PanelRow::Video,
                  "ran to the end\n"
                  "Label18: Video\n"
                  "Label19: 1024x768| True Color (32 bit)\n"
                  "Label20: 1024.5x768|High Color\n"
                  "Label21: 800x600|High Color\n"
                  "Label22: Okay. The current video resolution  and color depth will provide an okay user experience. "
                  "You would get a more enjoyable experience by setting your color depth to at least High Color (16 "
                  "bit) 1024.5x768.\n"
                  "videook shown\n"},
        TypedCase{"os_null",
                  "xp-laptop-2005",
                  {{"OSRec", "null:"}},
                  PanelRow::OperatingSystem,
                  "stopped at recommended system caption (94)\n"
                  "Label23: Operating System\n"
                  "Label25: Windows XP\n"
                  "Label26: Windows 98\n"},
        TypedCase{"os_date",
                  "xp-laptop-2005",
                  {{"OSMin", "date:2009-07-04"}},
                  PanelRow::OperatingSystem,
                  "ran to the end\n"
                  "Label23: Operating System\n"
                  "Label24: Windows XP\n"
                  "Label25: Windows XP\n"
                  "Label26: 7/4/2009\n"
                  "Label27: Your operating system is up-to-date.\n"
                  "osgood shown\n"},
        TypedCase{"os_currency",
                  "xp-laptop-2005",
                  {{"OSRec", "cy:9"}},
                  PanelRow::OperatingSystem,
                  "ran to the end\n"
                  "Label23: Operating System\n"
                  "Label24: Windows XP\n"
                  "Label25: 9\n"
                  "Label26: Windows 98\n"
                  "Label27: Your operating system is up-to-date.\n"
                  "osgood shown\n"},
        TypedCase{
            "software_null",
            "win98-desktop",
            {{"JavaVersion", "null:"}, {"Zip1", "null:"}},
            PanelRow::Software,
            "ran to the end\n"
            "Label29: Software\n"
            "Label28: Adobe Acrobat Reader is not installed.|Macromedia Flash needs upgrade to version 7.|RealPlayer "
            "not installed or need update.|No zip application is installed.|Java Runtime Environment not detected.\n"
            "acrolink shown\n"
            "flashlink shown\n"
            "reallink shown\n"
            "ziplink1 shown\n"
            "ziplink2 shown\n"
            "javalink shown\n"
            "Label30: Some required software was undetected on your system. Please click the links on the right to "
            "download the software.\n"
            "softok shown\n"},
        TypedCase{"software_date",
                  "xp-laptop-2005",
                  {{"JavaVersion", "date:1900-01-01"}},
                  PanelRow::Software,
                  "ran to the end\n"
                  "Label29: Software\n"
                  "Label28: Adobe Acrobat Reader is installed.|Macromedia Flash Player version 7 is "
                  "installed.|RealPlayer installed.| 'WinZip' zip application is installed.|Java Runtime Environment "
                  "1.6 detected but version 1/1/1900 is required.\n"
                  "javalink shown\n"
                  "Label30: Some required software was undetected on your system. Please click the links on the right "
                  "to download the software.\n"
                  "softok shown\n"},
        TypedCase{
            "software_currency",
            "xp-laptop-2005",
            {{"JavaVersion", "cy:1.6"}},
            PanelRow::Software,
            "ran to the end\n"
            "Label29: Software\n"
            "Label28: Adobe Acrobat Reader is installed.|Macromedia Flash Player version 7 is installed.|RealPlayer "
            "installed.| 'WinZip' zip application is installed.|Java Runtime Environment 1.6 detected.\n"
            "Label30: All required software is installed on your system.\n"
            "softgood shown\n"},
        TypedCase{"browser_null",
                  "xp-laptop-2005",
                  {{"IEVersion", "null:"}},
                  PanelRow::Browser,
                  "ran to the end\n"
                  "Label32: Browser\n"
                  "Label33: Firefox 1.5 installed.|Internet Explorer 6.0 installed.|\n"
                  "explorerLink shown\n"
                  "Label34: You do not have Internet Explorer installed or have an outdated version installed (Minimum "
                  "Version: ). Please click the link above to install the latest version of Internet Explorer which is "
                  "required to use Marvanta's online systems.\n"
                  "browsbad shown\n"},
        TypedCase{
            "browser_date",
            "xp-laptop-2005",
            {{"IEVersion", "date:1900-01-05"}},
            PanelRow::Browser,
            "ran to the end\n"
            "Label32: Browser\n"
            "Label33: Firefox 1.5 installed.|Internet Explorer 6.0 installed.|Default browser is Internet Explorer.\n"
            "Label34: You have Internet Explorer 1/5/1900 or newer installed and set as your default browser. Please "
            "remember to use Internet Explorer to access Marvanta's online systems.\n"
            "browsgood shown\n"},
        TypedCase{"browser_currency",
                  "xp-laptop-2005",
                  {{"IEVersion", "cy:6.5"}},
                  PanelRow::Browser,
                  "ran to the end\n"
                  "Label32: Browser\n"
                  "Label33: Firefox 1.5 installed.|Internet Explorer 6.0 installed.|\n"
                  "explorerLink shown\n"
                  "Label34: You do not have Internet Explorer installed or have an outdated version installed (Minimum "
                  "Version: 6.5). Please click the link above to install the latest version of Internet Explorer which "
                  "is required to use Marvanta's online systems.\n"
                  "browsbad shown\n"},
        TypedCase{"colour_null",
                  "xp-laptop-2005",
                  {{"RedYRM", "null:"}},
                  PanelRow::Memory,
                  "stopped at result colour: RedYRM (94)\n"
                  "Label2: Total Memory\n"
                  "Label12: 128 Megabytes\n"
                  "Label13: 64 Megabytes\n"},
        TypedCase{"colour_currency",
                  "win98-desktop",
                  {{"RedBadYRM", "cy:254.5"}},
                  PanelRow::Memory,
                  "ran to the end\n"
                  "Label2: Total Memory\n"
                  "LabelMemAmount: 64.00 Megabytes\n"
                  "Label12: 256 Megabytes\n"
                  "Label13: 128 Megabytes\n"
                  "memRecommend: You have less than the minimum amount of RAM in your system.  To be able to use any "
                  "Marvanta system, you must upgrade the RAM in your computer to at least the minimum amount. [bad "
                  "colour 254]\n"
                  "memBad shown\n",
                  254},
        TypedCase{"colour_date",
                  "win98-desktop",
                  {{"GreenBadYRM", "date:1900-01-01"}},
                  PanelRow::Memory,
                  "ran to the end\n"
                  "Label2: Total Memory\n"
                  "LabelMemAmount: 64.00 Megabytes\n"
                  "Label12: 256 Megabytes\n"
                  "Label13: 128 Megabytes\n"
                  "memRecommend: You have less than the minimum amount of RAM in your system.  To be able to use any "
                  "Marvanta system, you must upgrade the RAM in your computer to at least the minimum amount. [bad "
                  "colour 767]\n"
                  "memBad shown\n",
                  255 + 2 * 256}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
