#include "design/panel_design.hpp"

#include "core/indexed_table.hpp"

namespace prestova {

namespace {

using enum ControlId;
using K = ControlKind;
using S = CellStyle;
using G = ColourGroup;
using R = PanelRow;
using V = Verdict;

constexpr std::int32_t W = kWindowColour;
constexpr std::int32_t H = kHeadingBackground;
constexpr std::int32_t B = kResultBackground;

// clang-format off
#define LABEL(id, row, role, caption, l, t, w, h, style, shown, group, bg) \
    ControlDesign{id, #id, K::Label, row, role, caption, l, t, w, h, style, shown, group, bg, V::Good}
#define ICON(id, row, role, l, t, verdict) \
    ControlDesign{id, #id, K::Icon, row, role, "", l, t, 795, 795, S::Picture, false, G::None, 0, verdict}
// clang-format on

// clang-format off
constexpr std::array<ControlDesign, kControlCount> kDesign{{
    LABEL(Label8, R::Header, "test column heading", "Test", 120, 0, 2775, 375, S::Heading, true, G::Third, H),
    LABEL(Label9, R::Header, "result column heading", "Your Results", 2880, 0, 3135, 375, S::Heading, true, G::Third, H),
    LABEL(Label10, R::Header, "recommended column heading", "Recommended", 6000, 0, 3015, 375, S::Heading, true, G::Third, H),
    LABEL(Label11, R::Header, "minimum column heading", "Minimum Required", 9000, 0, 3015, 375, S::Heading, true, G::Third, H),

    LABEL(Label2, R::Memory, "test name", "Total Memory", 120, 360, 2775, 1575, S::Name, true, G::Second, W),
    LABEL(LabelMemAmount, R::Memory, "measured memory", "", 2880, 360, 3135, 1575, S::Value, true, G::Result, B),
    LABEL(Label12, R::Memory, "recommended memory", "128 Megabytes", 6000, 360, 3015, 495, S::Value, true, G::Second, W),
    LABEL(Label13, R::Memory, "minimum memory", "64 Megabytes", 9000, 360, 3015, 495, S::Value, true, G::Second, W),
    LABEL(memRecommend, R::Memory, "advice", "", 6000, 840, 6015, 1095, S::Text, true, G::Result, B),
    ICON(memGood, R::Memory, "good verdict", 1080, 960, V::Good),
    ICON(memOk, R::Memory, "okay verdict", 1080, 960, V::Okay),
    ICON(memBad, R::Memory, "bad verdict", 1080, 960, V::Bad),

    LABEL(Label3, R::Processor, "test name", "Processor (CPU)", 120, 1920, 2775, 1575, S::Name, true, G::Second, W),
    LABEL(Label14, R::Processor, "measured speed", "", 2880, 1920, 3135, 1575, S::Value, true, G::Result, B),
    LABEL(Label15, R::Processor, "recommended speed", "633 Mhz", 6000, 1920, 3015, 495, S::Value, true, G::Second, W),
    LABEL(Label16, R::Processor, "minimum speed", "233 Mhz", 9000, 1920, 3015, 495, S::Value, true, G::Second, W),
    LABEL(Label17, R::Processor, "advice", "", 6000, 2400, 6015, 1095, S::Text, true, G::Result, B),
    ICON(procgood, R::Processor, "good verdict", 1080, 2400, V::Good),
    ICON(procok, R::Processor, "okay verdict", 1080, 2400, V::Okay),
    ICON(procbad, R::Processor, "bad verdict", 1080, 2400, V::Bad),

    LABEL(Label1, R::Disk, "test name", "Available Disk Space", 120, 3480, 2775, 1575, S::Name, true, G::Second, W),
    LABEL(Label4, R::Disk, "measured free space", "", 2880, 3480, 3135, 1575, S::Value, true, G::Result, B),
    LABEL(Label5, R::Disk, "recommended free space", "1 Gigabyte", 6000, 3480, 3015, 495, S::Value, true, G::Second, W),
    LABEL(Label6, R::Disk, "minimum free space", "512 Megabytes", 9000, 3480, 3015, 495, S::Value, true, G::Second, W),
    LABEL(Label7, R::Disk, "advice", "", 6000, 3960, 6015, 1095, S::Text, true, G::Result, B),
    ICON(diskgood, R::Disk, "good verdict", 1080, 3960, V::Good),
    ICON(diskok, R::Disk, "okay verdict", 1080, 3960, V::Okay),
    ICON(diskbad, R::Disk, "bad verdict", 1080, 3960, V::Bad),

    LABEL(Label18, R::Video, "test name", "Video", 120, 5040, 2775, 1575, S::Name, true, G::Second, W),
    LABEL(Label19, R::Video, "measured resolution and colours", "", 2880, 5040, 3135, 1575, S::Value, true, G::Result, B),
    LABEL(Label20, R::Video, "recommended resolution and colours", "", 6000, 5040, 3015, 495, S::Value, true, G::Second, W),
    LABEL(Label21, R::Video, "minimum resolution and colours", "", 9000, 5040, 3015, 495, S::Value, true, G::Second, W),
    LABEL(Label22, R::Video, "advice", "", 6000, 5520, 6015, 1095, S::Text, true, G::Result, B),
    ICON(videogood, R::Video, "good verdict", 1080, 5520, V::Good),
    ICON(videook, R::Video, "okay verdict", 1080, 5520, V::Okay),
    ICON(videobad, R::Video, "bad verdict", 1080, 5520, V::Bad),

    LABEL(Label23, R::OperatingSystem, "test name", "Operating System", 120, 6600, 2775, 1575, S::Name, true, G::Second, W),
    LABEL(Label24, R::OperatingSystem, "detected system", "", 2880, 6600, 3135, 1575, S::Value, true, G::Result, B),
    LABEL(Label25, R::OperatingSystem, "recommended system", "Windows XP", 6000, 6600, 3015, 495, S::Value, true, G::Second, W),
    LABEL(Label26, R::OperatingSystem, "minimum system", "Windows 98", 9000, 6600, 3015, 495, S::Value, true, G::Second, W),
    LABEL(Label27, R::OperatingSystem, "advice", "", 6000, 7080, 6015, 1095, S::Text, true, G::Result, B),
    ICON(osgood, R::OperatingSystem, "good verdict", 1080, 7080, V::Good),
    ICON(osok, R::OperatingSystem, "okay verdict", 1080, 7080, V::Okay),
    ICON(osbad, R::OperatingSystem, "bad verdict", 1080, 7080, V::Bad),

    LABEL(Label29, R::Software, "test name", "Software", 120, 8160, 2775, 2775, S::Name, true, G::Second, W),
    LABEL(Label28, R::Software, "list of software findings", "", 2880, 8160, 9135, 1935, S::Text, true, G::Result, B),
    LABEL(acrolink, R::Software, "Acrobat Reader download link", "Acrobat Reader", 9840, 8280, 2055, 300, S::Link, false, G::None, B),
    LABEL(flashlink, R::Software, "Flash Player download link", "Flash Player", 10200, 8640, 1695, 375, S::Link, false, G::None, B),
    LABEL(reallink, R::Software, "RealPlayer download link", "Real Player", 10440, 9000, 1455, 375, S::Link, false, G::None, B),
    LABEL(ziplink1, R::Software, "first zip application link", "JustZIPit", 10080, 9360, 1815, 375, S::Link, false, G::None, B),
    LABEL(ziplink2, R::Software, "second zip application link", "WinZip", 9600, 9720, 1215, 375, S::Link, false, G::None, B),
    LABEL(javalink, R::Software, "Java Runtime Environment download link", "Java RTE", 10800, 9720, 1095, 255, S::Link, false, G::None, B),
    LABEL(Label30, R::Software, "summary advice", "", 2880, 10080, 9135, 855, S::Text, true, G::Result, B),
    ICON(softgood, R::Software, "good verdict", 1080, 8640, V::Good),
    ICON(softok, R::Software, "okay verdict", 1080, 8640, V::Okay),

    LABEL(Label32, R::Browser, "test name", "Browser", 120, 10920, 2775, 2655, S::Name, true, G::Second, W),
    LABEL(Label33, R::Browser, "list of browsers found", "", 2880, 10920, 9135, 1815, S::Text, true, G::Result, B),
    LABEL(explorerLink, R::Browser, "Internet Explorer download link", "Internet Explorer", 10080, 12240, 1815, 375, S::Link, false, G::None, B),
    LABEL(Label34, R::Browser, "advice", "", 2880, 12720, 9135, 855, S::Text, true, G::Result, B),
    ICON(browsgood, R::Browser, "good verdict", 1080, 11400, V::Good),
    ICON(browsok, R::Browser, "okay verdict", 1080, 11400, V::Okay),
    ICON(browsbad, R::Browser, "bad verdict", 1080, 11400, V::Bad),

    ControlDesign{Line4, "Line4", K::Line, R::None, "line on the left borders of the first heading and name cells", "",
                  120, 120, 0, 360, S::Line, true, G::None, 0, V::Good},
}};
// clang-format on

#undef LABEL
#undef ICON

static_assert(rows_in_key_order(kDesign, [](const ControlDesign& c) { return c.id; }),
              "the design table is indexed by ControlId");

}  // namespace

const std::array<ControlDesign, kControlCount>& panel_design() { return kDesign; }

const ControlDesign& design(ControlId id) { return kDesign[static_cast<std::size_t>(id)]; }

std::optional<ControlId> find_control(std::string_view name)
{
    for (const auto& c : kDesign)
        if (c.name == name) return c.id;
    return std::nullopt;
}

StyleLook style_look(CellStyle style)
{
    switch (style) {
    case CellStyle::Heading: return {true, false, TextAlign::Centre, true, kWindowTextColour};
    case CellStyle::Name: return {true, false, TextAlign::Centre, true, kWindowTextColour};
    case CellStyle::Value: return {false, false, TextAlign::Centre, true, kWindowTextColour};
    case CellStyle::Text: return {false, false, TextAlign::Left, true, kWindowTextColour};
    case CellStyle::Link: return {false, true, TextAlign::Right, false, kLinkTextColour};
    case CellStyle::Picture:
    case CellStyle::Line: return {false, false, TextAlign::Left, false, kWindowTextColour};
    }
    return {false, false, TextAlign::Left, false, kWindowTextColour};
}

}  // namespace prestova
