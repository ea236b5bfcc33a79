#include "session/machine_snapshot.hpp"

#include "session/control_setup.hpp"
#include "core/ascii_case.hpp"
#include "core/variant.hpp"
#include "host/download_links.hpp"
#include "host/hyper_jump.hpp"
#include "platform/recording_objects.hpp"
#include "platform/recording_registry.hpp"
#include "platform/recording_system.hpp"

#include <algorithm>
#include <cmath>

namespace prestova {

namespace {

constexpr std::int32_t kMaxScreen = 100000;  // what a profile's [screen] takes
constexpr std::int32_t kMaxTwipsPerPixel = 1440;

// The facts a profile needs that the run may not have asked for: the version
// record of both sizes, the screen, the colour depth, memory, drive C:, the
// number, date and time settings. Asking twice is harmless: nothing here
// changes state.
void ask_the_rest(RecordingSystem& system)
{
    for (const std::uint32_t size : {OsVersionInfo::BasicSize, OsVersionInfo::ExtendedSize}) {
        if (system.versions().count(size)) continue;
        OsVersionInfo info;
        info.size = size;
        system.get_version(info);
    }
    if (!system.screen()) system.screen_size();
    const std::int32_t dc = system.device_context() ? *system.device_context() : system.control_device_context();
    for (const int index : {devcaps::BitsPixel, devcaps::Planes})
        if (!system.caps().count({dc, index})) system.device_caps(dc, index);
    if (!system.memory()) {
        MemoryStatus status;
        status.length = 64;
        system.memory_status(status);
    }
    if (system.disks().empty()) {
        DiskFreeSpace space;
        system.disk_free_space("C:\\", space);
    }
    if (!system.separator()) system.decimal_separator();
    if (!system.thousands()) system.thousands_separator();
    if (!system.currency()) system.currency_symbol();
    if (!system.date_picture()) system.short_date_format();
    if (!system.time_picture()) system.time_format();
}

void take_version(const RecordingSystem& system, MachineProfile& p)
{
    const auto& versions = system.versions();
    const auto extended = versions.find(OsVersionInfo::ExtendedSize);
    const auto basic = versions.find(OsVersionInfo::BasicSize);
    const bool has_extended = extended != versions.end() && extended->second;
    p.extended_record = has_extended;
    const OsVersionInfo* info = has_extended                               ? &*extended->second
                                : basic != versions.end() && basic->second ? &*basic->second
                                                                           : nullptr;
    if (!info) {
        // A system that answers no version request reads as platform 0, as
        // the zeroed record does.
        p.platform_id = p.major = p.minor = p.build = 0;
        return;
    }
    p.platform_id = info->platform_id;
    p.major = info->major;
    p.minor = info->minor;
    p.build = info->build;
    const auto& sp = info->service_pack;
    p.service_pack.assign(sp.data(), std::find(sp.begin(), sp.end() - 1, '\0'));
    if (has_extended) {
        p.service_pack_major = info->service_pack_major;
        p.service_pack_minor = info->service_pack_minor;
        p.product_type = info->product_type;
    }
}

// In whole pixels as the display check counts them: twips and twips per
// pixel each rounded, then divided.
std::uint32_t pixels(double twips, std::int32_t per_pixel)
{
    return static_cast<std::uint32_t>(std::clamp(to_int32(twips) / per_pixel, 1, kMaxScreen));
}

void take_screen(const RecordingSystem& system, MachineProfile& p)
{
    const ScreenSize screen = *system.screen();
    const std::int32_t per_pixel = std::clamp(to_int32(screen.twips_per_pixel_x), 1, kMaxTwipsPerPixel);
    p.twips_per_pixel = static_cast<std::uint32_t>(per_pixel);
    p.width = pixels(screen.width_twips, per_pixel);
    p.height = pixels(screen.height_twips, per_pixel);
    const std::int32_t dc = *system.device_context();
    if (dc > 0) p.device_context = dc;
    const auto cap = [&](int index) { return std::max(0, system.caps().at({dc, index})); };
    p.bits_per_pixel = cap(devcaps::BitsPixel);
    p.planes = cap(devcaps::Planes);
}

void take_disks(const RecordingSystem& system, MachineProfile& p)
{
    for (const auto& [directory, space] : system.disks()) {
        if (!space || directory.size() < 2 || directory[1] != ':') continue;
        const char letter = to_upper_ascii(directory[0]);
        if (letter < 'A' || letter > 'Z') continue;
        p.free_bytes[letter] = space->free_to_caller;
        p.total_bytes[letter] = std::max(space->total, space->free_to_caller);
    }
}

void take_registry(const RecordingRegistry& registry, MachineProfile& p)
{
    for (const auto& [upper_name, recorded] : registry.keys()) {
        const auto name = parse_key_name(recorded.name);
        if (!name) continue;  // a root the profile cannot hold
        RegKey& key = p.registry.make(*name);
        for (const auto& [value_name, value] : recorded.values) key.set_value({value.name, value.type, value.data});
        for (const auto& sub : recorded.subkeys) key.subkey(sub);
        if (recorded.denied) p.denied_keys.push_back(recorded.name);
    }
}

template <typename T>
void add_once(std::vector<T>& items, const T& item)
{
    if (std::find(items.begin(), items.end(), item) == items.end()) items.push_back(item);
}

}  // namespace

MachineProfile take_snapshot(Machine& machine)
{
    const Platform real = machine.platform();
    RecordingRegistry registry(real.registry);
    RecordingSystem system(real.system);
    RecordingObjects objects(real.objects);

    // The session starts with no browser remembered, so the click looks it up in this registry.
    auto session = ControlSession::open(Platform{registry, system, objects, machine.dry_run_shell()}, machine.name(),
                                        PageSettings{std::nullopt, {}, true});
    session->control.show();
    click_link(session->control, ControlId::explorerLink);

    MachineProfile p;
    ask_the_rest(system);
    take_version(system, p);
    take_screen(system, p);
    if (const auto& memory = system.memory(); memory && *memory) p.total_physical = (*memory)->total_physical;
    take_disks(system, p);
    for (const auto& [prog_id, created] : objects.attempts())
        if (created) add_once(p.creatable, prog_id);
    p.decimal_separator = *system.separator();
    p.thousands_separator = *system.thousands();
    p.currency_symbol = *system.currency();
    p.short_date = *system.date_picture();
    p.time_format = *system.time_picture();
    for (const auto& request : session->shell.requests())
        if (request.result > 32) add_once(p.programs, request.file);
    take_registry(registry, p);
    forget_default_browser();  // the dry run's lookup is no one else's
    return p;
}

}  // namespace prestova
