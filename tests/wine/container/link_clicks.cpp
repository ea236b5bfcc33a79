// The click mode, click PARAMS.txt LOG (LINK[:none] | NAME=VALUE | page=URL)...: loads
// the control from the params, activates it in place and clicks each named
// link at its design position with real mouse messages to the control's
// window, as a student clicks the panel (FROM>TO presses on one link and
// releases on another). After a click the browser's LOG (one line a launch)
// is watched: up to 30 s for a launch, or, for LINK:none, 3 s in which
// nothing may arrive. Each click is reported as "click LINK at X,Y: N
// launched" followed by the new lines. A NAME=VALUE among the links writes
// that property through IDispatch at that point. A page=URL first puts the
// control on the page at URL (its site's browser gives that address); later,
// it moves the control to that page.
#include "com_helpers.hpp"
#include "container_modes.hpp"
#include "param_bag.hpp"

#include "design/panel_design.hpp"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> log_lines(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

void pump_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The centre of a control's design rectangle, in pixels of the panel.
POINT centre_of(const prestova::ControlDesign& c)
{
    return {(c.left + c.width / 2) / prestova::kTwipsPerPixel, (c.top + c.height / 2) / prestova::kTwipsPerPixel};
}

// Clicks one link (LINK), or presses on one and releases on another
// (FROM>TO), and watches the log; false when a name is unknown.
bool click(HWND window, const std::string& request, const char* log)
{
    const auto colon = request.find(':');
    const std::string name = request.substr(0, colon);
    const bool expect_none = colon != std::string::npos && request.substr(colon + 1) == "none";
    const auto arrow = name.find('>');
    const std::string pressed = name.substr(0, arrow);
    const std::string released = arrow == std::string::npos ? pressed : name.substr(arrow + 1);
    const auto down_id = prestova::find_control(pressed);
    const auto up_id = prestova::find_control(released);
    if (!down_id || !up_id) {
        std::fprintf(stderr, "no control %s\n", name.c_str());
        return false;
    }
    const POINT at = centre_of(prestova::design(*down_id));
    const POINT up = centre_of(prestova::design(*up_id));
    const std::size_t before = log_lines(log).size();
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    pump_messages();
    // The browser starts on its own; its line comes some time after the click.
    const DWORD limit = expect_none ? 3000 : 30000;
    const DWORD start = GetTickCount();
    std::vector<std::string> lines = log_lines(log);
    while (lines.size() == before && GetTickCount() - start < limit) {
        Sleep(100);
        pump_messages();
        lines = log_lines(log);
    }
    std::printf("click %s at %ld,%ld: %zu launched\n", name.c_str(), at.x, at.y, lines.size() - before);
    for (std::size_t i = before; i < lines.size(); ++i) std::printf("  %s\n", lines[i].c_str());
    return true;
}

// NAME=VALUE between clicks: a property written through IDispatch, as a
// page's script writes it.
void assign(IUnknown* control, const std::string& assignment)
{
    const auto equals = assignment.find('=');
    auto dispatch = query<IDispatch>(control);
    say(("set " + assignment.substr(0, equals)).c_str(),
        dispatch ? put_text(dispatch.Get(), wide(assignment.substr(0, equals)).c_str(),
                            wide(assignment.substr(equals + 1)).c_str())
                 : E_NOINTERFACE);
}

bool click_all(int argc, char** argv)
{
    ComPtr<IUnknown> control = create_control();
    if (!control || !load_page(control.Get(), argv[0])) return false;
    const std::string_view page = "page=";
    const bool on_page = argc > 2 && std::string_view(argv[2]).starts_with(page);
    InPlace shown(control.Get(), on_page ? wide(argv[2] + page.size()) : std::wstring());
    bool known = shown.window != nullptr;
    for (int i = on_page ? 3 : 2; known && i < argc; ++i) {
        const std::string request = argv[i];
        if (request.starts_with(page)) {
            shown.site.browser_address = wide(request.substr(page.size()));
            say(request.c_str(), shown.ole->SetClientSite(&shown.site));
        } else if (request.find('=') != std::string::npos) assign(control.Get(), request);
        else known = click(shown.window, request, argv[1]);
    }
    return known;
}

}  // namespace

int click_links(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(
            stderr,
            "usage: prestova_container click PARAMS.txt LOG [page=URL] (LINK[:none] | NAME=VALUE | page=URL)...\n");
        return 2;
    }
    if (FAILED(OleInitialize(nullptr))) return 1;
    const bool known = click_all(argc, argv);
    OleUninitialize();
    return known ? 0 : 1;
}
