// A small container for the Wine tests: creates the registered control,
// loads it from a page's parameters, asks its scripting safety, activates it
// in a window of its own, pictures it through IViewObject2 and saves the
// picture as a binary PPM. Each finding is printed as "what: answer".
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

namespace {

constexpr int kWidth = 801, kHeight = 912;  // the panel's design size in pixels

// What a container asks to find the class's events: its description and
// its default source interface.
void ask_class_info(IUnknown* control)
{
    IProvideClassInfo2* provider = query<IProvideClassInfo2>(control, IID_IProvideClassInfo2);
    if (!provider) {
        std::printf("IProvideClassInfo2: missing\n");
        return;
    }
    GUID source{};
    say("default source", provider->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
    std::printf("default source is %s\n", guid_text(source).c_str());
    say("other guid kind", provider->GetGUID(7, &source));
    ITypeInfo* info = nullptr;
    say("class info", provider->GetClassInfo(&info));
    TYPEATTR* attributes = nullptr;
    if (info && SUCCEEDED(info->GetTypeAttr(&attributes))) {
        std::printf("class info is %s, coclass %s\n", guid_text(attributes->guid).c_str(),
                    attributes->typekind == TKIND_COCLASS ? "yes" : "no");
        info->ReleaseTypeAttr(attributes);
    }
    if (info) info->Release();
    provider->Release();
}

void ask_safety(IUnknown* control)
{
    IObjectSafety* safety = query<IObjectSafety>(control, IID_IObjectSafety);
    if (!safety) {
        std::printf("IObjectSafety: missing\n");
        return;
    }
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
    safety->Release();
}

// Saves through the stream and loads a second control from it.
void stream_round_trip(IUnknown* control, const CLSID& clsid)
{
    IPersistStreamInit* source = query<IPersistStreamInit>(control, IID_IPersistStreamInit);
    IStream* stream = nullptr;
    if (!source || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return;
    say("stream save", source->Save(stream, TRUE));
    source->Release();
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    IUnknown* copy = nullptr;
    if (SUCCEEDED(
            CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&copy)))) {
        IPersistStreamInit* target = query<IPersistStreamInit>(copy, IID_IPersistStreamInit);
        say("stream load", target->Load(stream));
        target->Release();
        IDispatch* dispatch = query<IDispatch>(copy, IID_IDispatch);
        std::printf("stream copy MemoryRec: %s\n", read_property(dispatch, L"MemoryRec").c_str());
        std::printf("stream copy RedYRM: %s\n", read_property(dispatch, L"RedYRM").c_str());
        dispatch->Release();
        copy->Release();
    }
    stream->Release();
}

// A top-down DIB's pixels as a binary PPM.
bool save_ppm(const char* path, const std::uint32_t* pixels)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << kWidth << ' ' << kHeight << "\n255\n";
    for (int i = 0; i < kWidth * kHeight; ++i)
        out << static_cast<char>(pixels[i] >> 16) << static_cast<char>(pixels[i] >> 8) << static_cast<char>(pixels[i]);
    return static_cast<bool>(out);
}

bool draw(IUnknown* control, const char* path)
{
    IViewObject2* view = query<IViewObject2>(control, IID_IViewObject2);
    if (!view) return false;
    SIZEL extent{};
    say("view extent", view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &extent));
    std::printf("extent himetric: %ld x %ld\n", extent.cx, extent.cy);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECTL bounds{0, 0, kWidth, kHeight};
    say("draw", view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0));
    GdiFlush();
    const bool saved = save_ppm(path, static_cast<const std::uint32_t*>(bits));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    view->Release();
    return saved;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string_view(argv[1]) == "click") return click_links(argc - 2, argv + 2);
    if (argc == 2 && std::string_view(argv[1]) == "notify") return property_notifications();
    if (argc == 2 && std::string_view(argv[1]) == "types") return property_types();
    if (argc == 3 && std::string_view(argv[1]) == "typelib") return dump_type_library(argv[2]);
    if (argc != 3) {
        std::fprintf(stderr, "usage: prestova_container PARAMS.txt OUT.ppm\n"
                             "       prestova_container click PARAMS.txt LOG (LINK[:none] | NAME=VALUE)...\n"
                             "       prestova_container notify\n"
                             "       prestova_container types\n"
                             "       prestova_container typelib DLL\n");
        return 2;
    }
    if (FAILED(OleInitialize(nullptr))) return 1;
    CLSID clsid;
    IUnknown* control = create_control(clsid);
    if (!control) return 1;

    ask_safety(control);
    ask_class_info(control);

    ParamBag params;
    if (!load_params(argv[1], params)) return 2;
    std::printf("params: %zu\n", params.size());
    IPersistPropertyBag* persist = query<IPersistPropertyBag>(control, IID_IPersistPropertyBag);
    say("load", persist->Load(&params, nullptr));
    IDispatch* dispatch = query<IDispatch>(control, IID_IDispatch);
    std::printf("MemoryMin: %s\n", read_property(dispatch, L"MemoryMin").c_str());
    std::printf("RedYRM: %s\n", read_property(dispatch, L"RedYRM").c_str());

    ParamBag saved;
    say("save", persist->Save(&saved, TRUE, TRUE));
    std::printf("saved keys: %zu\n", saved.size());
    persist->Release();
    stream_round_trip(control, clsid);

    // A window of the container's own to activate the control in.
    HWND frame = CreateWindowExA(0, "STATIC", "container", WS_OVERLAPPEDWINDOW, 0, 0, kWidth + 40, kHeight + 60,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    std::printf("container window: %s\n", frame ? "yes" : "no");
    ClientSite site;
    IOleObject* ole = query<IOleObject>(control, IID_IOleObject);
    say("set client site", ole->SetClientSite(&site));
    const RECT position{0, 0, kWidth, kHeight};
    say("do verb", ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, frame, &position));
    IOleInPlaceObject* in_place = query<IOleInPlaceObject>(control, IID_IOleInPlaceObject);
    HWND window = nullptr;
    say("window", in_place->GetWindow(&window));
    RECT area{};
    if (window) GetClientRect(window, &area);
    std::printf("window size: %ld x %ld\n", area.right - area.left, area.bottom - area.top);
    // After the run: the panel now carries the page's values and the results.
    const bool drawn = draw(control, argv[2]);
    std::printf("picture saved: %s\n", drawn ? "yes" : "no");

    say("deactivate", in_place->InPlaceDeactivate());
    in_place->Release();
    say("close", ole->Close(OLECLOSE_NOSAVE));
    ole->SetClientSite(nullptr);
    ole->Release();
    dispatch->Release();
    control->Release();
    DestroyWindow(frame);
    OleUninitialize();
    return drawn ? 0 : 1;
}
