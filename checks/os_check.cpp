#include "checks/os_check.hpp"

#include "probes/os_identification.hpp"

namespace prestova {

namespace {
using enum ControlId;
}

void check_operating_system(RunContext& ctx)
{
    std::int32_t running = Unknown;
    ctx.step("operating system: identification", [&] { running = getVersion(ctx.platform.system); });
    ctx.step("operating system: name", [&] { ctx.panel.set_caption(Label24, GetOSName(running)); });

    auto minimum = [&] { return GetOSOrdinal(ctx.text(Prop::OSMin)); };
    auto recommended = [&] { return GetOSOrdinal(ctx.text(Prop::OSRec)); };

    if (ctx.test("operating system: recognised", [&] { return running == Unknown; })) {
        ctx.step("operating system: unknown advice", [&] {
            ctx.panel.set_caption(Label27, "Your operating system is unknown. We are unable to tell if your operating "
                                           "system is compatible with Marvanta's applications.");
        });
        ctx.step("operating system: unknown icon", [&] { ctx.panel.make_visible(osok); });
    } else if (ctx.test("operating system: against OSMin", [&] { return running < minimum(); })) {
        ctx.step("operating system: too old advice", [&] {
            ctx.panel.set_caption(Label27, "Your operating system is too out-of-date to run some applications. You "
                                           "must upgrade your operating system to at least " +
                                               ctx.joined(Prop::OSMin) + ".");
        });
        ctx.step("operating system: bad colour", [&] { ctx.panel.set_background(Label27, ctx.bad_colour); });
        ctx.step("operating system: too old icon", [&] { ctx.panel.make_visible(osbad); });
    } else if (ctx.test("operating system: against OSRec",
                        [&] { return running >= minimum() && running < recommended(); })) {
        ctx.step("operating system: current enough advice", [&] {
            ctx.panel.set_caption(Label27, "Your operating system is current enough to run all of Marvanta's "
                                           "applications.");
        });
        ctx.step("operating system: current enough icon", [&] { ctx.panel.make_visible(osok); });
    } else {
        ctx.step("operating system: up to date advice",
                 [&] { ctx.panel.set_caption(Label27, "Your operating system is up-to-date."); });
        ctx.step("operating system: up to date icon", [&] { ctx.panel.make_visible(osgood); });
    }
}

}  // namespace prestova
