#include "apps/prestova/progress_bar.hpp"

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace prestova {

namespace {

constexpr int kBarWidth = 30;

std::string clock_text(double seconds)
{
    const long s = static_cast<long>(seconds + 0.5);
    char text[32];
    if (s >= 3600) std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    else std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    return text;
}

}  // namespace

ProgressBar::ProgressBar(std::ostream& err, std::size_t total, bool enabled)
    : err_(err), total_(total), enabled_(enabled && total > 0), start_(std::chrono::steady_clock::now()),
      last_draw_(start_)
{}

void ProgressBar::update(std::size_t done)
{
    if (!enabled_) return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && done < total_ && now - last_draw_ < std::chrono::milliseconds(200)) return;
    last_draw_ = now;
    draw(done);
}

void ProgressBar::draw(std::size_t done)
{
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double rate = elapsed > 0 ? static_cast<double>(done) / elapsed : 0;
    const int filled =
        static_cast<int>(static_cast<double>(kBarWidth) * static_cast<double>(done) / static_cast<double>(total_));
    std::string line = "\r[";
    line.append(static_cast<std::size_t>(filled), '#').append(static_cast<std::size_t>(kBarWidth - filled), '.');
    line.append("] ").append(std::to_string(done)).append("/").append(std::to_string(total_)).append(" machines");
    if (rate > 0) {
        line.append("  ").append(std::to_string(static_cast<long>(rate + 0.5))).append("/s  ");
        line.append(clock_text(static_cast<double>(total_ - done) / rate)).append(" left");
    }
    line.append("\x1b[K");  // clears what a longer line left behind
    err_ << line << std::flush;
    drawn_ = true;
}

void ProgressBar::finish()
{
    if (drawn_) err_ << "\r\x1b[K" << std::flush;
    drawn_ = false;
}

bool standard_error_is_terminal()
{
    // A dumb terminal cannot move back to the line's start.
    const char* term = std::getenv("TERM");
    if (term && std::string_view(term) == "dumb") return false;
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace prestova
