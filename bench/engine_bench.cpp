// How long a run takes through the plain calibration loops and through the fast path, and
// proof that the daily computation allocates nothing.
//
//   century: three root-zone layers, 100 yearly steps, drains, measured salinities in every
//            zone; refinement and optimisation answered Yes.
//   daily:   two root-zone layers, 3650 daily steps, drains, measurements; both answered Yes.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "BenchProjects.h"
#include "DrainageRefinement.h"
#include "Engine.h"
#include "FixedAnswersHost.h"
#include "InputFile.h"
#include "RunInputs.h"
#include "TrialThreads.h"
#include "VectorUnit.h"
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

// The calibrations through the plain loops (reference) or the fast path, with the widest
// vector unit the processor has or a narrower one, on one thread or on every core.
enum Path { kReference, kFastOneThread, kFast, kFastAVX2, kFastSSE2 };

EngineOptions OptionsOf(int path) {
    switch (path) {
        case kReference:
            return {.reference = true};
        case kFastOneThread:
            return {.threads = 1};
        case kFastAVX2:
            return {.widestVectorUnit = VectorUnit::AVX2};
        case kFastSSE2:
            return {.widestVectorUnit = VectorUnit::Baseline};
        default:
            return {};
    }
}

void RunProject(benchmark::State& state, InputData data) {
    const auto folder = std::filesystem::temp_directory_path() / "halosoil-bench";
    std::filesystem::create_directories(folder);
    data.InputFileName = (folder / "bench.inp").string();
    FixedAnswersHost host(true, true);
    Engine engine(OptionsOf(static_cast<int>(state.range(0))));
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

void PathArguments(benchmark::internal::Benchmark* b) {
    b->ArgName("path")->Unit(benchmark::kMillisecond)->UseRealTime();
    for (int path : {kReference, kFastOneThread, kFast, kFastAVX2, kFastSSE2}) b->Arg(path);
}

void BM_CenturyRun(benchmark::State& state) {
    RunProject(state, bench::CenturyProject());
}
BENCHMARK(BM_CenturyRun)->Apply(PathArguments);

void BM_DailyRun(benchmark::State& state) {
    RunProject(state, bench::DailyProject());
}
BENCHMARK(BM_DailyRun)->Apply(PathArguments);

// One refinement trial of the daily project: the daily computation over 3650 days, counted
// for allocations.
void BM_DailyWaterBalanceAllocations(benchmark::State& state) {
    InputData data = bench::DailyProject();
    // Prepare a run state as a run does (fractions, per-day amounts, sized arrays).
    FixedAnswersHost host(true, true);
    Engine engine;
    const auto folder = std::filesystem::temp_directory_path() / "halosoil-bench";
    std::filesystem::create_directories(folder);
    data.InputFileName = (folder / "alloc.inp").string();
    engine.Run(data, host, "");
    RunState run = engine.State();
    const RunInputs inputs = MakeRunInputs(data);
    std::vector<double> residuals(static_cast<std::size_t>(data.NrTst) + 1);
    long counted = 0;
    for (auto _ : state) {
        const long before = allocations.load();
        RefinementTrial(inputs, run, 0.05, residuals);
        counted += allocations.load() - before;
        benchmark::DoNotOptimize(residuals.data());
    }
    state.counters["allocations_per_trial"] =
        static_cast<double>(counted) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DailyWaterBalanceAllocations)->Unit(benchmark::kMillisecond);

// Prints, after the table, each project's reference and fast wall times, their ratio and the
// fast path's time per simulated day.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const std::string name = run.benchmark_name();
            const double ms = run.GetAdjustedRealTime();
            if (name.find("path:" + std::to_string(kReference)) != std::string::npos)
                reference_[Project(name)] = ms;
            else if (name.find("path:" + std::to_string(kFast)) != std::string::npos &&
                     name.find("/real_time") != std::string::npos)
                fast_[Project(name)] = {ms, run.counters.at("simulated_days")};
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [project, fast] : fast_) {
            if (!reference_.count(project)) continue;
            const double reference = reference_.at(project);
            std::printf(
                "%s: reference %.1f ms, fast %.2f ms (%s, %d threads), %.1f times faster, "
                "%.3f us per simulated day\n",
                project.c_str(), reference, fast.first,
                VectorUnitName(ChosenVectorUnit(VectorUnit::AVX512)), TrialThreadCount(0),
                reference / fast.first, 1000 * fast.first / fast.second);
        }
    }

private:
    static std::string Project(const std::string& name) { return name.substr(0, name.find('/')); }

    std::map<std::string, double> reference_;
    std::map<std::string, std::pair<double, double>> fast_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
