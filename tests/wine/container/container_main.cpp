// A small container for the Wine tests: creates the registered control,
// asks its scripting safety and its class information, loads it from a
// page's parameters, activates it in a window of its own, pictures it
// through IViewObject2 and saves the picture as a binary PPM. Each finding
// is printed as "what: answer".
//   prestova_container PARAMS.txt OUT.ppm
// Other modes are in container_modes.hpp.
#include "com_helpers.hpp"
#include "container_modes.hpp"
#include "param_bag.hpp"

#include <windows.h>
#include <objsafe.h>
#include <ocidl.h>
#include <ole2.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// What a container asks to find the class's events: its description and
// its default source interface.
void ask_class_info(IUnknown* control)
{
    auto provider = query<IProvideClassInfo2>(control);
    if (!provider) return void(std::printf("IProvideClassInfo2: missing\n"));
    GUID source{};
    say("default source", provider->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
    std::printf("default source is %s\n", guid_text(source).c_str());
    say("other guid kind", provider->GetGUID(7, &source));
    ComPtr<ITypeInfo> info;
    say("class info", provider->GetClassInfo(&info));
    TYPEATTR* attributes = nullptr;
    if (info && SUCCEEDED(info->GetTypeAttr(&attributes))) {
        std::printf("class info is %s, coclass %s\n", guid_text(attributes->guid).c_str(),
                    attributes->typekind == TKIND_COCLASS ? "yes" : "no");
        info->ReleaseTypeAttr(attributes);
    }
}

void ask_safety(IUnknown* control)
{
    auto safety = query<IObjectSafety>(control, IID_IObjectSafety);
    if (!safety) return void(std::printf("IObjectSafety: missing\n"));
    const struct {
        const char* name;
        const IID* iid;
    } asked[] = {{"IDispatch", &IID_IDispatch},
                 {"IPersistPropertyBag", &IID_IPersistPropertyBag},
                 {"IPersistStreamInit", &IID_IPersistStreamInit},
                 {"IUnknown", &IID_IUnknown}};
    for (const auto& a : asked) {
        DWORD supported = 0, enabled = 0;
        const HRESULT hr = safety->GetInterfaceSafetyOptions(*a.iid, &supported, &enabled);
        std::printf("safety %s: 0x%08lX supported %lu enabled %lu\n", a.name, static_cast<unsigned long>(hr), supported,
                    enabled);
    }
    say("set safety IDispatch 1", safety->SetInterfaceSafetyOptions(IID_IDispatch, 1, 1));
    say("set safety IDispatch 3", safety->SetInterfaceSafetyOptions(IID_IDispatch, 3, 3));
    say("set safety IPersistPropertyBag 2", safety->SetInterfaceSafetyOptions(IID_IPersistPropertyBag, 2, 2));
}

// The panel's pixels as a binary PPM.
bool save_ppm(const char* path, const std::vector<std::uint32_t>& pixels)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << kWidth << ' ' << kHeight << "\n255\n";
    for (int i = 0; i < kWidth * kHeight; ++i)
        out << static_cast<char>(pixels[i] >> 16) << static_cast<char>(pixels[i] >> 8) << static_cast<char>(pixels[i]);
    return static_cast<bool>(out);
}

bool draw(IUnknown* control, const char* path)
{
    auto view = query<IViewObject2>(control);
    if (!view) return false;
    SIZEL extent{};
    say("view extent", view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &extent));
    std::printf("extent himetric: %ld x %ld\n", extent.cx, extent.cy);
    std::vector<std::uint32_t> pixels;
    say("draw", draw_panel(control, pixels));
    return save_ppm(path, pixels);
}

int show(const char* params, const char* picture)
{
    ComPtr<IUnknown> control = create_control();
    if (!control) return 1;
    ask_safety(control.Get());
    ask_class_info(control.Get());
    if (!load_page(control.Get(), params)) return 2;
    auto dispatch = query<IDispatch>(control.Get());
    std::printf("MemoryMin: %s\n", read_property(dispatch.Get(), L"MemoryMin").c_str());
    std::printf("RedYRM: %s\n", read_property(dispatch.Get(), L"RedYRM").c_str());

    InPlace shown(control.Get());
    RECT area{};
    if (shown.window) GetClientRect(shown.window, &area);
    std::printf("window size: %ld x %ld\n", area.right - area.left, area.bottom - area.top);
    // After the run: the panel now carries the page's values and the results.
    const bool drawn = draw(control.Get(), picture);
    std::printf("picture saved: %s\n", drawn ? "yes" : "no");
    return drawn ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string_view(argv[1]) == "click") return click_links(argc - 2, argv + 2);
    if (argc == 2 && std::string_view(argv[1]) == "notify") return property_notifications();
    if (argc == 2 && std::string_view(argv[1]) == "types") return property_types();
    if (argc == 4 && std::string_view(argv[1]) == "site") return site_lock_cases(argv[2], argv[3]);
    if (argc == 3 && std::string_view(argv[1]) == "typelib") {
        // Inside an apartment, as a container loads it; outside one,
        // Wine's loader once crashed in CI.
        if (FAILED(OleInitialize(nullptr))) return 1;
        const int status = dump_type_library(argv[2]);
        OleUninitialize();
        return status;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: prestova_container PARAMS.txt OUT.ppm | MODE ARGUMENTS (container_modes.hpp)\n");
        return 2;
    }
    if (FAILED(OleInitialize(nullptr))) return 1;
    const int status = show(argv[1], argv[2]);
    OleUninitialize();
    return status;
}
