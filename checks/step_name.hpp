#pragma once
// A step's name as the parts it is made of, joined only when an error has
// to name the step: a run passes some two hundred steps and almost never
// fails one, so the parts are views, never a built string.
#include <array>
#include <string>
#include <string_view>

namespace prestova {

class StepName {
public:
    StepName(const char* text) : parts_{std::string_view(text)} {}
    StepName(std::string_view text) : parts_{text} {}
    StepName(const std::string& text) : parts_{std::string_view(text)} {}
    StepName(std::string_view a, std::string_view b, std::string_view c = {}, std::string_view d = {})
        : parts_{a, b, c, d}
    {}

    std::string text() const
    {
        std::string out;
        for (std::string_view part : parts_) out.append(part);
        return out;
    }

private:
    std::array<std::string_view, 4> parts_{};
};

}  // namespace prestova
