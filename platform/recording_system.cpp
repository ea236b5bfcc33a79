#include "platform/recording_system.hpp"

namespace prestova {

bool RecordingSystem::get_version(OsVersionInfo& info)
{
    const bool answered = inner_->get_version(info);
    versions_[info.size] = answered ? std::optional<OsVersionInfo>(info) : std::nullopt;
    return answered;
}

ScreenSize RecordingSystem::screen_size() { return *(screen_ = inner_->screen_size()); }

std::int32_t RecordingSystem::control_device_context() { return *(device_context_ = inner_->control_device_context()); }

int RecordingSystem::device_caps(std::int32_t device_context, int index)
{
    return caps_[{device_context, index}] = inner_->device_caps(device_context, index);
}

bool RecordingSystem::memory_status(MemoryStatus& status)
{
    const bool answered = inner_->memory_status(status);
    memory_ = answered ? std::optional<MemoryStatus>(status) : std::nullopt;
    return answered;
}

bool RecordingSystem::disk_free_space(std::string_view directory, DiskFreeSpace& space)
{
    const bool answered = inner_->disk_free_space(directory, space);
    disks_[std::string(directory)] = answered ? std::optional<DiskFreeSpace>(space) : std::nullopt;
    return answered;
}

char RecordingSystem::decimal_separator() { return *(separator_ = inner_->decimal_separator()); }

char RecordingSystem::thousands_separator() { return *(thousands_ = inner_->thousands_separator()); }

std::string RecordingSystem::currency_symbol() { return *(currency_ = inner_->currency_symbol()); }

std::string RecordingSystem::short_date_format() { return *(date_picture_ = inner_->short_date_format()); }

std::string RecordingSystem::time_format() { return *(time_picture_ = inner_->time_format()); }

}  // namespace prestova
