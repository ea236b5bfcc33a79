#pragma once
// Small helpers every mode of the container uses: printing an answer as
// "what: 0x...", asking an object for an interface, wide text.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <string>
#include <string_view>

inline void say(const char* what, HRESULT hr) { std::printf("%s: 0x%08lX\n", what, static_cast<unsigned long>(hr)); }

inline std::wstring wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }

template <class T>
T* query(IUnknown* object, REFIID riid)
{
    void* p = nullptr;
    return object && SUCCEEDED(object->QueryInterface(riid, &p)) ? static_cast<T*>(p) : nullptr;
}

// The registered control by its class identifier, as a page's object tag
// names it; the answer is printed as "create".
IUnknown* create_control(CLSID& clsid);

// A property read through IDispatch, as "vt N TEXT" (the text when the value
// converts to one).
std::string read_property(IDispatch* dispatch, const wchar_t* name);
