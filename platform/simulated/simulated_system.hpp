#pragma once
// Version record, screen, device capabilities, memory and disk space,
// answered from a machine profile.
#include "platform/simulated/machine_profile.hpp"
#include "platform/system_info.hpp"

#include <map>

namespace prestova {

class SimulatedSystem final : public SystemInfo {
public:
    explicit SimulatedSystem(const MachineProfile& profile) : profile_(&profile) {}

    bool get_version(OsVersionInfo& info) override;
    ScreenSize screen_size() override;
    std::int32_t control_device_context() override { return profile_->device_context; }
    int device_caps(std::int32_t device_context, int index) override;
    bool memory_status(MemoryStatus& status) override;
    bool disk_free_space(std::string_view directory, DiskFreeSpace& space) override;
    char decimal_separator() override { return profile_->decimal_separator; }
    char thousands_separator() override { return profile_->thousands_separator; }
    std::string currency_symbol() override { return profile_->currency_symbol; }
    std::string short_date_format() override { return profile_->short_date; }
    std::string time_format() override { return profile_->time_format; }

    // How often the version was asked for with a record of this size,
    // answered or not.
    int version_calls(std::uint32_t record_size) const;

private:
    const MachineProfile* profile_;
    std::map<std::uint32_t, int> version_calls_;
};

}  // namespace prestova
