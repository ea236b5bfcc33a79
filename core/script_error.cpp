#include "core/script_error.hpp"

namespace prestova {

const char* error_description(ErrorCode code)
{
    switch (code) {
    case ErrorCode::InvalidArgument: return "Invalid procedure call or argument";
    case ErrorCode::Overflow: return "Overflow";
    case ErrorCode::SubscriptOutOfRange: return "Subscript out of range";
    case ErrorCode::DivisionByZero: return "Division by zero";
    case ErrorCode::TypeMismatch: return "Type mismatch";
    case ErrorCode::InvalidUseOfNull: return "Invalid use of Null";
    case ErrorCode::InvalidPropertyValue: return "Invalid property value";
    case ErrorCode::PlatformFailure: return "Platform call failed";
    }
    return "Unknown error";
}

}  // namespace prestova
