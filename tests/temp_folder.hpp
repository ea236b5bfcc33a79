#pragma once
// The one way a test gets somewhere to write files: a folder of its own under
// the system's temporary directory, made fresh for it and removed with all it
// holds when the TempFolder goes. Nothing is shared between tests, between
// repeats of a test or between processes running at once (ctest -j, --repeat):
//
//   prestova-<Suite>.<Test>-<pid>-<count>-<random>
//
// and the folder is made with one mkdir, which only one caller can win, so two
// processes that picked the same name could still never share it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace prestova::testing {

class TempFolder {
public:
    TempFolder() : path_(make()) {}
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Where a file of this name goes in the folder; nothing is made.
    std::filesystem::path file(std::string_view name) const { return path_ / name; }

    // Writes the bytes to the named file in the folder and returns its path.
    std::filesystem::path write(std::string_view name, std::string_view bytes) const
    {
        const std::filesystem::path to = file(name);
        std::ofstream out(to, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) throw std::runtime_error("cannot write " + to.string());
        return to;
    }

private:
    // The running test's suite and name, kept to characters any file system takes.
    static std::string test_name()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "no-test";
        for (char& c : name) {
            const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                               c == '-' || c == '_';
            if (!plain) c = '_';
        }
        if (name.size() > 100) name.resize(100);
        return name;
    }

    static std::filesystem::path make()
    {
        static std::atomic<unsigned> made{0};
        std::random_device entropy;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        const std::string stem = "prestova-" + test_name() + "-" + std::to_string(::getpid()) + "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::ostringstream name;
            name << stem << made++ << "-" << std::hex << (std::uint64_t{entropy()} << 32 | std::uint64_t{entropy()});
            const std::filesystem::path candidate = base / name.str();
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                std::filesystem::permissions(candidate, std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::replace, error);
                return candidate;
            }
            // Someone else's already: try another name. Anything else is real.
            if (error && error != std::errc::file_exists)
                throw std::filesystem::filesystem_error("cannot make a temporary folder", candidate, error);
        }
        throw std::runtime_error("cannot make a temporary folder under " + base.string());
    }

    std::filesystem::path path_;
};

}  // namespace prestova::testing
