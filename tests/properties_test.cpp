// What the command line cannot show of the control's properties and members
// (members.cases and call.cases call every one of them by name): the order a
// property bag is read and saved in, a bag failing part way, change
// notifications and the arguments of refused calls. Names, dispatch
// identifiers and order are pinned by the committed component/tallymere.idl.
#include "control/dispatch.hpp"
#include "control/member_table.hpp"
#include "control_support.hpp"
#include "core/script_error.hpp"
#include "design/properties.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;

namespace {

// Records every key asked for, and can fail at one.
class RecordingBag : public PropertyBag {
public:
    std::string keys;                                  // each followed by a blank
    std::vector<std::pair<Variant, Variant>> written;  // value, default
    std::string failing_key;
    MemoryPropertyBag contents;

    Variant read_property(std::string_view key, const Variant& default_value) override
    {
        keys.append(key).append(" ");
        if (key == failing_key) throw ScriptError(ErrorCode::PlatformFailure, "bag failed");
        return contents.read_property(key, default_value);
    }
    void write_property(std::string_view key, const Variant& value, const Variant& default_value) override
    {
        keys.append(key).append(" ");
        if (key == failing_key) throw ScriptError(ErrorCode::PlatformFailure, "bag failed");
        written.emplace_back(value, default_value);
    }
};

class RecordingSink : public PropertyChangeSink {
public:
    std::vector<std::string> changed;
    bool fail = false;
    void property_changed(Prop prop) override
    {
        changed.emplace_back(property_info(prop).name);
        if (fail) throw ScriptError(ErrorCode::PlatformFailure, "notification failed");
    }
};

const char* const kPersistenceKeys =
    "JavaVersion DiskSpaceRec DiskSpaceMin MemoryRec MemoryMin CPURec CPUMin BlueOkYRM GreenOkYRM RedOkYRM BlueBadYRM "
    "GreenBadYRM RedBadYRM BlueYRM GreenYRM RedYRM Blue2YRM Green2YRM Red2YRM Blue3YRM Green3YRM Red3YRM OSRec OSMin "
    "IEVersion Zip1 Zip1URL Zip2 Zip2URL JavaURL RealURL IEURL AdobeURL FlashURL RecColorDepth MinColorDepth "
    "ScreenRecWid ScreenRecHgt ScreenMinWid ScreenMinHgt ";

TEST(Properties, AreLoadedAndSavedInTheirOrderWithTheirDefaults)
{
    TestControl t(case_machine("xp"));
    RecordingBag loaded, saved;
    t.control.read_properties(loaded);
    t.control.write_properties(saved);
    EXPECT_EQ(loaded.keys, kPersistenceKeys);
    EXPECT_EQ(saved.keys, kPersistenceKeys);
    ASSERT_EQ(saved.written.size(), 40u);
    EXPECT_EQ(saved.written[0].second, Variant("9.8"));
    for (const auto& [value, default_value] : saved.written) EXPECT_EQ(value, default_value);

    TestControl fresh(case_machine("xp"));
    fresh.control.init_properties();
    RecordingBag fresh_saved;
    fresh.control.write_properties(fresh_saved);
    EXPECT_EQ(fresh_saved.written[1].first, Variant::integer(1000));  // DiskSpaceRec keeps its type
    EXPECT_TRUE(fresh_saved.written[3].first.is_empty());             // empty members are written too
}

TEST(Properties, AFailingBagStopsAtItsKeyAndAFailingNotificationAfterTheChange)
{
    SimulatedMachine machine(case_machine("xp"));
    PanelState panel;
    RecordingSink sink;
    Prestova control(machine.platform(), panel, &sink);
    control.put(Prop::CPURec, Variant("old"));
    control.put(Prop::CPUMin, Variant("old"));
    RecordingBag bag;
    bag.contents.set("MemoryMin", Variant("96"));
    bag.failing_key = "CPURec";
    EXPECT_THROW(control.read_properties(bag), ScriptError);
    EXPECT_EQ(control.get(Prop::MemoryMin), Variant("96"));  // read before the failure
    EXPECT_EQ(control.get(Prop::CPURec), Variant("old"));
    EXPECT_EQ(control.get(Prop::CPUMin), Variant("old"));
    EXPECT_TRUE(bag.keys.ends_with(" CPURec ")) << bag.keys;

    RecordingBag save;
    save.failing_key = "RedYRM";
    EXPECT_THROW(control.write_properties(save), ScriptError);
    EXPECT_EQ(save.written.size(), 15u);

    control.put(Prop::recColorDepth, Variant::integer(255));
    sink.fail = true;
    EXPECT_THROW(control.put(Prop::OSMin, Variant("Windows 2000")), ScriptError);
    EXPECT_EQ(control.get(Prop::OSMin), Variant("Windows 2000"));  // replaced before the notification failed
    // Loading notifies nothing; each put names its property.
    EXPECT_EQ(sink.changed, (std::vector<std::string>{"CPURec", "CPUMin", "recColorDepth", "OSMin"}));
}

// The command line shows a refused call's message only: its kind, the
// argument it names and the arguments left as given are for automation.
TEST(Dispatch, ARefusedCallNamesItsKindAndArgumentAndChangesNoArgument)
{
    using Kind = DispatchError::Kind;
    // Member, kind, arguments, refusal, the argument it names (0-based, -1 for none).
    const std::tuple<const char*, MemberKind, std::vector<Variant>, Kind, int> rows[] = {
        {"CutDecimal", MemberKind::Method, {Variant::integer(5), Variant("256")}, Kind::Overflow, 1},
        {"DeviceColors", MemberKind::Method, {Variant("screen")}, Kind::TypeMismatch, 0},
        {"JavaVersion", MemberKind::PropertyGet, {Variant("1.6")}, Kind::BadParamCount, -1},
        {"JavaVersion", MemberKind::PropertyPut, {}, Kind::BadParamCount, -1}};
    for (const auto& [member, kind, given, refused, argument] : rows) {
        TestControl t(case_machine("xp"));
        std::vector<Variant> args = given;
        try {
            invoke(t.control, *find_member(*find_dispid(member), kind), args);
            ADD_FAILURE() << member << " went through";
        } catch (const DispatchError& e) {
            EXPECT_EQ(e.kind(), refused) << e.what();
            EXPECT_EQ(e.argument(), argument) << e.what();
        }
        EXPECT_EQ(args, given) << member;
    }
}

}  // namespace
