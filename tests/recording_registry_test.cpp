// The recording registry passes every call through unchanged and keeps what
// it learnt of each existing key: whole values, listed subkeys, refusals.
#include "platform/recording_registry.hpp"
#include "platform/simulated/reg_file.hpp"
#include "platform/simulated/simulated_registry.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace prestova;

namespace {

const RegHandle HKLM = root_handle(RegRoot::LocalMachine);
const RegHandle HKCR = root_handle(RegRoot::ClassesRoot);

const char* const kReg = "REGEDIT4\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Product]\n"
                         "\"Version\"=\"4.2\"\n"
                         "\"Other\"=\"not asked for\"\n"
                         "\"Count\"=dword:00000007\n"
                         "\"Expand\"=hex(2):25,41,25,00\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Product\\1.0]\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Product\\2.0\\Deep]\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Locked]\n"
                         "\"Secret\"=\"x\"\n"
                         "[HKEY_CLASSES_ROOT\\.doc]\n"
                         "@=\"Word.Document\"\n";

struct Recorded {
    RegistryTree tree = parse_reg_text(kReg, "test.reg");
    SimulatedRegistry inner{tree, {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Locked"}};
    RecordingRegistry registry{inner};

    const RecordedKey* key(const std::string& upper_name) const
    {
        const auto it = registry.keys().find(upper_name);
        return it == registry.keys().end() ? nullptr : &it->second;
    }
};

std::string text_of(const RecordedValue& v) { return std::string(v.data.begin(), v.data.end()); }

TEST(RecordingRegistry, KeepsWholeValuesOfEveryTypeHoweverLittleWasAsked)
{
    Recorded r;
    RegHandle key = 0, doc = 0;
    ASSERT_EQ(r.registry.open_key(HKLM, "SOFTWARE\\vendor\\Product\\", &key), reg::Success);
    std::uint32_t size = 0, type = 0;
    ASSERT_EQ(r.registry.query_value(key, "version", nullptr, nullptr, &size), reg::Success);  // only the size
    EXPECT_EQ(size, 4u);  // the caller still sees what the registry said
    std::uint8_t small[1];
    size = sizeof small;
    EXPECT_EQ(r.registry.query_value(key, "Expand", &type, small, &size), reg::MoreData);
    std::uint8_t number[4];
    size = 4;
    EXPECT_EQ(r.registry.query_value(key, "Count", &type, number, &size), reg::Success);
    r.registry.close_key(key);
    r.registry.open_key(HKCR, ".doc", &doc);
    r.registry.query_value(doc, nullptr, nullptr, nullptr, &size);  // the default value

    const RecordedKey* k = r.key("HKEY_LOCAL_MACHINE\\SOFTWARE\\VENDOR\\PRODUCT");
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->name, "HKEY_LOCAL_MACHINE\\SOFTWARE\\vendor\\Product");  // as asked, trailing backslash gone
    ASSERT_EQ(k->values.size(), 3u);                                      // only the values asked for
    EXPECT_EQ(k->values.at("VERSION").type, reg::Sz);
    EXPECT_EQ(text_of(k->values.at("VERSION")), std::string("4.2\0", 4));
    EXPECT_EQ(k->values.at("EXPAND").type, reg::ExpandSz);
    EXPECT_EQ(text_of(k->values.at("EXPAND")), std::string("%A%\0", 4));
    EXPECT_EQ(k->values.at("COUNT").type, reg::Dword);
    EXPECT_EQ(k->values.at("COUNT").data, (std::vector<std::uint8_t>{7, 0, 0, 0}));
    const RecordedKey* d = r.key("HKEY_CLASSES_ROOT\\.DOC");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->values.at("").name, "");
    EXPECT_EQ(text_of(d->values.at("")), std::string("Word.Document\0", 14));
}

TEST(RecordingRegistry, KeepsListedSubkeysAndKeysOpenedBelowAnOpenKey)
{
    Recorded r;
    RegHandle vendor = 0, product = 0;
    r.registry.open_key(HKLM, "SOFTWARE\\Vendor", &vendor);
    ASSERT_EQ(r.registry.open_key(vendor, "Product", &product), reg::Success);
    char name[64];
    for (std::uint32_t i = 0; r.registry.enum_key(product, i, name, sizeof name) == reg::Success; ++i) {}
    const RecordedKey* k = r.key("HKEY_LOCAL_MACHINE\\SOFTWARE\\VENDOR\\PRODUCT");
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->subkeys, (std::set<std::string>{"1.0", "2.0"}));
    EXPECT_EQ(k->values.size(), 0u);  // none was asked for
}

TEST(RecordingRegistry, RemembersKeysThatRefuseAccess)
{
    using Probe = std::function<void(RecordingRegistry&)>;
    const Probe probes[] = {
        [](RecordingRegistry& reg) {  // asking for query access
            RegHandle key = 0;
            EXPECT_EQ(reg.open_key_ex(HKLM, "SOFTWARE\\Vendor\\Locked\\", 0, reg::KeyQueryValue, &key),
                      reg::AccessDenied);
        },
        [](RecordingRegistry& reg) {  // opened with what is allowed, then read
            RegHandle key = 0;
            ASSERT_EQ(reg.open_key(HKLM, "SOFTWARE\\Vendor\\Locked", &key), reg::Success);
            std::uint32_t size = 0;
            EXPECT_EQ(reg.query_value(key, "Secret", nullptr, nullptr, &size), reg::AccessDenied);
        },
        [](RecordingRegistry& reg) {  // opened, then listed
            RegHandle key = 0;
            ASSERT_EQ(reg.open_key(HKLM, "SOFTWARE\\Vendor\\Locked", &key), reg::Success);
            char name[64];
            EXPECT_EQ(reg.enum_key(key, 0, name, sizeof name), reg::AccessDenied);
        },
    };
    for (const auto& probe : probes) {
        Recorded r;
        probe(r.registry);
        const RecordedKey* k = r.key("HKEY_LOCAL_MACHINE\\SOFTWARE\\VENDOR\\LOCKED");
        ASSERT_NE(k, nullptr);
        EXPECT_TRUE(k->denied);
        EXPECT_TRUE(k->values.empty());
    }
}

TEST(RecordingRegistry, KeepsNothingOfMissingKeysAndValuesOrOfClosedHandles)
{
    Recorded r;
    RegHandle key = 0;
    EXPECT_EQ(r.registry.open_key(HKLM, "SOFTWARE\\Nobody", &key), reg::FileNotFound);
    EXPECT_EQ(r.registry.open_key_ex(HKLM, "SOFTWARE\\Nobody", 0, reg::KeyRead, &key), reg::FileNotFound);
    std::uint32_t size = 0;
    EXPECT_EQ(r.registry.query_value(0, "x", nullptr, nullptr, &size), reg::InvalidHandle);
    r.registry.open_key(HKLM, "SOFTWARE\\Vendor\\Product", &key);
    EXPECT_EQ(r.registry.query_value(key, "Missing", nullptr, nullptr, &size), reg::FileNotFound);
    r.registry.close_key(key);
    EXPECT_EQ(r.registry.query_value(key, "Version", nullptr, nullptr, &size), reg::InvalidHandle);
    ASSERT_EQ(r.registry.keys().size(), 1u);
    EXPECT_TRUE(r.registry.keys().begin()->second.values.empty());
}

}  // namespace
