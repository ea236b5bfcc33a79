#pragma once
// The run-time errors the control can raise, numbered as the scripting host
// numbers them, so a page's script and the command line report the same code.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace prestova {

enum class ErrorCode : std::int32_t {
    InvalidArgument = 5,  // "Invalid procedure call or argument"
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    InvalidUseOfNull = 94,
    InvalidPropertyValue = 380,
    PlatformFailure = 440,  // a platform call reported a failing status
};

class ScriptError : public std::runtime_error {
public:
    ScriptError(ErrorCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
    ErrorCode code() const { return code_; }
    std::int32_t number() const { return static_cast<std::int32_t>(code_); }

    // The step of a check run that raised it, named as it leaves the run.
    const std::string& step() const { return step_; }
    void set_step(std::string step) { step_ = std::move(step); }

private:
    ErrorCode code_;
    std::string step_;
};

// The host's own wording for each code, used when no detail is known.
const char* error_description(ErrorCode code);

}  // namespace prestova
