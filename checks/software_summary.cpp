#include "checks/software_summary.hpp"

#include "checks/software_list.hpp"
#include "probes/version_text.hpp"

namespace prestova {

namespace {

using enum ControlId;

void check_zip(RunContext& ctx)
{
    std::string association;
    ctx.step("zip: association", [&] { association = read_text(ctx, RegRoot::ClassesRoot, ".zip", ""); });
    if (ctx.test("zip: association test", [&] { return !association.empty() && association != "No"; })) {
        append_line(ctx, Label28, "zip: installed line", " '" + association + "' zip application is installed.\r");
        return;
    }
    append_line(ctx, Label28, "zip: missing line", "No zip application is installed.\r");
    ctx.step("zip: first link caption (Zip1)", [&] { ctx.panel.set_caption(ziplink1, ctx.text(Prop::Zip1)); });
    ctx.step("zip: second link caption (Zip2)", [&] { ctx.panel.set_caption(ziplink2, ctx.text(Prop::Zip2)); });
    ctx.step("zip: first link", [&] { ctx.panel.make_visible(ziplink1); });
    ctx.step("zip: second link", [&] { ctx.panel.make_visible(ziplink2); });
    flag_missing(ctx, "zip: missing");
}

void java_missing(RunContext& ctx, std::string_view name, const std::string& line)
{
    append_line(ctx, Label28, name, line);
    flag_missing(ctx, "Java: missing");
    ctx.step("Java: link", [&] { ctx.panel.make_visible(javalink); });
}

void check_java(RunContext& ctx)
{
    std::string installed;
    ctx.step("Java: version", [&] {
        installed =
            read_text(ctx, RegRoot::LocalMachine, "SOFTWARE\\JavaSoft\\Java Runtime Environment\\", "CurrentVersion");
    });
    // Versions compare number by number (1.10 is after 1.6); a runtime newer
    // than required meets the requirement.
    if (ctx.test("Java: equal test (JavaVersion)",
                 [&] { return compare_versions(installed, ctx.prop(Prop::JavaVersion), ctx.locale).equal(); })) {
        append_line(ctx, Label28, "Java: detected line",
                    "Java Runtime Environment " + ctx.joined(Prop::JavaVersion) + " detected.");
    } else if (ctx.test("Java: older test (JavaVersion)",
                        [&] { return compare_versions(installed, ctx.prop(Prop::JavaVersion), ctx.locale).less(); })) {
        java_missing(ctx, "Java: too old line",
                     "Java Runtime Environment " + installed + " detected but version " +
                         ctx.joined(Prop::JavaVersion) + " is required.");
    } else if (ctx.test("Java: newer test", [&] { return is_version_text(installed); })) {
        append_line(ctx, Label28, "Java: newer line", "Java Runtime Environment " + installed + " detected.");
    } else {
        java_missing(ctx, "Java: not detected line", "Java Runtime Environment not detected.");
    }
}

}  // namespace

void check_software_summary(RunContext& ctx)
{
    check_zip(ctx);
    check_java(ctx);
    if (ctx.test("software: verdict", [&] { return ctx.software_missing == 1; })) {
        ctx.step("software: okay icon", [&] { ctx.panel.make_visible(softok); });
        ctx.step("software: okay advice", [&] {
            ctx.panel.set_caption(Label30, "Some required software was undetected on your system. Please click the "
                                           "links on the right to download the software.");
        });
    } else {
        ctx.step("software: good icon", [&] { ctx.panel.make_visible(softgood); });
        ctx.step("software: good advice",
                 [&] { ctx.panel.set_caption(Label30, "All required software is installed on your system."); });
    }
}

}  // namespace prestova
