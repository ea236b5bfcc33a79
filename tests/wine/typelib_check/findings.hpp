#pragma once
// What the type library check found: every mismatch is printed as it is
// found, so a broken library shows all its faults in one run.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <string_view>

class Findings {
public:
    // Records a mismatch when expected and actual differ.
    template <class T>
    void expect(const std::string& what, const T& expected, const T& actual)
    {
        ++checks_;
        if (expected == actual) return;
        ++mismatches_;
        std::printf("MISMATCH %s: expected %s, found %s\n", what.c_str(), show(expected).c_str(), show(actual).c_str());
    }
    // A failure that ends one branch of the check (a call that did not answer).
    void fail(const std::string& what, HRESULT hr)
    {
        ++checks_;
        ++mismatches_;
        std::printf("MISMATCH %s: failed with 0x%08lX\n", what.c_str(), static_cast<unsigned long>(hr));
    }
    int checks() const { return checks_; }
    int mismatches() const { return mismatches_; }

private:
    static std::string show(const std::string& s) { return "\"" + s + "\""; }
    static std::string show(long v)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%ld (0x%lX)", v, static_cast<unsigned long>(v));
        return text;
    }
    static std::string show(bool v) { return v ? "yes" : "no"; }

    int checks_ = 0;
    int mismatches_ = 0;
};

// Type-library text to narrow text (the library's names are ASCII).
inline std::string narrow(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text) out += static_cast<char>(*text < 128 ? *text : '?');
    return out;
}

inline std::string guid_text(const GUID& guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return narrow(text);
}

// A type's or member's name as the library gives it.
inline std::string name_of(ITypeInfo* info, MEMBERID id)
{
    BSTR name = nullptr;
    if (FAILED(info->GetDocumentation(id, &name, nullptr, nullptr, nullptr))) return "(no name)";
    std::string out = narrow(name);
    SysFreeString(name);
    return out;
}
