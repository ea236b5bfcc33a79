#pragma once
// Reading a registry export (.reg) as regedit writes it: "REGEDIT4" or
// "Windows Registry Editor Version 5.00", plain, UTF-8 or UTF-16 text.
// Time is linear in the input; memory holds the tree and one line.
#include "platform/simulated/profile_error.hpp"
#include "platform/simulated/registry_tree.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace prestova {

// The largest registry file read, 1 GiB: more than a whole machine's export.
inline constexpr std::uint64_t kMaxRegFileBytes = std::uint64_t{1} << 30;

// Throws ProfileError naming file_name and the line for anything malformed,
// a key or value name beyond Windows' limits (see registry_tree.hpp) or
// with a NUL in it, or more than kMaxRegFileBytes.
RegistryTree parse_reg_text(std::string_view bytes, std::string_view file_name);

// The same, reading the file block_size bytes at a time (1 MiB; tests use
// tiny blocks). nullopt when it is not a regular file or cannot be opened.
std::optional<RegistryTree> read_reg_file(const std::filesystem::path& path, std::string_view file_name,
                                          std::size_t block_size = std::size_t{1} << 20);

}  // namespace prestova
