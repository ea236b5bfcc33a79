#pragma once
// The platform services on the real Windows calls.
#include "platform/platform.hpp"

namespace prestova {

class Win32Registry final : public Registry {
public:
    long open_key(RegHandle root, std::string_view path, RegHandle* result) override;
    long open_key_ex(RegHandle root, std::string_view path, std::uint32_t options, std::uint32_t access,
                     RegHandle* result) override;
    long query_value(RegHandle key, const char* name, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size) override;
    long enum_key(RegHandle key, std::uint32_t index, char* name, std::uint32_t capacity) override;
    long close_key(RegHandle key) override;
};

class Win32System final : public SystemInfo {
public:
    // The window the control draws in; 0 uses the screen's device context.
    explicit Win32System(void* window = nullptr) : window_(window) {}
    ~Win32System() override;
    Win32System(const Win32System&) = delete;
    Win32System& operator=(const Win32System&) = delete;

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

private:
    void* window_;
    void* device_context_ = nullptr;  // taken once, so repeated asks leak nothing
};

class Win32Objects final : public ObjectFactory {
public:
    bool try_create(std::string_view prog_id) override;
};

class Win32Shell final : public Shell {
public:
    std::intptr_t execute(std::string_view file, std::string_view parameters, int show_command) override;
};

struct Win32Machine {
    Win32Registry registry;
    Win32System system;
    Win32Objects objects;
    Win32Shell shell;
    Platform platform() { return Platform{registry, system, objects, shell}; }
};

}  // namespace prestova
