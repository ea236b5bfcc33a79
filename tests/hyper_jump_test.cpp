// What a click does that `prestova check --click` cannot show (the rest is in
// tests/cases/links.cases): the default browser is kept per thread once found,
// though the registry changes under a page left open; the shell is asked to
// show the window normally; and an address may be opened itself, which no
// link does.
#include "control_support.hpp"
#include "host/hyper_jump.hpp"

#include <gtest/gtest.h>

#include <thread>

using namespace prestova;
using namespace prestova::testing;

namespace {

constexpr const char* kIE = "C:\\Program Files\\Internet Explorer\\iexplore.exe";

std::string http_command(const std::string& command)
{
    std::string escaped;
    for (char c : command) {
        if (c == '\\' || c == '"') escaped += '\\';
        escaped += c;
    }
    return "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]\n@=\"" + escaped + "\"\n";
}

TEST(DefaultBrowserPath, IsKeptPerThreadOnceFoundAndLookedUpUntilThen)
{
    forget_default_browser();
    SimulatedMachine machine(MachineProfile{});
    EXPECT_EQ(DefaultBrowserPath(machine.registry()), "");
    machine.registry().tree() = parse_reg_text(http_command(std::string("\"") + kIE + "\" -nohome"), "ie.reg");
    EXPECT_EQ(DefaultBrowserPath(machine.registry()), kIE);
    // The student switches browsers: this thread keeps what it found,
    machine.registry().tree() = parse_reg_text(http_command("C:\\Opera\\opera.exe %1"), "opera.reg");
    EXPECT_EQ(DefaultBrowserPath(machine.registry()), kIE);
    // another thread looks the browser up for itself,
    std::string other;
    std::thread([&] { other = DefaultBrowserPath(machine.registry()); }).join();
    EXPECT_EQ(other, "C:\\Opera\\opera.exe");
    // and so does this one once the module forgets it.
    forget_default_browser();
    EXPECT_EQ(DefaultBrowserPath(machine.registry()), "C:\\Opera\\opera.exe");
    EXPECT_EQ(machine.registry().open_handle_count(), 0u);
    forget_default_browser();
}

TEST(OpenInBrowser, StartsTheBrowserOrTheAddressItselfShownNormally)
{
    forget_default_browser();
    MachineProfile browser;
    browser.programs = {kIE, "http://x.example/"};
    browser.registry = parse_reg_text(http_command(kIE), "ie.reg");
    SimulatedMachine machine(std::move(browser));
    EXPECT_GT(OpenInBrowser(machine.registry(), machine.shell(), "http://x.example/", true), 32);
    EXPECT_GT(OpenInBrowser(machine.registry(), machine.shell(), "http://x.example/", false), 32);
    const auto& launches = machine.shell().launches();
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].file, kIE);
    EXPECT_EQ(launches[0].parameters, "http://x.example/");
    EXPECT_EQ(launches[1].file, "http://x.example/");
    EXPECT_EQ(launches[1].parameters, "");
    for (const auto& launch : launches) EXPECT_EQ(launch.show_command, 1);  // SW_SHOWNORMAL
    forget_default_browser();
}

}  // namespace
