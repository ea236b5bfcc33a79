#pragma once
// The memory row: total physical memory against MemoryMin and MemoryRec.
#include "checks/run_context.hpp"

#include <array>
#include <cstdint>

namespace prestova {

void check_memory(RunContext& ctx);

// A 64-bit count from its eight bytes, least significant first.
std::uint64_t GetLargeCount(const std::array<std::uint8_t, 8>& bytes);

// Bytes as megabytes (bytes / 1024^2) held to four decimals, halves to
// even: the result counts ten-thousandths of a megabyte.
std::int64_t megabytes_in_ten_thousandths(std::uint64_t bytes);

// The measured figure as the verdict compares it: a 16-bit whole number.
// Any figure above 32767 counts as 32767, which already exceeds every
// threshold a 16-bit property can hold (so large machines do not overflow).
std::int16_t memory_verdict_figure(std::int64_t ten_thousandths);

}  // namespace prestova
