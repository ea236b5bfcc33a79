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
    std::printf("%s:", what);
    for (DISPID id : sink.changed) std::printf(" 0x%08lX", static_cast<unsigned long>(id));
    std::printf("\n");
}

void print_error_info(const char* what)
{
    ComPtr<IErrorInfo> error;
    BSTR description = nullptr;
    if (GetErrorInfo(0, &error) == S_OK && error) error->GetDescription(&description);
    std::printf("%s: %s\n", what, error ? narrow(description).c_str() : "none");
    SysFreeString(description);
}

void list_points(IConnectionPointContainer* container, const IID& events)
{
    ComPtr<IEnumConnectionPoints> points;
    say("enum points", container->EnumConnectionPoints(&points));
    for (ComPtr<IConnectionPoint> point; points && points->Next(1, point.ReleaseAndGetAddressOf(), nullptr) == S_OK;) {
        IID iid{};
        point->GetConnectionInterface(&iid);
        std::printf("point: %s\n", iid == IID_IPropertyNotifySink ? "IPropertyNotifySink"
                                   : iid == events                ? "__Prestova"
                                                                  : "other");
    }
}

// Everything on the IPropertyNotifySink point, from connecting to leaving.
void property_notify_point(IUnknown* control, IConnectionPointContainer* container)
{
    ComPtr<IConnectionPoint> point;
    say("find IPropertyNotifySink", container->FindConnectionPoint(IID_IPropertyNotifySink, &point));
    if (!point) return;
    ComPtr<IConnectionPointContainer> owner;
    point->GetConnectionPointContainer(&owner);
    std::printf("point's container is the control: %s\n", query<IUnknown>(owner.Get()).Get() == control ? "yes" : "no");

    Local<IUnknown> stranger;  // no sink
    DWORD cookie = 0;
    say("advise a non-sink", point->Advise(&stranger, &cookie));
    RecordingSink sink;
    say("advise", point->Advise(&sink, &cookie));

    auto dispatch = query<IDispatch>(control);
    auto dual = query<_Prestova>(control, iid_of(prestova::kInterfaceId));
    say("put recColorDepth", put_text(dispatch.Get(), L"recColorDepth", L"256"));
    say("put JavaVersion", put_text(dispatch.Get(), L"JavaVersion", L"1.5"));
    say("put ScreenMinHgt", put_text(dispatch.Get(), L"ScreenMinHgt", L"480"));
    VARIANT value;
    value.vt = VT_I4;
    value.lVal = 300;
    say("dual put CPUMin", dual->put_CPUMin(value));
    std::printf("read JavaVersion: %s\n", read_property(dispatch.Get(), L"JavaVersion").c_str());
    print_changes("changed", sink);
    auto persist = query<IPersistStreamInit>(control);
    say("dirty", persist->IsDirty());

    ComPtr<IEnumConnections> connections;
    say("enum connections", point->EnumConnections(&connections));
    CONNECTDATA data[2]{};
    ULONG fetched = 0;
    if (connections) connections->Next(2, data, &fetched);
    std::printf("connections: %lu, cookie %s\n", fetched,
                fetched == 1 && data[0].dwCookie == cookie ? "matches" : "differs");
    for (ULONG i = 0; i < fetched; ++i) data[i].pUnk->Release();
    connections.Reset();  // it holds references of its own to the sinks

    // A sink that fails: the writer hears of it, the value is stored, and
    // the other sink is told all the same.
    RecordingSink failing(E_ACCESSDENIED);
    DWORD failing_cookie = 0;
    say("advise a failing sink", point->Advise(&failing, &failing_cookie));
    sink.changed.clear();
    EXCEPINFO exception{};
    say("put MemoryMin", put_text(dispatch.Get(), L"MemoryMin", L"96", &exception));
    std::printf("exception scode: 0x%08lX %s\n", static_cast<unsigned long>(exception.scode),
                narrow(exception.bstrDescription).c_str());
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    std::printf("read MemoryMin: %s\n", read_property(dispatch.Get(), L"MemoryMin").c_str());
    value.lVal = 512;
    say("dual put MemoryRec", dual->put_MemoryRec(value));
    // A vtable caller asks whether the interface leaves a description.
    auto support = query<ISupportErrorInfo>(control);
    say("supports error info on _Prestova",
        support ? support->InterfaceSupportsErrorInfo(iid_of(prestova::kInterfaceId)) : E_NOINTERFACE);
    say("supports error info on IPersistStreamInit",
        support ? support->InterfaceSupportsErrorInfo(IID_IPersistStreamInit) : E_NOINTERFACE);
    print_error_info("error info");
    print_changes("told the other sink", sink);
    print_changes("told the failing sink", failing);
    // A failure with no description of its own must not show the last one.
    say("dual put ScreenMinWid", dual->put_ScreenMinWid(value));
    VARIANT array;
    array.vt = VT_ARRAY | VT_VARIANT;
    array.parray = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    say("dual put CPUMin array", dual->put_CPUMin(array));
    VariantClear(&array);
    print_error_info("error info after it");
    say("unadvise the failing sink", point->Unadvise(failing_cookie));

    // Loading from a bag and a fresh start tell nothing.
    sink.changed.clear();
    ParamBag bag;
    say("load", query<IPersistPropertyBag>(control)->Load(&bag, nullptr));
    say("init new", persist->InitNew());
    print_changes("changed by loading", sink);

    say("unadvise", point->Unadvise(cookie));
    say("unadvise again", point->Unadvise(cookie));
    say("put after unadvise", put_text(dispatch.Get(), L"OSMin", L"Windows 2000"));
    print_changes("changed after unadvise", sink);
    std::printf("sink references left: %lu, failing sink's: %lu\n", sink.references, failing.references);
}

void event_point(IUnknown* control, IConnectionPointContainer* container, const IID& events)
{
    ComPtr<IConnectionPoint> point;
    say("find __Prestova", container->FindConnectionPoint(events, &point));
    if (!point) return;
    EventSink sink;
    DWORD cookie = 0;
    say("advise an event sink", point->Advise(&sink, &cookie));
    put_text(query<IDispatch>(control).Get(), L"Zip1", L"7-Zip");
    std::printf("event sink calls: %d\n", sink.calls);
    say("unadvise the event sink", point->Unadvise(cookie));
    std::printf("event sink references left: %lu\n", sink.references);
}

void run()
{
    RecordingSink left;
    {
        ComPtr<IUnknown> control = create_control();
        auto persist = query<IPersistStreamInit>(control.Get());
        say("init new", persist ? persist->InitNew() : E_NOINTERFACE);
        auto container = query<IConnectionPointContainer>(control.Get());
        std::printf("connection points: %s\n", container ? "yes" : "no");
        if (!container) return;
        const IID events = iid_of(prestova::kEventInterfaceId);
        list_points(container.Get(), events);
        ComPtr<IConnectionPoint> point;
        say("find IUnknown", container->FindConnectionPoint(IID_IUnknown, &point));
        property_notify_point(control.Get(), container.Get());
        event_point(control.Get(), container.Get(), events);
        // A sink still connected when the control goes is let go with it.
        DWORD cookie = 0;
        container->FindConnectionPoint(IID_IPropertyNotifySink, &point);
        point->Advise(&left, &cookie);
        persist.Reset();
        point.Reset();
        container.Reset();
        std::printf("control released: %lu\n", control.Detach()->Release());
    }
    std::printf("connected sink's references after: %lu\n", left.references);
}

}  // namespace

int property_notifications()
{
    if (FAILED(OleInitialize(nullptr))) return 1;
    run();
    OleUninitialize();
    return 0;
}
