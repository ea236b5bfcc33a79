#pragma once
// Running the command line in-process and collecting what it printed.
#include "apps/prestova/cli.hpp"

#include <sstream>
#include <string>
#include <vector>

namespace prestova::testing {

const std::string kSource = PRESTOVA_SOURCE_DIR;

struct CliResult {
    int code;
    std::string out;
    std::string err;
};

inline CliResult cli(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int code = run_cli(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace prestova::testing
