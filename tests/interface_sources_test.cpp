// The component's sources written from the member table are committed as it
// writes them: the Windows build compiles those files, so a table changed
// without rewriting them would ship a type library that disagrees with
// dispatch.
#include "control/interface_sources.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

const std::string kRegenerate =
    std::string("cmake --build ").append(PRESTOVA_BUILD_DIR).append(" --target interface_sources");

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first line where the texts part, numbered from 1, with both versions.
std::string first_difference(const std::string& committed, const std::string& written)
{
    std::istringstream a(committed), b(written);
    std::string left, right;
    for (int line = 1;; ++line) {
        const bool more_left = static_cast<bool>(std::getline(a, left));
        const bool more_right = static_cast<bool>(std::getline(b, right));
        if (!more_left && !more_right) return "the end of the last line";
        if (!more_left) left = "(end of file)";
        if (!more_right) right = "(end of file)";
        if (left != right || !more_left || !more_right)
            return std::string("line ").append(std::to_string(line)).append(":\n  committed: ").append(left)
                .append("\n  from table: ").append(right);
    }
}

TEST(InterfaceSources, CommittedFilesAreWhatTheMemberTableWrites)
{
    for (const auto& source : prestova::generated_sources()) {
        const std::string path = std::string(PRESTOVA_SOURCE_DIR).append("/").append(source.path);
        const std::string committed = read_file(path);
        ASSERT_FALSE(committed.empty()) << "cannot read " << path;
        const std::string written = source.text();
        EXPECT_TRUE(committed == written) << source.path << " differs from what the member table gives, at "
                                          << first_difference(committed, written)
                                          << "\nRegenerate it with: " << kRegenerate;
    }
}

} // namespace
