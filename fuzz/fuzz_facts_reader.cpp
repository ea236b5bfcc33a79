// The facts reader on a facts text and the registry export it names: the
// input is the facts text, "\n~reg~\n", then the .reg text, which the facts
// reach as "file = m.reg".
#include "fuzz_support.hpp"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace prestova;
    const auto [facts, reg] = fuzz::cut({reinterpret_cast<const char*>(data), size}, fuzz::kRegMarker);
    if (!fuzz::stays_in_scratch(facts)) return -1;
    try {
        const MachineProfile p = fuzz::read_profile(facts, reg);
        (void)p.answers_extended_record();
    } catch (const ProfileError&) {}
    return 0;
}
