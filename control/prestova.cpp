#include "control/prestova.hpp"

#include "control/check_run.hpp"
#include "probes/device_colors.hpp"
#include "probes/disk_space.hpp"
#include "probes/os_identification.hpp"
#include "probes/version_text.hpp"

namespace prestova {

Prestova::Prestova(Platform platform, Panel& panel, PropertyChangeSink* change_sink)
    : platform_(platform), panel_(panel), change_sink_(change_sink)
{}

void Prestova::put(Prop prop, Variant value)
{
    members_[static_cast<std::size_t>(prop)] = std::move(value);
    if (change_sink_) change_sink_->property_changed(prop);
}

void Prestova::init_properties()
{
    members_[static_cast<std::size_t>(Prop::JavaVersion)] = Variant("1.6");
    members_[static_cast<std::size_t>(Prop::DiskSpaceMin)] = Variant::integer(500);
    members_[static_cast<std::size_t>(Prop::DiskSpaceRec)] = Variant::integer(1000);
}

void Prestova::read_properties(PropertyBag& bag)
{
    // No trap: a failing key ends the load there, earlier keys stay loaded.
    for (Prop p : persistence_order()) {
        const auto& info = property_info(p);
        members_[static_cast<std::size_t>(p)] = bag.read_property(info.bag_key, Variant(info.bag_default));
    }
}

void Prestova::write_properties(PropertyBag& bag) const
{
    for (Prop p : persistence_order()) {
        const auto& info = property_info(p);
        bag.write_property(info.bag_key, members_[static_cast<std::size_t>(p)], Variant(info.bag_default));
    }
}

float Prestova::DeviceColors(std::int32_t& hDC) { return prestova::DeviceColors(platform_.system, hDC); }

Variant Prestova::GetDiskSpace(std::string& sDrive) { return prestova::GetDiskSpace(platform_.system, sDrive); }

Variant Prestova::CutLangType(Variant& Number) { return prestova::CutLangType(Number, locale()); }

std::string Prestova::CutDecimal(Variant& Number, std::uint8_t& ByPlace)
{
    return prestova::CutDecimal(Number, ByPlace, locale());
}

std::int32_t Prestova::getVersion() { return prestova::getVersion(platform_.system); }

RunReport Prestova::show() { return run_checks(*this); }

Locale Prestova::locale() const
{
    Locale locale;
    locale.decimal_separator = platform_.system.decimal_separator();
    locale.thousands_separator = platform_.system.thousands_separator();
    locale.currency_symbol = platform_.system.currency_symbol();
    locale.short_date = platform_.system.short_date_format();
    locale.time_format = platform_.system.time_format();
    return locale;
}

}  // namespace prestova
