#include "param_bag.hpp"

#include <fstream>

ParamBag::~ParamBag()
{
    for (auto& e : entries_) VariantClear(&e.second);
}

void ParamBag::add(std::wstring name, VARIANT value)
{
    for (auto& e : entries_)
        if (lstrcmpiW(e.first.c_str(), name.c_str()) == 0) {
            VariantClear(&e.second);
            e.second = value;
            return;
        }
    entries_.emplace_back(std::move(name), value);
}

const VARIANT* ParamBag::find(const wchar_t* name) const
{
    for (const auto& e : entries_)
        if (lstrcmpiW(e.first.c_str(), name) == 0) return &e.second;
    return nullptr;
}

HRESULT STDMETHODCALLTYPE ParamBag::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IPropertyBag) return E_NOINTERFACE;
    *object = static_cast<IPropertyBag*>(this);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ParamBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    if (!name || !value) return E_POINTER;
    const VARIANT* found = find(name);
    if (!found) return E_INVALIDARG;  // as bags answer for a missing key
    VariantInit(value);
    return VariantCopy(value, const_cast<VARIANT*>(found));
}

HRESULT STDMETHODCALLTYPE ParamBag::Write(LPCOLESTR name, VARIANT* value)
{
    if (!name || !value) return E_POINTER;
    VARIANT copy;
    VariantInit(&copy);
    const HRESULT hr = VariantCopy(&copy, value);
    if (FAILED(hr)) return hr;
    add(name, copy);
    return S_OK;
}

bool load_params(const char* path, ParamBag& bag)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        auto wide = [](const std::string& text) {
            std::wstring out(text.size(), L'\0');
            const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                              static_cast<int>(out.size()));
            out.resize(static_cast<std::size_t>(n > 0 ? n : 0));
            return out;
        };
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        const std::wstring text = wide(line.substr(equals + 1));
        value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        bag.add(wide(line.substr(0, equals)), value);
    }
    return true;
}
