// IPersistPropertyBag and IPersistStreamInit: the core's three persistence
// events behind the container's bag or stream.
#include "control_object.hpp"

#include "com_error.hpp"
#include "com_property_bag.hpp"
#include "control/state_stream.hpp"

#include <string>

namespace prestova::component {

namespace {

// Runs a persistence step; the core raises a failing bag as an error.
template <class Step>
HRESULT guarded(Step&& step)
{
    try {
        return step();
    } catch (...) {
        return hresult_from_exception(ErrorReport::StatusOnly);
    }
}

HRESULT read_exactly(IStream* stream, void* data, ULONG size)
{
    ULONG got = 0;
    const HRESULT hr = stream->Read(data, size, &got);
    if (FAILED(hr)) return hr;
    return got == size ? S_OK : STG_E_READFAULT;
}

HRESULT write_exactly(IStream* stream, const void* data, ULONG size)
{
    ULONG put = 0;
    const HRESULT hr = stream->Write(data, size, &put);
    if (FAILED(hr)) return hr;
    return put == size ? S_OK : STG_E_WRITEFAULT;
}

// The control's properties as the stream holds them, after the length.
std::string saved_state(Prestova& control)
{
    MemoryPropertyBag bag;
    control.write_properties(bag);
    return encode_state(bag);
}

}  // namespace

HRESULT STDMETHODCALLTYPE ControlObject::GetClassID(CLSID* clsid)
{
    if (!clsid) return E_POINTER;
    *clsid = CLSID_Prestova;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlObject::InitNew()
{
    return guarded([&] {
        control_.init_properties();
        dirty_ = false;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ControlObject::Load(IPropertyBag* bag, IErrorLog* log)
{
    if (!bag) return E_POINTER;
    if (page_refused_) return E_ACCESSDENIED;
    return guarded([&] {
        ComPropertyBag adapter(bag, log);
        control_.read_properties(adapter);
        dirty_ = false;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ControlObject::Save(IPropertyBag* bag, BOOL clear_dirty, BOOL)
{
    if (!bag) return E_POINTER;
    return guarded([&] {
        ComPropertyBag adapter(bag, nullptr);
        control_.write_properties(adapter);
        if (clear_dirty) dirty_ = false;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ControlObject::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

// In the stream the state is its byte count (32 bits, little-endian) and the
// text of control/state_stream.hpp, so a container may keep more after it.
HRESULT STDMETHODCALLTYPE ControlObject::Load(LPSTREAM stream)
{
    if (!stream) return E_POINTER;
    if (page_refused_) return E_ACCESSDENIED;
    return guarded([&] {
        unsigned char length_bytes[4];
        HRESULT hr = read_exactly(stream, length_bytes, sizeof length_bytes);
        if (FAILED(hr)) return hr;
        const ULONG length =
            length_bytes[0] | length_bytes[1] << 8 | length_bytes[2] << 16 | static_cast<ULONG>(length_bytes[3]) << 24;
        if (length > 1u << 20) return E_FAIL;  // far more than forty values take
        std::string text(length, '\0');
        hr = read_exactly(stream, text.data(), length);
        if (FAILED(hr)) return hr;
        auto bag = decode_state(text);
        if (!bag) return E_FAIL;
        control_.read_properties(*bag);
        dirty_ = false;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ControlObject::Save(LPSTREAM stream, BOOL clear_dirty)
{
    if (!stream) return E_POINTER;
    return guarded([&] {
        const std::string text = saved_state(control_);
        const auto length = static_cast<ULONG>(text.size());
        const unsigned char length_bytes[4] = {
            static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8),
            static_cast<unsigned char>(length >> 16), static_cast<unsigned char>(length >> 24)};
        HRESULT hr = write_exactly(stream, length_bytes, sizeof length_bytes);
        if (SUCCEEDED(hr)) hr = write_exactly(stream, text.data(), length);
        if (SUCCEEDED(hr) && clear_dirty) dirty_ = false;
        return hr;
    });
}

HRESULT STDMETHODCALLTYPE ControlObject::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size) return E_POINTER;
    return guarded([&] {
        size->QuadPart = 4 + saved_state(control_).size();
        return S_OK;
    });
}

}  // namespace prestova::component
