#pragma once
// A machine profile or registry file that cannot be read: the message names
// the file and, where there is one, the line.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace prestova {

class ProfileError : public std::runtime_error {
public:
    explicit ProfileError(const std::string& message) : std::runtime_error(message), detail_(message) {}
    ProfileError(std::string_view file, int line, const std::string& message)
        : std::runtime_error(place(file, line) + ": " + message), file_(file), line_(line), detail_(message)
    {}

    // The parts of the message, for reports that list them apart: the file
    // and line (empty and 0 when the message names no place), and the rest.
    const std::string& file() const { return file_; }
    int line() const { return line_; }
    const std::string& detail() const { return detail_; }

private:
    std::string file_;
    int line_ = 0;
    std::string detail_;

    static std::string place(std::string_view file, int line)
    {
        std::string text(file);
        if (line > 0) text.append(":").append(std::to_string(line));
        return text;
    }
};

// A piece of a profile's text (in the code page, as the readers hold it)
// quoted for a message with quote_input: cut to its first 80 characters,
// shown in UTF-8, control characters escaped, and the number of bytes cut.
std::string quote_profile_input(std::string_view ansi);

// A path for a message: as it is when quote_input would only add quotes
// (printable UTF-8), else quoted so (a file name read from a profile may
// hold anything).
std::string shown_path(std::string_view path);

}  // namespace prestova
