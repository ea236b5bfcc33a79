#include "apps/prestova/control_setup.hpp"

#include "apps/prestova/check_options.hpp"
#include "core/ansi.hpp"
#include "host/safe_control.hpp"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace prestova {

ControlSession::ControlSession(MachineProfile profile, std::string name)
    : machine(std::move(profile)), control(machine.platform(), panel), machine_name(std::move(name))
{
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::unique_ptr<ControlSession> ControlSession::open(const std::string& machine_file,
                                                     const std::optional<std::string>& page_file,
                                                     const std::vector<std::pair<std::string, std::string>>& params,
                                                     bool init)
{
    PageParams values;
    if (page_file) values = read_page_params(read_file(*page_file), *page_file);
    for (const auto& [name, value] : params) {
        if (!find_property_by_bag_key(name)) throw UsageError("--param: '" + name + "' is not a property of the control");
        values.emplace_back(name, utf8_to_ansi(value));
    }

    safe_control_startup();  // the component's start-up on this thread
    auto session = std::make_unique<ControlSession>(load_machine_profile(machine_file),
                                                    std::filesystem::path(machine_file).stem().string());
    if (init) {
        session->control.init_properties();
        for (const auto& [name, value] : values)
            if (const auto prop = find_property_by_bag_key(name)) session->control.put(*prop, Variant(value));
    } else {
        MemoryPropertyBag bag;
        for (const auto& [name, value] : values) bag.set(name, Variant(value));
        session->control.read_properties(bag);
    }
    return session;
}

} // namespace prestova
