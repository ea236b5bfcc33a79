// Times one whole check run on the bundled Windows XP laptop with the
// sample page's parameters.
#include "apps/prestova/control_setup.hpp"

#include <benchmark/benchmark.h>

namespace {

const std::string kSource = PRESTOVA_SOURCE_DIR;

void FullCheckRun(benchmark::State& state)
{
    auto session = prestova::ControlSession::open(kSource + "/profiles/xp-laptop-2005.machine",
                                                  kSource + "/pages/sample.html", {}, false);
    for (auto _ : state) {
        auto report = session->control.show();
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(FullCheckRun);

void LoadAndRun(benchmark::State& state)
{
    for (auto _ : state) {
        auto session = prestova::ControlSession::open(kSource + "/profiles/xp-laptop-2005.machine",
                                                      kSource + "/pages/sample.html", {}, false);
        benchmark::DoNotOptimize(session->control.show());
    }
}
BENCHMARK(LoadAndRun);

} // namespace

BENCHMARK_MAIN();
