#pragma once
// A registry seen through a recorder: every call goes to the registry
// underneath, and the recorder keeps what it learnt of every key that
// exists — its values (type and data), the subkeys listed, and whether it
// refused access — so exactly the part of the registry a check run read can
// be written out and read back.
#include "platform/registry.hpp"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace prestova {

struct RecordedValue {
    std::string name;  // "" is the key's default value
    std::uint32_t type = reg::Sz;
    std::vector<std::uint8_t> data;
};

struct RecordedKey {
    // Full name as the caller spelt it: "HKEY_CLASSES_ROOT\.pdf",
    // "HKEY_LOCAL_MACHINE\SOFTWARE\Adobe\acrobat Reader".
    std::string name;
    bool denied = false;                          // exists, but refused query access or listing
    std::map<std::string, RecordedValue> values;  // by upper-case name
    std::set<std::string> subkeys;                // names as listed
};

class RecordingRegistry final : public Registry {
public:
    explicit RecordingRegistry(Registry& inner) : inner_(&inner) {}

    long open_key(RegHandle root, std::string_view path, RegHandle* result) override;
    long open_key_ex(RegHandle root, std::string_view path, std::uint32_t options, std::uint32_t access,
                     RegHandle* result) override;
    long query_value(RegHandle key, const char* name, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size) override;
    long enum_key(RegHandle key, std::uint32_t index, char* name, std::uint32_t capacity) override;
    long close_key(RegHandle key) override;

    // Every key found to exist, by upper-case full name.
    const std::map<std::string, RecordedKey>& keys() const { return keys_; }

private:
    std::optional<std::string> name_of(RegHandle handle) const;
    RecordedKey* key_of(RegHandle handle);
    void opened(RegHandle root, std::string_view path, long status, RegHandle result);
    void remember_value(RegHandle handle, RecordedKey& key, const char* name);

    Registry* inner_;
    std::map<RegHandle, std::string> open_;  // handle -> full key name
    std::map<std::string, RecordedKey> keys_;
};

}  // namespace prestova
