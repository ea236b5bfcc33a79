#pragma once
// Files of named blocks ("=== NAME" lines, each followed by its lines), the
// form of case files and of expected outputs; and outputs checked against a
// file of expected outputs. With PRESTOVA_UPDATE_CASES set (the update_cases
// target) that file is written from what the cases give instead, for review
// with git diff.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace prestova::testing {

struct NamedBlocks {
    std::vector<std::string> preamble;  // the lines before the first name
    std::vector<std::pair<std::string, std::vector<std::string>>> blocks;
};

inline NamedBlocks read_named_blocks(const std::filesystem::path& file)
{
    NamedBlocks out;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("=== ")) out.blocks.push_back({line.substr(4), {}});
        else (out.blocks.empty() ? out.preamble : out.blocks.back().second).push_back(std::move(line));
    return out;
}

class ExpectedOutputs {
public:
    explicit ExpectedOutputs(std::filesystem::path file) : file_(std::move(file))
    {
        for (const auto& [name, lines] : read_named_blocks(file_).blocks)
            for (const std::string& line : lines) expected_[name] += line + "\n";
    }
    ExpectedOutputs(const ExpectedOutputs&) = delete;
    ExpectedOutputs& operator=(const ExpectedOutputs&) = delete;
    ~ExpectedOutputs()
    {
        if (updating()) std::ofstream(file_, std::ios::binary) << written_;
    }

    void check(const std::string& name, const std::string& shown)
    {
        written_ += "=== " + name + "\n" + shown;
        if (updating()) return;
        const auto it = expected_.find(name);
        if (it == expected_.end()) {
            ADD_FAILURE() << file_.filename() << ": " << name << " has no expected output";
        } else {
            EXPECT_EQ(shown, it->second) << file_.filename() << ": " << name;
        }
    }

private:
    static bool updating() { return std::getenv("PRESTOVA_UPDATE_CASES") != nullptr; }

    std::filesystem::path file_;
    std::map<std::string, std::string> expected_;
    std::string written_;
};

}  // namespace prestova::testing
