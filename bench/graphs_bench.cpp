// Drawing the graphs of 3650 time steps on the recording canvas: the cost of the scaling,
// the mapping and the drawing calls themselves, without any rasterising.
#include <benchmark/benchmark.h>

#include "DrawGraph.h"
#include "GraphBenchData.h"
#include "RecordingCanvas.h"

namespace halosoil {
namespace {

void BM_DrawGraphRecording(benchmark::State& bench) {
    const bench::LongRun run;
    const auto type = static_cast<GraphType>(bench.range(0));
    RecordingCanvas canvas;
    for (auto _ : bench) {
        canvas.Clear();
        DrawGraph(canvas, type, GraphSource{run.data, run.state, run.readBack});
        benchmark::DoNotOptimize(canvas.lines.data());
    }
    bench.counters["lines"] = static_cast<double>(canvas.lines.size());
}
BENCHMARK(BM_DrawGraphRecording)->DenseRange(0, kGraphTypeCount - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace halosoil

BENCHMARK_MAIN();
