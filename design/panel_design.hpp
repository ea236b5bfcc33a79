#pragma once
// The results panel as designed: every child control, its geometry (twips),
// style, design caption, visibility at start and colour group.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace prestova {

// clang-format off
enum class ControlId : std::uint8_t {
    Label8, Label9, Label10, Label11,
    Label2, LabelMemAmount, Label12, Label13, memRecommend, memGood, memOk, memBad,
    Label3, Label14, Label15, Label16, Label17, procgood, procok, procbad,
    Label1, Label4, Label5, Label6, Label7, diskgood, diskok, diskbad,
    Label18, Label19, Label20, Label21, Label22, videogood, videook, videobad,
    Label23, Label24, Label25, Label26, Label27, osgood, osok, osbad,
    Label29, Label28, acrolink, flashlink, reallink, ziplink1, ziplink2, javalink, Label30, softgood, softok,
    Label32, Label33, explorerLink, Label34, browsgood, browsok, browsbad,
    Line4,
};
// clang-format on
constexpr std::size_t kControlCount = 63;

enum class ControlKind { Label, Icon, Line };
enum class CellStyle { Heading, Name, Value, Text, Link, Picture, Line };
enum class ColourGroup { None, Result, Second, Third };
enum class PanelRow { Header, Memory, Processor, Disk, Video, OperatingSystem, Software, Browser, None };
enum class Verdict { Good, Okay, Bad };
enum class TextAlign { Left, Centre, Right };

// Colours are red + 256 x green + 65536 x blue.
constexpr std::int32_t rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }
constexpr std::int32_t kWindowColour = rgb(255, 255, 255);  // the system window colour
constexpr std::int32_t kWindowTextColour = rgb(0, 0, 0);    // the system window-text colour
constexpr std::int32_t kHeadingBackground = rgb(224, 224, 224);
constexpr std::int32_t kResultBackground = rgb(172, 207, 251);
constexpr std::int32_t kLinkTextColour = rgb(0, 0, 255);
constexpr std::int32_t kSurfaceColour = rgb(255, 255, 255);

constexpr int kSurfaceWidth = 12015;  // twips
constexpr int kSurfaceHeight = 13680;
constexpr int kTwipsPerPixel = 15;

struct ControlDesign {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    PanelRow row;
    std::string_view role;
    std::string_view caption;
    int left, top, width, height;  // a line runs from (left, top) to (left + width, top + height)
    CellStyle style;
    bool visible_at_start;
    ColourGroup group;
    std::int32_t background;  // at design
    Verdict verdict;          // icons only
};

// Font and frame of a style: every label is Verdana 9.75 pt.
struct StyleLook {
    bool bold;
    bool underline;
    TextAlign align;
    bool border;
    std::int32_t text_colour;
};
constexpr std::string_view kFontName = "Verdana";
constexpr double kFontPoints = 9.75;

const std::array<ControlDesign, kControlCount>& panel_design();
const ControlDesign& design(ControlId id);
std::optional<ControlId> find_control(std::string_view name);
StyleLook style_look(CellStyle style);

}  // namespace prestova
