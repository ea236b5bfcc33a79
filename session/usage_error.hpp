#pragma once
// A mistake in how the program was asked to run (an unknown option, a
// property that does not exist): the user's to mend, not the machine's.
#include <stdexcept>

namespace prestova {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace prestova
