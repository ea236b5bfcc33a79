#pragma once
// The video row: screen resolution and colour count against the page's
// recommended and minimum display settings.
#include "control/run_context.hpp"

namespace prestova {

void check_display(RunContext& ctx);

// 2 to the power (planes x bits per pixel) of a device context; the product
// is a 32-bit signed number and its overflow is an error.
float DeviceColors(SystemInfo& system, std::int32_t& hDC);

// Screen pixels from twips: both rounded to 32-bit whole numbers, the
// quotient truncated and kept as a 16-bit whole number.
std::int16_t screen_pixels(double twips, double twips_per_pixel);

} // namespace prestova
