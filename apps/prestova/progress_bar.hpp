#pragma once
// A one-line progress bar on standard error for long reports: items done out
// of the total, the rate and the time left. It draws only when standard error
// is a terminal, and at most a few times a second.
#include <chrono>
#include <cstddef>
#include <iosfwd>

namespace prestova {

class ProgressBar {
public:
    ProgressBar(std::ostream& err, std::size_t total, bool enabled);
    void update(std::size_t done);
    void finish();  // clears the line

private:
    void draw(std::size_t done);

    std::ostream& err_;
    std::size_t total_;
    bool enabled_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point last_draw_;
    bool drawn_ = false;
};

// Whether standard error is a terminal a person watches, and not a dumb one.
// (Prestova writes no colours, so NO_COLOR has nothing to turn off.)
bool standard_error_is_terminal();

}  // namespace prestova
