// Renders the panel of one check run on the bundled Windows XP laptop with
// the sample page in each format. The pictures are drawn hundreds of
// attributes at a time, so their cost lies in the text written, not in the
// run: SVG and HTML should stay within a small factor of JSON.
#include "allocation_count.hpp"
#include "session/control_setup.hpp"
#include "render/panel_render.hpp"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string kSource = PRESTOVA_SOURCE_DIR;

template <std::string (*Render)(const prestova::PanelView&)>
void RenderPanel(benchmark::State& state)
{
    auto session = prestova::ControlSession::open(kSource + "/profiles/xp-laptop-2005.machine",
                                                  kSource + "/pages/sample.html", {}, false);
    const auto report = session->control.show();
    const prestova::PanelView view{
        .panel = session->panel, .report = report, .clicks = {}, .machine = session->machine_name};
    benchmark::DoNotOptimize(Render(view));  // the face pictures' data URIs are made on first use
    const std::uint64_t before = allocations_so_far();
    for (auto _ : state) benchmark::DoNotOptimize(Render(view));
    state.counters["allocations"] =
        benchmark::Counter(static_cast<double>(allocations_so_far() - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(RenderPanel<prestova::render_json>)->Name("RenderPanel/json");
BENCHMARK(RenderPanel<prestova::render_svg>)->Name("RenderPanel/svg");
BENCHMARK(RenderPanel<prestova::render_html>)->Name("RenderPanel/html");

}  // namespace
