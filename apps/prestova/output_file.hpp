#pragma once
// Where a command writes: standard output (no name, or "-"), or a file that
// is written under a temporary name beside it and renamed into place only
// when complete, so that a run that fails leaves what was there before.
#include <filesystem>
#include <fstream>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace prestova {

class OutputFile {
public:
    // Throws UsageError when path is one of inputs (the same file, however
    // named), InputError when the file cannot be made.
    OutputFile(const std::optional<std::string>& path, std::ostream& standard_output,
               const std::vector<std::string>& inputs);
    ~OutputFile();  // an unfinished temporary file goes
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::ostream& stream() { return file_.is_open() ? file_ : standard_output_; }
    // Where links in the output are relative to.
    std::filesystem::path folder() const;
    // Renames the file into place; throws InputError with the reason when
    // any write failed.
    void commit();

private:
    std::ostream& standard_output_;
    std::filesystem::path target_, temporary_;
    std::ofstream file_;
};

// Throws UsageError when path names one of inputs (by device and inode, not
// by name); option is what named it, for the message.
void refuse_to_overwrite(const std::filesystem::path& path, const std::vector<std::string>& inputs,
                         const std::string& option);

}  // namespace prestova
