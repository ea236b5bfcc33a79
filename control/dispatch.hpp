#pragma once
// Calling the control's automation members by their table entry, with
// arguments as variants. By-reference arguments are written back into args.
// Both the Windows component's IDispatch and the command line's `call` use it.
#include "control/member_table.hpp"
#include "control/prestova.hpp"

#include <stdexcept>
#include <vector>

namespace prestova {

// A call the member cannot take: the wrong number of arguments, or one that
// does not convert to the member's type. (Errors the member itself raises
// are ScriptError.)
class DispatchError : public std::runtime_error {
public:
    enum class Kind { BadParamCount, TypeMismatch, Overflow };
    DispatchError(Kind kind, int argument, const std::string& message)
        : std::runtime_error(message), kind_(kind), argument_(argument)
    {}
    Kind kind() const { return kind_; }
    int argument() const { return argument_; }  // 0-based, -1 when none

private:
    Kind kind_;
    int argument_;
};

Variant invoke(Prestova& control, const Member& member, std::vector<Variant>& args);

// The number of arguments a member takes.
std::size_t argument_count(const Member& member);

}  // namespace prestova
