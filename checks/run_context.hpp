#pragma once
// The state one check run shares between its sections, and its error mode:
// until the resume-next rule is switched on an error stops the run; after
// it, a failing step is skipped and a failing decision test counts as true.
#include "checks/run_report.hpp"
#include "checks/step_name.hpp"
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
    {}

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
    void step(const StepName& name, Body&& body)
    {
        try {
            body();
        } catch (ScriptError& e) {
            if (!resume_next_) stop(name, e);
            record(name, e);
        }
    }

    // The test of a decision; under the resume-next rule a failing test
    // goes on into the branch that follows it, as for a true test.
    template <class Condition>
    bool test(const StepName& name, Condition&& condition)
    {
        try {
            return condition();
        } catch (ScriptError& e) {
            if (!resume_next_) stop(name, e);
            record(name, e);
            return true;
        }
    }

    void switch_on_resume_next() { resume_next_ = true; }
    bool resume_next() const { return resume_next_; }
    // The latest error a skipped step raised; it stays until the run ends.
    const std::optional<RunStop>& last_error() const { return last_error_; }

private:
    // An error the run does not trap ends it: the innermost step names it
    // on its way out, the steps around it leave that name.
    [[noreturn]] static void stop(const StepName& name, ScriptError& e)
    {
        if (e.step().empty()) e.set_step(name.text());
        throw;
    }

    void record(const StepName& name, const ScriptError& e)
    {
        last_error_ = RunStop{name.text(), e.number(), e.what()};
    }

    bool resume_next_ = false;
    std::optional<RunStop> last_error_;
};

}  // namespace prestova
