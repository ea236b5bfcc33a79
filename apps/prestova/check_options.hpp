#pragma once
// The options of `prestova check`, parsed from the command line.
#include "session/usage_error.hpp"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace prestova {

enum class OutputFormat { Text, Json, Svg, Html };

struct CheckOptions {
    std::string machine;  // a .machine file; empty is this PC (Windows only)
    std::optional<std::string> page;
    std::vector<std::pair<std::string, std::string>> params;  // NAME=VALUE, in the order given
    bool init = false;
    int runs = 1;
    OutputFormat format = OutputFormat::Text;
    std::optional<std::string> output;
    std::vector<std::string> clicks;  // link names, clicked after the runs
};

}  // namespace prestova
