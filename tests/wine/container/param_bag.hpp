#pragma once
// A container's property bag: name=value pairs, keys matched without regard
// to case as a browser matches <param> names, values handed out as text.
#include <windows.h>
#include <ocidl.h>

#include <string>
#include <utility>
#include <vector>

class ParamBag final : public IPropertyBag {
public:
    void add(std::wstring name, VARIANT value);
    std::size_t size() const { return entries_.size(); }
    const VARIANT* find(const wchar_t* name) const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }  // lives on the stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;

    ~ParamBag();

private:
    std::vector<std::pair<std::wstring, VARIANT>> entries_;
};

// Reads NAME=VALUE lines (ANSI) into the bag as texts.
bool load_params(const char* path, ParamBag& bag);
