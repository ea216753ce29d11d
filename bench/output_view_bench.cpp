// The Output page's core work for ten years of daily steps: the two tables' cell texts, the
// clipboard text, and the two readers "Open output" runs.
#include <benchmark/benchmark.h>

#include "InputForView.h"
#include "OutputFileName.h"
#include "OutputTables.h"
#include "OutputViewBenchData.h"

namespace halosoil {
namespace {

struct TenYears {
    TenYears() {
        bench::MakeTenYearRun(std::filesystem::temp_directory_path() / "halosoil-output-bench",
                              data, state);
    }
    InputData data;
    RunState state;
};

TenYears& Run() {
    static TenYears run;
    return run;
}

void SalinityTableBench(benchmark::State& s) {
    TenYears& run = Run();
    for (auto _ : s) benchmark::DoNotOptimize(SalinityTable(run.data, run.state));
}
BENCHMARK(SalinityTableBench)->Unit(benchmark::kMillisecond);

void HydrologyTableBench(benchmark::State& s) {
    TenYears& run = Run();
    for (auto _ : s) benchmark::DoNotOptimize(HydrologyTable(run.data, run.state));
}
BENCHMARK(HydrologyTableBench)->Unit(benchmark::kMillisecond);

void ClipboardTextBench(benchmark::State& s) {
    TenYears& run = Run();
    const TextTable table = HydrologyTable(run.data, run.state);
    for (auto _ : s) benchmark::DoNotOptimize(ClipboardText(table));
}
BENCHMARK(ClipboardTextBench)->Unit(benchmark::kMillisecond);

void ReadOutputFileBench(benchmark::State& s) {
    TenYears& run = Run();
    const std::string name = OutputFileNameFor(run.data.InputFileName);
    InputData data = run.data;
    RunState state;
    OutputReadBack readBack;
    for (auto _ : s) ReadOutputFile(name, data, state, readBack);
}
BENCHMARK(ReadOutputFileBench)->Unit(benchmark::kMillisecond);

void ReadInputForViewBench(benchmark::State& s) {
    TenYears& run = Run();
    InputData data = run.data;
    RunState state;
    for (auto _ : s) ReadInputForView(run.data.InputFileName, data, &state);
}
BENCHMARK(ReadInputForViewBench)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace halosoil

BENCHMARK_MAIN();
