#include "platform/recording_registry.hpp"

#include "core/ascii_case.hpp"

namespace prestova {

namespace {

// "SOFTWARE\Adobe\acrobat Reader\" below "HKEY_LOCAL_MACHINE": the parts
// joined by single backslashes, as the registry itself takes them.
std::string joined(std::string base, std::string_view path)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            if (i > start) {
                base += '\\';
                base += path.substr(start, i - start);
            }
            start = i + 1;
        }
    }
    return base;
}

}  // namespace

std::optional<std::string> RecordingRegistry::name_of(RegHandle handle) const
{
    if (handle == root_handle(RegRoot::ClassesRoot)) return "HKEY_CLASSES_ROOT";
    if (handle == root_handle(RegRoot::CurrentUser)) return "HKEY_CURRENT_USER";
    if (handle == root_handle(RegRoot::LocalMachine)) return "HKEY_LOCAL_MACHINE";
    const auto it = open_.find(handle);
    if (it == open_.end()) return std::nullopt;
    return it->second;
}

RecordedKey* RecordingRegistry::key_of(RegHandle handle)
{
    const auto name = name_of(handle);
    if (!name) return nullptr;
    auto [it, made] = keys_.try_emplace(to_upper_ascii(*name));
    if (made) it->second.name = *name;
    return &it->second;
}

void RecordingRegistry::opened(RegHandle root, std::string_view path, long status, RegHandle result)
{
    const auto base = name_of(root);
    if (!base) return;
    const std::string name = joined(*base, path);
    // A key that refuses the access asked for still exists.
    if (status != reg::Success && status != reg::AccessDenied) return;
    auto [it, made] = keys_.try_emplace(to_upper_ascii(name));
    if (made) it->second.name = name;
    if (status == reg::AccessDenied) it->second.denied = true;
    if (status == reg::Success && result != root) open_[result] = name;
}

long RecordingRegistry::open_key(RegHandle root, std::string_view path, RegHandle* result)
{
    const long status = inner_->open_key(root, path, result);
    opened(root, path, status, result ? *result : 0);
    return status;
}

long RecordingRegistry::open_key_ex(RegHandle root, std::string_view path, std::uint32_t options, std::uint32_t access,
                                    RegHandle* result)
{
    const long status = inner_->open_key_ex(root, path, options, access, result);
    opened(root, path, status, result ? *result : 0);
    return status;
}

// The whole value, asked for by the recorder itself: the caller may only
// have asked for its size, or not for its type.
void RecordingRegistry::remember_value(RegHandle handle, RecordedKey& key, const char* name)
{
    const std::string value_name = name ? name : "";
    if (key.values.count(to_upper_ascii(value_name))) return;
    std::uint32_t type = 0, size = 0;
    if (inner_->query_value(handle, name, &type, nullptr, &size) != reg::Success) return;
    std::vector<std::uint8_t> data(size);
    std::uint32_t read = size;
    if (size && inner_->query_value(handle, name, &type, data.data(), &read) != reg::Success) return;
    data.resize(std::min(read, size));
    key.values[to_upper_ascii(value_name)] = RecordedValue{value_name, type, std::move(data)};
}

long RecordingRegistry::query_value(RegHandle handle, const char* name, std::uint32_t* type, std::uint8_t* data,
                                    std::uint32_t* size)
{
    const long status = inner_->query_value(handle, name, type, data, size);
    if (RecordedKey* key = status == reg::Success || status == reg::MoreData || status == reg::AccessDenied
                               ? key_of(handle)
                               : nullptr) {
        if (status == reg::AccessDenied) key->denied = true;
        else remember_value(handle, *key, name);
    }
    return status;
}

long RecordingRegistry::enum_key(RegHandle handle, std::uint32_t index, char* name, std::uint32_t capacity)
{
    const long status = inner_->enum_key(handle, index, name, capacity);
    if (status == reg::Success || status == reg::AccessDenied) {
        if (RecordedKey* key = key_of(handle)) {
            if (status == reg::AccessDenied) key->denied = true;
            else key->subkeys.emplace(name);
        }
    }
    return status;
}

long RecordingRegistry::close_key(RegHandle handle)
{
    const long status = inner_->close_key(handle);
    if (status == reg::Success) open_.erase(handle);
    return status;
}

}  // namespace prestova
