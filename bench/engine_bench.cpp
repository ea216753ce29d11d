// How long a run takes through the plain calibration loops and through the fast path, a plain
// run, an ensemble of plain runs, and proof that the daily computation allocates nothing; each
// figure also as a multiple of what this machine allows at most (MachineLimit.h).
//
//   century: three root-zone layers, 100 yearly steps, drains, measured salinities in every
//            zone; refinement and optimisation answered Yes.
//   daily:   two root-zone layers, 3650 daily steps, drains, measurements; both answered Yes.
//   ensemble: 1000 members of the century project, plain runs, differing in QH1 and the five
//            leaching efficiencies, on every core.

#include <benchmark/benchmark.h>

#include <algorithm>
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
#include "LeachingOptimisation.h"
#include "MachineLimit.h"
#include "RunInputs.h"
#include "TrialThreads.h"
#include "TrialValues.h"
#include "VariantRuns.h"
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

// The work of a run in the machine's two building blocks.
struct Work {
    double oneMoveDays = 0;  // water-balance days below the sub-step capacity
    double tenMoveDays = 0;  // water-balance days in ten sub-steps
    double zoneUpdates = 0;
};

// A plain run computes one water-balance day per step and updates every zone every day.
Work PlainWork(const InputData& data) {
    const RunInputs in = MakeRunInputs(data);
    Work work;
    (in.QH1 < kSubStepCapacity ? work.oneMoveDays : work.tenMoveDays) = in.NrTst;
    work.zoneUpdates = static_cast<double>(in.NrTst) * in.TstLength * (in.Layers + 2);
    return work;
}

// Both calibrations: every refinement trial's water balance, every optimisation trial's salt
// balance, then the plain run.
Work CalibratedWork(const InputData& data) {
    const RunInputs in = MakeRunInputs(data);
    Work work = PlainWork(data);
    for (double q : RefinementCapacities())
        (q < kSubStepCapacity ? work.oneMoveDays : work.tenMoveDays) += in.NrTst;
    int searches = 0;
    for (int zone : OptimisationOrder(in.Layers)) {
        int measured = 0;
        for (int i = 1; i <= in.NrTst; ++i) measured += in.MeasSalt[zone][i] > 0;
        searches += measured >= kLeastMeasurements;
    }
    work.zoneUpdates += static_cast<double>(searches) * TrialEfficiencies().size() * in.NrTst *
                        in.TstLength * (in.Layers + 2);
    return work;
}

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

// The days a run of the project simulates, and the time each took.
void CountSimulatedDays(benchmark::State& state, const InputData& data) {
    const double days = static_cast<double>(data.NrTst) * data.TstLength;
    state.counters["simulated_days"] = days;
    state.counters["time_per_simulated_day"] =
        benchmark::Counter(days * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
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
    CountSimulatedDays(state, data);
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

// Plain runs (both questions answered No) in process, without the output file, counted for
// allocations per step.
void PlainRun(benchmark::State& state, const InputData& data) {
    FixedAnswersHost host(false, false);
    Engine engine;
    long counted = 0;
    for (auto _ : state) {
        const long before = allocations.load();
        engine.Compute(data, host);
        counted += allocations.load() - before;
        if (engine.State().RunStopped) state.SkipWithError("the water table left the aquifer");
    }
    CountSimulatedDays(state, data);
    state.counters["allocations_per_step"] =
        static_cast<double>(counted) / static_cast<double>(state.iterations()) / data.NrTst;
}

void BM_PlainCenturyRun(benchmark::State& state) {
    PlainRun(state, bench::CenturyProject());
}
BENCHMARK(BM_PlainCenturyRun)->Unit(benchmark::kMillisecond);

void BM_PlainDailyRun(benchmark::State& state) {
    PlainRun(state, bench::DailyProject());
}
BENCHMARK(BM_PlainDailyRun)->Unit(benchmark::kMillisecond);

constexpr long long kEnsembleMembers = 1000;

// Member k of the ensemble: QH1 and the five efficiencies spread over their ranges by
// multiples of irrational steps, so that no two members are alike.
void EnsembleMember(const InputData& base, long long k, InputData& member) {
    member = base;
    const auto spread = [k](double step) { return std::fmod(0.5 + k * step, 1.0); };
    member.QH1 = 0.005 + 0.025 * spread(0.6180339887);
    for (int z = Layer1; z <= Aquif; ++z) member.LeachEff[z] = 50 + 50 * spread(0.4142135 * z);
}

// The members side by side (path 1), or each through its own plain run on an engine, the
// members shared by the cores (path 0, the reference).
void BM_CenturyEnsemble(benchmark::State& state) {
    const InputData base = bench::CenturyProject();
    const bool sideBySide = state.range(0) != 0;
    std::atomic<long long> stopped{0};
    for (auto _ : state) {
        if (sideBySide) {
            ComputeVariantRuns(
                kEnsembleMembers,
                [&](long long k, InputData& member) { EnsembleMember(base, k, member); },
                [&](const VariantRun& run) {
                    if (run.state.RunStopped) ++stopped;
                },
                {});
            continue;
        }
        const int threads = TrialThreadCount(0);
        RunTasks(threads, threads, [&](int t) {
            FixedAnswersHost host(false, false);
            Engine engine;
            InputData member;
            for (long long k = t; k < kEnsembleMembers; k += threads) {
                EnsembleMember(base, k, member);
                engine.Compute(member, host);
                if (engine.State().RunStopped) ++stopped;
            }
        });
    }
    if (stopped > 0) state.SkipWithError("a member stopped early");
    state.counters["members"] = static_cast<double>(kEnsembleMembers);
    state.counters["time_per_member"] =
        benchmark::Counter(static_cast<double>(kEnsembleMembers * state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CenturyEnsemble)
    ->ArgName("side_by_side")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The machine's limit, on one core: zone updates and water-balance days per second with many
// members interleaved in the widest unit's lanes.
constexpr long kProbeRounds = 100000;

void BM_LimitZoneUpdates(benchmark::State& state) {
    const bool narrow = state.range(0) != 0;
    for (auto _ : state) benchmark::DoNotOptimize(bench::ProbeZoneUpdates(kProbeRounds, narrow));
    state.SetItemsProcessed(state.iterations() * kProbeRounds * bench::kProbeGroups *
                            bench::LanesOf(DetectedVectorUnit()));
}
BENCHMARK(BM_LimitZoneUpdates)->ArgName("narrow")->Arg(0)->Arg(1)->MinTime(1.0);

void BM_LimitWaterBalanceDays(benchmark::State& state) {
    const RunInputs inputs = MakeRunInputs(bench::DailyProject());
    const bool ten = state.range(0) != 0;
    const bool narrow = state.range(1) != 0;
    const long rounds = ten ? kProbeRounds / 10 : kProbeRounds;
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::ProbeWaterBalanceDays(inputs, rounds, ten, narrow));
    state.SetItemsProcessed(state.iterations() * rounds * bench::kProbeGroups *
                            bench::LanesOf(DetectedVectorUnit()));
}
BENCHMARK(BM_LimitWaterBalanceDays)
    ->ArgNames({"ten_sub_steps", "narrow"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->MinTime(1.0);

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
// fast path's time per simulated day; then the machine's limit and every engine figure as a
// multiple of the time that limit gives for its work (on every core where the figure uses
// them).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const std::string name = run.benchmark_name();
            const double ms = run.GetAdjustedRealTime();
            if (name.rfind("BM_Limit", 0) == 0) {
                // Nanoseconds per member and unit of work.
                // The faster width is the limit.
                const double perItem = 1e9 / run.counters.at("items_per_second");
                double& limit = name.find("ZoneUpdates") != std::string::npos       ? zoneUpdate_
                                : name.find("ten_sub_steps:1") != std::string::npos ? tenMoveDay_
                                                                                    : oneMoveDay_;
                limit = limit > 0 ? std::min(limit, perItem) : perItem;
            } else if (name.find("path:" + std::to_string(kReference)) != std::string::npos) {
                reference_[Project(name)] = ms;
            } else if (name.find("path:" + std::to_string(kFast)) != std::string::npos &&
                       name.find("/real_time") != std::string::npos) {
                fast_[Project(name)] = {ms, run.counters.at("simulated_days")};
            } else if (name.find("side_by_side:0") != std::string::npos) {
                others_["BM_CenturyEnsembleReference"] = ms;
            } else {
                others_[Project(name)] = ms;
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const int cores = TrialThreadCount(0);
        for (const auto& [project, fast] : fast_) {
            if (!reference_.count(project)) continue;
            const double reference = reference_.at(project);
            std::printf(
                "%s: reference %.1f ms, fast %.2f ms (%s, %d threads), %.1f times faster, "
                "%.3f us per simulated day\n",
                project.c_str(), reference, fast.first,
                VectorUnitName(ChosenVectorUnit(VectorUnit::AVX512)), cores, reference / fast.first,
                1000 * fast.first / fast.second);
        }
        if (!(zoneUpdate_ > 0 && oneMoveDay_ > 0 && tenMoveDay_ > 0)) return;
        std::printf(
            "This machine's limit (%s, one core, members interleaved in lanes): %.2f ns a zone "
            "update, %.2f ns a water-balance day, %.2f ns one in ten sub-steps\n",
            VectorUnitName(DetectedVectorUnit()), zoneUpdate_, oneMoveDay_, tenMoveDay_);
        const auto limitMs = [&](const Work& work, int threads) {
            return (work.zoneUpdates * zoneUpdate_ + work.oneMoveDays * oneMoveDay_ +
                    work.tenMoveDays * tenMoveDay_) /
                   threads / 1e6;
        };
        const auto print = [&](const char* figure, double ms, double limit) {
            std::printf("  %-44s %10.2f ms, the limit allows %8.3f ms: %7.1f times that\n", figure,
                        ms, limit, ms / limit);
        };
        const InputData century = bench::CenturyProject(), daily = bench::DailyProject();
        if (fast_.count("BM_CenturyRun"))
            print("century, both calibrations", fast_["BM_CenturyRun"].first,
                  limitMs(CalibratedWork(century), cores));
        if (fast_.count("BM_DailyRun"))
            print("daily, both calibrations", fast_["BM_DailyRun"].first,
                  limitMs(CalibratedWork(daily), cores));
        if (others_.count("BM_PlainCenturyRun"))
            print("century, plain run (one core)", others_["BM_PlainCenturyRun"],
                  limitMs(PlainWork(century), 1));
        if (others_.count("BM_PlainDailyRun"))
            print("daily, plain run (one core)", others_["BM_PlainDailyRun"],
                  limitMs(PlainWork(daily), 1));
        if (others_.count("BM_CenturyEnsemble")) {
            Work work = PlainWork(century);
            for (double* part : {&work.oneMoveDays, &work.tenMoveDays, &work.zoneUpdates})
                *part *= kEnsembleMembers;
            print("century ensemble of 1000 members", others_["BM_CenturyEnsemble"],
                  limitMs(work, cores));
            if (others_.count("BM_CenturyEnsembleReference"))
                print("  the same, one plain run after another",
                      others_["BM_CenturyEnsembleReference"], limitMs(work, cores));
            std::printf("  (10,000 members side by side at this rate: %.2f s)\n",
                        others_["BM_CenturyEnsemble"] * 10 / 1000);
        }
    }

private:
    static std::string Project(const std::string& name) { return name.substr(0, name.find('/')); }

    std::map<std::string, double> reference_;
    std::map<std::string, std::pair<double, double>> fast_;
    std::map<std::string, double> others_;
    double zoneUpdate_ = 0, oneMoveDay_ = 0, tenMoveDay_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
