#pragma once
// How many times operator new has run in this program.
#include <cstdint>

std::uint64_t allocations_so_far();
