#pragma once
// The video row: screen resolution and colour count against the page's
// recommended and minimum display settings.
#include "checks/run_context.hpp"

namespace prestova {

void check_display(RunContext& ctx);

// Screen pixels from twips: both rounded to 32-bit whole numbers, the
// quotient truncated and kept as a 16-bit whole number.
std::int16_t screen_pixels(double twips, double twips_per_pixel);

}  // namespace prestova
