#include "session/control_setup.hpp"

#include "session/usage_error.hpp"
#include "session/typed_value.hpp"
#include "core/ansi.hpp"
#include "core/file_text.hpp"
#include "core/input_quote.hpp"
#include "host/hyper_jump.hpp"
#include "host/safe_control.hpp"
#include "platform/memory_property_bag.hpp"

#include <iostream>
#include <iterator>
#include <utility>

namespace prestova {

namespace {

Platform with_shell(Platform platform, Shell& shell)
{
    return Platform{platform.registry, platform.system, platform.objects, shell};
}

}  // namespace

PropertyValues page_values(const PageSettings& settings)
{
    PropertyValues values;
    // The control reads only its own properties from the bag, so a page's
    // other params need no room.
    const auto is_property = [&](std::string_view name) {
        const bool known = find_property_by_bag_key(name).has_value();
        if (!known && settings.unknown_params) {
            UnknownParams& unknown = *settings.unknown_params;
            if (unknown.names.size() < UnknownParams::kNamed) unknown.names.emplace_back(name);
            ++unknown.count;
        }
        return known;
    };
    if (settings.page)
        for (auto& [name, value] : read_page_params(read_file(*settings.page), *settings.page, is_property))
            values.emplace_back(std::move(name), Variant(std::move(value)));
    for (const auto& [name, value] : settings.params) {
        if (!find_property_by_bag_key(name))
            throw UsageError("--param: " + quote_input(name) + " is not a property of the control");
        values.emplace_back(name, typed_value(value));
    }
    return values;
}

namespace {

void bring_up(ControlSession& session, const PropertyValues& values, bool init)
{
    if (init) {
        session.control.init_properties();
        for (const auto& [name, value] : values)
            if (const auto prop = find_property_by_bag_key(name)) session.control.put(*prop, value);
    } else {
        MemoryPropertyBag bag;
        for (const auto& [name, value] : values) bag.set(name, value);
        session.control.read_properties(bag);
    }
}

}  // namespace

ControlSession::ControlSession(std::unique_ptr<Machine> m, Platform platform, std::string name)
    : machine(std::move(m)), shell(platform.shell), control(with_shell(platform, shell), panel),
      machine_name(std::move(name))
{}

std::string read_file(const std::string& path)
{
    if (path == "-") {
        // Standard input can be read once; every later use sees the same page.
        static const std::string piped((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
        return piped;
    }
    auto text = read_file_text(path);
    if (!text) throw InputError("cannot read " + path + ": " + unreadable_reason(path));
    return std::move(*text);
}

std::unique_ptr<ControlSession> ControlSession::open(std::unique_ptr<Machine> machine, const PageSettings& settings)
{
    const PropertyValues values = page_values(settings);
    return start(std::move(machine), values, settings.init);
}

std::unique_ptr<ControlSession> ControlSession::open(Platform platform, std::string machine_name,
                                                     const PageSettings& settings)
{
    const PropertyValues values = page_values(settings);
    return launch(nullptr, platform, std::move(machine_name), values, settings.init);
}

std::unique_ptr<ControlSession> ControlSession::open(Platform platform, std::string machine_name,
                                                     const PropertyValues& values, bool init)
{
    return launch(nullptr, platform, std::move(machine_name), values, init);
}

std::unique_ptr<ControlSession> ControlSession::open(const std::string& machine_file,
                                                     const std::optional<std::string>& page_file,
                                                     const std::vector<std::pair<std::string, std::string>>& params,
                                                     bool init, UnknownParams* unknown_params)
{
    // A bad page or --param is reported before the machine is read.
    const PropertyValues values = page_values(PageSettings{page_file, params, init, unknown_params});
    return start(open_machine(machine_file), values, init);
}

std::unique_ptr<ControlSession> ControlSession::start(std::unique_ptr<Machine> machine, const PropertyValues& values,
                                                      bool init)
{
    const Platform platform = machine->platform();
    std::string name = machine->name();
    return launch(std::move(machine), platform, std::move(name), values, init);
}

std::unique_ptr<ControlSession> ControlSession::launch(std::unique_ptr<Machine> machine, Platform platform,
                                                       std::string machine_name, const PropertyValues& values,
                                                       bool init)
{
    safe_control_startup();  // the component's start-up on this thread
    // A page that loads the control starts in a process of its own: the
    // default browser a click found on an earlier machine is not this one's.
    forget_default_browser();
    auto session = std::make_unique<ControlSession>(std::move(machine), platform, std::move(machine_name));
    bring_up(*session, values, init);
    return session;
}

}  // namespace prestova
