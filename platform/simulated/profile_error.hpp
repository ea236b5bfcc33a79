#pragma once
// A machine profile or registry file that cannot be read: the message names
// the file and, where there is one, the line.
#include <stdexcept>
#include <string>
#include <string_view>

namespace prestova {

class ProfileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    ProfileError(std::string_view file, int line, const std::string& message)
        : std::runtime_error(std::string(file) + (line > 0 ? ":" + std::to_string(line) : "") + ": " + message)
    {
    }
};

} // namespace prestova
