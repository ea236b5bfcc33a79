#pragma once
// A container's property bag: name=value pairs, keys matched without regard
// to case as a browser matches <param> names, values handed out as text.
#include "com_helpers.hpp"

#include <ocidl.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

class ParamBag final : public Local<IPropertyBag> {
public:
    ParamBag() = default;
    ParamBag(const ParamBag&) = delete;
    ParamBag& operator=(const ParamBag&) = delete;
    ~ParamBag();
    void add(std::wstring name, VARIANT& value);  // a copy of value
    std::size_t size() const { return entries_.size(); }

    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;

private:
    std::vector<std::pair<std::wstring, VARIANT>> entries_;
};

// The control loaded through IPersistPropertyBag from a file of NAME=VALUE
// lines, as load_page below, printing nothing: Load's answer, or nothing
// when the file cannot be read; COUNT is the number of params.
std::optional<HRESULT> load_params(IUnknown* control, const char* path, std::size_t& count);

// Loads the control through IPersistPropertyBag from a file of NAME=VALUE
// lines (ANSI), values as texts, as a browser loads a page's <param> tags;
// prints "params: N" and "load". False when the file cannot be read.
bool load_page(IUnknown* control, const char* path);
