#pragma once
// The state one check run shares between its sections, and its error mode:
// until the resume-next rule is switched on an error stops the run; after
// it, a failing step is skipped and a failing decision test counts as true.
#include "checks/run_report.hpp"
#include "core/locale.hpp"
#include "core/script_error.hpp"
#include "core/variant.hpp"
#include "design/properties.hpp"
#include "platform/panel.hpp"
#include "platform/platform.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace prestova {

// The control as a run sees it: the page's requirements, its panel, the
// machine and the user's number settings.
class RunSubject {
public:
    virtual Variant get(Prop prop) const = 0;
    virtual Panel& panel() = 0;
    virtual Platform& platform() = 0;
    virtual Locale locale() const = 0;

protected:
    ~RunSubject() = default;
};

class RunContext {
public:
    explicit RunContext(RunSubject& control)
        : control(control), panel(control.panel()), platform(control.platform()), locale(control.locale())
    {
    }

    RunSubject& control;
    Panel& panel;
    Platform& platform;
    const Locale locale;

    std::int32_t bad_colour = 0;
    std::int32_t okay_colour = 0;
    std::int16_t software_missing = 0;

    // Properties are read through the accessor at each use.
    Variant prop(Prop p) const { return control.get(p); }
    double number(Prop p) const { return prop(p).to_double(locale); }
    std::int16_t whole(Prop p) const { return prop(p).to_integer(locale); }
    // Where a text is needed (Null is an error) ...
    std::string text(Prop p) const { return prop(p).to_text(locale); }
    // ... and where it is joined into a longer one (Null adds nothing).
    std::string joined(Prop p) const { return prop(p).joined_text(locale); }

    // One statement of the run.
    template <class Body>
    void step(std::string_view name, Body&& body)
    {
        // An error names the innermost step; a finished step hands the
        // name back to the one around it.
        std::string outer = std::exchange(current_step_, std::string(name));
        if (!resume_next_) {
            body();
        } else {
            try {
                body();
            } catch (const ScriptError& e) {
                record(name, e);
            }
        }
        current_step_ = std::move(outer);
    }

    // The test of a decision; under the resume-next rule a failing test
    // goes on into the branch that follows it, as for a true test.
    template <class Condition>
    bool test(std::string_view name, Condition&& condition)
    {
        std::string outer = std::exchange(current_step_, std::string(name));
        bool holds = true;
        if (!resume_next_) {
            holds = condition();
        } else {
            try {
                holds = condition();
            } catch (const ScriptError& e) {
                record(name, e);
            }
        }
        current_step_ = std::move(outer);
        return holds;
    }

    void switch_on_resume_next() { resume_next_ = true; }
    bool resume_next() const { return resume_next_; }
    // The latest error a skipped step raised; it stays until the run ends.
    const std::optional<RunStop>& last_error() const { return last_error_; }
    const std::string& current_step() const { return current_step_; }

private:
    void record(std::string_view name, const ScriptError& e)
    {
        last_error_ = RunStop{std::string(name), e.number(), e.what()};
    }

    bool resume_next_ = false;
    std::string current_step_;
    std::optional<RunStop> last_error_;
};

} // namespace prestova
