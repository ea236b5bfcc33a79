#include "platform/simulated/simulated_registry.hpp"

#include "core/ascii_case.hpp"
#include "platform/simulated/profile_error.hpp"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace prestova {

namespace {

constexpr long kInvalidParameter = 87;
constexpr long kBadPathname = 161;
constexpr long kKeyDeleted = 1018;

constexpr std::uint32_t kEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kMaximumAllowed = 0x02000000;
// What RegOpenKeyA gets on a key the user may read: everything but writing.
constexpr std::uint32_t kAllReadAccess = reg::KeyRead;

constexpr RegHandle kUsers = 0x80000003u;
constexpr RegHandle kCurrentConfig = 0x80000005u;

bool is_predefined(RegHandle h) { return h >= 0x80000000u && h <= 0x80000006u; }

}  // namespace

SimulatedRegistry::SimulatedRegistry(RegistryTree& tree, const std::vector<std::string>& denied_keys) : tree_(&tree)
{
    for (const auto& key : denied_keys) deny(key);
}

void SimulatedRegistry::deny(std::string_view full_key_name)
{
    auto name = parse_key_name(full_key_name);
    if (!name) throw std::invalid_argument("unknown hive in key name " + quote_profile_input(full_key_name));
    denied_.push_back(std::move(*name));
}

// Part by part, without regard to case, as Windows names keys: a run opens
// some forty keys and none of them needs its name built as one text.
bool SimulatedRegistry::is_denied(const KeyName& name) const
{
    return std::any_of(denied_.begin(), denied_.end(), [&](const KeyName& d) {
        return d.hive == name.hive && d.parts.size() == name.parts.size() &&
               std::equal(d.parts.begin(), d.parts.end(), name.parts.begin(),
                          [](const std::string& a, const std::string& b) { return equals_ignoring_case(a, b); });
    });
}

const KeyName* SimulatedRegistry::root_name(RegHandle root) const
{
    static const KeyName classes_root{Hive::LocalMachine, {"SOFTWARE", "Classes"}};
    static const KeyName current_user{Hive::CurrentUser, {}};
    static const KeyName local_machine{Hive::LocalMachine, {}};
    static const KeyName users{Hive::Users, {}};
    static const KeyName current_config{Hive::CurrentConfig, {}};
    switch (root) {
    case static_cast<RegHandle>(RegRoot::ClassesRoot): return &classes_root;
    case static_cast<RegHandle>(RegRoot::CurrentUser): return &current_user;
    case static_cast<RegHandle>(RegRoot::LocalMachine): return &local_machine;
    case kUsers: return &users;
    case kCurrentConfig: return &current_config;
    default: break;
    }
    const OpenKey* open = find_handle(root);
    return open ? &open->name : nullptr;
}

const SimulatedRegistry::OpenKey* SimulatedRegistry::find_handle(RegHandle handle) const
{
    if (handle == 0) return nullptr;
    for (const OpenKey& open : handles_)
        if (open.handle == handle) return &open;
    return nullptr;
}

std::size_t SimulatedRegistry::free_slot()
{
    for (std::size_t i = 0; i < handles_.size(); ++i)
        if (handles_[i].handle == 0) return i;
    handles_.emplace_back();
    return handles_.size() - 1;
}

std::size_t SimulatedRegistry::open_handle_count() const
{
    return static_cast<std::size_t>(
        std::count_if(handles_.begin(), handles_.end(), [](const OpenKey& open) { return open.handle != 0; }));
}

// access: what RegOpenKeyExA asked for, or nullopt for RegOpenKeyA's "as much
// as allowed".
long SimulatedRegistry::open(RegHandle root, std::string_view path, std::optional<std::uint32_t> access,
                             RegHandle* result)
{
    if (!result) return kInvalidParameter;
    *result = 0;
    if (!root_name(root)) return is_predefined(root) ? reg::FileNotFound : reg::InvalidHandle;
    if (!path.empty() && path.front() == '\\') return kBadPathname;
    if (path.find("\\\\") != std::string_view::npos) return kBadPathname;
    if (root == static_cast<RegHandle>(RegRoot::ClassesRoot)) tree_->make(*root_name(root));  // always there on Windows
    // An empty path hands back the handle given, except that RegOpenKeyExA
    // opens a new handle to a key that is not predefined.
    if (path.empty() && (is_predefined(root) || !access)) {
        *result = root;
        return reg::Success;
    }
    // The slot first: making one may move the others, the root among them.
    OpenKey& slot = handles_[free_slot()];
    const KeyName& from = *root_name(root);
    KeyName& name = slot.name;
    std::size_t depth = 0;
    const auto set_part = [&](std::string_view part) {
        if (depth < name.parts.size()) name.parts[depth].assign(part);
        else name.parts.emplace_back(part);
        ++depth;
    };
    name.hive = from.hive;
    for (const std::string& part : from.parts) set_part(part);
    // Each part in its stored spelling, so the handle names the key itself.
    RegKey* key = tree_->find(from);
    for (std::size_t start = 0; key && start < path.size();) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) {
            key = key->find_subkey(path.substr(start, end - start));
            if (key) set_part(key->name());
        }
        start = end + 1;
    }
    name.parts.resize(depth);
    if (!key) return reg::FileNotFound;
    const bool denied = is_denied(name);
    std::uint32_t granted = kAllReadAccess;
    if (access) {
        granted = *access & kMaximumAllowed ? kAllReadAccess : *access;
        if (denied && (*access & (reg::KeyQueryValue | kEnumerateSubKeys))) return reg::AccessDenied;
    }
    if (denied) granted &= ~(reg::KeyQueryValue | kEnumerateSubKeys);
    slot.handle = next_handle_;
    slot.access = granted;
    *result = next_handle_;
    next_handle_ += 4;
    return reg::Success;
}

long SimulatedRegistry::open_key(RegHandle root, std::string_view path, RegHandle* result)
{
    // RegOpenKeyA takes whatever access is allowed: a key that refuses
    // queries still opens, and its reads fail.
    return open(root, path, std::nullopt, result);
}

long SimulatedRegistry::open_key_ex(RegHandle root, std::string_view path, std::uint32_t, std::uint32_t access,
                                    RegHandle* result)
{
    return open(root, path, access, result);
}

long SimulatedRegistry::find_open(RegHandle handle, std::uint32_t needed_access, RegKey** key)
{
    *key = nullptr;
    const KeyName* name = nullptr;
    std::uint32_t access = kAllReadAccess;
    if (const OpenKey* open_key = find_handle(handle)) {
        name = &open_key->name;
        access = open_key->access;
    } else if (is_predefined(handle) && root_name(handle)) {
        name = root_name(handle);
    } else {
        return reg::InvalidHandle;
    }
    if ((access & needed_access) != needed_access) return reg::AccessDenied;
    *key = tree_->find(*name);
    // A predefined key is always there on Windows, empty as it may be.
    if (!*key && is_predefined(handle)) *key = &tree_->make(*name);
    return *key ? reg::Success : kKeyDeleted;
}

long SimulatedRegistry::query_value(RegHandle handle, const char* name, std::uint32_t* type, std::uint8_t* data,
                                    std::uint32_t* size)
{
    RegKey* key = nullptr;
    if (const long status = find_open(handle, reg::KeyQueryValue, &key); status != reg::Success) return status;
    if (data && !size) return kInvalidParameter;
    const StoredValue* value = key->find_value(name ? name : "");
    if (!value) return reg::FileNotFound;
    const auto bytes = value->data();
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (type) *type = value->type();
    if (!data) {
        if (size) *size = needed;
        return reg::Success;
    }
    const bool fits = *size >= needed;
    *size = needed;
    if (!fits) return reg::MoreData;
    if (needed) std::memcpy(data, bytes.data(), needed);
    return reg::Success;
}

long SimulatedRegistry::enum_key(RegHandle handle, std::uint32_t index, char* name, std::uint32_t capacity)
{
    RegKey* key = nullptr;
    if (const long status = find_open(handle, kEnumerateSubKeys, &key); status != reg::Success) return status;
    // Index-addressed: listing n subkeys one index at a time costs n steps.
    if (index >= key->subkey_count()) return reg::NoMoreItems;
    if (!name) return kInvalidParameter;
    const std::string_view found = key->subkey_at(index).name();
    if (found.size() + 1 > capacity) return reg::MoreData;
    std::memcpy(name, found.data(), found.size());
    name[found.size()] = '\0';
    return reg::Success;
}

long SimulatedRegistry::close_key(RegHandle handle)
{
    if (is_predefined(handle)) return reg::Success;
    OpenKey* open_key = find_handle(handle);
    if (!open_key) return reg::InvalidHandle;
    open_key->handle = 0;
    return reg::Success;
}

}  // namespace prestova
