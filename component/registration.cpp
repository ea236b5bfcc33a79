// DllRegisterServer and DllUnregisterServer: the ProgID, the class key and
// the type library, and on unregistering exactly those again.
#include "com_ptr.hpp"
#include "control/identifiers.hpp"
#include "misc_status.hpp"
#include "module.hpp"

#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

#include <string>

namespace prestova::component {

namespace {

const std::string kProgIdKey(kProgId);
const std::string kClassKey = "CLSID\\" + std::string(kClassId);

LONG create_key(const std::string& key, HKEY* handle)
{
    return RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                           handle, nullptr);
}

LONG create_key(const std::string& key)
{
    HKEY handle = nullptr;
    const LONG status = create_key(key, &handle);
    if (status == ERROR_SUCCESS) RegCloseKey(handle);
    return status;
}

LONG set_value(const std::string& key, const char* name, const std::string& value)
{
    HKEY handle = nullptr;
    LONG status = create_key(key, &handle);
    if (status != ERROR_SUCCESS) return status;
    status = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
    return status;
}

LONG delete_tree(const std::string& key)
{
    const LONG status = RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        // RegDeleteTree empties the key; the key itself goes here.
        const LONG removed = RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
        return removed == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : removed;
    }
    return status;
}

std::wstring module_path()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module_handle(), path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

std::string module_path_ansi()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(module_handle(), path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

HRESULT status_of(LONG status) { return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status); }

HRESULT register_keys()
{
    const std::string path = module_path_ansi();
    if (path.empty()) return SELFREG_E_CLASS;
    const std::string friendly(kClassName);
    const struct {
        std::string key;
        const char* name;
        std::string value;
    } values[] = {
        {kProgIdKey, nullptr, friendly},
        {kProgIdKey + "\\CLSID", nullptr, std::string(kClassId)},
        {kClassKey, nullptr, friendly},
        {kClassKey + "\\InprocServer32", nullptr, path},
        {kClassKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {kClassKey + "\\ProgID", nullptr, kProgIdKey},
        {kClassKey + "\\TypeLib", nullptr, std::string(kLibraryId)},
        {kClassKey + "\\Version", nullptr, std::string(kTypeLibraryVersion)},
        {kClassKey + "\\MiscStatus", nullptr, std::to_string(kMiscStatus)},
    };
    for (const auto& v : values)
        if (const LONG status = set_value(v.key, v.name, v.value); status != ERROR_SUCCESS) return status_of(status);
    return status_of(create_key(kClassKey + "\\Control"));
}

HRESULT register_type_library()
{
    const std::wstring path = module_path();
    ComPtr<ITypeLib> library;
    // REGKIND_REGISTER enters the library and its interfaces.
    return LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &library);
}

bool type_library_registered()
{
    HKEY key = nullptr;
    const std::string path = "TypeLib\\" + std::string(kLibraryId) + "\\" + std::string(kTypeLibraryVersion);
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

HRESULT unregister_type_library()
{
    // Not registered (any more) is what unregistering wants.
    if (!type_library_registered()) return S_OK;
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(module_path().c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    TLIBATTR* attributes = nullptr;
    hr = library->GetLibAttr(&attributes);
    if (SUCCEEDED(hr)) {
        hr = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum, attributes->lcid,
                               attributes->syskind);
        library->ReleaseTLibAttr(attributes);
    }
    return hr;
}

}  // namespace

}  // namespace prestova::component

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    using namespace prestova::component;
    HRESULT hr = register_keys();
    if (SUCCEEDED(hr)) hr = register_type_library();
    if (FAILED(hr)) {
        // Leave nothing half-written behind.
        unregister_type_library();
        delete_tree(kClassKey);
        delete_tree(kProgIdKey);
    }
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    using namespace prestova::component;
    const HRESULT library = unregister_type_library();
    const HRESULT class_key = status_of(delete_tree(kClassKey));
    const HRESULT prog_id = status_of(delete_tree(kProgIdKey));
    if (FAILED(library)) return library;
    return FAILED(class_key) ? class_key : prog_id;
}
