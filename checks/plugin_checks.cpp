#include "checks/plugin_checks.hpp"

#include "checks/software_list.hpp"
#include "probes/version_text.hpp"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace prestova {

namespace {

using enum ControlId;

// The Flash Player versions the probe tries, one to nine.
constexpr std::array<std::string_view, 9> kFlashProgIds = {
    "ShockwaveFlash.ShockwaveFlash.1", "ShockwaveFlash.ShockwaveFlash.2", "ShockwaveFlash.ShockwaveFlash.3",
    "ShockwaveFlash.ShockwaveFlash.4", "ShockwaveFlash.ShockwaveFlash.5", "ShockwaveFlash.ShockwaveFlash.6",
    "ShockwaveFlash.ShockwaveFlash.7", "ShockwaveFlash.ShockwaveFlash.8", "ShockwaveFlash.ShockwaveFlash.9"};

void acrobat_missing(RunContext& ctx)
{
    ctx.step("Acrobat Reader: not installed line",
             [&] { ctx.panel.set_caption(Label28, "Adobe Acrobat Reader is not installed.\r"); });
    ctx.step("Acrobat Reader: link", [&] { ctx.panel.make_visible(acrolink); });
    flag_missing(ctx, "Acrobat Reader: missing");
}

void check_acrobat(RunContext& ctx)
{
    std::string association;
    std::vector<std::string> versions;
    ctx.step("Acrobat Reader: association", [&] { association = read_text(ctx, RegRoot::ClassesRoot, ".pdf", ""); });
    ctx.step("Acrobat Reader: versions", [&] {
        versions = ListRegSubkeys(ctx.platform.registry, RegRoot::LocalMachine, "SOFTWARE\\Adobe\\acrobat Reader\\");
    });
    ctx.switch_on_resume_next();

    // An empty list has no last index; asking for it fails, which leads into
    // the installed branch and is put right just below.
    if (ctx.test("Acrobat Reader: installed test", [&] {
            if (versions.empty())
                throw ScriptError(ErrorCode::SubscriptOutOfRange, "Subscript out of range: no versions");
            return association == "AcroExch.Document";
        })) {
        ctx.step("Acrobat Reader: installed line",
                 [&] { ctx.panel.set_caption(Label28, "Adobe Acrobat Reader is installed.\r"); });
    } else {
        acrobat_missing(ctx);
    }
    if (ctx.last_error()) acrobat_missing(ctx);
}

void check_flash(RunContext& ctx)
{
    std::string swf;
    ctx.step("Flash Player: association", [&] { swf = read_text(ctx, RegRoot::ClassesRoot, ".swf", ""); });
    if (ctx.test("Flash Player: association test", [&] { return swf == "No"; })) {
        append_line(ctx, Label28, "Flash Player: not installed line", "Macromedia Flash is not installed.\r");
        ctx.step("Flash Player: link", [&] { ctx.panel.make_visible(flashlink); });
        flag_missing(ctx, "Flash Player: missing");
        return;
    }
    std::optional<int> version;
    for (int n = 1; n <= 9; ++n) {
        const std::string_view prog_id = kFlashProgIds[static_cast<std::size_t>(n - 1)];
        ctx.step(StepName("Flash Player: object ", prog_id.substr(prog_id.size() - 1)), [&] {
            if (ctx.platform.objects.try_create(prog_id)) version = n;
        });
    }
    if (ctx.test("Flash Player: version test", [&] { return version.value_or(0) >= 7; })) {
        append_line(ctx, Label28, "Flash Player: installed line",
                    "Macromedia Flash Player version " + std::to_string(version.value_or(0)) + " is installed.\r");
    } else {
        append_line(ctx, Label28, "Flash Player: upgrade line", "Macromedia Flash needs upgrade to version 7.\r");
        ctx.step("Flash Player: link", [&] { ctx.panel.make_visible(flashlink); });
        flag_missing(ctx, "Flash Player: missing");
    }
}

void check_realplayer(RunContext& ctx)
{
    std::string real;
    ctx.step("RealPlayer: version",
             [&] { real = read_text(ctx, RegRoot::LocalMachine, "SOFTWARE\\RealNetworks\\RealPlayer\\", "version"); });
    // Versions compare number by number, so 10.0 is after 6.0.
    if (ctx.test("RealPlayer: version test", [&] { return real != "No" && compare_versions(real, "6.0") > 0; })) {
        append_line(ctx, Label28, "RealPlayer: installed line", "RealPlayer installed.\r");
    } else {
        append_line(ctx, Label28, "RealPlayer: update line", "RealPlayer not installed or need update.\r");
        ctx.step("RealPlayer: link", [&] { ctx.panel.make_visible(reallink); });
        flag_missing(ctx, "RealPlayer: missing");
    }
}

}  // namespace

void check_plugins(RunContext& ctx)
{
    ctx.step("plug-ins: clear the software-missing flag", [&] { ctx.software_missing = 0; });
    check_acrobat(ctx);
    check_flash(ctx);
    check_realplayer(ctx);
}

}  // namespace prestova
