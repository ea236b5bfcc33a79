#include "session/machine.hpp"

#include "platform/simulated/simulated_machine.hpp"

#include <filesystem>

namespace prestova {

namespace {

class ProfileMachine final : public Machine {
public:
    ProfileMachine(MachineProfile profile, std::string name) : machine_(std::move(profile)), name_(std::move(name)) {}

    Platform platform() override { return machine_.platform(); }
    // The simulated shell starts nothing anyway.
    Shell& dry_run_shell() override { return machine_.shell(); }
    std::string name() const override { return name_; }

private:
    SimulatedMachine machine_;
    std::string name_;
};

}  // namespace

std::unique_ptr<Machine> open_profile_machine(const std::string& machine_file)
{
    return std::make_unique<ProfileMachine>(load_machine_profile(machine_file),
                                            std::filesystem::path(machine_file).stem().string());
}

std::unique_ptr<Machine> open_machine(const std::string& machine_file)
{
    return machine_file.empty() ? open_this_pc() : open_profile_machine(machine_file);
}

}  // namespace prestova
