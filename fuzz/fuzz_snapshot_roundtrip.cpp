// A machine written down by the snapshot writers reads back as the same
// machine: every fact and the registry tree, exactly. The input is the
// facts text, "\n~reg~\n", then the .reg text. Both the fuzzed profile
// itself and its snapshot (what `prestova snapshot` keeps of it) go round.
// The facts writer may refuse a text it cannot carry (ProfileError); once
// written, reading back must succeed.
#include "session/machine.hpp"
#include "session/machine_snapshot.hpp"
#include "fuzz_support.hpp"
#include "platform/simulated/facts_writer.hpp"
#include "platform/simulated/reg_writer.hpp"
#include "platform/simulated/simulated_machine.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

using namespace prestova;

namespace {

class FuzzedMachine final : public Machine {
public:
    explicit FuzzedMachine(MachineProfile profile) : machine_(std::move(profile)) {}
    Platform platform() override { return machine_.platform(); }
    Shell& dry_run_shell() override { return machine_.shell(); }
    std::string name() const override { return "fuzz"; }

private:
    SimulatedMachine machine_;
};

[[noreturn]] void differs(const char* what, const std::string& facts, const std::string& reg)
{
    // Written whole: the texts may hold NUL bytes.
    std::fprintf(stderr, "snapshot round trip: %s\n--- facts written ---\n", what);
    std::fwrite(facts.data(), 1, facts.size(), stderr);
    std::fprintf(stderr, "\n--- .reg written ---\n");
    std::fwrite(reg.data(), 1, reg.size(), stderr);
    std::fprintf(stderr, "\n--- end ---\n");
    std::abort();
}

// p keeps what the facts format keeps of it.
void round_trip(MachineProfile& p)
{
    std::string facts;
    try {
        facts = write_machine_facts(p, "snap.reg", "snapshot");
    } catch (const ProfileError&) {
        return;  // refused before anything was written, as documented
    }
    const std::string reg = write_reg_text(p.registry);
    fuzz::put_file("snap.reg", reg);
    MachineProfile back;
    try {
        back = parse_machine_profile(facts, "snap.machine", fuzz::scratch_dir());
    } catch (const std::exception& e) {
        differs(e.what(), facts, reg);
    }
    // Compared as the writer writes them, which is every key of the format,
    // with the blanks around the service-pack text dropped, as documented.
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!p.service_pack.empty() && blank(p.service_pack.back())) p.service_pack.pop_back();
    while (!p.service_pack.empty() && blank(p.service_pack.front())) p.service_pack.erase(0, 1);
    if (write_machine_facts(back, "snap.reg", "snapshot") != write_machine_facts(p, "snap.reg", "snapshot"))
        differs("the facts differ", facts, reg);
    if (!fuzz::same_tree(p.registry, back.registry)) differs("the registry differs", facts, reg);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [facts, reg] = fuzz::cut({reinterpret_cast<const char*>(data), size}, fuzz::kRegMarker);
    if (!fuzz::stays_in_scratch(facts)) return -1;
    MachineProfile p;
    try {
        p = fuzz::read_profile(facts, reg);
    } catch (const ProfileError&) {
        return 0;
    }
    round_trip(p);

    // The snapshot's session looks the default browser up afresh and forgets it after.
    FuzzedMachine machine(std::move(p));
    MachineProfile snapshot = take_snapshot(machine);
    round_trip(snapshot);
    return 0;
}
