#include "control/member_table.hpp"
#include "control_support.hpp"
#include "core/script_error.hpp"
#include "design/properties.hpp"

#include <gtest/gtest.h>

#include <set>

using namespace prestova;
using namespace prestova::testing;

namespace {

// Records every operation, and can fail at one key.
class RecordingBag : public PropertyBag {
public:
    std::vector<std::string> keys;
    std::vector<std::pair<Variant, Variant>> written;  // value, default
    std::string failing_key;
    MemoryPropertyBag contents;

    Variant read_property(std::string_view key, const Variant& default_value) override
    {
        keys.emplace_back(key);
        if (key == failing_key) throw ScriptError(ErrorCode::PlatformFailure, "bag failed");
        return contents.read_property(key, default_value);
    }
    void write_property(std::string_view key, const Variant& value, const Variant& default_value) override
    {
        keys.emplace_back(key);
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

const std::vector<std::string> kPersistenceKeys = {
    "JavaVersion",   "DiskSpaceRec", "DiskSpaceMin", "MemoryRec",    "MemoryMin",   "CPURec",    "CPUMin",
    "BlueOkYRM",     "GreenOkYRM",   "RedOkYRM",     "BlueBadYRM",   "GreenBadYRM", "RedBadYRM", "BlueYRM",
    "GreenYRM",      "RedYRM",       "Blue2YRM",     "Green2YRM",    "Red2YRM",     "Blue3YRM",  "Green3YRM",
    "Red3YRM",       "OSRec",        "OSMin",        "IEVersion",    "Zip1",        "Zip1URL",   "Zip2",
    "Zip2URL",       "JavaURL",      "RealURL",      "IEURL",        "AdobeURL",    "FlashURL",  "RecColorDepth",
    "MinColorDepth", "ScreenRecWid", "ScreenRecHgt", "ScreenMinWid", "ScreenMinHgt"};

TEST(Properties, LoadingAnEmptyBagGivesEveryTextDefault)
{
    TestControl t(xp_machine_text());
    RecordingBag bag;
    t.control.read_properties(bag);
    EXPECT_EQ(bag.keys, kPersistenceKeys);
    const std::pair<Prop, const char*> expected[] = {
        {Prop::JavaVersion, "9.8"}, {Prop::CPUMin, "233"},       {Prop::CPURec, "633"},        {Prop::MemoryMin, "64"},
        {Prop::MemoryRec, "128"},   {Prop::DiskSpaceMin, "500"}, {Prop::DiskSpaceRec, "1000"}, {Prop::ScreenMinWid, ""},
        {Prop::recColorDepth, ""},  {Prop::OSMin, "Windows 98"}, {Prop::OSRec, "Windows XP"},  {Prop::IEVersion, "5.5"},
        {Prop::RedYRM, "172"},      {Prop::GreenYRM, "207"},     {Prop::BlueYRM, "251"},       {Prop::RedOkYRM, "0"},
        {Prop::GreenBadYRM, "0"},   {Prop::FlashURL, ""}};
    for (const auto& [prop, text] : expected) EXPECT_EQ(t.control.get(prop), Variant(text)) << property_info(prop).name;
    for (const auto& info : property_table()) EXPECT_TRUE(t.control.get(info.prop).is_text()) << info.name;
}

TEST(Properties, InitialisingSetsThreeValuesAndLeavesTheRestEmpty)
{
    TestControl t(xp_machine_text());
    t.control.init_properties();
    EXPECT_EQ(t.control.get(Prop::JavaVersion), Variant("1.6"));
    EXPECT_EQ(t.control.get(Prop::DiskSpaceMin), Variant::integer(500));
    EXPECT_EQ(t.control.get(Prop::DiskSpaceRec), Variant::integer(1000));
    int empty = 0;
    for (const auto& info : property_table()) empty += t.control.get(info.prop).is_empty();
    EXPECT_EQ(empty, 37);
}

TEST(Properties, SavingWritesAllFortyKeysInOrderWithTheirDefaults)
{
    TestControl t(xp_machine_text());
    RecordingBag loaded;
    t.control.read_properties(loaded);
    RecordingBag saved;
    t.control.write_properties(saved);
    EXPECT_EQ(saved.keys, kPersistenceKeys);
    ASSERT_EQ(saved.written.size(), 40u);
    EXPECT_EQ(saved.written[0], std::make_pair(Variant("9.8"), Variant("9.8")));
    EXPECT_EQ(saved.written[34], std::make_pair(Variant(""), Variant("")));  // RecColorDepth, empty text

    TestControl fresh(xp_machine_text());
    fresh.control.init_properties();
    RecordingBag fresh_saved;
    fresh.control.write_properties(fresh_saved);
    EXPECT_EQ(fresh_saved.written[1].first, Variant::integer(1000));  // DiskSpaceRec keeps its type
    EXPECT_TRUE(fresh_saved.written[3].first.is_empty());             // empty members are written too
}

TEST(Properties, AFailingBagStopsTheLoadAtItsKey)
{
    TestControl t(xp_machine_text());
    t.control.put(Prop::CPURec, Variant("old"));
    t.control.put(Prop::CPUMin, Variant("old"));
    RecordingBag bag;
    bag.contents.set("MemoryMin", Variant("96"));
    bag.failing_key = "CPURec";
    EXPECT_THROW(t.control.read_properties(bag), ScriptError);
    EXPECT_EQ(t.control.get(Prop::MemoryMin), Variant("96"));  // read before the failure
    EXPECT_EQ(t.control.get(Prop::CPURec), Variant("old"));
    EXPECT_EQ(t.control.get(Prop::CPUMin), Variant("old"));
    EXPECT_EQ(bag.keys.back(), "CPURec");

    RecordingBag save;
    save.failing_key = "RedYRM";
    EXPECT_THROW(t.control.write_properties(save), ScriptError);
    EXPECT_EQ(save.written.size(), 15u);
}

TEST(Properties, WritingStoresTheValueUnchangedAndNamesTheProperty)
{
    SimulatedMachine machine(machine_profile(xp_machine_text()));
    PanelState panel;
    RecordingSink sink;
    Prestova control(machine.platform(), panel, &sink);
    control.put(Prop::recColorDepth, Variant::integer(255));
    control.put(Prop::MemoryMin, Variant("not a number"));
    control.put(Prop::CPUMin, Variant());
    EXPECT_EQ(control.get(Prop::recColorDepth), Variant::integer(255));
    EXPECT_EQ(control.get(Prop::MemoryMin), Variant("not a number"));
    EXPECT_TRUE(control.get(Prop::CPUMin).is_empty());
    EXPECT_EQ(sink.changed, (std::vector<std::string>{"recColorDepth", "MemoryMin", "CPUMin"}));

    sink.fail = true;
    EXPECT_THROW(control.put(Prop::OSMin, Variant("Windows 2000")), ScriptError);
    EXPECT_EQ(control.get(Prop::OSMin), Variant("Windows 2000"));  // replaced before the notification failed
}

TEST(MemberTable, PublishesEightyFiveMembersWithTheirIdentifiers)
{
    const auto& members = member_table();
    ASSERT_EQ(members.size(), 85u);
    EXPECT_EQ(members[0].name, "DeviceColors");
    EXPECT_EQ(members[0].dispid, 0x60030028);
    EXPECT_EQ(members[4].name, "getVersion");
    EXPECT_EQ(members[4].dispid, 0x6003003A);
    EXPECT_EQ(members[5].name, "JavaVersion");
    EXPECT_EQ(members[5].kind, MemberKind::PropertyGet);
    EXPECT_EQ(members[6].kind, MemberKind::PropertyPut);
    EXPECT_EQ(members[84].name, "ScreenMinHgt");
    EXPECT_EQ(find_dispid("JavaVersion"), 0x68030027);
    EXPECT_EQ(find_dispid("cpumin"), 0x68030022);
    EXPECT_EQ(find_dispid("recColorDepth"), 0x68030005);
    EXPECT_EQ(find_dispid("ScreenMinHgt"), 0x68030000);
    EXPECT_EQ(find_dispid("CutDecimal"), 0x60030039);
    EXPECT_FALSE(find_dispid("RecColourDepth"));
    std::set<std::pair<std::int32_t, MemberKind>> unique;
    for (const auto& m : members) {
        EXPECT_EQ(m.order, static_cast<int>(&m - members.data()) + 1);
        unique.emplace(m.dispid, m.kind);
        EXPECT_EQ(find_member(m.dispid, m.kind), &m);
    }
    EXPECT_EQ(unique.size(), 85u);
}

}  // namespace
