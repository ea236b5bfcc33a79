// Times one whole check run on the bundled Windows XP laptop with the
// sample page's parameters, beside Floor: the same essential work done
// directly (about 40 case-insensitive look-ups, 20 numbers read and
// written, 60 captions written into 63 cells), so the ratio of the two in
// one run shows how far the run is from what it must do.
#include "allocation_count.hpp"
#include "session/control_setup.hpp"
#include "core/ascii_case.hpp"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

const std::string kSource = PRESTOVA_SOURCE_DIR;

void report_allocations(benchmark::State& state, std::uint64_t before)
{
    state.counters["allocations"] =
        benchmark::Counter(static_cast<double>(allocations_so_far() - before), benchmark::Counter::kAvgIterations);
}

void FullCheckRun(benchmark::State& state)
{
    auto session = prestova::ControlSession::open(kSource + "/profiles/xp-laptop-2005.machine",
                                                  kSource + "/pages/sample.html", {}, false);
    const std::uint64_t before = allocations_so_far();
    for (auto _ : state) {
        auto report = session->control.show();
        benchmark::DoNotOptimize(report);
    }
    report_allocations(state, before);
}
BENCHMARK(FullCheckRun);

// ASCII upper-casing hash and comparison, as registry names compare.
struct NoCaseHash {
    std::size_t operator()(std::string_view s) const
    {
        std::size_t h = 14695981039346656037ull;
        for (char c : s) h = (h ^ static_cast<unsigned char>(prestova::to_upper_ascii(c))) * 1099511628211ull;
        return h;
    }
};
struct NoCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const { return prestova::equals_ignoring_case(a, b); }
};

void Floor(benchmark::State& state)
{
    // A registry of the size a machine profile has, keyed by full path.
    std::unordered_map<std::string, std::string, NoCaseHash, NoCaseEqual> registry;
    std::array<std::string, 40> wanted;
    for (int i = 0; i < 200; ++i) {
        std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor" + std::to_string(i) + "\\Product\\CurrentVersion";
        registry.emplace(key, "1." + std::to_string(i));
        if (i % 5 == 0) {
            for (char& c : key) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            wanted[static_cast<std::size_t>(i / 5)] = key;
        }
    }
    const std::array<const char*, 20> numbers = {"233", "633", "64",  "128",   "500",      "1000",    "1024",
                                                 "768", "800", "600", "65536", "16777216", "172",     "207",
                                                 "251", "255", "0",   "5.5",   "1.6",      "38146.97"};
    std::array<std::string, 63> cells;
    const std::array<const char*, 3> captions = {
        "You have more than the recommended amount of RAM needed to use any Marvanta system without problems.",
        "1024x768\rTrue Color", "512.00 Megabytes"};
    const std::uint64_t before = allocations_so_far();
    for (auto _ : state) {
        std::size_t found = 0;
        for (const auto& key : wanted) found += registry.find(key) != registry.end();
        double sum = 0;
        char buffer[32];
        for (const char* text : numbers) {
            double value = 0;
            std::from_chars(text, text + std::strlen(text), value);
            sum += value;
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, value / 1024.0).ptr;
            cells[static_cast<std::size_t>(value) % cells.size()].assign(buffer, end);
        }
        for (std::size_t i = 0; i < 60; ++i) cells[i].assign(captions[i % captions.size()]);
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(cells);
    }
    report_allocations(state, before);
}
BENCHMARK(Floor);

void LoadAndRun(benchmark::State& state)
{
    for (auto _ : state) {
        auto session = prestova::ControlSession::open(kSource + "/profiles/xp-laptop-2005.machine",
                                                      kSource + "/pages/sample.html", {}, false);
        benchmark::DoNotOptimize(session->control.show());
    }
}
BENCHMARK(LoadAndRun);

}  // namespace

BENCHMARK_MAIN();
