#pragma once
// The words of a line in a test's data file: separated by blanks; "quoted"
// ones keep blanks and take \" \\ and \xHH escapes.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace prestova::testing {

struct Arg {
    std::string text;
    bool quoted = false;
};

inline std::vector<Arg> args_of(std::string_view line)
{
    std::vector<Arg> out;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        Arg arg;
        if (line[i] != '"') {
            const std::size_t end = std::min(line.find(' ', i), line.size());
            arg.text = line.substr(i, end - i);
            i = end;
        } else {
            arg.quoted = true;
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && line.compare(i + 1, 1, "x") == 0) {
                    arg.text += static_cast<char>(std::stoi(std::string(line.substr(i + 2, 2)), nullptr, 16));
                    i += 3;
                } else {
                    if (line[i] == '\\') ++i;
                    arg.text += line[i];
                }
            }
            ++i;
        }
        out.push_back(std::move(arg));
    }
    return out;
}

}  // namespace prestova::testing
