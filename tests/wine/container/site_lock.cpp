// The site mode, site PARAMS.txt CASES.txt: first what machine policy lists,
// as the DLL reads it, with the entries it ignores; then, for each line of
// CASES, a new control is sited as the line says, asked its scripting
// safety, loaded from PARAMS, activated in place (which shows it) and called
// through IDispatch and the dual interface. A line is "nosite" (no site at
// all), "site" (a site that gives no address) or ROUTE=ADDRESS... with ROUTE
// browser, document or moniker; one line of answers per case.
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
    char text[16];
    std::snprintf(text, sizeof text, hr == S_OK ? "ok" : "%lX", static_cast<unsigned long>(hr));
    return text;
}

// Per interface: supported/enabled/Get's answer/the answer to enabling its option.
std::string safety_of(IUnknown* control)
{
    auto safety = query<IObjectSafety>(control, IID_IObjectSafety);
    std::string out = "safety";
    const std::pair<const IID*, DWORD> asked[] = {{&IID_IDispatch, INTERFACESAFE_FOR_UNTRUSTED_CALLER},
                                                  {&IID_IPersistPropertyBag, INTERFACESAFE_FOR_UNTRUSTED_DATA},
                                                  {&IID_IPersistStreamInit, INTERFACESAFE_FOR_UNTRUSTED_DATA},
                                                  {&IID_IPersistStream, INTERFACESAFE_FOR_UNTRUSTED_DATA}};
    for (const auto& [iid, option] : asked) {
        DWORD supported = 0, enabled = 0;
        const HRESULT got = safety->GetInterfaceSafetyOptions(*iid, &supported, &enabled);
        char text[64];
        std::snprintf(text, sizeof text, " %lu/%lu/%s/%s", supported, enabled, code(got).c_str(),
                      code(safety->SetInterfaceSafetyOptions(*iid, option, option)).c_str());
        out += text;
    }
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
    std::size_t count = 0;
    out.append(", load ").append(code(load_params(control.Get(), params, count).value_or(E_FAIL)));

    std::vector<std::uint32_t> design, shown;
    draw_panel(control.Get(), design);
    const RECT position{0, 0, kWidth, kHeight};
    HWND frame = CreateWindowExA(0, "STATIC", "page", WS_OVERLAPPEDWINDOW, 0, 0, kWidth + 40, kHeight + 60, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, sited ? &site : nullptr, 0, frame, &position);
    draw_panel(control.Get(), shown);
    out.append(shown == design ? ", panel as designed" : ", panel filled");

    // A method call and a property write, by name and through the vtable.
    auto dispatch = query<IDispatch>(control.Get());
    VARIANT result, memory;
    VariantInit(&result);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    const HRESULT invoked = dispatch->Invoke(dispid_of(dispatch.Get(), L"getVersion"), IID_NULL, 0, DISPATCH_METHOD,
                                             &none, &result, nullptr, nullptr);
    out.append(", invoke ").append(code(invoked)).append(" ");
    out.append(code(put_text(dispatch.Get(), L"MemoryMin", L"96")));
    auto dual = query<_Prestova>(control.Get());
    OSofPrestovaUser version{};
    memory.vt = VT_I4;
    memory.lVal = 96;
    out.append(", dual ").append(code(dual->getVersion(&version))).append(" ");
    out.append(code(dual->put_MemoryMin(memory)));

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
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && !line.starts_with('#'))
            std::printf("%s: %s\n", line.c_str(), run_case(line, params).c_str());
    OleUninitialize();
    return 0;
}
