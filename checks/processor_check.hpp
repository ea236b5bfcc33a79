#pragma once
// The processor row: the clock speed from the registry against CPUMin and
// CPURec.
#include "checks/run_context.hpp"

namespace prestova {

void check_processor(RunContext& ctx);

// Megahertz as gigahertz rounded to one decimal, halves to even, in
// general form ("2.4", "2", "3").
std::string gigahertz_text(std::int32_t megahertz, const Locale& locale);

}  // namespace prestova
