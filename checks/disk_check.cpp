#include "checks/disk_check.hpp"

#include "probes/disk_space.hpp"

namespace prestova {

namespace {

using enum ControlId;

// Gigabytes (divided by 1024, two decimals) from 1000 megabytes up, else the
// page's own text.
std::string requirement_caption(RunContext& ctx, Prop prop)
{
    if (ctx.number(prop) / 1000.0 >= 1) return format_0_00(ctx.number(prop) / 1024.0, ctx.locale) + " Gigabytes";
    return ctx.joined(prop) + " Megabytes";
}

}  // namespace

void check_disk(RunContext& ctx)
{
    // Every later use of the free space goes through this text, so the
    // verdict sees the value rounded to two decimals.
    std::string megabytes;
    ctx.step("disk: free space", [&] {
        std::string drive = "C:";
        const double bytes = GetDiskSpace(ctx.platform.system, drive).to_double(ctx.locale);
        megabytes = format_0_00(bytes / (1024.0 * 1024.0), ctx.locale);
    });
    ctx.step("disk: recommended caption (DiskSpaceRec)",
             [&] { ctx.panel.set_caption(Label5, requirement_caption(ctx, Prop::DiskSpaceRec)); });
    ctx.step("disk: minimum caption (DiskSpaceMin)",
             [&] { ctx.panel.set_caption(Label6, requirement_caption(ctx, Prop::DiskSpaceMin)); });

    auto free_megabytes = [&] { return parse_number(megabytes, ctx.locale); };
    auto write_measured = [&] {
        ctx.step("disk: measured caption", [&] {
            const double mb = free_megabytes();
            ctx.panel.set_caption(Label4, mb / 1000.0 >= 1 ? "C: " + format_0_00(mb / 1024.0, ctx.locale) + " Gigabytes"
                                                           : "C: " + megabytes + " Megabytes");
        });
    };

    if (ctx.test("disk: verdict against DiskSpaceRec",
                 [&] { return free_megabytes() >= ctx.number(Prop::DiskSpaceRec); })) {
        write_measured();
        ctx.step("disk: good icon", [&] { ctx.panel.make_visible(diskgood); });
        ctx.step("disk: good advice", [&] {
            ctx.panel.set_caption(Label7, "You have more than the recommended " + ctx.panel.caption(Label5) +
                                              " of available disk space.");
        });
    } else if (ctx.test("disk: verdict against DiskSpaceMin",
                        [&] { return free_megabytes() > ctx.number(Prop::DiskSpaceMin); })) {
        write_measured();
        ctx.step("disk: okay icon", [&] { ctx.panel.make_visible(diskok); });
        ctx.step("disk: okay advice", [&] {
            ctx.panel.set_caption(Label7, "You have more than the minimum " + ctx.panel.caption(Label6) +
                                              " of available disk space, but could see increased performance by "
                                              "clearing some disk space or upgrading your hard drive to get over the "
                                              "recommended " +
                                              ctx.panel.caption(Label5) + " of space.");
        });
    } else {
        write_measured();
        ctx.step("disk: bad icon", [&] { ctx.panel.make_visible(diskbad); });
        ctx.step("disk: bad advice", [&] {
            ctx.panel.set_caption(Label7, "You have less than the " + ctx.panel.caption(Label6) +
                                              " of minimum disk space. You will need to either clear some space on "
                                              "your drive, or upgrade your hard drive.");
        });
        ctx.step("disk: bad colour", [&] { ctx.panel.set_background(Label7, ctx.bad_colour); });
    }
}

}  // namespace prestova
