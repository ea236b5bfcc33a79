#pragma once
// Walks a command's options, each "--flag VALUE" or "--flag=VALUE".
#include "apps/prestova/check_options.hpp"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace prestova {

class OptionScanner {
public:
    explicit OptionScanner(const std::vector<std::string>& args) : args_(args) {}

    // Moves to the next option; false when none is left.
    bool next();
    // The option's name, without an "=VALUE" part.
    const std::string& flag() const { return flag_; }
    // The option as it was given, for messages.
    const std::string& given() const { return args_[index_]; }
    // Whether the value came joined to the flag with "=".
    bool has_inline_value() const { return inline_value_.has_value(); }
    // The option's value: the joined one, else the next argument. Throws
    // UsageError when there is none.
    std::string value();
    // The value as a whole number from min to max; UsageError otherwise.
    int whole_value(int min, int max);
    // The value as NAME=VALUE (a name is required); UsageError otherwise.
    std::pair<std::string, std::string> name_value();

private:
    const std::vector<std::string>& args_;
    std::size_t index_ = 0;
    bool started_ = false;
    std::string flag_;
    std::optional<std::string> inline_value_;
};

}  // namespace prestova
