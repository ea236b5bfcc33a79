#include "com_property_bag.hpp"

#include "core/script_error.hpp"
#include "variant_bridge.hpp"

#include <memory>

namespace prestova::component {

namespace {

struct BstrDeleter {
    void operator()(OLECHAR* text) const { SysFreeString(text); }
};
using Bstr = std::unique_ptr<OLECHAR, BstrDeleter>;

[[noreturn]] void bag_failed(const char* what, std::string_view key, HRESULT hr)
{
    char code[16];
    wsprintfA(code, "%08lX", static_cast<unsigned long>(hr));
    throw ScriptError(ErrorCode::PlatformFailure, std::string("The property bag failed to ") + what + " \"" +
                                                      std::string(key) + "\" (0x" + code + ")");
}

}  // namespace

Variant ComPropertyBag::read_property(std::string_view key, const Variant& default_value)
{
    Bstr name(to_bstr(key));
    if (!name) throw std::bad_alloc();
    VARIANT value;
    VariantInit(&value);  // VT_EMPTY: the value in the type the bag keeps it
    const HRESULT hr = bag_->Read(name.get(), &value, log_);
    // A bag answers E_INVALIDARG for a key it does not hold: no failure.
    if (hr == E_INVALIDARG) return default_value;
    if (FAILED(hr)) bag_failed("read", key, hr);
    auto core = from_variant(value);
    VariantClear(&value);
    if (!core)
        throw ScriptError(ErrorCode::TypeMismatch, "Type mismatch: \"" + std::string(key) + "\" in the property bag");
    return *core;
}

void ComPropertyBag::write_property(std::string_view key, const Variant& value, const Variant&)
{
    Bstr name(to_bstr(key));
    if (!name) throw std::bad_alloc();
    VARIANT v;
    if (FAILED(to_variant(value, &v))) throw std::bad_alloc();
    const HRESULT hr = bag_->Write(name.get(), &v);
    VariantClear(&v);
    if (FAILED(hr)) bag_failed("write", key, hr);
}

}  // namespace prestova::component
