#pragma once
// The registry calls on a registry tree, answering as Windows' ANSI calls do:
// the same result codes, sizes and access rules.
#include "platform/registry.hpp"
#include "platform/simulated/registry_tree.hpp"

#include <string>
#include <utility>
#include <vector>

namespace prestova {

class SimulatedRegistry final : public Registry {
public:
    // denied_keys: full key names of keys that exist but refuse the current
    // user query access. Throws std::invalid_argument for an unknown hive.
    explicit SimulatedRegistry(RegistryTree& tree, const std::vector<std::string>& denied_keys = {});

    long open_key(RegHandle root, std::string_view path, RegHandle* result) override;
    long open_key_ex(RegHandle root, std::string_view path, std::uint32_t options, std::uint32_t access,
                     RegHandle* result) override;
    long query_value(RegHandle key, const char* name, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size) override;
    long enum_key(RegHandle key, std::uint32_t index, char* name, std::uint32_t capacity) override;
    long close_key(RegHandle key) override;

    // Handles opened and not yet closed (predefined roots do not count).
    std::size_t open_handle_count() const;
    // The registry itself, to be changed (or replaced) while the machine runs.
    RegistryTree& tree() { return *tree_; }
    void deny(std::string_view full_key_name);

private:
    // A run opens and closes some forty keys: closed slots keep their
    // storage for the next open instead of going back to the heap.
    struct OpenKey {
        RegHandle handle = 0;  // 0: a free slot
        KeyName name;
        std::uint32_t access = 0;
    };
    const KeyName* root_name(RegHandle root) const;
    // The slot of an open handle, or nullptr (0 is never a handle).
    const OpenKey* find_handle(RegHandle handle) const;
    OpenKey* find_handle(RegHandle handle) { return const_cast<OpenKey*>(std::as_const(*this).find_handle(handle)); }
    std::size_t free_slot();
    long open(RegHandle root, std::string_view path, std::optional<std::uint32_t> access, RegHandle* result);
    long find_open(RegHandle handle, std::uint32_t needed_access, RegKey** key);

    RegistryTree* tree_;
    bool is_denied(const KeyName& name) const;

    std::vector<KeyName> denied_;  // a profile names a few at most
    std::vector<OpenKey> handles_;
    RegHandle next_handle_ = 0x1000;
};

}  // namespace prestova
