// The interfaces in their C form: a vtable of which only the slots the
// control calls are filled; the others are never reached.
#define CINTERFACE
#include "fake_page.hpp"

#include <windows.h>
#include <exdisp.h>
#include <mshtml.h>

#include <algorithm>
#include <vector>

namespace {

// Either fake: one face (its vtable first, as an interface's), answering
// IUnknown, IDispatch and the identifiers it stands for. The document also
// stands for the container the site hands out, of which the control only
// asks for the document.
struct Fake {
    const void* vtable;
    LONG references;
    BSTR address;
    std::vector<IID> answers;
};

template <class Face>
HRESULT STDMETHODCALLTYPE query(Face* face, REFIID riid, void** object)
{
    auto* self = reinterpret_cast<Fake*>(face);
    const bool known =
        IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        std::any_of(self->answers.begin(), self->answers.end(), [&](const IID& iid) { return IsEqualIID(riid, iid); });
    *object = known ? face : nullptr;
    if (!known) return E_NOINTERFACE;
    ++self->references;
    return S_OK;
}

template <class Face>
ULONG STDMETHODCALLTYPE add(Face* face)
{
    return ++reinterpret_cast<Fake*>(face)->references;
}

template <class Face>
ULONG STDMETHODCALLTYPE release(Face* face)
{
    auto* self = reinterpret_cast<Fake*>(face);
    const ULONG left = --self->references;
    if (!left) SysFreeString(self->address), delete self;
    return left;
}

template <class Face>
HRESULT STDMETHODCALLTYPE address(Face* face, BSTR* out)
{
    if (!out) return E_POINTER;
    *out = SysAllocString(reinterpret_cast<Fake*>(face)->address);
    return S_OK;
}

template <class Vtable, class Face>
Vtable unknown_vtable()
{
    Vtable v{};
    v.QueryInterface = query<Face>;
    v.AddRef = add<Face>;
    v.Release = release<Face>;
    return v;
}

const IWebBrowser2Vtbl kBrowser = [] {
    auto v = unknown_vtable<IWebBrowser2Vtbl, IWebBrowser2>();
    v.get_LocationURL = address<IWebBrowser2>;
    return v;
}();
const IHTMLDocument2Vtbl kDocument = [] {
    auto v = unknown_vtable<IHTMLDocument2Vtbl, IHTMLDocument2>();
    v.get_URL = address<IHTMLDocument2>;
    return v;
}();

IUnknown* make(const void* vtable, const wchar_t* text, std::vector<IID> answers)
{
    return reinterpret_cast<IUnknown*>(new Fake{vtable, 1, SysAllocString(text), std::move(answers)});
}

}  // namespace

IUnknown* new_fake_browser(const wchar_t* text)
{
    return make(&kBrowser, text, {IID_IWebBrowser2, IID_IWebBrowserApp, IID_IWebBrowser});
}

IUnknown* new_fake_document(const wchar_t* text)
{
    return make(&kDocument, text, {IID_IOleContainer, IID_IParseDisplayName, IID_IHTMLDocument2, IID_IHTMLDocument});
}
