#pragma once
// Starting a program: the shell's execute call with the default verb.
#include <cstdint>
#include <string_view>

namespace prestova {

class Shell {
public:
    virtual ~Shell() = default;
    // Returns the shell's result code: greater than 32 on success.
    virtual std::intptr_t execute(std::string_view file, std::string_view parameters, int show_command) = 0;
};

}  // namespace prestova
