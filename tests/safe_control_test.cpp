#include "host/safe_control.hpp"

#include <gtest/gtest.h>

#include <thread>

using namespace prestova;

namespace {

constexpr Guid kDispatch{0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr Guid kStreamInit{0x7FD52380, 0x4E07, 0x101B, {0xAE, 0x2D, 0x08, 0x00, 0x2B, 0x2E, 0xC7, 0x13}};
constexpr Guid kStreamInitAsPublished{0x0000010A, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr Guid kStream{0x00000109, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr Guid kPropertyBag{0x37D84F60, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
constexpr Guid kUnknown{0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr Guid kSafety{0xCB5BDC81, 0x93C1, 0x11CF, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};

class Safety : public ::testing::Test {
protected:
    void SetUp() override { safe_control_startup(); }
};

TEST_F(Safety, IdentifiersInRegistryForm)
{
    EXPECT_EQ(registry_text(kDispatch), kIDispatch);
    EXPECT_EQ(registry_text(kPropertyBag), kIPersistPropertyBag);
    EXPECT_EQ(registry_text(kSafety), kIObjectSafety);
    EXPECT_EQ(registry_text(kStreamInit), kIPersistStreamInit);
    EXPECT_EQ(registry_text(kStreamInitAsPublished), kIPersistStreamInitAsPublished);
}

TEST_F(Safety, GetAnswersPerInterface)
{
    const std::tuple<const Guid*, HResult, std::uint32_t> cases[] = {
        {&kDispatch, kOk, 1},    {&kStreamInit, kOk, 2},        {&kStreamInitAsPublished, kOk, 2}, {&kStream, kOk, 2},
        {&kPropertyBag, kOk, 2}, {&kUnknown, kNoInterface, 99}, {&kSafety, kNoInterface, 99},      {nullptr, kOk, 99}};
    for (const auto& [riid, hr, enabled] : cases) {
        std::uint32_t supported = 0, on = 99;
        EXPECT_EQ(GetInterfaceSafetyOptions(riid, &supported, &on), hr);
        EXPECT_EQ(supported, 3u);  // set whatever the identifier
        EXPECT_EQ(on, enabled);    // untouched for null and unknown identifiers
    }
}

TEST_F(Safety, GetWithNowhereToWriteIsAPointerError)
{
    std::uint32_t supported = 77, enabled = 77;
    EXPECT_EQ(GetInterfaceSafetyOptions(&kDispatch, nullptr, &enabled), kPointer);
    EXPECT_EQ(GetInterfaceSafetyOptions(&kDispatch, &supported, nullptr), kPointer);
    EXPECT_EQ(GetInterfaceSafetyOptions(nullptr, nullptr, nullptr), kPointer);
    EXPECT_EQ(supported, 77u);
    EXPECT_EQ(enabled, 77u);
}

TEST_F(Safety, SetAcceptsExactlyTheOptionOfEachInterface)
{
    struct Case {
        const Guid* riid;
        std::uint32_t mask, enabled;
        HResult hr;
    };
    for (const Case c :
         {Case{&kDispatch, 1, 1, kOk}, Case{&kDispatch, 3, 3, kFail}, Case{&kDispatch, 1, 0, kFail},
          Case{&kDispatch, 3, 1, kOk}, Case{&kDispatch, 2, 2, kFail}, Case{&kPropertyBag, 2, 2, kOk},
          Case{&kStream, 3, 3, kFail}, Case{&kStreamInit, 2, 3, kOk}, Case{&kStreamInit, 1, 1, kFail},
          Case{&kStreamInitAsPublished, 2, 2, kOk}, Case{&kUnknown, 1, 1, kNoInterface}, Case{nullptr, 3, 3, kOk}})
        EXPECT_EQ(SetInterfaceSafetyOptions(c.riid, c.mask, c.enabled), c.hr)
            << (c.riid ? registry_text(*c.riid) : "null") << " " << c.mask << "/" << c.enabled;
    // Setting stores nothing.
    std::uint32_t supported = 0, enabled = 0;
    GetInterfaceSafetyOptions(&kDispatch, &supported, &enabled);
    EXPECT_EQ(enabled, 1u);
}

TEST_F(Safety, EachThreadHasItsOwnSettings)
{
    std::uint32_t supported = 0, enabled = 5;
    HResult set = kOk;
    std::thread other([&] {
        // This thread never ran the start-up routine.
        GetInterfaceSafetyOptions(&kDispatch, &supported, &enabled);
        set = SetInterfaceSafetyOptions(&kDispatch, 1, 1);
    });
    other.join();
    EXPECT_EQ(enabled, 0u);
    EXPECT_EQ(set, kFail);
    EXPECT_TRUE(SafeForScripting());
    std::thread started([&] {
        safe_control_startup();
        GetInterfaceSafetyOptions(&kPropertyBag, &supported, &enabled);
    });
    started.join();
    EXPECT_EQ(enabled, 2u);
}

}  // namespace
