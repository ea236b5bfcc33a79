#pragma once
// A whole file as bytes, for the readers of profiles, registry exports and
// pages, and what to tell a person when a file cannot be read or written.
#include <filesystem>
#include <optional>
#include <string>

namespace prestova {

// Nothing when the path is not a regular file or cannot be read.
std::optional<std::string> read_file_text(const std::filesystem::path& path);

// Why read_file_text gave nothing: "no such file", "it is a folder",
// "permission denied" and the like.
std::string unreadable_reason(const std::filesystem::path& path);

// An errno value in words ("no space left on device"); for 0, "the write
// failed".
std::string error_reason(int error_number);

}  // namespace prestova
