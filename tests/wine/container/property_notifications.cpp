// The notify mode: a container's view of the control's connection points.
// Property writes through IDispatch and through the dual interface must
// reach IPropertyNotifySink::OnChanged with the property's dispatch
// identifier; loading tells nothing; a failing sink's error reaches the
// writer after the value was stored; the default source accepts a sink and
// never calls it.
#include "com_helpers.hpp"
#include "container_modes.hpp"
#include "param_bag.hpp"

#include "control/identifiers.hpp"

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "tallymere.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Records the property changes it is told of, answering with a chosen status.
class RecordingSink final : public Local<IPropertyNotifySink> {
public:
    explicit RecordingSink(HRESULT answer = S_OK) : answer_(answer) {}
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override
    {
        changed.push_back(id);
        return answer_;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

    std::vector<DISPID> changed;

private:
    HRESULT answer_;
};

// An event sink as script hosts make them: it answers for IDispatch only and
// counts the calls it gets.
class EventSink final : public Local<IDispatch> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count) *count = 0;
        return ++calls, S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return ++calls, E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return ++calls, E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return ++calls, S_OK;
    }

    int calls = 0;
};

void print_changes(const char* what, const RecordingSink& sink)
{
    std::string line = std::string(what) + ":";
    for (DISPID id : sink.changed) {
        char text[16];
        std::snprintf(text, sizeof text, " 0x%08lX", static_cast<unsigned long>(id));
        line += text;
    }
    std::printf("%s\n", line.c_str());
}

void print_error_info(const char* what)
{
    IErrorInfo* error = nullptr;
    if (GetErrorInfo(0, &error) == S_OK && error) {
        BSTR description = nullptr;
        error->GetDescription(&description);
        std::printf("%s: %s\n", what, narrow(description).c_str());
        SysFreeString(description);
        error->Release();
    } else {
        std::printf("%s: none\n", what);
    }
}

void list_points(IConnectionPointContainer* container, const IID& events)
{
    IEnumConnectionPoints* points = nullptr;
    say("enum points", container->EnumConnectionPoints(&points));
    if (!points) return;
    IConnectionPoint* point = nullptr;
    while (points->Next(1, &point, nullptr) == S_OK) {
        IID iid{};
        point->GetConnectionInterface(&iid);
        std::printf("point: %s\n", iid == IID_IPropertyNotifySink ? "IPropertyNotifySink"
                                   : iid == events                ? "__Prestova"
                                                                  : "other");
        point->Release();
    }
    points->Release();
}

// Everything on the IPropertyNotifySink point, from connecting to leaving.
void property_notify_point(IUnknown* control, IConnectionPointContainer* container)
{
    IConnectionPoint* point = nullptr;
    say("find IPropertyNotifySink", container->FindConnectionPoint(IID_IPropertyNotifySink, &point));
    if (!point) return;
    IConnectionPointContainer* owner = nullptr;
    point->GetConnectionPointContainer(&owner);
    IUnknown* owner_identity = query<IUnknown>(owner, IID_IUnknown);
    std::printf("point's container is the control: %s\n", owner_identity == control ? "yes" : "no");
    if (owner_identity) owner_identity->Release();
    if (owner) owner->Release();

    Local<IUnknown> stranger;  // no sink
    DWORD cookie = 0;
    say("advise a non-sink", point->Advise(&stranger, &cookie));
    RecordingSink sink;
    say("advise", point->Advise(&sink, &cookie));

    IDispatch* dispatch = query<IDispatch>(control, IID_IDispatch);
    _Prestova* dual = query<_Prestova>(control, iid_of(prestova::kInterfaceId));
    say("put recColorDepth", put_text(dispatch, L"recColorDepth", L"256"));
    say("put JavaVersion", put_text(dispatch, L"JavaVersion", L"1.5"));
    say("put ScreenMinHgt", put_text(dispatch, L"ScreenMinHgt", L"480"));
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = 300;
    say("dual put CPUMin", dual->put_CPUMin(value));
    std::printf("read JavaVersion: %s\n", read_property(dispatch, L"JavaVersion").c_str());
    print_changes("changed", sink);
    IPersistStreamInit* persist = query<IPersistStreamInit>(control, IID_IPersistStreamInit);
    say("dirty", persist->IsDirty());

    IEnumConnections* connections = nullptr;
    say("enum connections", point->EnumConnections(&connections));
    CONNECTDATA data[2]{};
    ULONG fetched = 0;
    if (connections) {
        connections->Next(2, data, &fetched);
        std::printf("connections: %lu, cookie %s\n", fetched,
                    fetched == 1 && data[0].dwCookie == cookie ? "matches" : "differs");
        for (ULONG i = 0; i < fetched; ++i) data[i].pUnk->Release();
        connections->Release();
    }

    // A sink that fails: the writer hears of it, the value is stored, and
    // the other sink is told all the same.
    RecordingSink failing(E_ACCESSDENIED);
    DWORD failing_cookie = 0;
    say("advise a failing sink", point->Advise(&failing, &failing_cookie));
    sink.changed.clear();
    EXCEPINFO exception{};
    say("put MemoryMin", put_text(dispatch, L"MemoryMin", L"96", &exception));
    std::printf("exception scode: 0x%08lX %s\n", static_cast<unsigned long>(exception.scode),
                narrow(exception.bstrDescription).c_str());
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    std::printf("read MemoryMin: %s\n", read_property(dispatch, L"MemoryMin").c_str());
    value.lVal = 512;
    const HRESULT dual_put = dual->put_MemoryRec(value);
    say("dual put MemoryRec", dual_put);
    // A vtable caller asks whether the interface leaves a description.
    ISupportErrorInfo* support = query<ISupportErrorInfo>(control, IID_ISupportErrorInfo);
    say("supports error info on _Prestova",
        support ? support->InterfaceSupportsErrorInfo(iid_of(prestova::kInterfaceId)) : E_NOINTERFACE);
    say("supports error info on IPersistStreamInit",
        support ? support->InterfaceSupportsErrorInfo(IID_IPersistStreamInit) : E_NOINTERFACE);
    if (support) support->Release();
    print_error_info("error info");
    print_changes("told the other sink", sink);
    print_changes("told the failing sink", failing);
    // A failure with no description of its own must not show the last one.
    say("dual put ScreenMinWid", dual->put_ScreenMinWid(value));
    VARIANT array;
    VariantInit(&array);
    array.vt = VT_ARRAY | VT_VARIANT;
    array.parray = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    say("dual put CPUMin array", dual->put_CPUMin(array));
    VariantClear(&array);
    print_error_info("error info after it");
    say("unadvise the failing sink", point->Unadvise(failing_cookie));

    // Loading from a bag and a fresh start tell nothing.
    sink.changed.clear();
    ParamBag bag;
    IPersistPropertyBag* bag_persist = query<IPersistPropertyBag>(control, IID_IPersistPropertyBag);
    say("load", bag_persist->Load(&bag, nullptr));
    bag_persist->Release();
    say("init new", persist->InitNew());
    print_changes("changed by loading", sink);
    persist->Release();

    say("unadvise", point->Unadvise(cookie));
    say("unadvise again", point->Unadvise(cookie));
    say("put after unadvise", put_text(dispatch, L"OSMin", L"Windows 2000"));
    print_changes("changed after unadvise", sink);
    std::printf("sink references left: %lu, failing sink's: %lu\n", sink.references, failing.references);
    dual->Release();
    dispatch->Release();
    point->Release();
}

void event_point(IUnknown* control, IConnectionPointContainer* container, const IID& events)
{
    IConnectionPoint* point = nullptr;
    say("find __Prestova", container->FindConnectionPoint(events, &point));
    if (!point) return;
    EventSink sink;
    DWORD cookie = 0;
    say("advise an event sink", point->Advise(&sink, &cookie));
    IDispatch* dispatch = query<IDispatch>(control, IID_IDispatch);
    put_text(dispatch, L"Zip1", L"7-Zip");
    dispatch->Release();
    std::printf("event sink calls: %d\n", sink.calls);
    say("unadvise the event sink", point->Unadvise(cookie));
    std::printf("event sink references left: %lu\n", sink.references);
    point->Release();
}

}  // namespace

int property_notifications()
{
    if (FAILED(OleInitialize(nullptr))) return 1;
    CLSID clsid;
    IUnknown* control = create_control(clsid);
    if (!control) return 1;
    IPersistStreamInit* persist = query<IPersistStreamInit>(control, IID_IPersistStreamInit);
    say("init new", persist ? persist->InitNew() : E_NOINTERFACE);
    if (persist) persist->Release();
    IConnectionPointContainer* container = query<IConnectionPointContainer>(control, IID_IConnectionPointContainer);
    std::printf("connection points: %s\n", container ? "yes" : "no");
    if (!container) return 1;
    const IID events = iid_of(prestova::kEventInterfaceId);
    list_points(container, events);
    IConnectionPoint* none = nullptr;
    say("find IUnknown", container->FindConnectionPoint(IID_IUnknown, &none));
    property_notify_point(control, container);
    event_point(control, container, events);

    // A sink still connected when the control goes is let go with it.
    RecordingSink left;
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    container->FindConnectionPoint(IID_IPropertyNotifySink, &point);
    point->Advise(&left, &cookie);
    point->Release();
    container->Release();
    std::printf("control released: %lu\n", control->Release());
    std::printf("connected sink's references after: %lu\n", left.references);
    OleUninitialize();
    return 0;
}
