#pragma once
// The COM object a container creates: the core's Prestova on the real
// Windows services with its own panel, behind the automation, persistence,
// safety and embedding interfaces. Each interface group is defined in a file
// of its own; this header is where they meet.
#include "com_ptr.hpp"
#include "connection_point.hpp"
#include "control/panel_state.hpp"
#include "control/prestova.hpp"
#include "host/download_links.hpp"
#include "module.hpp"
#include "platform/win32/win32_platform.hpp"
#include "property_list.hpp"

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <objsafe.h>

#include "tallymere.h"

#include <atomic>
#include <optional>

namespace prestova::component {

class ControlObject final : public _Prestova,
                            public IObjectSafety,
                            public IPersistPropertyBag,
                            public IPersistStreamInit,
                            public IOleObject,
                            public IOleInPlaceObject,
                            public IViewObject2,
                            public IConnectionPointContainer,
                            public ISupportErrorInfo,
                            public IProvideClassInfo2,
                            private PropertyChangeSink {
public:
    ControlObject();
    ~ControlObject();
    ControlObject(const ControlObject&) = delete;
    ControlObject& operator=(const ControlObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch (automation.cpp)
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument_error) override;

    // _Prestova's own members (dual_members.cpp)
    HRESULT STDMETHODCALLTYPE DeviceColors(LONG* hDC, float* result) override;
    HRESULT STDMETHODCALLTYPE GetDiskSpace(BSTR* sDrive, VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE CutLangType(VARIANT* Number, VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE CutDecimal(VARIANT* Number, unsigned char* ByPlace, BSTR* result) override;
    HRESULT STDMETHODCALLTYPE getVersion(OSofPrestovaUser* result) override;
#define PRESTOVA_DECLARE_PROPERTY(name)                                                                                \
    HRESULT STDMETHODCALLTYPE get_##name(VARIANT* result) override;                                                    \
    HRESULT STDMETHODCALLTYPE put_##name(VARIANT value) override;
    PRESTOVA_PROPERTIES(PRESTOVA_DECLARE_PROPERTY)
#undef PRESTOVA_DECLARE_PROPERTY

    // IObjectSafety (object_safety.cpp)
    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled) override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled) override;

    // IPersist, IPersistPropertyBag, IPersistStreamInit (persistence.cpp)
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clear_dirty, BOOL save_all) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clear_dirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;

    // IOleObject (ole_object.cpp)
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD save_option) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG message, IOleClientSite* site, LONG index, HWND parent,
                                     LPCRECT position) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* name) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow, IOleInPlaceObject (in_place.cpp)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;

    // IViewObject, IViewObject2 (view_object.cpp)
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspect_info, DVTARGETDEVICE* device,
                                   HDC target_device, HDC dc, LPCRECTL bounds, LPCRECTL window_bounds,
                                   WINBOOL(STDMETHODCALLTYPE* keep_going)(ULONG_PTR), ULONG_PTR argument) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspect_info, DVTARGETDEVICE* device,
                                          HDC target_device, LOGPALETTE** colours) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspect_info, DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

    // IConnectionPointContainer (property_notification.cpp)
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // ISupportErrorInfo (error_info.cpp)
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

    // IProvideClassInfo, IProvideClassInfo2 (class_info.cpp)
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

    // The panel window's calls back (panel_window.cpp).
    void paint(HDC dc, const RECT& area);
    void press(POINT pixel);
    void release(POINT pixel);

private:
    // PropertyChangeSink: a script's write marks the state as changed and
    // tells the connected IPropertyNotifySinks (property_notification.cpp).
    void property_changed(Prop prop) override;

    HRESULT get_property(const char* name, VARIANT* result);
    HRESULT put_property(const char* name, const VARIANT& value);
    // Show: one check run, then the panel is painted anew.
    void show();
    void repaint();
    HRESULT activate_in_place(IOleClientSite* site, HWND parent, LPCRECT position);
    void destroy_window();
    void tell_view_changed();
    // The site lock: whether the page of SITE may use the control; a page
    // that may not loses whatever it gave (site_lock.cpp).
    void lock_to_page(IOleClientSite* site);

    ModuleUse module_use_;
    std::atomic<ULONG> references_{1};
    Win32Machine machine_;
    PanelState panel_;
    std::optional<ControlId> pressed_link_;  // the link under the last press
    Prestova control_;
    bool dirty_ = false;
    // Set when the site lock refuses the page: nothing is read, run, called
    // or clicked. A control never given a site is on no page, and allowed.
    bool page_refused_ = false;
    ConnectionPoint property_notify_{*this, IID_IPropertyNotifySink};
    // The default source: it declares no events, so its sinks are never called.
    ConnectionPoint events_{*this, DIID___Prestova, &IID_IDispatch};

    ComPtr<IOleClientSite> site_;
    ComPtr<IOleInPlaceSite> in_place_site_;
    ComPtr<IOleAdviseHolder> advise_holder_;
    ComPtr<IAdviseSink> view_sink_;
    DWORD view_sink_aspects_ = 0;
    DWORD view_sink_flags_ = 0;
    HWND window_ = nullptr;
    bool shown_ = false;  // made visible by a verb; Show has run for it
    SIZEL extent_{kSurfaceWidth * 2540 / 1440, kSurfaceHeight * 2540 / 1440};  // HIMETRIC
};

// A type description from the type library embedded in this DLL.
HRESULT embedded_type_info(REFGUID guid, ITypeInfo** info);

}  // namespace prestova::component
