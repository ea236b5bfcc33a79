#include "core/file_text.hpp"

#include <cerrno>
#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>

namespace prestova {

std::optional<std::string> read_file_text(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return s.str();
}

std::string unreadable_reason(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return "no such file";
    if (status.type() == std::filesystem::file_type::directory) return "it is a folder";
    if (error) return error_reason(error.value());
    if (status.type() != std::filesystem::file_type::regular) return "it is not a regular file";
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    return in ? std::string("it could not be read to its end") : error_reason(errno);
}

std::string error_reason(int error_number)
{
    if (error_number == 0) return "the write failed";
    std::string text = std::strerror(error_number);
    if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

}  // namespace prestova
