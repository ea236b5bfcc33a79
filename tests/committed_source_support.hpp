#pragma once
// Sources that a build tool writes and the tree commits are compared with what
// the tool writes now; these read the committed file and say where they part.
#include <fstream>
#include <sstream>
#include <string>

namespace prestova::testing {

inline std::string read_committed_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first line where the texts part, numbered from 1, with both versions.
inline std::string first_difference(const std::string& committed, const std::string& written)
{
    std::istringstream a(committed), b(written);
    std::string left, right;
    for (int line = 1;; ++line) {
        const bool more_left = static_cast<bool>(std::getline(a, left));
        const bool more_right = static_cast<bool>(std::getline(b, right));
        if (!more_left && !more_right) return "the end of the last line";
        if (!more_left) left = "(end of file)";
        if (!more_right) right = "(end of file)";
        if (left != right || !more_left || !more_right)
            return std::string("line ")
                .append(std::to_string(line))
                .append(":\n  committed: ")
                .append(left)
                .append("\n  written now: ")
                .append(right);
    }
}

}  // namespace prestova::testing
