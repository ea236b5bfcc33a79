#include "checks/disk_check.hpp"

namespace prestova {

namespace {

using enum ControlId;

constexpr double kTwoTo32 = 4294967296.0;

// Gigabytes (divided by 1024, two decimals) from 1000 megabytes up, else the
// page's own text.
std::string requirement_caption(RunContext& ctx, Prop prop)
{
    if (ctx.number(prop) / 1000.0 >= 1) return format_0_00(ctx.number(prop) / 1024.0, ctx.locale) + " Gigabytes";
    return ctx.text(prop) + " Megabytes";
}

} // namespace

double LargeToDouble(std::int32_t& low, std::int32_t& high)
{
    double l = low;
    if (l < 0) l += kTwoTo32;
    double h = high;
    if (h < 0) h += kTwoTo32;
    return h * kTwoTo32 + l;
}

Variant GetDiskSpace(SystemInfo& system, std::string& sDrive)
{
    DiskFreeSpace space{};
    system.disk_free_space(sDrive, space);  // a failure leaves the zeroes
    std::int32_t low = static_cast<std::int32_t>(static_cast<std::uint32_t>(space.free_to_caller));
    std::int32_t high = static_cast<std::int32_t>(static_cast<std::uint32_t>(space.free_to_caller >> 32));
    return Variant::real(LargeToDouble(low, high));
}

void check_disk(RunContext& ctx)
{
    // Every later use of the free space goes through this text, so the
    // verdict sees the value rounded to two decimals.
    std::string megabytes;
    ctx.step("disk: free space", [&] {
        std::string drive = "C:";
        const double bytes = ctx.control.GetDiskSpace(drive).to_double(ctx.locale);
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

} // namespace prestova
