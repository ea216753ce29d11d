// The fast calibrations against the plain trial-by-trial loops: every number the same to the
// last bit, on every vector unit this processor has and with one or several threads.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <thread>

#include "CalibrationKernels.h"
#include "DrainageRefinement.h"
#include "Engine.h"
#include "EngineTestSupport.h"
#include "ExampleProjects.h"
#include "FileTestSupport.h"
#include "GeneratedProjects.h"
#include "LeachingOptimisation.h"
#include "RunInputs.h"
#include "SameResults.h"
#include "SpeculativeSearch.h"
#include "VectorUnit.h"

namespace halosoil {
namespace {

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void ExpectSameTable(const DayTable& a, const DayTable& b, int steps, int days, const char* name) {
    for (int i = 0; i <= steps; ++i)
        for (int j = 0; j <= days; ++j)
            ASSERT_TRUE(SameBits(a(i, j), b(i, j))) << name << "(" << i << ", " << j << ")";
}

void ExpectSameRun(const RunState& a, const RunState& b, int steps, int dayCount) {
    test::ExpectSameResults(a, b);
    test::ExpectSameBits(a.SoilMoist, b.SoilMoist, "SoilMoist");
    test::ExpectSameBits(a.MoistChange, b.MoistChange, "MoistChange");
    const std::pair<const DayTable RunState::*, const char*> days[] = {
        {&RunState::DayPerc1, "DayPerc1"}, {&RunState::DayPerc2, "DayPerc2"},
        {&RunState::DayPerc3, "DayPerc3"}, {&RunState::DayCap1, "DayCap1"},
        {&RunState::DayCap2, "DayCap2"},   {&RunState::DayCap3, "DayCap3"}};
    for (const auto& [table, name] : days)
        ExpectSameTable(a.*table, b.*table, steps, dayCount, name);
    EXPECT_TRUE(SameBits(a.QH1Used, b.QH1Used)) << a.QH1Used << " vs " << b.QH1Used;
    EXPECT_EQ(a.QH1Refined, b.QH1Refined);
    for (int z = Layer1; z <= Aquif; ++z) {
        EXPECT_TRUE(SameBits(a.LeachEff[z], b.LeachEff[z]))
            << "zone " << z << ": " << a.LeachEff[z] << " vs " << b.LeachEff[z];
        EXPECT_TRUE(SameBits(a.CoefDet[z], b.CoefDet[z])) << "zone " << z;
        EXPECT_EQ(a.LeachEffOptimized[z], b.LeachEffOptimized[z]) << "zone " << z;
    }
}

// A run with both questions answered Yes, and the bytes of its output file.
struct Outcome {
    RunState state;
    std::string file;
};

Outcome RunWith(const InputData& data, EngineOptions options, const test::TempFolder& folder) {
    test::ScriptedRunHost host;
    host.answers = {true, true};
    Engine engine(options);
    engine.Compute(data, host);
    Outcome outcome{engine.State(), ""};
    if (!engine.State().RunStopped) {
        const std::string name = folder.File("run.out");
        engine.WriteOutput(data, host, name);
        outcome.file = test::ReadBytes(name);
    }
    return outcome;
}

// What the generated projects are to cover, so that a change of the generator cannot leave a
// path of the calibrations untested.
struct PathCoverage {
    int refined = 0, notRefined = 0, optimised = 0, dependentMemberOptimised = 0, stopped = 0;
};

TEST(FastCalibrationTest, GeneratedProjectsGiveThePlainLoopsResultsOnEveryPath) {
    test::TempFolder folder;
    PathCoverage seen;
    for (unsigned seed = 1; seed <= 48; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const InputData data = test::GeneratedProject(seed);
        const Outcome plain = RunWith(data, EngineOptions{.reference = true}, folder);
        for (VectorUnit unit : AvailableVectorUnits()) {
            for (int threads : {1, 3}) {
                SCOPED_TRACE(std::string(VectorUnitName(unit)) + ", threads " +
                             std::to_string(threads));
                const Outcome fast = RunWith(
                    data, EngineOptions{.threads = threads, .widestVectorUnit = unit}, folder);
                ExpectSameRun(fast.state, plain.state, data.NrTst, data.TstLength);
                EXPECT_EQ(fast.file, plain.file);
            }
        }
        const RunState& s = plain.state;
        (s.QH1Refined ? seen.refined : seen.notRefined)++;
        seen.stopped += s.RunStopped;
        for (int z = Layer1; z <= Aquif; ++z) {
            if (!s.LeachEffOptimized[z]) continue;
            seen.optimised++;
            if (ReadsSearchedEfficiency(data.FlaggedLayers(), z)) seen.dependentMemberOptimised++;
        }
    }
    EXPECT_GT(seen.refined, 0);
    EXPECT_GT(seen.notRefined, 0);
    EXPECT_GT(seen.optimised, 0);
    EXPECT_GT(seen.dependentMemberOptimised, 0);
    EXPECT_GT(seen.stopped, 0);
}

TEST(FastCalibrationTest, EveryExampleGivesThePlainLoopsOutputFile) {
    test::TempFolder folder;
    int examples = 0;
    for (const std::filesystem::path& file : test::examples::ExampleInputFiles(HALOSOIL_EXAMPLES)) {
        SCOPED_TRACE(file.string());
        const InputData data = test::examples::ReadExample(file);
        const Outcome plain = RunWith(data, EngineOptions{.reference = true}, folder);
        ASSERT_FALSE(plain.file.empty());
        for (VectorUnit unit : AvailableVectorUnits()) {
            const Outcome fast = RunWith(data, EngineOptions{.widestVectorUnit = unit}, folder);
            EXPECT_EQ(fast.file, plain.file) << VectorUnitName(unit);
        }
        ++examples;
    }
    EXPECT_GE(examples, 4);
}

// The state after the water balance of a project, as the calibrations find it.
struct Balanced {
    RunInputs inputs;
    RunState state;
};

Balanced WaterBalanceOf(const InputData& data) {
    test::ScriptedRunHost host;
    host.answers = {false, false};
    Engine engine(EngineOptions{.reference = true});
    engine.Compute(data, host);
    return {MakeRunInputs(data), engine.State()};
}

TEST(FastCalibrationTest, EveryMembersLanesGiveTheSumsOfSingleTrials) {
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const Balanced run = WaterBalanceOf(test::GeneratedProject(seed));
        if (run.state.RunStopped) continue;
        const ZoneValues le = run.state.LeachEff;
        for (int zone : ZonesOf(run.inputs.Layers)) {
            constexpr int kTrials = 3 * kTrialLanes;  // groups side by side
            double e[kTrials], working[kTrials], sums[kTrials];
            for (int k = 0; k < kTrials; ++k) {
                e[k] = 0.11 + 0.07 * k;
                working[k] = 0.3 + 0.05 * k;  // a working efficiency of its own per trial
            }
            double single[kTrials];
            for (int k = 0; k < kTrials; ++k) {
                ZoneValues seen = le;
                seen[zone] = working[k];
                single[k] = LeachingTrial(run.inputs, run.state, seen, zone, e[k]);
            }
            const SumBound noBound;
            for (VectorUnit unit : AvailableVectorUnits()) {
                MemberLanes(run.inputs, run.state, le, zone, e, working, sums, kTrials, noBound,
                            unit);
                for (int k = 0; k < kTrials; ++k)
                    ASSERT_TRUE(SameBits(sums[k], single[k]))
                        << VectorUnitName(unit) << ", zone " << zone << ", lane " << k << ": "
                        << sums[k] << " vs " << single[k];
                // With a bound, a trial may stop once its sum exceeds it; one that ends at or
                // below the bound is computed to the end.
                for (const bool onReaching : {false, true}) {
                    const SumBound bound{single[kTrials / 2], onReaching};
                    MemberLanes(run.inputs, run.state, le, zone, e, working, sums, kTrials, bound,
                                unit);
                    for (int k = 0; k < kTrials; ++k) {
                        if (single[k] < bound.value || (single[k] == bound.value && !onReaching))
                            ASSERT_TRUE(SameBits(sums[k], single[k])) << "lane " << k;
                        else if (onReaching)
                            ASSERT_GE(sums[k], bound.value) << "lane " << k;
                        else
                            ASSERT_GT(sums[k], bound.value) << "lane " << k;
                    }
                }
            }
        }
    }
}

TEST(FastCalibrationTest, RefinementLanesGiveTheSmallestResidualOfSingleTrials) {
    const std::vector<double> capacities = RefinementCapacities();
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Balanced run = WaterBalanceOf(test::GeneratedProject(seed));
        // One step a day below 0.02, ten sub-steps from it on; two groups side by side.
        for (int first : {2, 100, 184}) {
            constexpr int kTrials = 2 * kTrialLanes;
            double q[kTrials], smallest[kTrials];
            for (int k = 0; k < kTrials; ++k) q[k] = capacities[first + k / 2];
            const bool ten = first > 20;
            for (VectorUnit unit : AvailableVectorUnits()) {
                RefinementLanes(run.inputs, run.state, q, kTrials, ten, smallest, unit);
                for (int k = 0; k < kTrials; ++k) {
                    std::vector<double> residuals(run.inputs.NrTst + 1);
                    RefinementTrial(run.inputs, run.state, q[k], residuals);
                    double single = std::numeric_limits<double>::infinity();
                    for (int i = 1; i <= run.inputs.NrTst; ++i)
                        if (std::fabs(residuals[i]) < single) single = std::fabs(residuals[i]);
                    ASSERT_TRUE(SameBits(smallest[k], single))
                        << VectorUnitName(unit) << ", q " << q[k] << ": " << smallest[k] << " vs "
                        << single;
                }
            }
        }
    }
}

// The plain search of a member whose sums depend on the working efficiency.
using SumOf = std::function<double(int trial, double working)>;

double PlainSearch(const std::vector<double>& efficiencies, double working, const SumOf& sumOf) {
    double best = 1000000;
    for (int t = 0; t < static_cast<int>(efficiencies.size()); ++t) {
        const double sum = sumOf(t, working);
        if (sum < best) {
            best = sum;
            working = efficiencies[t];
        }
    }
    return working;
}

double Speculative(const std::vector<double>& efficiencies, double working, int leastBlock,
                   int mostBlock, const SumOf& sumOf, int* evaluated = nullptr) {
    // A trial whose sum reaches the best before its block may stop anywhere from there.
    return SearchSpeculatively(efficiencies, working, leastBlock, mostBlock,
                               [&](int first, int count, const std::vector<double>& assumed,
                                   std::vector<double>& sums, double best) {
                                   for (int m = 0; m < count; ++m) {
                                       const double sum = sumOf(first + m, assumed[m]);
                                       sums[m] = sum >= best ? (sum + best) / 2 : sum;
                                   }
                                   if (evaluated) *evaluated += count;
                               });
}

TEST(SpeculativeSearchTest, GivesThePlainSearchesChoiceForEveryShapeOfSums) {
    const std::vector<double> efficiencies = TrialEfficiencies();
    // Each sum also depends on the efficiency the trial sees, so a trial computed on a wrong
    // assumption gives a different sum.
    const std::vector<std::pair<const char*, SumOf>> shapes = {
        {"falling steadily", [](int t, double w) { return 900 - 4.0 * t + w; }},
        {"falling, then rising", [](int t, double w) { return std::abs(t - 70.0) + w; }},
        {"zig-zag", [](int t, double w) { return (t % 2 ? 50 : 10) - 0.2 * t + 3 * w; }},
        {"every third improves", [](int t, double w) { return (t % 3 ? 500 : 300 - t) + w; }},
        {"all at the cap", [](int, double) { return 1000.0; }},
        {"ties of two", [](int t, double) { return 100.0 - (t / 2); }},
        {"not a number at first",
         [](int t, double w) {
             return t < 5 ? std::numeric_limits<double>::quiet_NaN() : 200 - t + w;
         }},
        {"depends on the working value only", [](int, double w) { return w * 100; }},
    };
    for (const auto& [name, sumOf] : shapes) {
        SCOPED_TRACE(name);
        const double expected = PlainSearch(efficiencies, 0.8, sumOf);
        for (int blockSize : {1, 2, 8, 16, 37, 180, 200})
            EXPECT_EQ(Speculative(efficiencies, 0.8, blockSize, blockSize, sumOf), expected)
                << "blocks of " << blockSize;
        // Blocks that grow while their guesses hold and shrink when one fails.
        EXPECT_EQ(Speculative(efficiencies, 0.8, 16, 48, sumOf), expected);
        EXPECT_EQ(Speculative(efficiencies, 0.8, 3, 200, sumOf), expected);
    }
}

TEST(SpeculativeSearchTest, SumsThatFallThenRiseCostAtMostOneBlockMore) {
    const std::vector<double> efficiencies = TrialEfficiencies();
    int evaluated = 0;
    Speculative(
        efficiencies, 0.8, 16, 16, [](int t, double w) { return std::abs(t - 70.0) + w; },
        &evaluated);
    EXPECT_LE(evaluated, 180 + 16);
}

TEST(EngineThreadsTest, TwoRunsAtOnceGiveTheResultsOfOneAtATime) {
    const InputData first = test::GeneratedProject(14);
    const InputData second = test::GeneratedProject(23);
    const InputData firstBefore = first, secondBefore = second;
    // Each run writes its output file into a folder of its own.
    test::TempFolder one("first"), two("second");
    const Outcome firstAlone = RunWith(first, {}, one);
    const Outcome secondAlone = RunWith(second, {}, two);

    Outcome firstTogether, secondTogether;
    std::thread other([&] { secondTogether = RunWith(second, {}, two); });
    firstTogether = RunWith(first, {}, one);
    other.join();

    ExpectSameRun(firstTogether.state, firstAlone.state, first.NrTst, first.TstLength);
    ExpectSameRun(secondTogether.state, secondAlone.state, second.NrTst, second.TstLength);
    EXPECT_EQ(firstTogether.file, firstAlone.file);
    EXPECT_EQ(secondTogether.file, secondAlone.file);
    // The engine only reads the record.
    InputData a = first, b = firstBefore;
    EXPECT_EQ(InputFileText(a), InputFileText(b));
    a = second;
    b = secondBefore;
    EXPECT_EQ(InputFileText(a), InputFileText(b));
}

}  // namespace
}  // namespace halosoil
