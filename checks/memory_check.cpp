#include "checks/memory_check.hpp"

namespace prestova {

namespace {

using enum ControlId;

// The recommended and minimum cells: gigabytes in general form from 1000
// megabytes up, otherwise the page's own text.
std::string requirement_caption(RunContext& ctx, Prop prop)
{
    const double gigabytes = ctx.number(prop) / 1000.0;
    if (gigabytes >= 1) return general_form(gigabytes, ctx.locale) + " Gigabytes";
    return ctx.joined(prop) + " Megabytes";
}

}  // namespace

std::uint64_t GetLargeCount(const std::array<std::uint8_t, 8>& bytes)
{
    std::uint64_t count = 0;
    for (int i = 7; i >= 0; --i) count = (count << 8) | bytes[static_cast<std::size_t>(i)];
    return count;
}

std::int64_t megabytes_in_ten_thousandths(std::uint64_t bytes)
{
    // bytes x 10000 / 2^20 = bytes x 625 / 2^16, split so nothing overflows.
    const std::uint64_t high = bytes >> 16;
    const std::uint64_t low = (bytes & 0xFFFF) * 625;
    std::uint64_t quotient = high * 625 + (low >> 16);
    const std::uint64_t remainder = low & 0xFFFF;
    if (remainder > 0x8000 || (remainder == 0x8000 && (quotient & 1))) ++quotient;
    return static_cast<std::int64_t>(quotient);
}

std::int16_t memory_verdict_figure(std::int64_t ten_thousandths)
{
    const double megabytes = static_cast<double>(ten_thousandths) / 10000.0;
    if (megabytes > 32767.0) return 32767;
    return to_int16(megabytes);
}

void check_memory(RunContext& ctx)
{
    std::int64_t figure = 0;
    ctx.step("memory: measured amount", [&] {
        MemoryStatus status;
        status.length = 64;
        ctx.platform.system.memory_status(status);  // an unfilled record reads as 0
        std::array<std::uint8_t, 8> raw{};
        for (std::size_t i = 0; i < 8; ++i) raw[i] = static_cast<std::uint8_t>(status.total_physical >> (8 * i));
        figure = megabytes_in_ten_thousandths(GetLargeCount(raw));
    });

    ctx.step("memory: measured caption", [&] {
        const double megabytes = static_cast<double>(figure) / 10000.0;
        const double gigabytes = megabytes / 1000.0;
        ctx.panel.set_caption(LabelMemAmount, gigabytes >= 1 ? format_0_00(gigabytes, ctx.locale) + " Gigabytes"
                                                             : format_0_00(megabytes, ctx.locale) + " Megabytes");
    });
    ctx.step("memory: recommended caption (MemoryRec)",
             [&] { ctx.panel.set_caption(Label12, requirement_caption(ctx, Prop::MemoryRec)); });
    ctx.step("memory: minimum caption (MemoryMin)",
             [&] { ctx.panel.set_caption(Label13, requirement_caption(ctx, Prop::MemoryMin)); });

    const std::int16_t measured = memory_verdict_figure(figure);
    if (ctx.test("memory: verdict against MemoryMin", [&] { return measured <= ctx.whole(Prop::MemoryMin); })) {
        ctx.step("memory: bad icon", [&] { ctx.panel.make_visible(memBad); });
        ctx.step("memory: bad advice", [&] {
            ctx.panel.set_caption(memRecommend,
                                  "You have less than the minimum amount of RAM in your system.  To be able to use "
                                  "any Marvanta system, you must upgrade the RAM in your computer to at least the "
                                  "minimum amount.");
        });
        ctx.step("memory: bad colour", [&] { ctx.panel.set_background(memRecommend, ctx.bad_colour); });
    } else if (ctx.test("memory: verdict against MemoryRec", [&] { return measured < ctx.whole(Prop::MemoryRec); })) {
        ctx.step("memory: okay advice", [&] {
            ctx.panel.set_caption(memRecommend, "Your have an adequate amount of RAM in your system to use any "
                                                "Marvanta system without problems.");
        });
        ctx.step("memory: okay icon", [&] { ctx.panel.make_visible(memOk); });
    } else {
        ctx.step("memory: good icon", [&] { ctx.panel.make_visible(memGood); });
        ctx.step("memory: good advice", [&] {
            ctx.panel.set_caption(memRecommend, "You have more than the recommended amount of RAM needed to use any "
                                                "Marvanta system without problems.");
        });
    }
}

}  // namespace prestova
