#include "checks/processor_check.hpp"

#include "probes/mod_registry.hpp"

namespace prestova {

namespace {

using enum ControlId;

constexpr std::string_view kProcessorKey = "HARDWARE\\DESCRIPTION\\SYSTEM\\CENTRALPROCESSOR\\0";

std::int32_t read_megahertz(RunContext& ctx)
{
    return ReadRegDword(ctx.platform.registry, RegRoot::LocalMachine, kProcessorKey, "~MHz", 0);
}

// Gigahertz in general form from 1000 MHz up, else the page's own text.
std::string requirement_caption(RunContext& ctx, Prop prop)
{
    const double gigahertz = ctx.number(prop) / 1000.0;
    if (gigahertz >= 1) return general_form(gigahertz, ctx.locale) + " Ghz";
    return ctx.joined(prop) + " Mhz";
}

}  // namespace

std::string gigahertz_text(std::int32_t megahertz, const Locale& locale)
{
    const std::int64_t mhz = megahertz;
    std::int64_t tenths = mhz / 100;
    const std::int64_t rest = mhz % 100;
    if (rest > 50 || (rest == 50 && (tenths & 1))) ++tenths;
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10) text += locale.decimal_separator + std::to_string(tenths % 10);
    return text;
}

void check_processor(RunContext& ctx)
{
    ctx.step("processor: recommended caption (CPURec)",
             [&] { ctx.panel.set_caption(Label15, requirement_caption(ctx, Prop::CPURec)); });
    ctx.step("processor: minimum caption (CPUMin)",
             [&] { ctx.panel.set_caption(Label16, requirement_caption(ctx, Prop::CPUMin)); });

    // The registry holds whole megahertz, which one-decimal rounding keeps.
    std::int32_t speed = 0;
    ctx.step("processor: speed", [&] { speed = read_megahertz(ctx); });

    auto write_result = [&] {
        ctx.step("processor: measured caption", [&] {
            if (to_int16(speed) > 1000) {
                ctx.panel.set_caption(Label14, gigahertz_text(read_megahertz(ctx), ctx.locale) + " GHz");
            } else {
                ctx.panel.set_caption(Label14, std::to_string(speed) + " MHz");
            }
        });
    };

    if (ctx.test("processor: verdict against CPURec", [&] {
            const std::int32_t with_tolerance = to_int16(speed) + 10;
            return to_int16(with_tolerance) >= ctx.whole(Prop::CPURec);  // the sum is 16-bit too
        })) {
        write_result();
        ctx.step("processor: good advice", [&] {
            ctx.panel.set_caption(Label17, "Your system meets the recommended minimum of " +
                                               ctx.panel.caption(Label15) + " processor or better.");
        });
        ctx.step("processor: good icon", [&] { ctx.panel.make_visible(procgood); });
    } else if (ctx.test("processor: verdict against CPUMin",
                        [&] { return to_int16(speed) >= ctx.whole(Prop::CPUMin); })) {
        write_result();
        ctx.step("processor: okay advice", [&] {
            ctx.panel.set_caption(Label17, "Your system meets the minimum requirement of " +
                                               ctx.panel.caption(Label16) +
                                               " processor, but you would gain performance by upgrading your "
                                               "processor.");
        });
        ctx.step("processor: okay icon", [&] { ctx.panel.make_visible(procok); });
    } else {
        write_result();
        ctx.step("processor: bad advice", [&] {
            ctx.panel.set_caption(Label17, "Your system does not meet the minimum requirement of " +
                                               ctx.panel.caption(Label16) +
                                               " processor. In order to use Marvanta's systems, you will need to "
                                               "upgrade your processor.");
        });
        ctx.step("processor: bad colour", [&] { ctx.panel.set_background(Label17, ctx.bad_colour); });
        ctx.step("processor: bad icon", [&] { ctx.panel.make_visible(procbad); });
    }
}

}  // namespace prestova
