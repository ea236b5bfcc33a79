#pragma once
// The options of `prestova snapshot`, parsed from the command line.
#include "session/usage_error.hpp"

#include <optional>
#include <string>

namespace prestova {

struct SnapshotOptions {
    std::string machine;                // empty: this PC
    std::optional<std::string> output;  // NAME of NAME.machine and NAME.reg
    bool force = false;                 // replace a snapshot already there
};

}  // namespace prestova
