#pragma once
// The operating-system services one control uses, bundled.
#include "platform/object_factory.hpp"
#include "platform/registry.hpp"
#include "platform/shell.hpp"
#include "platform/system_info.hpp"

namespace prestova {

struct Platform {
    Registry& registry;
    SystemInfo& system;
    ObjectFactory& objects;
    Shell& shell;
};

}  // namespace prestova
