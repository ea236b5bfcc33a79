// Clicking the download links: the default browser from the registry, its
// per-thread cache, and the address handed to it.
#include "control_support.hpp"
#include "host/download_links.hpp"
#include "host/hyper_jump.hpp"

#include <gtest/gtest.h>

#include <thread>

using namespace prestova;
using namespace prestova::testing;
using enum ControlId;

namespace {

std::string escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

std::string http_command(const std::string& command)
{
    return "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]\n@=\"" + escape(command) + "\"\n";
}

constexpr const char* kIE = "C:\\Program Files\\Internet Explorer\\iexplore.exe";

struct Browser {
    explicit Browser(const std::string& reg, const std::string& programs = kIE)
        : machine(machine_profile("[shell]\nprograms = " + programs + "\n", reg)), control(machine.platform(), panel)
    {
        forget_default_browser();
    }
    ~Browser() { forget_default_browser(); }
    SimulatedMachine machine;
    PanelState panel;
    Prestova control;
};

TEST(CutCommandLine, FindsTheProgramPath)
{
    const std::pair<std::string, std::string> cases[] = {
        {"\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome", kIE},
        {"C:\\PROGRA~1\\INTERN~1\\iexplore.exe -nohome", "C:\\PROGRA~1\\INTERN~1\\iexplore.exe"},
        {"C:\\Program Files\\Opera\\opera.exe \"%1\"", "C:\\Program Files\\Opera\\opera.exe"},
        {"C:\\Program Files\\Browser\\run.exe", "C:\\Program Files\\Browser\\run.exe"},
        {"iexplore.exe -nohome", "iexplore.exe -nohome"},
        {"", ""},
        {"\"unterminated -x", "\"unterminated -x"},
        {" \"C:\\a b\\c.exe\" x", " \"C:\\a b\\c.exe\""},
    };
    for (const auto& [command, path] : cases) EXPECT_EQ(cut_command_line(command), path) << command;
}

TEST(DefaultBrowserPath, IsKeptOnceFoundAndLookedUpAgainUntilThen)
{
    Browser b("REGEDIT4\n");
    EXPECT_EQ(DefaultBrowserPath(b.machine.registry()), "");
    b.machine.registry().tree() = parse_reg_text(http_command(std::string("\"") + kIE + "\" -nohome"), "ie.reg");
    EXPECT_EQ(DefaultBrowserPath(b.machine.registry()), kIE);
    // The student switches browsers: the thread keeps what it found.
    b.machine.registry().tree() = parse_reg_text(http_command("C:\\Opera\\opera.exe %1"), "new.reg");
    EXPECT_EQ(DefaultBrowserPath(b.machine.registry()), kIE);
    forget_default_browser();
    EXPECT_EQ(DefaultBrowserPath(b.machine.registry()), "C:\\Opera\\opera.exe");
    EXPECT_EQ(b.machine.registry().open_handle_count(), 0u);
}

TEST(DefaultBrowserPath, ValuesWithoutTerminatorOrEmptyAreRead)
{
    // "C:\b.exe" stored without a NUL keeps its last character.
    Browser no_nul("REGEDIT4\n\n[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]\n@=hex(1):43,3a,5c,62,2e,65,78,65\n");
    EXPECT_EQ(DefaultBrowserPath(no_nul.machine.registry()), "C:\\b.exe");
    forget_default_browser();
    Browser empty("REGEDIT4\n\n[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]\n@=hex(1):\n");
    EXPECT_EQ(DefaultBrowserPath(empty.machine.registry()), "");
    forget_default_browser();
    Browser nul_inside("REGEDIT4\n\n[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]\n@=hex(1):43,00,44\n");
    EXPECT_EQ(DefaultBrowserPath(nul_inside.machine.registry()), "C");
}

TEST(DefaultBrowserPath, TheCacheBelongsToTheThread)
{
    Browser b(http_command(kIE));
    EXPECT_EQ(DefaultBrowserPath(b.machine.registry()), kIE);
    b.machine.registry().tree() = parse_reg_text("REGEDIT4\n", "empty.reg");
    std::string other;
    std::thread t([&] { other = DefaultBrowserPath(b.machine.registry()); });
    t.join();
    EXPECT_EQ(other, "");  // that thread has no cached path and finds none
    EXPECT_EQ(DefaultBrowserPath(b.machine.registry()), kIE);
}

TEST(Links, EachLinkOpensItsOwnAddress)
{
    Browser b(http_command(std::string("\"") + kIE + "\" -nohome"));
    const std::pair<ControlId, const char*> links[] = {
        {acrolink, "AdobeURL"}, {flashlink, "FlashURL"}, {reallink, "RealURL"},  {ziplink1, "Zip1URL"},
        {ziplink2, "Zip2URL"},  {javalink, "JavaURL"},   {explorerLink, "IEURL"}};
    MemoryPropertyBag bag;
    for (const auto& [link, key] : links) bag.set(key, Variant(std::string("http://x.example/") + key));
    bag.set("Zip1", Variant("WinZip"));  // the caption does not decide the address
    b.control.read_properties(bag);
    for (const auto& [link, key] : links) EXPECT_GT(click_link(b.control, link), 32) << key;
    const auto& launches = b.machine.shell().launches();
    ASSERT_EQ(launches.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(launches[i].file, kIE);
        EXPECT_EQ(launches[i].parameters, std::string("http://x.example/") + links[i].second);
        EXPECT_EQ(launches[i].show_command, 1);
    }
}

struct AddressCase {
    Variant address;
    bool opened;
    const char* parameters;
};

class Addresses : public ::testing::TestWithParam<AddressCase> {};

TEST_P(Addresses, ReachTheBrowserAsOneArgument)
{
    Browser b(http_command(kIE));
    b.control.put(Prop::JavaURL, GetParam().address);
    const auto result = click_link(b.control, javalink);
    const auto& launches = b.machine.shell().launches();
    if (GetParam().opened) {
        EXPECT_GT(result, 32);
        ASSERT_EQ(launches.size(), 1u);
        EXPECT_EQ(launches[0].parameters, GetParam().parameters);
    } else {
        EXPECT_EQ(result, kShellFileNotFound);
        EXPECT_TRUE(launches.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, Addresses,
    ::testing::Values(AddressCase{Variant("http://www.java.com/"), true, "http://www.java.com/"},
                      AddressCase{Variant("https://x.example/a?b=1&c=2"), true, "https://x.example/a?b=1&c=2"},
                      AddressCase{Variant("ftp://ftp.example/java.exe"), true, "ftp://ftp.example/java.exe"},
                      AddressCase{Variant(""), true, ""}, AddressCase{Variant(), true, ""},
                      AddressCase{Variant("http://x.example/my file.exe"), true, "\"http://x.example/my file.exe\""},
                      AddressCase{Variant("-new-window http://x.example/"), false, ""},
                      AddressCase{Variant("http://x\" --kiosk \"y"), false, ""},
                      AddressCase{Variant("http://x.example/\r\n-evil"), false, ""},
                      AddressCase{Variant::integer(42), true, "42"}));

TEST(Links, WithoutAStartableBrowserTheShellFails)
{
    Browser none("REGEDIT4\n");
    none.control.put(Prop::IEURL, Variant("http://x.example/"));
    EXPECT_LE(click_link(none.control, explorerLink), 32);
    ASSERT_EQ(none.machine.shell().launches().size(), 1u);
    EXPECT_EQ(none.machine.shell().launches()[0].file, "");
    forget_default_browser();
    Browser gone(http_command("C:\\Gone\\browser.exe"));
    EXPECT_EQ(click_link(gone.control, acrolink), kShellFileNotFound);
}

TEST(Links, OpeningTheAddressItself)
{
    Browser b("REGEDIT4\n", "http://x.example/");
    EXPECT_GT(OpenInBrowser(b.machine.registry(), b.machine.shell(), "http://x.example/", false), 32);
    EXPECT_EQ(b.machine.shell().launches()[0].file, "http://x.example/");
    EXPECT_EQ(b.machine.shell().launches()[0].parameters, "");
}

}  // namespace
