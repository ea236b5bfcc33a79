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
    // Every identifier tried, in order.
    const std::vector<std::string>& attempts() const { return attempts_; }

private:
    const MachineProfile* profile_;
    std::vector<std::string> attempts_;
};

} // namespace prestova
