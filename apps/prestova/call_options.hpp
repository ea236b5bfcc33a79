#pragma once
// The options of `prestova call`, parsed from the command line.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace prestova {

struct CallOptions {
    std::string member;
    std::vector<std::string> arguments;  // typed as --param values are
    std::string machine;                 // a .machine file; empty is this PC (Windows only)
    std::optional<std::string> page;
    std::vector<std::pair<std::string, std::string>> params;
    bool init = false;
};

}  // namespace prestova
