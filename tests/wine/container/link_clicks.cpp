// The click mode: left clicks at the links' design positions, as a student
// clicks the panel, and what the browser log shows after each.
#include "com_helpers.hpp"
#include "container_modes.hpp"
#include "param_bag.hpp"

#include "design/panel_design.hpp"

#include <windows.h>
#include <ocidl.h>
#include <ole2.h>

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
    IDispatch* dispatch = query<IDispatch>(control, IID_IDispatch);
    const HRESULT hr = dispatch ? put_text(dispatch, wide(assignment.substr(0, equals)).c_str(),
                                           wide(assignment.substr(equals + 1)).c_str())
                                : E_NOINTERFACE;
    if (dispatch) dispatch->Release();
    say(("set " + assignment.substr(0, equals)).c_str(), hr);
}

}  // namespace

int click_links(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: prestova_container click PARAMS.txt LOG (LINK[:none] | NAME=VALUE)...\n");
        return 2;
    }
    ParamBag params;
    if (!load_params(argv[0], params)) return 2;
    if (FAILED(OleInitialize(nullptr))) return 1;
    CLSID clsid;
    IUnknown* control = create_control(clsid);
    if (!control) return 1;
    IPersistPropertyBag* persist = query<IPersistPropertyBag>(control, IID_IPersistPropertyBag);
    say("load", persist ? persist->Load(&params, nullptr) : E_NOINTERFACE);
    if (persist) persist->Release();

    const int width = prestova::kSurfaceWidth / prestova::kTwipsPerPixel;
    const int height = prestova::kSurfaceHeight / prestova::kTwipsPerPixel;
    HWND frame = CreateWindowExA(0, "STATIC", "container", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width + 40,
                                 height + 60, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ClientSite site;
    IOleObject* ole = query<IOleObject>(control, IID_IOleObject);
    const RECT position{0, 0, width, height};
    say("do verb", ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, frame, &position));
    IOleInPlaceObject* in_place = query<IOleInPlaceObject>(control, IID_IOleInPlaceObject);
    HWND window = nullptr;
    say("window", in_place->GetWindow(&window));

    bool known = window != nullptr;
    for (int i = 2; known && i < argc; ++i) {
        const std::string request = argv[i];
        if (request.find('=') != std::string::npos) assign(control, request);
        else known = click(window, request, argv[1]);
    }

    in_place->InPlaceDeactivate();
    in_place->Release();
    ole->Close(OLECLOSE_NOSAVE);
    ole->Release();
    control->Release();
    DestroyWindow(frame);
    OleUninitialize();
    return known ? 0 : 1;
}
