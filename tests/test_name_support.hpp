#pragma once
// A case's description as a GoogleTest name: letters and digits kept, every
// other character an underscore.
#include <cctype>
#include <string>
#include <string_view>

namespace prestova::testing {

inline std::string test_name(std::string_view description)
{
    std::string name(description);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

}  // namespace prestova::testing
