#include "host/safe_control.hpp"

#include <cstdio>

namespace prestova {

namespace {

// Module data exists once per thread that uses the component.
thread_local bool safe_for_scripting = false;
thread_local bool safe_for_initializing = false;

enum class Kind { Scripting, Initializing, Other };

Kind kind_of(const Guid& riid)
{
    const std::string text = registry_text(riid);
    if (text == kIDispatch) return Kind::Scripting;
    for (const char* persistence :
         {kIPersistStreamInit, kIPersistStreamInitAsPublished, kIPersistStream, kIPersistPropertyBag})
        if (text == persistence) return Kind::Initializing;
    return Kind::Other;
}

}  // namespace

std::string registry_text(const Guid& g)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned>(g.data1),
                  g.data2, g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6],
                  g.data4[7]);
    return buf;
}

void safe_control_startup()
{
    safe_for_scripting = true;
    safe_for_initializing = true;
}

bool SafeForScripting() { return safe_for_scripting; }
bool SafeForInitializing() { return safe_for_initializing; }

HResult GetInterfaceSafetyOptions(const Guid* riid, std::uint32_t* pdwSupportedOptions,
                                  std::uint32_t* pdwEnabledOptions, bool page_allowed)
{
    // Nowhere to write the answer: say so rather than write through null.
    if (!pdwSupportedOptions || !pdwEnabledOptions) return kPointer;
    *pdwSupportedOptions = kSafeForUntrustedCaller | kSafeForUntrustedData;
    if (!riid) return kOk;
    switch (kind_of(*riid)) {
    case Kind::Scripting:
        *pdwEnabledOptions = safe_for_scripting && page_allowed ? kSafeForUntrustedCaller : 0;
        return kOk;
    case Kind::Initializing:
        *pdwEnabledOptions = safe_for_initializing && page_allowed ? kSafeForUntrustedData : 0;
        return kOk;
    case Kind::Other: break;
    }
    return kNoInterface;
}

HResult SetInterfaceSafetyOptions(const Guid* riid, std::uint32_t dwOptionsSetMask, std::uint32_t dwEnabledOptions,
                                  bool page_allowed)
{
    if (!riid) return kOk;
    const std::uint32_t asked = dwOptionsSetMask & dwEnabledOptions;
    switch (kind_of(*riid)) {
    case Kind::Scripting: return asked == kSafeForUntrustedCaller && safe_for_scripting && page_allowed ? kOk : kFail;
    case Kind::Initializing:
        return asked == kSafeForUntrustedData && safe_for_initializing && page_allowed ? kOk : kFail;
    case Kind::Other: break;
    }
    // A refused page asking for any option gets the browser's "not safe".
    return page_allowed || asked == 0 ? kNoInterface : kFail;
}

}  // namespace prestova
