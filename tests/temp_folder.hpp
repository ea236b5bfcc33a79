#pragma once
// The one way a test gets somewhere to write files: a folder of its own under
// the system's temporary directory, removed with all it holds when the
// TempFolder goes. mkdtemp makes it, named after the running test and made
// unique in one step, so no two tests, repeats of a test or processes
// running at once (ctest -j, --repeat) ever share one.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
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
    static std::filesystem::path make()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = info ? std::string(info->test_suite_name()).append(".").append(info->name()) : "no-test";
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-') c = '_';
        name.resize(std::min<std::size_t>(name.size(), 100));
        std::string path = (std::filesystem::temp_directory_path() / ("prestova-" + name + "-XXXXXX")).string();
        if (!::mkdtemp(path.data())) throw std::system_error(errno, std::generic_category(), "mkdtemp " + path);
        return path;
    }

    std::filesystem::path path_;
};

}  // namespace prestova::testing
