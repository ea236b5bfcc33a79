#include "checks/display_check.hpp"

#include "probes/device_colors.hpp"

namespace prestova {

namespace {

using enum ControlId;

constexpr double kTrueColourAbove = 70000;

// The recommended or minimum cell, and the phrase the okay advice quotes.
std::string requirement_cell(RunContext& ctx, const char* label, Prop width, Prop height, Prop depth,
                             std::string* phrase)
{
    const std::string resolution = ctx.joined(width) + "x" + ctx.joined(height) + "\r";
    const std::string_view what(label);
    if (ctx.test(StepName("display: ", what, " colours above 70000"),
                 [&] { return compare_number(ctx.prop(depth), kTrueColourAbove, ctx.locale).greater(); })) {
        if (phrase) *phrase = "True Color (32 bit)";
        return resolution + "True Color";
    }
    if (compare_text(ctx.prop(depth), "65536", ctx.locale).equal()) {
        if (phrase) *phrase = "High Color (16 bit)";
        return resolution + "High Color";
    }
    if (phrase) *phrase = ctx.joined(depth) + " Colors";
    return resolution + ctx.joined(depth) + " Colors";
}

// All three comparisons are always made, so each can raise its error.
bool at_least(RunContext& ctx, std::int16_t width, std::int16_t height, float colours, Prop min_width, Prop min_height,
              Prop min_colours)
{
    const bool w = compare_number(ctx.prop(min_width), width, ctx.locale).less_or_equal();
    const bool h = compare_number(ctx.prop(min_height), height, ctx.locale).less_or_equal();
    const bool c = compare_number(ctx.prop(min_colours), colours, ctx.locale).less_or_equal();
    return w && h && c;
}

}  // namespace

std::int16_t screen_pixels(double twips, double twips_per_pixel)
{
    const std::int32_t whole = to_int32(twips);
    const std::int32_t per_pixel = to_int32(twips_per_pixel);
    if (per_pixel == 0) throw ScriptError(ErrorCode::DivisionByZero, "Division by zero: no twips per pixel");
    return to_int16(static_cast<double>(whole / per_pixel));
}

void check_display(RunContext& ctx)
{
    std::int16_t width = 0;
    std::int16_t height = 0;
    ctx.step("display: screen size", [&] {
        const ScreenSize screen = ctx.platform.system.screen_size();
        width = screen_pixels(screen.width_twips, screen.twips_per_pixel_x);
        height = screen_pixels(screen.height_twips, screen.twips_per_pixel_y);
    });

    std::string phrase;
    ctx.step("display: recommended cell (RecColorDepth)", [&] {
        ctx.panel.set_caption(Label20, requirement_cell(ctx, "recommended", Prop::ScreenRecWid, Prop::ScreenRecHgt,
                                                        Prop::recColorDepth, &phrase));
    });
    ctx.step("display: minimum cell (MinColorDepth)", [&] {
        ctx.panel.set_caption(Label21, requirement_cell(ctx, "minimum", Prop::ScreenMinWid, Prop::ScreenMinHgt,
                                                        Prop::MinColorDepth, nullptr));
    });
    ctx.step("display: measured resolution",
             [&] { ctx.panel.set_caption(Label19, std::to_string(width) + "x" + std::to_string(height)); });

    float colours = 0;
    ctx.step("display: colour count", [&] {
        std::int32_t hdc = ctx.platform.system.control_device_context();
        colours = DeviceColors(ctx.platform.system, hdc);
    });

    if (ctx.test("display: ready test (ScreenRecWid, ScreenRecHgt, RecColorDepth)", [&] {
            return at_least(ctx, width, height, colours, Prop::ScreenRecWid, Prop::ScreenRecHgt, Prop::recColorDepth);
        })) {
        ctx.step("display: ready advice", [&] {
            ctx.panel.set_caption(Label22, "Ready. The current video resolution and color depth will provide a good "
                                           "user experience.");
        });
        ctx.step("display: ready icon", [&] { ctx.panel.make_visible(videogood); });
    } else if (ctx.test("display: okay test (ScreenMinWid, ScreenMinHgt, MinColorDepth)", [&] {
                   return at_least(ctx, width, height, colours, Prop::ScreenMinWid, Prop::ScreenMinHgt,
                                   Prop::MinColorDepth);
               })) {
        ctx.step("display: okay advice", [&] {
            ctx.panel.set_caption(Label22,
                                  "Okay. The current video resolution  and color depth will provide an okay user "
                                  "experience. You would get a more enjoyable experience by setting your color depth "
                                  "to at least " +
                                      phrase + " " + ctx.joined(Prop::ScreenRecWid) + "x" +
                                      ctx.joined(Prop::ScreenRecHgt) + ".");
        });
        ctx.step("display: okay icon", [&] { ctx.panel.make_visible(videook); });
    } else {
        ctx.step("display: not ready advice", [&] {
            ctx.panel.set_caption(Label22,
                                  "Not Ready. Video resolution and/or color depth does not meet the minimum "
                                  "requirements for a good user experience. Set your resolution and color depth to "
                                  "the minimum requirement or upgrade your video card or drivers.");
        });
        ctx.step("display: bad colour", [&] { ctx.panel.set_background(Label22, ctx.bad_colour); });
        ctx.step("display: not ready icon", [&] { ctx.panel.make_visible(videobad); });
    }

    ctx.step("display: measured colours", [&] {
        std::string line;
        if (colours > kTrueColourAbove) line = " True Color (32 bit)";
        else if (colours == 65536.0f) line = "  High Color (16 bit)";
        // Appended: GCC 12 at -O3 takes " " + string for an overlapping copy.
        else line = std::string(" ").append(general_form(colours, ctx.locale)).append(" Colors");
        ctx.panel.set_caption(Label19, ctx.panel.caption(Label19) + "\r" + line);
    });
}

}  // namespace prestova
