#pragma once
// The system services seen through a recorder: every answer the services
// underneath gave is kept, so a check run's view of the machine can be
// written out as a machine profile.
#include "platform/system_info.hpp"

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace prestova {

class RecordingSystem final : public SystemInfo {
public:
    explicit RecordingSystem(SystemInfo& inner) : inner_(&inner) {}

    bool get_version(OsVersionInfo& info) override;
    ScreenSize screen_size() override;
    std::int32_t control_device_context() override;
    int device_caps(std::int32_t device_context, int index) override;
    bool memory_status(MemoryStatus& status) override;
    bool disk_free_space(std::string_view directory, DiskFreeSpace& space) override;
    char decimal_separator() override;
    char thousands_separator() override;
    std::string currency_symbol() override;
    std::string short_date_format() override;
    std::string time_format() override;

    // By record size; nullopt where the request was refused.
    const std::map<std::uint32_t, std::optional<OsVersionInfo>>& versions() const { return versions_; }
    const std::optional<ScreenSize>& screen() const { return screen_; }
    const std::optional<std::int32_t>& device_context() const { return device_context_; }
    // By device context and index.
    const std::map<std::pair<std::int32_t, int>, int>& caps() const { return caps_; }
    // nullopt once the memory query failed.
    const std::optional<std::optional<MemoryStatus>>& memory() const { return memory_; }
    // By directory as asked; nullopt where the query failed.
    const std::map<std::string, std::optional<DiskFreeSpace>>& disks() const { return disks_; }
    const std::optional<char>& separator() const { return separator_; }
    const std::optional<char>& thousands() const { return thousands_; }
    const std::optional<std::string>& currency() const { return currency_; }
    const std::optional<std::string>& date_picture() const { return date_picture_; }
    const std::optional<std::string>& time_picture() const { return time_picture_; }

private:
    SystemInfo* inner_;
    std::map<std::uint32_t, std::optional<OsVersionInfo>> versions_;
    std::optional<ScreenSize> screen_;
    std::optional<std::int32_t> device_context_;
    std::map<std::pair<std::int32_t, int>, int> caps_;
    std::optional<std::optional<MemoryStatus>> memory_;
    std::map<std::string, std::optional<DiskFreeSpace>> disks_;
    std::optional<char> separator_;
    std::optional<char> thousands_;
    std::optional<std::string> currency_;
    std::optional<std::string> date_picture_;
    std::optional<std::string> time_picture_;
};

}  // namespace prestova
