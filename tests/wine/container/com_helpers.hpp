#pragma once
// Small helpers every mode of the container uses: printing an answer as
// "what: 0x...", asking an object for an interface, text both ways, the
// IUnknown of the container's own objects and property access by name.
#include <windows.h>
#include <ole2.h>
#include <servprov.h>
#include <wrl/client.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>
#include <string_view>

inline void say(const char* what, HRESULT hr) { std::printf("%s: 0x%08lX\n", what, static_cast<unsigned long>(hr)); }

inline std::wstring wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }

// COM text as ASCII (the control's and the library's texts are), '?' for
// anything else.
inline std::string narrow(const wchar_t* text, std::size_t length)
{
    std::string out;
    for (std::size_t i = 0; text && i < length; ++i) out += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    return out;
}
inline std::string narrow(BSTR text) { return narrow(text, SysStringLen(text)); }

std::string guid_text(const GUID& guid);  // {XXXXXXXX-...} as the registry writes it
IID iid_of(std::string_view text);

using Microsoft::WRL::ComPtr;

template <class T>
ComPtr<T> query(IUnknown* object, REFIID riid = __uuidof(T))
{
    ComPtr<T> p;
    if (object) object->QueryInterface(riid, reinterpret_cast<void**>(p.GetAddressOf()));
    return p;
}

// IUnknown for an object of the container's own, made on the stack: it
// answers for IUnknown and Interface, and counts the references it was
// given so that a test sees whether the control let go of them all.
template <class Interface>
class Local : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        *object = riid == IID_IUnknown || riid == __uuidof(Interface) ? static_cast<Interface*>(this) : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    ULONG references = 1;
};

// The registered control by its class identifier, as a page's object tag
// names it; the answer is printed as "create".
ComPtr<IUnknown> create_control();

DISPID dispid_of(IDispatch* dispatch, const wchar_t* name);

// The panel's design size in pixels, and the control drawn at that size
// through IViewObject2 into PIXELS (top-down, 0x00RRGGBB); Draw's answer.
constexpr int kWidth = 801, kHeight = 912;
HRESULT draw_panel(IUnknown* control, std::vector<std::uint32_t>& pixels);

// A property written through IDispatch::Invoke as a script writes it.
HRESULT put_property(IDispatch* dispatch, const wchar_t* name, VARIANT& value, EXCEPINFO* exception = nullptr,
                     UINT* argument_error = nullptr);
HRESULT put_text(IDispatch* dispatch, const wchar_t* name, const wchar_t* text, EXCEPINFO* exception = nullptr);
HRESULT get_property(IDispatch* dispatch, const wchar_t* name, VARIANT& value);

// A property read through IDispatch, as "vt N TEXT" (the text when the value
// converts to one).
std::string read_property(IDispatch* dispatch, const wchar_t* name);

// A client site. Given a page's address, it hands that to the control by
// the routes browsers use: the browser it serves (IServiceProvider), the
// document it is in (GetContainer), the container's moniker; otherwise it
// answers the control nothing it needs.
class ClientSite final : public IOleClientSite, public IServiceProvider {
public:
    std::wstring browser_address, document_address, moniker_address;  // empty: that route gives nothing

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID riid, void** object) override;

    ULONG references = 1;
};

// The control activated in place, at the panel's design size, in a window
// of the container's own as a page shows it; window is the control's. Each
// step's answer is printed, and so is the deactivation at the end.
struct InPlace {
    // ADDRESS: the page's, given by the site's browser.
    explicit InPlace(IUnknown* control, const std::wstring& address = {});
    ~InPlace();
    ClientSite site;
    ComPtr<IOleObject> ole;
    ComPtr<IOleInPlaceObject> in_place;
    HWND frame = nullptr, window = nullptr;
};
