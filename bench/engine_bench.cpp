// How long a run takes, and proof that the daily computation allocates nothing.
//
//   century: three root-zone layers, 100 yearly steps, drains, measured salinities in every
//            zone; refinement and optimisation answered Yes.
//   daily:   two root-zone layers, 3650 daily steps, drains, measurements; both answered Yes.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "DrainageRefinement.h"
#include "InputFile.h"
#include "RunHost.h"
#include "Ucalc.h"
#include "WaterBalance.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// The replaced operators pair malloc with free themselves; GCC 12 at -O3 sees the free of a
// pointer that came from operator new once both are inlined, and calls it a mismatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace {

using namespace halosoil;

class YesHost : public RunHost {
public:
    bool AskYesNo(const std::string&) override { return true; }
    void ShowMessage(const std::string&) override {}
    void SetProgress(int) override {}
};

InputData Project(int layers, int steps, int tstLength) {
    InputData d;
    d.Title1 = "Benchmark";
    d.Title2 = std::to_string(steps) + " steps of " + std::to_string(tstLength) + " days";
    d.NrTst = steps;
    d.HydrRows = steps;
    d.TstLength = tstLength;
    d.NrLayers = layers;
    d.SetLayerFlags(layers);
    d.DrainPresent = true;
    d.DrainDepth = 1.8;
    d.QH1 = 0.012;
    d.QH2 = 0.002;
    d.SaltIrrig = 1.2;
    d.WTdepth = 1.4;
    d.CritDepth = 1.6;
    d.Moist = 50;
    d.IrrEff = 70;
    d.GrwtInf = 0.6;
    d.GrwtOut = 0.5;
    d.SalInf = 2;
    d.Thick = {0, 0.2, 0.3, 0.4, 1.5, 10};
    d.TotPor = {0, 46, 44, 42, 40, 36};
    d.EffPor = {0, 8, 8, 9, 10, 14};
    d.LeachEff = {0, 80, 80, 85, 90, 100};
    d.InitSalt = {0, 6, 6.5, 7, 5, 3};
    for (Series* series : {&d.Rain, &d.Irrig, &d.Evap, &d.IrrSal}) SizeSeries(*series, steps);
    const double scale = tstLength / 30.0;
    for (int i = 1; i <= steps; ++i) {
        const double season = std::sin(6.283 * i * tstLength / 360.0);
        d.Rain[i] = (25 - 20 * season) * scale;
        d.Irrig[i] = tstLength == 1 ? (i % 10 == 1 ? 70 : 0) : (120 + 60 * season) * scale;
        d.Evap[i] = (150 + 90 * season) * scale;
        d.IrrSal[i] = 1.2;
    }
    for (int z = Layer1; z <= Aquif; ++z) {
        SizeSeries(d.MeasSalt[z], steps);
        for (int i = 1; i <= steps; ++i) d.MeasSalt[z][i] = (i % 7 == 0) ? 4 + z * 0.5 : -1;
    }
    return d;
}

void RunProject(benchmark::State& state, InputData data) {
    const auto folder = std::filesystem::temp_directory_path() / "halosoil-bench";
    std::filesystem::create_directories(folder);
    data.InputFileName = (folder / "bench.inp").string();
    PrepareIrrigSpread(data);
    YesHost host;
    Engine engine;
    for (auto _ : state) {
        engine.Run(data, host, "");
        if (engine.State().RunStopped) state.SkipWithError("the water table left the aquifer");
    }
    const double days = static_cast<double>(data.NrTst) * data.TstLength;
    state.counters["simulated_days"] = days;
    state.counters["time_per_simulated_day"] =
        benchmark::Counter(days * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_CenturyRun(benchmark::State& state) {
    RunProject(state, Project(3, 100, 360));
}
BENCHMARK(BM_CenturyRun)->Unit(benchmark::kMillisecond);

void BM_DailyRun(benchmark::State& state) {
    RunProject(state, Project(2, 3650, 1));
}
BENCHMARK(BM_DailyRun)->Unit(benchmark::kMillisecond);

// One refinement trial of the daily project: the daily computation over 3650 days, counted
// for allocations.
void BM_DailyWaterBalanceAllocations(benchmark::State& state) {
    InputData data = Project(2, 3650, 1);
    PrepareIrrigSpread(data);
    // Prepare a run state as a run does (fractions, per-day amounts, sized arrays).
    YesHost host;
    Engine engine;
    const auto folder = std::filesystem::temp_directory_path() / "halosoil-bench";
    std::filesystem::create_directories(folder);
    data.InputFileName = (folder / "alloc.inp").string();
    engine.Run(data, host, "");
    RunState& run = engine.State();
    for (int z = Layer1; z <= Aquif; ++z) {
        data.TotPor[z] /= 100;
        data.EffPor[z] /= 100;
    }
    data.IrrEff /= 100;
    std::vector<double> residuals(static_cast<std::size_t>(data.NrTst) + 1);
    long counted = 0;
    for (auto _ : state) {
        const long before = allocations.load();
        RefinementTrial(data, run, 0.05, residuals);
        counted += allocations.load() - before;
        benchmark::DoNotOptimize(residuals.data());
    }
    state.counters["allocations_per_trial"] =
        static_cast<double>(counted) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DailyWaterBalanceAllocations)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
