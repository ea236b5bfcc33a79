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
    for (std::size_t i = line.find_first_not_of(' '); i < line.size(); i = line.find_first_not_of(' ', i)) {
        Arg arg{{}, line[i] == '"'};
        if (!arg.quoted) {
            const std::size_t end = std::min(line.find(' ', i), line.size());
            arg.text = line.substr(i, end - i), i = end;
        }
        for (i += arg.quoted; arg.quoted && i < line.size() && line[i] != '"'; ++i) {
            if (line.compare(i, 2, "\\x") == 0)
                arg.text += static_cast<char>(std::stoi(std::string(line.substr(i + 2, 2)), nullptr, 16)), i += 3;
            else arg.text += line[i += line[i] == '\\'];
        }
        i += arg.quoted;  // the closing quote
        out.push_back(std::move(arg));
    }
    return out;
}

}  // namespace prestova::testing
