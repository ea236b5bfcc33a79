// The component's sources written from the member table are committed as it
// writes them: the Windows build compiles those files, so a table changed
// without rewriting them would ship a type library that disagrees with
// dispatch.
#include "tools/interface_sources.hpp"

#include "tests/committed_source_support.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using prestova::testing::first_difference;
using prestova::testing::read_committed_file;

const std::string kRegenerate =
    std::string("cmake --build ").append(PRESTOVA_BUILD_DIR).append(" --target interface_sources");

TEST(InterfaceSources, CommittedFilesAreWhatTheMemberTableWrites)
{
    for (const auto& source : prestova::generated_sources()) {
        const std::string path = std::string(PRESTOVA_SOURCE_DIR).append("/").append(source.path);
        const std::string committed = read_committed_file(path);
        ASSERT_FALSE(committed.empty()) << "cannot read " << path;
        const std::string written = source.text();
        EXPECT_TRUE(committed == written)
            << source.path << " differs from what the member table gives, at " << first_difference(committed, written)
            << "\nRegenerate it with: " << kRegenerate;
    }
}

}  // namespace
