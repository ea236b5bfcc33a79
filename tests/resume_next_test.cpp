// The run's error mode with failures no machine profile can cause: a panel
// that cannot update a control, and an object whose creation crashes. Before
// the Acrobat Reader step an error stops the run; after it the failing step is
// skipped and the run goes on. (A failing decision test that counts as true is
// software.cases' "the pdf class without a version key".)
#include "control_support.hpp"
#include "expected_outputs.hpp"

#include <gtest/gtest.h>

#include <optional>

using namespace prestova;
using namespace prestova::testing;
using enum ControlId;

namespace {

// A panel on which one control's caption, or its showing, cannot be updated.
class FailingPanel : public Panel {
public:
    FailingPanel(PanelState& state, std::optional<ControlId> failing, bool visibility)
        : state_(state), failing_(failing), visibility_(visibility)
    {}
    int failures = 0;

    void set_caption(ControlId id, std::string caption) override
    {
        if (id == failing_ && !visibility_) fail(id);
        state_.set_caption(id, std::move(caption));
    }
    std::string caption(ControlId id) const override { return state_.caption(id); }
    void set_background(ControlId id, std::int32_t colour) override { state_.set_background(id, colour); }
    void make_visible(ControlId id) override
    {
        if (id == failing_ && visibility_) fail(id);
        state_.make_visible(id);
    }

private:
    void fail(ControlId id)
    {
        ++failures;
        throw ScriptError(ErrorCode::InvalidPropertyValue, "cannot update " + std::string(design(id).name));
    }
    PanelState& state_;
    std::optional<ControlId> failing_;
    bool visibility_;
};

// Object creation that crashes for Flash 3.
class FailingObjects : public ObjectFactory {
public:
    explicit FailingObjects(ObjectFactory& real) : real_(real) {}
    int attempts = 0;
    bool try_create(std::string_view prog_id) override
    {
        ++attempts;
        if (prog_id == "ShockwaveFlash.ShockwaveFlash.3")
            throw ScriptError(ErrorCode::PlatformFailure, "the component crashed");
        return real_.try_create(prog_id);
    }

private:
    ObjectFactory& real_;
};

struct Case {
    const char* label;
    bool acrobat;
    bool flash3;                       // creatable (and crashing) before Flash 7
    std::optional<ControlId> failing;  // its caption, or with visibility its showing
    bool visibility;
};

std::string outcome_of(const Case& c)
{
    // Every product installed (Acrobat Reader too, unless the case says not).
    MachineProfile profile = case_machine("xp-all");
    profile.creatable = {"ShockwaveFlash.ShockwaveFlash.7"};
    if (c.flash3) profile.creatable.insert(profile.creatable.begin(), "ShockwaveFlash.ShockwaveFlash.3");
    for (const char* acrobat : {"HKCR\\.pdf", "HKLM\\SOFTWARE\\Adobe"})
        if (!c.acrobat) profile.registry.remove(*parse_key_name(acrobat));
    SimulatedMachine machine(std::move(profile));
    FailingObjects objects(machine.objects());
    PanelState state;
    FailingPanel panel(state, c.failing, c.visibility);
    Prestova control(Platform{machine.registry(), machine.system(), objects, machine.shell()}, panel);
    MemoryPropertyBag bag = case_page("full", {{"JavaVersion", "1.6"}, {"IEVersion", "6.0"}});
    control.read_properties(bag);
    const RunReport report = control.show();
    std::string out = report.stopped ? "stopped at " + report.stopped->step + " (" +
                                           std::to_string(report.stopped->error_number) + ")"
                                     : "ran to its end";
    out +=
        ", " + std::to_string(panel.failures) + " failures, " + std::to_string(objects.attempts) + " objects tried\n";
    for (ControlId id : {memGood, Label4, Label28, acrolink, softok, browsgood}) {
        out += std::string(design(id).name) + (state.state(id).visible ? " shown '" : " '");
        for (const char ch : state.caption(id)) out += ch == '\r' ? std::string("\\r") : std::string(1, ch);
        out += "'\n";
    }
    return out;
}

// What each case gives is in tests/cases/resume_next.expected.
TEST(ResumeNext, FailuresStopTheRunBeforeTheAcrobatStepAndAreSkippedAfterIt)
{
    const Case cases[] = {
        {"before the Acrobat step a failure stops the run", true, false, memRecommend, false},
        // The Acrobat Reader step reads the latest error: its own failed line
        // counts the product as missing.
        {"every write to the software list fails", true, false, Label28, false},
        {"a link that cannot be shown still counts the product missing", false, false, acrolink, true},
        {"a crashing object is skipped and the search goes on", true, true, std::nullopt, false},
    };
    ExpectedOutputs expected(kCaseFiles + "resume_next.expected");
    for (const Case& c : cases) expected.check(c.label, outcome_of(c));
}

}  // namespace
