#include "platform/simulated/registry_tree.hpp"

namespace prestova {

std::string upper_ascii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

RegKey* RegKey::find_subkey(std::string_view n)
{
    const auto it = subkeys.find(upper_ascii(n));
    return it == subkeys.end() ? nullptr : &it->second;
}

const RegKey* RegKey::find_subkey(std::string_view n) const
{
    const auto it = subkeys.find(upper_ascii(n));
    return it == subkeys.end() ? nullptr : &it->second;
}

RegKey& RegKey::subkey(std::string_view n)
{
    auto [it, made] = subkeys.try_emplace(upper_ascii(n));
    if (made) it->second.name = std::string(n);
    return it->second;
}

const RegValue* RegKey::find_value(std::string_view n) const
{
    const auto it = values.find(upper_ascii(n));
    return it == values.end() ? nullptr : &it->second;
}

void RegKey::set_value(RegValue value)
{
    // A value written again keeps the case of its first spelling, as regedit does.
    auto [it, made] = values.try_emplace(upper_ascii(value.name));
    if (!made) value.name = it->second.name;
    it->second = std::move(value);
}

void RegKey::remove_value(std::string_view n) { values.erase(upper_ascii(n)); }

std::vector<std::string> split_key_path(std::string_view path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            if (i > start) parts.emplace_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::optional<KeyName> parse_key_name(std::string_view full)
{
    auto parts = split_key_path(full);
    if (parts.empty()) return std::nullopt;
    const std::string root = upper_ascii(parts.front());
    parts.erase(parts.begin());
    KeyName name;
    if (root == "HKEY_LOCAL_MACHINE" || root == "HKLM") name.hive = Hive::LocalMachine;
    else if (root == "HKEY_CLASSES_ROOT" || root == "HKCR") name.parts = {"SOFTWARE", "Classes"};
    else if (root == "HKEY_CURRENT_USER" || root == "HKCU") name.hive = Hive::CurrentUser;
    else if (root == "HKEY_USERS" || root == "HKU") name.hive = Hive::Users;
    else if (root == "HKEY_CURRENT_CONFIG" || root == "HKCC") name.hive = Hive::CurrentConfig;
    else return std::nullopt;
    name.parts.insert(name.parts.end(), parts.begin(), parts.end());
    return name;
}

std::string canonical_key_text(const KeyName& name)
{
    static constexpr const char* hive_names[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_USERS",
                                                 "HKEY_CURRENT_CONFIG"};
    std::string text = hive_names[static_cast<int>(name.hive)];
    for (const auto& part : name.parts) {
        text += '\\';
        text += upper_ascii(part);
    }
    return text;
}

RegKey& RegistryTree::hive(Hive h) { return hives_[h]; }

const RegKey* RegistryTree::find_hive(Hive h) const
{
    const auto it = hives_.find(h);
    return it == hives_.end() ? nullptr : &it->second;
}

RegKey* RegistryTree::find(const KeyName& name)
{
    RegKey* key = &hive(name.hive);
    for (const auto& part : name.parts) {
        key = key->find_subkey(part);
        if (!key) return nullptr;
    }
    return key;
}

RegKey& RegistryTree::make(const KeyName& name)
{
    RegKey* key = &hive(name.hive);
    for (const auto& part : name.parts) key = &key->subkey(part);
    return *key;
}

void RegistryTree::remove(const KeyName& name)
{
    if (name.parts.empty()) return;
    KeyName parent = name;
    parent.parts.pop_back();
    if (RegKey* p = find(parent)) p->subkeys.erase(upper_ascii(name.parts.back()));
}

} // namespace prestova
