// The engine's part of one plain run of each example project as a script runs it: a fresh
// engine, both questions answered No, on the project with its irrigation spread.
// python/bench/runs.py sets the Python package's run of the same projects against these
// times, to see what the package adds to the engine.
#include <benchmark/benchmark.h>

#include <string>

#include "Engine.h"
#include "InputFile.h"
#include "Plausibility.h"

namespace {

using namespace halosoil;

class NoHost : public RunHost {
public:
    bool Ask(RunQuestion) override { return false; }
    void ShowMessage(const std::string&) override {}
    void SetProgress(int) override {}
};

void RunExample(benchmark::State& state, const std::string& name) {
    InputData data;
    data.InputFileName = std::string(HALOSOIL_EXAMPLES) + "/" + name;
    ReadInputFile(data);
    CheckPlausible(data);
    PrepareIrrigSpread(data);
    for (auto _ : state) {
        Engine engine;
        NoHost host;
        engine.Compute(data, host);
        benchmark::DoNotOptimize(engine.State().DepthWT.data());
    }
}

BENCHMARK_CAPTURE(RunExample, two_layers_yearly_drained, "two_layers_yearly_drained.inp")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunExample, one_layer_monthly, "one_layer_monthly.inp")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunExample, three_layers_weekly_drained, "three_layers_weekly_drained.inp")
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
