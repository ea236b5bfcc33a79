// The scripting-safety answers per interface identifier, per thread, and
// the site lock's table of entries and page addresses.
#include "host/safe_control.hpp"
#include "host/site_lock.hpp"
#include "quoted_args.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
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

TEST(Safety, AnswersPerInterfaceAndThread)
{
    safe_control_startup();
    // Set accepts exactly the option of each interface, and stores nothing.
    const std::tuple<const Guid*, std::uint32_t, std::uint32_t, HResult> sets[] = {
        {&kDispatch, 1, 1, kOk},         {&kDispatch, 3, 3, kFail},
        {&kDispatch, 1, 0, kFail},       {&kDispatch, 3, 1, kOk},
        {&kDispatch, 2, 2, kFail},       {&kPropertyBag, 2, 2, kOk},
        {&kStream, 3, 3, kFail},         {&kStreamInit, 2, 3, kOk},
        {&kStreamInit, 1, 1, kFail},     {&kStreamInitAsPublished, 2, 2, kOk},
        {&kUnknown, 1, 1, kNoInterface}, {nullptr, 3, 3, kOk}};
    for (const auto& [riid, mask, enabled, hr] : sets)
        EXPECT_EQ(SetInterfaceSafetyOptions(riid, mask, enabled), hr)
            << (riid ? registry_text(*riid) : "null") << " " << mask << "/" << enabled;
    // Get sets the supported options whatever the identifier; the enabled
    // ones stay untouched for null and unknown identifiers.
    const std::tuple<const Guid*, HResult, std::uint32_t> gets[] = {
        {&kDispatch, kOk, 1},    {&kStreamInit, kOk, 2},        {&kStreamInitAsPublished, kOk, 2}, {&kStream, kOk, 2},
        {&kPropertyBag, kOk, 2}, {&kUnknown, kNoInterface, 99}, {&kSafety, kNoInterface, 99},      {nullptr, kOk, 99}};
    for (const auto& [riid, hr, enabled] : gets) {
        std::uint32_t supported = 0, on = 99;
        EXPECT_EQ(GetInterfaceSafetyOptions(riid, &supported, &on), hr);
        EXPECT_EQ(supported, 3u);
        EXPECT_EQ(on, enabled);
    }
    EXPECT_EQ(registry_text(kSafety), kIObjectSafety);  // asked about itself, it answers for no option
    // Nowhere to write the answer is a pointer error, and nothing is written.
    std::uint32_t supported = 77, enabled = 77;
    EXPECT_EQ(GetInterfaceSafetyOptions(&kDispatch, nullptr, &enabled), kPointer);
    EXPECT_EQ(GetInterfaceSafetyOptions(&kDispatch, &supported, nullptr), kPointer);
    EXPECT_EQ(GetInterfaceSafetyOptions(nullptr, nullptr, nullptr), kPointer);
    EXPECT_EQ(std::make_pair(supported, enabled), std::make_pair(77u, 77u));

    // On a page the site lock refuses: no option is enabled and asking for
    // any fails, so a browser neither scripts nor initialises the control.
    for (const Guid* riid : {&kDispatch, &kStreamInit, &kStream, &kPropertyBag}) {
        std::uint32_t on = 99;
        EXPECT_EQ(GetInterfaceSafetyOptions(riid, &supported, &on, false), kOk);
        EXPECT_EQ(std::make_pair(supported, on), std::make_pair(3u, 0u));
        EXPECT_EQ(SetInterfaceSafetyOptions(riid, 3, riid == &kDispatch ? 1 : 2, false), kFail);
    }
    EXPECT_EQ(SetInterfaceSafetyOptions(&kUnknown, 1, 1, false), kFail);
    EXPECT_EQ(SetInterfaceSafetyOptions(&kUnknown, 1, 0, false), kNoInterface);
    EXPECT_EQ(SetInterfaceSafetyOptions(nullptr, 1, 1, false), kOk);

    // A thread that never ran the start-up routine has neither setting.
    HResult set = kOk;
    std::thread other([&] {
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

namespace {

std::string entry_text(const std::optional<SiteEntry>& entry)
{
    if (!entry) return "ignored";
    return entry->scheme + " " + entry->host + " " + std::to_string(entry->port) + (entry->subdomains ? " *." : "");
}

}  // namespace

TEST(SiteLock, EveryLineOfTheTableHolds)
{
    std::ifstream in(std::string(PRESTOVA_SOURCE_DIR) + "/tests/cases/site_lock.txt", std::ios::binary);
    ASSERT_TRUE(in);
    AllowedSites sites;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line.starts_with("#")) continue;
        const auto arrow = line.find(" => ");
        ASSERT_NE(arrow, std::string::npos) << "site_lock.txt:" << number << " has no =>";
        const auto args = prestova::testing::args_of(line.substr(0, arrow));
        std::string result;
        if (args.front().text == "sites") {
            sites = AllowedSites();
            sites.add(args.at(1).text);
            result = sites.in_force() ? std::to_string(sites.entry_count()) + " in force" : "none";
            if (!sites.ignored().empty()) result += ", ignored";
            for (const auto& ignored : sites.ignored()) result += " \"" + ignored + "\"";
        } else if (args.front().text == "entry") {
            result = entry_text(parse_site_entry(args.at(1).text));
        } else {
            result = sites.allows(args.front().text) ? "allowed" : "refused";
        }
        EXPECT_EQ(result, line.substr(arrow + 4)) << "site_lock.txt:" << number << ": " << line;
    }
    // Longer than any site: a mistake, however it is written.
    EXPECT_FALSE(parse_site_entry("https://" + std::string(300, 'a')));
    EXPECT_FALSE(parse_site_entry("https://" + std::string(63, 'a') + "." + std::string(63, 'b') + "." +
                                  std::string(63, 'c') + "." + std::string(63, 'd') + ".edu"));
}
