#pragma once
// Suggestions for mistyped commands and options.
#include <string>
#include <string_view>
#include <vector>

namespace prestova {

// " (did you mean 'NAME'?)" for the name nearest to word, when one is within
// a typing mistake or two of it; "" otherwise.
std::string did_you_mean(std::string_view word, const std::vector<std::string>& names);

}  // namespace prestova
