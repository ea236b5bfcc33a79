#include "apps/prestova/output_file.hpp"

#include "core/file_text.hpp"
#include "session/page_params.hpp"
#include "session/usage_error.hpp"

#include <cerrno>
#include <ostream>
#include <random>

namespace prestova {

namespace fs = std::filesystem;

void refuse_to_overwrite(const fs::path& path, const std::vector<std::string>& inputs, const std::string& option)
{
    for (const auto& input : inputs) {
        std::error_code error;
        if (!input.empty() && input != "-" && fs::equivalent(path, input, error))
            throw UsageError(option + " " + path.string() + " is the input " + input + ": it would be overwritten");
    }
}

OutputFile::OutputFile(const std::optional<std::string>& path, std::ostream& standard_output,
                       const std::vector<std::string>& inputs)
    : standard_output_(standard_output)
{
    if (!path || *path == "-") return;
    target_ = *path;
    refuse_to_overwrite(target_, inputs, "--output");
    std::error_code error;
    if (fs::is_directory(target_, error)) throw InputError("cannot write " + *path + ": it is a folder");
    // A device, a pipe or a link (/dev/null, /dev/stdout) is written as it
    // is: renaming a file over it would replace the device or the link.
    const auto type = fs::symlink_status(target_, error).type();
    if (type != fs::file_type::not_found && type != fs::file_type::regular) {
        errno = 0;
        file_.open(target_, std::ios::binary);
        if (!file_) throw InputError("cannot write " + *path + ": " + error_reason(errno));
        return;
    }
    // Beside the target, so that the rename stays on one file system.
    const auto suffix = std::to_string(std::random_device{}() % 1000000);
    temporary_ = target_.parent_path() /
                 std::string(".").append(target_.filename().string()).append(".").append(suffix).append(".tmp");
    errno = 0;
    file_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!file_) throw InputError("cannot write " + *path + ": " + error_reason(errno));
}

OutputFile::~OutputFile()
{
    if (temporary_.empty()) return;
    file_.close();
    std::error_code ignored;
    fs::remove(temporary_, ignored);
}

fs::path OutputFile::folder() const
{
    return target_.empty() ? fs::current_path() : fs::absolute(target_).parent_path();
}

namespace {

// Flushes the stream and gives why it failed: a write that failed before now
// (the disk filled up mid-way) left its reason in errno; a failing flush
// sets its own.
int flush_error(std::ostream& stream)
{
    const bool failed_before = !stream;
    const int earlier_error = errno;
    errno = 0;
    stream.flush();
    return failed_before || errno == 0 ? earlier_error : errno;
}

}  // namespace

void OutputFile::commit()
{
    if (target_.empty()) {
        const int error_number = flush_error(standard_output_);
        if (!standard_output_) throw InputError("cannot write standard output: " + error_reason(error_number));
        return;
    }
    const int error_number = flush_error(file_);
    file_.close();
    if (!file_) throw InputError("cannot write " + target_.string() + ": " + error_reason(error_number));
    if (temporary_.empty()) return;  // written in place
    std::error_code error;
    fs::rename(temporary_, target_, error);
    if (error && fs::exists(target_)) {  // Windows renames nothing onto an existing file
        fs::remove(target_, error);
        fs::rename(temporary_, target_, error);
    }
    if (error) throw InputError("cannot write " + target_.string() + ": " + error_reason(error.value()));
    temporary_.clear();
}

}  // namespace prestova
