#include "probes/device_colors.hpp"

#include "core/script_error.hpp"

#include <cfloat>
#include <cmath>
#include <string>

namespace prestova {

float DeviceColors(SystemInfo& system, std::int32_t& hDC)
{
    const std::int64_t planes = system.device_caps(hDC, devcaps::Planes);
    const std::int64_t bits = system.device_caps(hDC, devcaps::BitsPixel);
    const std::int64_t product = planes * bits;
    if (product > INT32_MAX || product < INT32_MIN)
        throw ScriptError(ErrorCode::Overflow, "Overflow: " + std::to_string(planes) + " planes x " +
                                                   std::to_string(bits) + " bits per pixel");
    const double colours = std::pow(2.0, static_cast<double>(product));
    if (!std::isfinite(colours) || colours > FLT_MAX)
        throw ScriptError(ErrorCode::Overflow, "Overflow: 2 to the power " + std::to_string(product));
    return static_cast<float>(colours);
}

}  // namespace prestova
