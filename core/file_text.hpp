#pragma once
// A whole file as bytes, for the readers of profiles, registry exports and pages.
#include <filesystem>
#include <optional>
#include <string>

namespace prestova {

// Nothing when the path is not a regular file or cannot be read.
std::optional<std::string> read_file_text(const std::filesystem::path& path);

}  // namespace prestova
