#pragma once
// Read-only registry operations the checks use. None raises an error or
// reports a status: a read that does not succeed yields the caller's default.
#include "platform/registry.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace prestova {

// A REG_SZ value, cut at its first NUL (kept whole when it has none).
std::string ReadRegString(Registry& registry, RegRoot root, std::string_view path, std::string_view value_name,
                          std::string_view default_value);
// A REG_DWORD value, taken as signed.
std::int32_t ReadRegDword(Registry& registry, RegRoot root, std::string_view path, std::string_view value_name,
                          std::int32_t default_value);
// Names of the immediate subkeys in enumeration order, up to the first
// index that fails.
std::vector<std::string> ListRegSubkeys(Registry& registry, RegRoot root, std::string_view path);
// True when the key can be opened for querying values.
bool RegKeyExists(Registry& registry, RegRoot root, std::string_view path);

// Leading and trailing blanks removed, as every caller uses a text read.
std::string trim_blanks(std::string_view text);

}  // namespace prestova
