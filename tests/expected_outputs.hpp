#pragma once
// Outputs checked against a file of expected outputs: "=== NAME" lines, each
// followed by that case's text. With PRESTOVA_UPDATE_CASES set (the
// update_cases target) the file is written from what the cases give instead,
// for review with git diff.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

namespace prestova::testing {

class ExpectedOutputs {
public:
    explicit ExpectedOutputs(std::filesystem::path file) : file_(std::move(file))
    {
        std::ifstream in(file_, std::ios::binary);
        std::string* current = nullptr;
        for (std::string line; std::getline(in, line);)
            if (line.starts_with("=== ")) current = &expected_[line.substr(4)];
            else if (current) *current += line + "\n";
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
