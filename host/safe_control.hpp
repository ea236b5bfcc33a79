#pragma once
// The scripting-safety answers the control gives its host: safe for
// scripting on its automation interface, safe for initialisation on its
// three persistence interfaces, nothing else.
#include <array>
#include <cstdint>
#include <string>

namespace prestova {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
};

// The registry form: braces and upper-case hexadecimal digits.
std::string registry_text(const Guid& guid);

using HResult = std::int32_t;
constexpr HResult kOk = 0;
constexpr HResult kNoInterface = static_cast<HResult>(0x80004002u);
constexpr HResult kPointer = static_cast<HResult>(0x80004003u);
constexpr HResult kFail = static_cast<HResult>(0x80004005u);

constexpr std::uint32_t kSafeForUntrustedCaller = 1;  // scripting
constexpr std::uint32_t kSafeForUntrustedData = 2;    // initialisation

constexpr const char* kIDispatch = "{00020400-0000-0000-C000-000000000046}";
constexpr const char* kIPersistStreamInit = "{7FD52380-4E07-101B-AE2D-08002B2EC713}";
// The control has always answered for this identifier (IPersistStorage's) as
// its stream-initialisation interface; hosts that ask with it keep that answer.
constexpr const char* kIPersistStreamInitAsPublished = "{0000010A-0000-0000-C000-000000000046}";
constexpr const char* kIPersistStream = "{00000109-0000-0000-C000-000000000046}";
constexpr const char* kIPersistPropertyBag = "{37D84F60-42CB-11CE-8135-00AA004BB851}";
constexpr const char* kIObjectSafety = "{CB5BDC81-93C1-11CF-8F20-00805F2CD064}";

// The component's start-up routine for the calling thread: both settings yes.
void safe_control_startup();
bool SafeForScripting();
bool SafeForInitializing();

// PAGE_ALLOWED false: the site lock refuses the page the control is on; no
// option is enabled and none may be set.
HResult GetInterfaceSafetyOptions(const Guid* riid, std::uint32_t* pdwSupportedOptions,
                                  std::uint32_t* pdwEnabledOptions, bool page_allowed = true);
HResult SetInterfaceSafetyOptions(const Guid* riid, std::uint32_t dwOptionsSetMask, std::uint32_t dwEnabledOptions,
                                  bool page_allowed = true);

}  // namespace prestova
