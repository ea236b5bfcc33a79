// The tests' own temporary folders: one each, named for the test, private,
// and gone with everything in them afterwards.
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;
using prestova::testing::TempFolder;

TEST(TempFolder, IsANewEmptyFolderNamedForTheTestUnderTheTemporaryDirectory)
{
    const TempFolder folder;
    EXPECT_TRUE(fs::is_directory(folder.path()));
    EXPECT_TRUE(fs::is_empty(folder.path()));
    EXPECT_EQ(folder.path().parent_path(), fs::temp_directory_path());
    const std::string name = folder.path().filename().string();
    EXPECT_EQ(name.rfind("prestova-TempFolder.IsANewEmptyFolderNamedForTheTestUnderTheTemporaryDirectory-", 0), 0u)
        << name;
    EXPECT_EQ(fs::status(folder.path()).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST(TempFolder, EachOneIsItsOwn)
{
    const TempFolder a, b;
    EXPECT_NE(a.path(), b.path());
    a.write("same.txt", "a");
    b.write("same.txt", "b");
    std::ifstream in(a.file("same.txt"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), "a");
}

TEST(TempFolder, WritesBytesAsTheyAre)
{
    const TempFolder folder;
    const std::string bytes("a\r\n\0b", 5);
    const fs::path file = folder.write("raw.bin", bytes);
    EXPECT_EQ(file, folder.file("raw.bin"));
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), bytes);
}

TEST(TempFolder, IsRemovedWithWhatItHolds)
{
    fs::path kept;
    {
        const TempFolder folder;
        kept = folder.path();
        folder.write("file.txt", "text");
        fs::create_directories(folder.file("sub") / "deeper");
        folder.write("sub/deeper/file.txt", "text");
    }
    EXPECT_FALSE(fs::exists(kept));
}

}  // namespace
