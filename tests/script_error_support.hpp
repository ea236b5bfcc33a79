#pragma once
// What a conversion raised, for table tests: the error's code, or nothing
// when it returned.
#include "core/script_error.hpp"

#include <optional>

namespace prestova::testing {

inline std::optional<ErrorCode> error_of(auto&& f)
{
    try {
        f();
    } catch (const ScriptError& e) {
        return e.code();
    }
    return std::nullopt;
}

}  // namespace prestova::testing
