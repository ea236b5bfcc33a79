// Listing a key's subkeys one index at a time, as the Acrobat check does,
// costs the same per subkey at any count: time per item stays flat from a
// thousand to a hundred thousand subkeys, and the fitted complexity is O(N).
#include "platform/simulated/registry_tree.hpp"
#include "platform/simulated/simulated_registry.hpp"
#include "probes/mod_registry.hpp"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void ListSubkeys(benchmark::State& state)
{
    using namespace prestova;
    const auto count = static_cast<int>(state.range(0));
    RegistryTree tree;
    RegKey& acrobat = tree.make(*parse_key_name("HKLM\\SOFTWARE\\Adobe\\Acrobat Reader"));
    for (int i = count; i-- > 0;) acrobat.subkey(std::string("V").append(std::to_string(i)).append(".0"));
    SimulatedRegistry registry(tree);
    for (auto _ : state) {
        auto names = ListRegSubkeys(registry, RegRoot::LocalMachine, "SOFTWARE\\Adobe\\Acrobat Reader\\");
        benchmark::DoNotOptimize(names);
    }
    state.SetComplexityN(count);
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(ListSubkeys)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
