// The run's error mode: untrapped before the Acrobat Reader step, then
// resume-next to the end of the run, with failures injected into the panel
// and the probes.
#include "checks/run_context.hpp"
#include "control_support.hpp"
#include "software_support.hpp"

#include <gtest/gtest.h>

#include <set>

using namespace prestova;
using namespace prestova::testing;
namespace sw = prestova::testing::software;
using enum ControlId;

namespace {

// A panel whose chosen operations fail, as a label that cannot be updated.
class FailingPanel : public Panel {
public:
    explicit FailingPanel(PanelState& state) : state_(state) {}
    std::set<ControlId> failing_captions, failing_visibility;
    int failures = 0;

    void set_caption(ControlId id, std::string caption) override
    {
        if (failing_captions.count(id)) fail(id);
        state_.set_caption(id, std::move(caption));
    }
    std::string caption(ControlId id) const override { return state_.caption(id); }
    void set_background(ControlId id, std::int32_t colour) override { state_.set_background(id, colour); }
    void make_visible(ControlId id) override
    {
        if (failing_visibility.count(id)) fail(id);
        state_.make_visible(id);
    }

private:
    void fail(ControlId id)
    {
        ++failures;
        throw ScriptError(ErrorCode::InvalidPropertyValue, "cannot update " + std::string(design(id).name));
    }
    PanelState& state_;
};

// Object creation that breaks down for one identifier.
class FailingObjects : public ObjectFactory {
public:
    FailingObjects(ObjectFactory& real, std::string broken) : real_(real), broken_(std::move(broken)) {}
    int attempts = 0;
    bool try_create(std::string_view prog_id) override
    {
        ++attempts;
        if (prog_id == broken_) throw ScriptError(ErrorCode::PlatformFailure, "the component crashed");
        return real_.try_create(prog_id);
    }

private:
    ObjectFactory& real_;
    std::string broken_;
};

struct Rig {
    explicit Rig(std::string registry, std::string creatable = "ShockwaveFlash.ShockwaveFlash.7")
        : machine(profile(std::move(registry), std::move(creatable))),
          objects(machine.objects(), "ShockwaveFlash.ShockwaveFlash.3"), panel(state),
          control(Platform{machine.registry(), machine.system(), objects, machine.shell()}, panel)
    {
        MemoryPropertyBag bag;
        for (const auto& [k, v] : with(full_page(), {{"JavaVersion", "1.6"}, {"IEVersion", "6.0"}}))
            bag.set(k, Variant(v));
        control.read_properties(bag);
    }
    static MachineProfile profile(std::string registry, std::string creatable)
    {
        MachineFacts facts;
        facts.registry = std::move(registry);
        return machine_profile(facts.machine_text() + "[objects]\ncreatable = " + creatable + "\n", facts.reg_text());
    }
    SimulatedMachine machine;
    FailingObjects objects;
    PanelState state;
    FailingPanel panel;
    Prestova control;
};

const std::string kEverything = sw::acrobat() + sw::flash() + sw::real("6.0.12.1040") + sw::zip() + sw::java("1.6") +
                                sw::explorer("6.0000", sw::kIeCommand);

TEST(ResumeNext, AFailingStepAfterTheAcrobatProbesIsSkipped)
{
    Rig rig(kEverything);
    rig.panel.failing_captions = {Label28};  // every write to the software list fails
    const RunReport report = rig.control.show();
    EXPECT_FALSE(report.stopped);
    EXPECT_GE(rig.panel.failures, 5);
    EXPECT_EQ(rig.state.caption(Label28), "");  // nothing could be written
    // The Acrobat Reader step reads the latest error: its own failed line
    // counts the product as missing.
    EXPECT_TRUE(rig.state.state(acrolink).visible);
    EXPECT_TRUE(rig.state.state(softok).visible);     // the run went on to the verdict
    EXPECT_TRUE(rig.state.state(browsgood).visible);  // and to the end
}

TEST(ResumeNext, ASkippedLinkStillCountsTheProductMissing)
{
    Rig rig(sw::flash() + sw::real("6.0.12.1040") + sw::zip() + sw::java("1.6"));
    rig.panel.failing_visibility = {acrolink};
    EXPECT_FALSE(rig.control.show().stopped);
    EXPECT_FALSE(rig.state.state(acrolink).visible);
    EXPECT_TRUE(rig.state.state(softok).visible);
    EXPECT_EQ(rig.state.caption(Label28).substr(0, 38), "Adobe Acrobat Reader is not installed.");
}

TEST(ResumeNext, AFailingProbeIsSkippedAndTheSearchGoesOn)
{
    Rig rig(kEverything, "ShockwaveFlash.ShockwaveFlash.3, ShockwaveFlash.ShockwaveFlash.7");
    EXPECT_FALSE(rig.control.show().stopped);
    EXPECT_EQ(rig.objects.attempts, 9);
    EXPECT_NE(rig.state.caption(Label28).find("Macromedia Flash Player version 7 is installed."), std::string::npos);
}

TEST(ResumeNext, TheEmptyVersionListFailsIntoTheInstalledBranchAndIsPutRight)
{
    Rig rig(sw::acrobat("AcroExch.Document", false) + sw::flash() + sw::real("6.0.12.1040") + sw::zip() +
            sw::java("1.6"));
    EXPECT_FALSE(rig.control.show().stopped);
    EXPECT_EQ(rig.state.caption(Label28).substr(0, 39), "Adobe Acrobat Reader is not installed.\r");
    EXPECT_TRUE(rig.state.state(acrolink).visible);
    EXPECT_TRUE(rig.state.state(softok).visible);
}

TEST(ResumeNext, BeforeTheAcrobatStepAFailureStopsTheRun)
{
    Rig rig(kEverything);
    rig.panel.failing_captions = {memRecommend};
    const RunReport report = rig.control.show();
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->step, "memory: good advice");
    EXPECT_EQ(report.stopped->error_number, 380);
    EXPECT_TRUE(rig.state.state(memGood).visible);  // the step before it happened
    EXPECT_EQ(rig.state.caption(Label4), "");       // the disk row never ran
    EXPECT_EQ(rig.state.caption(Label28), "");      // nor the software row
}

TEST(RunContext, ResumeNextSkipsStepsAndKeepsTheLatestError)
{
    MachineFacts facts;
    SimulatedMachine machine(facts.profile());
    PanelState panel;
    Prestova control(machine.platform(), panel);
    RunContext ctx(control);
    auto fail = [](const char* what) { throw ScriptError(ErrorCode::Overflow, what); };

    EXPECT_THROW(ctx.step("untrapped", [&] { fail("first"); }), ScriptError);
    EXPECT_THROW((void)ctx.test("untrapped test",
                                [&]() -> bool {
                                    fail("second");
                                    return false;
                                }),
                 ScriptError);
    EXPECT_FALSE(ctx.last_error());

    ctx.switch_on_resume_next();
    int after = 0;
    ctx.step("skipped", [&] {
        fail("third");
        ++after;
    });
    ctx.step("runs", [&] { ++after; });
    EXPECT_EQ(after, 1);
    ASSERT_TRUE(ctx.last_error());
    EXPECT_EQ(ctx.last_error()->step, "skipped");
    EXPECT_TRUE(ctx.test("failing test", [&]() -> bool {
        fail("fourth");
        return false;
    }));
    EXPECT_EQ(ctx.last_error()->step, "failing test");
    EXPECT_FALSE(ctx.test("false test", [] { return false; }));
    EXPECT_EQ(ctx.last_error()->message, "fourth");  // stays readable to the end
}

}  // namespace
