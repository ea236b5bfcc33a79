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
        : std::runtime_error(place(file, line) + ": " + message)
    {
    }

private:
    static std::string place(std::string_view file, int line)
    {
        std::string text(file);
        if (line > 0) text.append(":").append(std::to_string(line));
        return text;
    }
};

} // namespace prestova
