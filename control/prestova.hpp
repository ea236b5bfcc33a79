#pragma once
// The control object: forty property members, their persistence, the
// public methods a page may call, and the check run raised by Show.
#include "checks/run_context.hpp"
#include "checks/run_report.hpp"
#include "control/property_change_sink.hpp"
#include "core/variant.hpp"
#include "design/properties.hpp"
#include "platform/panel.hpp"
#include "platform/platform.hpp"
#include "platform/property_bag.hpp"

#include <array>

namespace prestova {

class Prestova : public RunSubject {
public:
    Prestova(Platform platform, Panel& panel, PropertyChangeSink* change_sink = nullptr);

    // Property accessors: reading hands back a copy of whatever the member
    // holds; writing stores the value unchanged and tells the host.
    Variant get(Prop prop) const override { return members_[static_cast<std::size_t>(prop)]; }
    void put(Prop prop, Variant value);

    // Persistence events.
    void init_properties();
    // Every member empty again, as a new control's before InitProperties.
    void clear_properties() { members_ = {}; }
    void read_properties(PropertyBag& bag);
    void write_properties(PropertyBag& bag) const;

    // The public methods a page's script may call.
    float DeviceColors(std::int32_t& hDC);
    Variant GetDiskSpace(std::string& sDrive);
    Variant CutLangType(Variant& Number);
    std::string CutDecimal(Variant& Number, std::uint8_t& ByPlace);
    std::int32_t getVersion();

    // The Show event: one whole check run.
    RunReport show();

    Platform& platform() override { return platform_; }
    Panel& panel() override { return panel_; }
    // The user's number settings, asked of the system at each use.
    Locale locale() const override;

private:
    Platform platform_;
    Panel& panel_;
    PropertyChangeSink* change_sink_;
    std::array<Variant, kPropertyCount> members_{};
};

}  // namespace prestova
