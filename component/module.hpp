#pragma once
// The DLL's own state: its module handle and the counts that decide whether
// it can be unloaded (live control objects and class-factory locks).
#include <windows.h>

namespace prestova::component {

HMODULE module_handle();
void set_module_handle(HMODULE module);  // by DllMain

void object_created();
void object_destroyed();

// Counts its owner as a live object for as long as it lives. As the owner's
// first member it goes last, after the members that release a container's
// pointers: a container may ask whether the DLL can be unloaded from there.
class ModuleUse {
public:
    ModuleUse() { object_created(); }
    ~ModuleUse() { object_destroyed(); }
    ModuleUse(const ModuleUse&) = delete;
    ModuleUse& operator=(const ModuleUse&) = delete;
};
void lock_module(bool lock);
bool module_in_use();

// The per-thread settings the core keeps (scripting safety) start as "no" on
// every thread; each thread that uses the component gets them set here.
void thread_startup();

}  // namespace prestova::component
