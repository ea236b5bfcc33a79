#pragma once
// Object creation answered from the machine's list of creatable ProgIDs.
#include "platform/object_factory.hpp"
#include "platform/simulated/machine_profile.hpp"

#include <string>
#include <vector>

namespace prestova {

class SimulatedObjectFactory final : public ObjectFactory {
public:
    explicit SimulatedObjectFactory(const MachineProfile& profile) : profile_(&profile) {}
    // True when prog_id is creatable here (without regard to case).
    bool try_create(std::string_view prog_id) override;
    // Each identifier tried, once (without regard to case), in the order
    // first tried: a machine that runs the check again and again asks for
    // the same few, so this stays as small as after the first run.
    const std::vector<std::string>& tried() const { return tried_; }

private:
    const MachineProfile* profile_;
    std::vector<std::string> tried_;
};

}  // namespace prestova
