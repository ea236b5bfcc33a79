#pragma once
// The colour count of a device context, as the control's DeviceColors
// method reports it.
#include "platform/system_info.hpp"

#include <cstdint>

namespace prestova {

// 2 to the power (planes x bits per pixel) of a device context; the product
// is a 32-bit signed number and its overflow is an error.
float DeviceColors(SystemInfo& system, std::int32_t& hDC);

}  // namespace prestova
