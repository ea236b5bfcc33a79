// The interfaces in their C form: a vtable of which only the slots the
// control calls are filled; the others are never reached.
#define CINTERFACE
#define COBJMACROS
#include "fake_page.hpp"

#include <windows.h>
#include <exdisp.h>
#include <mshtml.h>
#include <ole2.h>

#include <cstddef>

namespace {

template <class Object>
HRESULT STDMETHODCALLTYPE answer_address(Object* self, BSTR* address)
{
    if (!address) return E_POINTER;
    *address = SysAllocString(self->address);
    return *address ? S_OK : E_OUTOFMEMORY;
}

struct FakeBrowser {
    IWebBrowser2 face;
    LONG references;
    BSTR address;
};

HRESULT STDMETHODCALLTYPE browser_query(IWebBrowser2* self, REFIID riid, void** object)
{
    const bool known = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
                       IsEqualIID(riid, IID_IWebBrowser2) || IsEqualIID(riid, IID_IWebBrowserApp) ||
                       IsEqualIID(riid, IID_IWebBrowser);
    *object = known ? self : nullptr;
    if (!known) return E_NOINTERFACE;
    self->lpVtbl->AddRef(self);
    return S_OK;
}
ULONG STDMETHODCALLTYPE browser_add(IWebBrowser2* self) { return ++reinterpret_cast<FakeBrowser*>(self)->references; }
ULONG STDMETHODCALLTYPE browser_release(IWebBrowser2* self)
{
    auto* browser = reinterpret_cast<FakeBrowser*>(self);
    const ULONG left = --browser->references;
    if (!left) SysFreeString(browser->address), delete browser;
    return left;
}
HRESULT STDMETHODCALLTYPE browser_location(IWebBrowser2* self, BSTR* address)
{
    return answer_address(reinterpret_cast<FakeBrowser*>(self), address);
}

IWebBrowser2Vtbl browser_vtable()
{
    IWebBrowser2Vtbl v{};
    v.QueryInterface = browser_query;
    v.AddRef = browser_add;
    v.Release = browser_release;
    v.get_LocationURL = browser_location;
    return v;
}
IWebBrowser2Vtbl kBrowser = browser_vtable();

// Two faces: the container a site hands out, and the document it is.
struct FakeDocument {
    IOleContainer container;
    IHTMLDocument2 document;
    LONG references;
    BSTR address;
};

FakeDocument* document_of(IOleContainer* face) { return reinterpret_cast<FakeDocument*>(face); }
FakeDocument* document_of(IHTMLDocument2* face)
{
    return reinterpret_cast<FakeDocument*>(reinterpret_cast<char*>(face) - offsetof(FakeDocument, document));
}

HRESULT document_query(FakeDocument* self, REFIID riid, void** object)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleContainer) ||
        IsEqualIID(riid, IID_IParseDisplayName))
        *object = &self->container;
    else if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IHTMLDocument) ||
             IsEqualIID(riid, IID_IHTMLDocument2))
        *object = &self->document;
    else return *object = nullptr, E_NOINTERFACE;
    ++self->references;
    return S_OK;
}
ULONG document_release(FakeDocument* self)
{
    const ULONG left = --self->references;
    if (!left) SysFreeString(self->address), delete self;
    return left;
}

template <class Face>
HRESULT STDMETHODCALLTYPE face_query(Face* self, REFIID riid, void** object)
{
    return document_query(document_of(self), riid, object);
}
template <class Face>
ULONG STDMETHODCALLTYPE face_add(Face* self)
{
    return ++document_of(self)->references;
}
template <class Face>
ULONG STDMETHODCALLTYPE face_release(Face* self)
{
    return document_release(document_of(self));
}
HRESULT STDMETHODCALLTYPE document_url(IHTMLDocument2* self, BSTR* address)
{
    return answer_address(document_of(self), address);
}

IOleContainerVtbl container_vtable()
{
    IOleContainerVtbl v{};
    v.QueryInterface = face_query<IOleContainer>;
    v.AddRef = face_add<IOleContainer>;
    v.Release = face_release<IOleContainer>;
    return v;
}
IHTMLDocument2Vtbl document_vtable()
{
    IHTMLDocument2Vtbl v{};
    v.QueryInterface = face_query<IHTMLDocument2>;
    v.AddRef = face_add<IHTMLDocument2>;
    v.Release = face_release<IHTMLDocument2>;
    v.get_URL = document_url;
    return v;
}
IOleContainerVtbl kContainer = container_vtable();
IHTMLDocument2Vtbl kDocument = document_vtable();

}  // namespace

IUnknown* new_fake_browser(const wchar_t* address)
{
    return reinterpret_cast<IUnknown*>(new FakeBrowser{{&kBrowser}, 1, SysAllocString(address)});
}

IUnknown* new_fake_document(const wchar_t* address)
{
    return reinterpret_cast<IUnknown*>(
        &(new FakeDocument{{&kContainer}, {&kDocument}, 1, SysAllocString(address)})->container);
}
