#pragma once
// A whole student machine from its profile: every platform service.
#include "platform/platform.hpp"
#include "platform/simulated/machine_profile.hpp"
#include "platform/simulated/reg_file.hpp"
#include "platform/simulated/simulated_object_factory.hpp"
#include "platform/simulated/simulated_registry.hpp"
#include "platform/simulated/simulated_shell.hpp"
#include "platform/simulated/simulated_system.hpp"

namespace prestova {

class SimulatedMachine {
public:
    explicit SimulatedMachine(MachineProfile profile)
        : profile_(std::move(profile)), registry_(profile_.registry, profile_.denied_keys), system_(profile_),
          objects_(profile_), shell_(profile_)
    {}
    // The services refer to the profile held here, so the machine stays where
    // it was made (hold it in a unique_ptr to hand it around).
    SimulatedMachine(const SimulatedMachine&) = delete;
    SimulatedMachine& operator=(const SimulatedMachine&) = delete;

    Platform platform() { return Platform{registry_, system_, objects_, shell_}; }
    SimulatedRegistry& registry() { return registry_; }
    SimulatedSystem& system() { return system_; }
    SimulatedObjectFactory& objects() { return objects_; }
    SimulatedShell& shell() { return shell_; }
    const MachineProfile& profile() const { return profile_; }

private:
    MachineProfile profile_;
    SimulatedRegistry registry_;
    SimulatedSystem system_;
    SimulatedObjectFactory objects_;
    SimulatedShell shell_;
};

}  // namespace prestova
