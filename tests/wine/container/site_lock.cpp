// The site mode, site PARAMS.txt CASES.txt: for each line of CASES, a new
// control is sited as the line says, asked its scripting safety, loaded
// from PARAMS, activated in place (which shows it) and called through
// IDispatch and the dual interface. A line is "nosite" (no site at all),
// "site" (a site that gives no address) or ROUTE=ADDRESS... with ROUTE
// browser, document or moniker; one line of answers per case. First, what
// machine policy lists, as the DLL reads it, and the entries it ignores.
#include "com_helpers.hpp"
#include "container_modes.hpp"
#include "param_bag.hpp"

#include "control/identifiers.hpp"
#include "policy_sites.hpp"

#include <objsafe.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tallymere.h"

namespace {

std::string code(HRESULT hr)
{
    return hr == S_OK ? "ok"
                      : (std::ostringstream() << std::hex << std::uppercase << static_cast<unsigned long>(hr)).str();
}

// The enabled option and the answer to setting it, per interface.
std::string safety_of(IUnknown* control)
{
    auto safety = query<IObjectSafety>(control, IID_IObjectSafety);
    if (!safety) return "no IObjectSafety";
    std::string out = "safety";
    const std::pair<const IID*, DWORD> asked[] = {{&IID_IDispatch, INTERFACESAFE_FOR_UNTRUSTED_CALLER},
                                                  {&IID_IPersistPropertyBag, INTERFACESAFE_FOR_UNTRUSTED_DATA},
                                                  {&IID_IPersistStreamInit, INTERFACESAFE_FOR_UNTRUSTED_DATA},
                                                  {&IID_IPersistStream, INTERFACESAFE_FOR_UNTRUSTED_DATA}};
    for (const auto& [iid, option] : asked) {
        DWORD supported = 0, enabled = 0;
        const HRESULT got = safety->GetInterfaceSafetyOptions(*iid, &supported, &enabled);
        out.append(" ").append(std::to_string(supported)).append("/").append(std::to_string(enabled));
        out.append("/").append(code(got)).append("/").append(
            code(safety->SetInterfaceSafetyOptions(*iid, option, option)));
    }
    return out;
}

// The panel as drawn, to see whether a run changed it.
std::string picture_of(IUnknown* control)
{
    auto view = query<IViewObject2>(control);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, 801, -912, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECTL bounds{0, 0, 801, 912};
    if (view) view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
    GdiFlush();
    std::string out(static_cast<const char*>(bits), 801 * 912 * 4);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return out;
}

std::string run_case(const std::string& line, const char* params)
{
    ComPtr<IUnknown> control;
    CoCreateInstance(iid_of(prestova::kClassId), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
    auto ole = query<IOleObject>(control.Get());
    if (!ole) return "no control";
    ClientSite site;
    std::istringstream words(line);
    for (std::string word; words >> word;) {
        const auto equals = word.find('=');
        const std::wstring address = wide(word.substr(equals + 1));
        const std::string route = word.substr(0, equals);
        if (route == "browser") site.browser_address = address;
        else if (route == "document") site.document_address = address;
        else if (route == "moniker") site.moniker_address = address;
    }
    const bool sited = line != "nosite";
    if (sited) ole->SetClientSite(&site);
    std::string out = safety_of(control.Get());

    ParamBag bag;
    std::ifstream in(params, std::ios::binary);
    for (std::string pair; std::getline(in, pair);) {
        VARIANT value;
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString(wide(pair.substr(pair.find('=') + 1)).c_str());
        bag.add(wide(pair.substr(0, pair.find('='))), value);
        VariantClear(&value);
    }
    out.append(", load ").append(code(query<IPersistPropertyBag>(control.Get())->Load(&bag, nullptr)));

    const std::string design = picture_of(control.Get());
    RECT position{0, 0, 801, 912};
    HWND frame = CreateWindowExA(0, "STATIC", "page", WS_OVERLAPPEDWINDOW, 0, 0, 840, 980, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, sited ? &site : nullptr, 0, frame, &position);
    out += picture_of(control.Get()) == design ? ", panel as designed" : ", panel filled";

    // A method call and a property write, by name and through the vtable.
    auto dispatch = query<IDispatch>(control.Get());
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    out.append(", invoke ")
        .append(code(dispatch->Invoke(dispid_of(dispatch.Get(), L"getVersion"), IID_NULL, 0, DISPATCH_METHOD, &none,
                                      &result, nullptr, nullptr)));
    out.append(" ").append(code(put_text(dispatch.Get(), L"MemoryMin", L"96")));
    auto dual = query<_Prestova>(control.Get());
    OSofPrestovaUser version{};
    VARIANT memory;
    memory.vt = VT_I4;
    memory.lVal = 96;
    out.append(", dual ")
        .append(code(dual->getVersion(&version)))
        .append(" ")
        .append(code(dual->put_MemoryMin(memory)));

    query<IOleInPlaceObject>(control.Get())->InPlaceDeactivate();
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    DestroyWindow(frame);
    return out;
}

}  // namespace

int site_lock_cases(const char* params, const char* cases)
{
    std::ifstream in(cases, std::ios::binary);
    if (!in || FAILED(OleInitialize(nullptr))) return 1;
    prestova::AllowedSites policy;
    prestova::component::add_policy_sites(policy);
    std::printf("policy: %zu entries\n", policy.entry_count());
    for (const auto& entry : policy.ignored()) std::printf("policy entry ignored: %s\n", entry.c_str());
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.starts_with('#')) continue;
        std::printf("%s: %s\n", line.c_str(), run_case(line, params).c_str());
    }
    OleUninitialize();
    return 0;
}
