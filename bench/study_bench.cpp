// How long the studies take: a joint calibration of five parameters of a weekly three-layer
// project of four years, Sobol's indices of eight parameters with N = 1024 on it, and an
// ensemble of 10,000 members of the century project; each beside the plain run its members
// are made of, and each also as a multiple of that run times its runs on the cores.

#include <benchmark/benchmark.h>

#include <random>
#include <thread>

#include "BenchProjects.h"
#include "Calibration.h"
#include "Ensemble.h"
#include "MemberRuns.h"
#include "Sensitivity.h"
#include "StudyProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

const InputData& Weekly() {
    static const InputData project = halosoil::test::WeeklyProject(4);
    return project;
}

void PlainRunOf(benchmark::State& state, const InputData& project) {
    Engine engine;
    std::string refusal;
    for (auto _ : state) {
        engine.ComputePlain(project, refusal);
        benchmark::DoNotOptimize(engine.State().DepthWT.data());
    }
}

void PlainWeeklyRun(benchmark::State& state) {
    PlainRunOf(state, Weekly());
}

void PlainCenturyRun(benchmark::State& state) {
    PlainRunOf(state, halosoil::bench::CenturyProject());
}

// The truth of the calibration: the project with known values, its water table every week
// and the salinities of the three layers every fourth week as observations, with noise.
CalibrationSettings WeeklyCalibration() {
    const InputData& base = Weekly();
    CalibrationSettings settings;
    settings.parameters = {MakeParameter("qh1", 0.021, 0.06, base),
                           MakeParameter("qh2", 0.001, 0.01, base),
                           MakeParameter("leaching_efficiency_layer1", 40, 100, base),
                           MakeParameter("leaching_efficiency_layer2", 40, 100, base),
                           MakeParameter("groundwater_inflow", 0, 2, base)};
    const double truth[] = {0.03, 0.003, 65, 75, 0.8};
    Engine engine;
    std::string refusal;
    engine.ComputePlain(Variant(base, settings.parameters, truth), refusal);
    std::mt19937 random(1);
    std::normal_distribution<double> noise(0, 1);
    const RunState& run = engine.State();
    for (int i = 1; i <= base.NrTst; ++i) {
        settings.observations.Of(Quantity::DepthWaterTable)
            .push_back({i, run.DepthWT[i] + 0.01 * noise(random)});
        if (i % 4 != 0) continue;
        settings.observations.Of(Quantity::SalinityLayer1)
            .push_back({i, run.SalRoot1[i] + 0.05 * noise(random)});
        settings.observations.Of(Quantity::SalinityLayer2)
            .push_back({i, run.SalRoot2[i] + 0.05 * noise(random)});
        settings.observations.Of(Quantity::SalinityLayer3)
            .push_back({i, run.SalRoot3[i] + 0.05 * noise(random)});
    }
    return settings;
}

void CalibrateWeeklyFiveParameters(benchmark::State& state) {
    const CalibrationSettings settings = WeeklyCalibration();
    long long runs = 0;
    for (auto _ : state) {
        const CalibrationResult result = Calibrate(Weekly(), settings);
        runs = result.runs;
        benchmark::DoNotOptimize(result.objectiveEnd);
    }
    state.counters["runs"] = static_cast<double>(runs);
}

void SobolWeeklyEightParameters(benchmark::State& state) {
    const InputData& base = Weekly();
    SensitivitySettings settings;
    for (const char* text :
         {"qh1=0.021:0.06", "qh2=0.001:0.01", "leaching_efficiency_layer1=40:100",
          "leaching_efficiency_layer2=40:100", "leaching_efficiency_layer3=40:100",
          "groundwater_inflow=0:2", "irrigation_factor=0.8:1.2", "initial_salinity_layer1=2:8"})
        settings.parameters.push_back(ParseParameter(text, base));
    settings.targets = {ParseTarget("salinity_layer1:final", base),
                        ParseTarget("depth_water_table:mean", base)};
    settings.samples = 1024;
    for (auto _ : state) {
        const SensitivityResult result = RunSensitivity(base, settings);
        benchmark::DoNotOptimize(result.rows.data());
        state.counters["runs"] = static_cast<double>(result.runs);
    }
}

void EnsembleCenturyTenThousand(benchmark::State& state) {
    const InputData base = halosoil::bench::CenturyProject();
    EnsembleSettings settings;
    for (const char* text :
         {"leaching_efficiency_layer1=uniform:50:100", "leaching_efficiency_layer2=uniform:50:100",
          "leaching_efficiency_layer3=uniform:50:100", "qh1=uniform:0.005:0.019"}) {
        auto [parameter, distribution] = ParseDistribution(text, base);
        settings.parameters.push_back(parameter);
        settings.distributions.push_back(distribution);
    }
    settings.members = 10000;
    for (auto _ : state) {
        const EnsembleResult result = RunEnsemble(base, settings);
        const std::vector<BandRow> bands = Bands(result, {});
        benchmark::DoNotOptimize(bands.data());
    }
    state.counters["cores"] = static_cast<double>(std::thread::hardware_concurrency());
}

}  // namespace

BENCHMARK(PlainWeeklyRun)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainCenturyRun)->Unit(benchmark::kMicrosecond);
BENCHMARK(CalibrateWeeklyFiveParameters)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SobolWeeklyEightParameters)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(EnsembleCenturyTenThousand)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

BENCHMARK_MAIN();
