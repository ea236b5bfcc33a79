#include "checks/browser_check.hpp"

#include "checks/software_list.hpp"
#include "core/ascii_case.hpp"
#include "probes/version_text.hpp"

namespace prestova {

namespace {

using enum ControlId;

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr std::string_view kNavigator = "SOFTWARE\\Netscape\\Netscape Navigator\\";
constexpr std::string_view kNetscape6 = "SOFTWARE\\Netscape\\Netscape 6\\";
constexpr std::string_view kNetscape = "SOFTWARE\\Netscape\\Netscape\\";
constexpr std::string_view kAmaya = "SOFTWARE\\W3C - INRIA\\Amaya\\";
constexpr std::string_view kAmayaWX = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AmayaWX\\";
constexpr std::string_view kOpera = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe\\";
constexpr std::string_view kMozilla = "SOFTWARE\\mozilla.org\\Mozilla\\";
constexpr std::string_view kFirefox = "SOFTWARE\\Mozilla\\Mozilla Firefox\\";
constexpr std::string_view kExplorer = "SOFTWARE\\Microsoft\\Internet Explorer\\";
constexpr std::string_view kExplorerVersion = "SOFTWARE\\Microsoft\\Internet Explorer\\Version Vector\\";
constexpr std::string_view kHttpCommand = "HTTP\\shell\\open\\command\\";

struct BrowserRow {
    RunContext& ctx;
    Variant version;  // the last version read; the Internet Explorer test uses it too
    int state = 0;    // 1: Internet Explorer new enough, 2: and the default browser

    std::string version_text() const { return version.to_text(ctx.locale); }

    bool exists(std::string_view name, std::string_view key)
    {
        return ctx.test(StepName(name, ": key test"), [&] { return RegKeyExists(ctx.platform.registry, HKLM, key); });
    }

    // Reads CurrentVersion (or another value), trimmed, and cuts a
    // language suffix off when asked to.
    void read_version(std::string_view name, std::string_view key, std::string_view value, bool cut)
    {
        ctx.step(StepName(name, ": version"), [&] { version = Variant(read_text(ctx, HKLM, key, value)); });
        if (cut)
            ctx.step(StepName(name, ": language suffix"),
                     [&] { version = CutLangType(version, ctx.locale); });  // a failed cut leaves the text uncut
    }

    void append(std::string_view name, const std::string& line) { append_line(ctx, Label33, name, line); }

    void run()
    {
        ctx.step("browsers: state", [&] { state = 0; });
        // Each run lists the browsers afresh; appending to the list an earlier
        // run left would show every browser once per Show.
        ctx.step("browsers: start the list", [&] { ctx.panel.set_caption(Label33, ""); });
        if (exists("Netscape Navigator", kNavigator)) {
            read_version("Netscape Navigator", kNavigator, "CurrentVersion", true);
            if (ctx.test("Netscape Navigator: version test",
                         [&] { return compare_text(version_text(), "5.0, Opera") < 0; }))
                ctx.step("Netscape Navigator: line",
                         [&] { ctx.panel.set_caption(Label33, "Netscape " + version_text() + " installed.\r"); });
        }
        if (exists("Netscape 6", kNetscape6)) {
            read_version("Netscape 6", kNetscape6, "CurrentVersion", true);
            if (ctx.test("Netscape 6: version test", [&] { return compare_text(version_text(), "7") < 0; }))
                append("Netscape 6: line", "Netscape " + version_text() + " installed.\r");
        }
        if (exists("Netscape", kNetscape)) {
            read_version("Netscape", kNetscape, "CurrentVersion", true);
            append("Netscape: line", "Netscape " + version_text() + " installed.\r");
        }
        if (ctx.test("Amaya: key test", [&] {
                const bool amaya = RegKeyExists(ctx.platform.registry, HKLM, kAmaya);
                const bool amaya_wx = RegKeyExists(ctx.platform.registry, HKLM, kAmayaWX);
                return amaya || amaya_wx;
            })) {
            if (exists("Amaya", kAmaya)) append("Amaya: line", "Amaya Installed.\r");
            if (exists("AmayaWX", kAmayaWX)) {
                read_version("AmayaWX", kAmayaWX, "DisplayVersion", false);
                append("AmayaWX: line", "AmayaWX " + version_text() + " installed.\r");
            }
        }
        if (exists("Opera", kOpera)) append("Opera: line", "Opera Installed.\r");
        if (exists("Mozilla", kMozilla)) {
            read_version("Mozilla", kMozilla, "CurrentVersion", true);
            append("Mozilla: line", "Mozilla " + version_text() + " installed.\r");
        }
        if (exists("Firefox", kFirefox)) {
            read_version("Firefox", kFirefox, "CurrentVersion", true);
            append("Firefox: line", "Firefox " + version_text() + " installed.\r");
        }
        if (exists("Internet Explorer", kExplorer)) check_explorer();
        verdict();
    }

    void check_explorer()
    {
        ctx.step("Internet Explorer: version",
                 [&] { version = Variant(read_text(ctx, HKLM, kExplorerVersion, "IE")); });
        ctx.step("Internet Explorer: one decimal", [&] { version = Variant(CutDecimal(version, 1, ctx.locale)); });
        append("Internet Explorer: line", "Internet Explorer " + version_text() + " installed.\r");
        if (!ctx.test("Internet Explorer: version test (IEVersion)", [&] {
                return compare_text(ctx.prop(Prop::IEVersion), version_text(), ctx.locale).less_or_equal();
            }))
            return;
        ctx.step("Internet Explorer: new enough", [&] { state = 1; });
        std::string command;
        ctx.step("Internet Explorer: default browser",
                 [&] { command = read_text(ctx, RegRoot::ClassesRoot, kHttpCommand, ""); });
        if (ctx.test("Internet Explorer: default browser test",
                     [&] { return find_ignoring_case(command, "iexplore.exe") != std::string::npos; })) {
            append("Internet Explorer: default line", "Default browser is Internet Explorer.");
            ctx.step("Internet Explorer: default", [&] { state = 2; });
        }
    }

    void verdict()
    {
        if (ctx.test("browsers: verdict 0", [&] { return state == 0; })) {
            ctx.step("browsers: bad icon", [&] { ctx.panel.make_visible(browsbad); });
            ctx.step("browsers: bad advice", [&] {
                ctx.panel.set_caption(Label34,
                                      "You do not have Internet Explorer installed or have an outdated version "
                                      "installed (Minimum Version: " +
                                          ctx.joined(Prop::IEVersion) +
                                          "). Please click the link above to install the latest version of Internet "
                                          "Explorer which is required to use Marvanta's online systems.");
            });
            ctx.step("browsers: link", [&] { ctx.panel.make_visible(explorerLink); });
        } else if (ctx.test("browsers: verdict 1", [&] { return state == 1; })) {
            ctx.step("browsers: okay icon", [&] { ctx.panel.make_visible(browsok); });
            ctx.step("browsers: okay advice", [&] {
                ctx.panel.set_caption(Label34, "You have Internet Explorer version " + version_text() +
                                                   " installed, but it is not your default browser. You must use "
                                                   "Internet Explorer version " +
                                                   ctx.joined(Prop::IEVersion) +
                                                   " or above to access Marvanta's online systems.");
            });
        } else {
            ctx.step("browsers: good icon", [&] { ctx.panel.make_visible(browsgood); });
            ctx.step("browsers: good advice", [&] {
                ctx.panel.set_caption(Label34, "You have Internet Explorer " + ctx.joined(Prop::IEVersion) +
                                                   " or newer installed and set as your default browser. Please "
                                                   "remember to use Internet Explorer to access Marvanta's online "
                                                   "systems.");
            });
        }
    }
};

}  // namespace

void check_browsers(RunContext& ctx)
{
    BrowserRow row{ctx, Variant(), 0};
    row.run();
}

}  // namespace prestova
