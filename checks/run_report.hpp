#pragma once
// What one check run tells its caller: whether it ran to the end, and if
// not, the step where an untrapped error stopped it.
#include <cstdint>
#include <optional>
#include <string>

namespace prestova {

struct RunStop {
    std::string step;  // e.g. "memory: verdict"
    std::int32_t error_number = 0;
    std::string message;
};

struct RunReport {
    std::optional<RunStop> stopped;  // empty: the run reached its end
};

}  // namespace prestova
