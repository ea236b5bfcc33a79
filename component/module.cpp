#include "module.hpp"

#include "host/safe_control.hpp"

#include <atomic>

namespace prestova::component {

namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

}  // namespace

HMODULE module_handle() { return g_module; }

void object_created() { ++g_objects; }
void object_destroyed() { --g_objects; }
void lock_module(bool lock) { lock ? ++g_locks : --g_locks; }
bool module_in_use() { return g_objects > 0 || g_locks > 0; }

void thread_startup() { safe_control_startup(); }

void set_module_handle(HMODULE module) { g_module = module; }

}  // namespace prestova::component

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    // The loading thread and every thread started later get the start-up
    // here; a thread that existed before the load gets it when it asks for
    // the class factory or creates a control.
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        prestova::component::set_module_handle(instance);
        prestova::component::thread_startup();
        break;
    case DLL_THREAD_ATTACH: prestova::component::thread_startup(); break;
    default: break;
    }
    return TRUE;
}
