// The log graph redraws its whole chart after every sample. These figures show what one redraw
// costs with a full buffer of 4001 samples (one every 60 ms) while auto-scroll follows the newest,
// for each time scale: the curve stops at the plot's right edge, so the cost grows with the
// samples that fit in ten divisions, not with the buffer.

#include "calib/GrafiekChart.h"
#include "support/FullLogBuffer.h"

#include <benchmark/benchmark.h>

namespace {

void RedrawWhileRecording(benchmark::State& state) {
    const TLogBuffer buffer = FullLogBuffer();
    TLogView view;
    view.TimeScale = static_cast<int>(state.range(0));
    view.ValueScale = 6;
    view.TimeGrid = view.ValueGrid = view.AutoScroll = view.Running = true;
    size_t steps = 0;
    for (auto _ : state) {
        TLogChart chart = DrawLogChart(buffer, view);
        steps = chart.Plot.Steps().size();
        benchmark::DoNotOptimize(chart);
    }
    state.counters["plot_steps"] = static_cast<double>(steps);
    state.SetLabel(LogTimeScales[static_cast<size_t>(view.TimeScale)].Caption);
}

// From the first sample, the view an engineer scrolls back to.
void RedrawScrolledBack(benchmark::State& state) {
    const TLogBuffer buffer = FullLogBuffer();
    TLogView view;
    view.TimeScale = 5;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawLogChart(buffer, view));
}

} // namespace

BENCHMARK(RedrawWhileRecording)->DenseRange(0, 5);
BENCHMARK(RedrawScrolledBack);
BENCHMARK_MAIN();
