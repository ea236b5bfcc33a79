#include "param_bag.hpp"

#include <fstream>

ParamBag::~ParamBag()
{
    for (auto& e : entries_) VariantClear(&e.second);
}

void ParamBag::add(std::wstring name, VARIANT& value)
{
    VARIANT copy;
    VariantInit(&copy);
    VariantCopy(&copy, &value);
    for (auto& e : entries_)
        if (lstrcmpiW(e.first.c_str(), name.c_str()) == 0) {
            VariantClear(&e.second);
            e.second = copy;
            return;
        }
    entries_.emplace_back(std::move(name), copy);
}

HRESULT STDMETHODCALLTYPE ParamBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    if (!name || !value) return E_POINTER;
    for (auto& e : entries_)
        if (lstrcmpiW(e.first.c_str(), name) == 0) {
            VariantInit(value);
            return VariantCopy(value, &e.second);
        }
    return E_INVALIDARG;  // as bags answer for a missing key
}

HRESULT STDMETHODCALLTYPE ParamBag::Write(LPCOLESTR name, VARIANT* value)
{
    if (!name || !value) return E_POINTER;
    add(name, *value);
    return S_OK;
}

std::optional<HRESULT> load_params(IUnknown* control, const char* path, std::size_t& count)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    ParamBag bag;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find('=') == std::string::npos) continue;
        std::wstring text(line.size(), L'\0');
        const int n = MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), text.data(),
                                          static_cast<int>(text.size()));
        text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
        const std::size_t split = text.find(L'=');
        VARIANT value;
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString(text.c_str() + split + 1);
        bag.add(text.substr(0, split), value);
        VariantClear(&value);
    }
    count = bag.size();
    auto persist = query<IPersistPropertyBag>(control);
    return persist ? persist->Load(&bag, nullptr) : E_NOINTERFACE;
}

bool load_page(IUnknown* control, const char* path)
{
    std::size_t count = 0;
    const auto loaded = load_params(control, path, count);
    if (!loaded) return false;
    std::printf("params: %zu\n", count);
    say("load", *loaded);
    return true;
}
