#include "page_address.hpp"

#include "com_ptr.hpp"
#include "utf8_text.hpp"

#include <exdisp.h>
#include <mshtml.h>
#include <servprov.h>
#include <shlguid.h>

namespace prestova::component {

namespace {

// Takes over TEXT; nothing when it is empty or not valid UTF-16.
std::optional<std::string> address_of(BSTR text)
{
    auto out = utf8_text(text, SysStringLen(text));
    SysFreeString(text);
    if (out && out->empty()) out.reset();
    return out;
}

std::optional<std::string> browser_address(IOleClientSite* site)
{
    ComPtr<IServiceProvider> services;
    ComPtr<IWebBrowser2> browser;
    BSTR text = nullptr;
    if (FAILED(site->QueryInterface(IID_PPV_ARGS(&services))) ||
        FAILED(services->QueryService(SID_SWebBrowserApp, IID_PPV_ARGS(&browser))) || !browser ||
        FAILED(browser->get_LocationURL(&text)))
        return std::nullopt;
    return address_of(text);
}

std::optional<std::string> document_address(IOleClientSite* site)
{
    ComPtr<IOleContainer> container;
    ComPtr<IHTMLDocument2> document;
    BSTR text = nullptr;
    if (FAILED(site->GetContainer(&container)) || !container || FAILED(container.As(&document)) ||
        FAILED(document->get_URL(&text)))
        return std::nullopt;
    return address_of(text);
}

std::optional<std::string> moniker_address(IOleClientSite* site)
{
    ComPtr<IMoniker> moniker;
    ComPtr<IBindCtx> context;
    LPOLESTR name = nullptr;
    if (FAILED(site->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_CONTAINER, &moniker)) || !moniker ||
        FAILED(CreateBindCtx(0, &context)) || FAILED(moniker->GetDisplayName(context.Get(), nullptr, &name)) || !name)
        return std::nullopt;
    auto out = address_of(SysAllocString(name));
    CoTaskMemFree(name);
    return out;
}

}  // namespace

std::optional<std::string> page_address(IOleClientSite* site)
{
    if (!site) return std::nullopt;
    for (auto route : {browser_address, document_address, moniker_address})
        if (auto address = route(site)) return address;
    return std::nullopt;
}

}  // namespace prestova::component
