#include "platform/simulated/simulated_object_factory.hpp"

#include "core/ascii_case.hpp"

#include <algorithm>

namespace prestova {

bool SimulatedObjectFactory::try_create(std::string_view prog_id)
{
    const auto same = [&](const std::string& p) { return equals_ignoring_case(p, prog_id); };
    if (std::none_of(tried_.begin(), tried_.end(), same)) tried_.emplace_back(prog_id);
    return std::any_of(profile_->creatable.begin(), profile_->creatable.end(), same);
}

}  // namespace prestova
