// Variants of one project run side by side in lanes and across threads give, member by member,
// the bits of a plain run of the member's own project on a fresh engine: members that differ
// in every number a study may move, members whose water table lies in other zones or falls
// below the aquifer, and members the engine refuses.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "CalibrationKernels.h"
#include "Engine.h"
#include "EngineTestSupport.h"
#include "Errors.h"
#include "ExampleProjects.h"
#include "GeneratedProjects.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "SameResults.h"
#include "VariantRuns.h"
#include "VectorUnit.h"

namespace {

using namespace halosoil;

// Member k of base: every movable number moved by its own share of k, the series scaled, the
// capacity on both sides of the one from which a day takes ten sub-steps.
InputData MemberOf(const InputData& base, long long k) {
    InputData d = base;
    const double share = static_cast<double>(k % 7) / 7;  // 0 .. 6/7
    d.QH1 = k % 2 == 0 ? 0.005 + 0.01 * share : 0.02 + 0.1 * share;
    d.QH2 = base.QH2 * (0.5 + share);
    d.GrwtInf = base.GrwtInf * (0.5 + share);
    d.GrwtOut = base.GrwtOut * (1.5 - share);
    d.SalInf = base.SalInf + share;
    d.CritDepth = base.CritDepth * (0.6 + share);
    d.IrrEff = 30 + 70 * share;
    // The water table starts in the root zone, the transition zone or the aquifer.
    d.WTdepth = k % 3 == 0 ? 0.1 : k % 3 == 1 ? 1.0 + share : 4.0 + share;
    for (int z = Layer1; z <= Aquif; ++z) {
        if (d.Thick[z] > 0) d.Thick[z] = base.Thick[z] * (0.7 + share);
        d.TotPor[z] = base.TotPor[z] * (0.9 + share / 5);
        d.EffPor[z] = base.EffPor[z] * (0.6 + share);
        d.LeachEff[z] = 40 + 60 * share;
        d.InitSalt[z] = base.InitSalt[z] * (0.5 + share);
    }
    for (int i = 1; i <= d.NrTst; ++i) {
        d.Rain[i] = base.Rain[i] * (0.5 + share);
        d.Irrig[i] = base.Irrig[i] * (1.2 - share / 2);
        d.Evap[i] = base.Evap[i] * (0.8 + share / 2);
        d.IrrSal[i] = base.IrrSal[i] * (0.5 + share);
    }
    if (k % 5 == 4) {
        // Drained from below: the water table falls below the aquifer.
        d.GrwtOut = 40;
        d.Thick[Trans] = 0.3;
        d.Thick[Aquif] = 0.5;
    }
    if (k % 11 == 10) d.NrTst = 0;  // refused
    PrepareIrrigSpread(d);
    return d;
}

struct Plain {
    RunState state;
    std::string refusal;
};

Plain PlainRunOf(const InputData& project) {
    Plain plain;
    Engine engine(EngineOptions{.reference = true});
    test::ScriptedRunHost host;
    try {
        engine.Compute(project, host);
    } catch (const HalosoilError& error) {
        plain.refusal = error.what();
    }
    plain.state = engine.State();
    return plain;
}

void ExpectSameVariantState(const RunState& a, const RunState& b) {
    test::ExpectSameResults(a, b);
    test::ExpectSameBits(a.SoilMoist, b.SoilMoist, "SoilMoist");
    for (int z = Layer1; z <= Aquif; ++z) {
        EXPECT_EQ(std::memcmp(&a.CoefDet[z], &b.CoefDet[z], sizeof(double)), 0) << "zone " << z;
        EXPECT_EQ(a.FitNA[z], b.FitNA[z]) << "zone " << z;
        EXPECT_EQ(a.LeachEffOptimized[z], b.LeachEffOptimized[z]) << "zone " << z;
    }
}

// What the members are to cover, so that a change of MemberOf cannot leave a case untested.
struct VariantCoverage {
    int through = 0, stopped = 0, refused = 0;
};

TEST(VariantRunsTest, EveryMemberIsAPlainRunOfItsProjectOnEveryUnitAndThreadCount) {
    constexpr long long kMembers = 23;  // two full groups of lanes and a part of one
    VariantCoverage seen;
    for (unsigned seed : {1u, 2u, 3u, 6u, 8u, 12u}) {  // one to three layers, days to years
        SCOPED_TRACE("seed " + std::to_string(seed));
        const InputData base = test::GeneratedProject(seed);
        std::vector<Plain> expected;
        for (long long k = 0; k < kMembers; ++k) {
            expected.push_back(PlainRunOf(MemberOf(base, k)));
            const Plain& plain = expected.back();
            if (!plain.refusal.empty())
                ++seen.refused;
            else
                ++(plain.state.RunStopped ? seen.stopped : seen.through);
        }
        for (VectorUnit unit : AvailableVectorUnits()) {
            for (int threads : {1, 3}) {
                SCOPED_TRACE(std::string(VectorUnitName(unit)) + ", threads " +
                             std::to_string(threads));
                std::vector<Plain> found(kMembers);
                std::vector<int> visits(kMembers, 0);
                std::mutex lock;
                ComputeVariantRuns(
                    kMembers, [&](long long k, InputData& project) { project = MemberOf(base, k); },
                    [&](const VariantRun& run) {
                        const std::lock_guard<std::mutex> guard(lock);
                        found[run.member] = {run.state, run.refusal};
                        ++visits[run.member];
                    },
                    {.threads = threads, .widestVectorUnit = unit});
                for (long long k = 0; k < kMembers; ++k) {
                    SCOPED_TRACE("member " + std::to_string(k));
                    EXPECT_EQ(visits[k], 1);
                    EXPECT_EQ(found[k].refusal, expected[k].refusal);
                    if (!expected[k].refusal.empty()) {
                        EXPECT_TRUE(found[k].state.RunStopped);
                        EXPECT_EQ(found[k].state.StoppedStep, 0);
                        continue;
                    }
                    ExpectSameVariantState(found[k].state, expected[k].state);
                }
            }
        }
    }
    EXPECT_GT(seen.through, 0);
    EXPECT_GT(seen.stopped, 0);
    EXPECT_GT(seen.refused, 0);
}

// The bytes of the output file of a run's state.
std::string OutputOf(const InputData& project, const RunState& state) {
    std::string file;
    WriteOutputHeader(file, project, state, "member.out");
    for (int i = 1; i <= project.NrTst; ++i) WriteOutputLine(file, project, state, i);
    return file;
}

TEST(VariantRunsTest, EveryExamplesMembersWriteTheOutputFilesOfTheirPlainRuns) {
    int examples = 0, through = 0;
    for (const std::filesystem::path& file : test::examples::ExampleInputFiles(HALOSOIL_EXAMPLES)) {
        SCOPED_TRACE(file.string());
        const InputData base = test::examples::ReadExample(file);
        constexpr long long kMembers = 10;
        std::vector<std::string> files(kMembers);
        ComputeVariantRuns(
            kMembers, [&](long long k, InputData& project) { project = MemberOf(base, k); },
            [&](const VariantRun& run) {
                if (!run.state.RunStopped) files[run.member] = OutputOf(run.project, run.state);
            },
            {.threads = 2});
        for (long long k = 0; k < kMembers; ++k) {
            const InputData project = MemberOf(base, k);
            const Plain plain = PlainRunOf(project);
            if (plain.state.RunStopped) {
                EXPECT_TRUE(files[k].empty()) << "member " << k;
                continue;
            }
            EXPECT_EQ(files[k], OutputOf(project, plain.state)) << "member " << k;
            ++through;
        }
        ++examples;
    }
    EXPECT_GE(examples, 4);
    EXPECT_GT(through, examples);
}

TEST(VariantRunsTest, AFailureOfTheCallerStopsTheRunsAndIsThrownAgain) {
    const InputData base = test::GeneratedProject(3);
    // Member 20 cannot be made. Counted: the members made, and the groups begun (their first
    // member made) after the failure.
    const auto failAtTwenty = [&](int threads, int& made, int& groupsBegunAfter) {
        bool failed = false;
        std::mutex lock;
        EXPECT_THROW(ComputeVariantRuns(
                         1000,
                         [&](long long k, InputData& project) {
                             const std::lock_guard<std::mutex> guard(lock);
                             ++made;
                             if (failed && k % kTrialLanes == 0) ++groupsBegunAfter;
                             if (k == 20) {
                                 failed = true;
                                 throw std::runtime_error("no record");
                             }
                             project = base;
                         },
                         [](const VariantRun&) {}, {.threads = threads}),
                     std::runtime_error);
    };
    // One thread stops at once: members 0 to 20.
    int made = 0, groupsBegunAfter = 0;
    failAtTwenty(1, made, groupsBegunAfter);
    EXPECT_EQ(made, 21);
    // Each thread ends the group it has begun and takes no other once the failure is noted.
    // It is noted when the exception reaches the runs' handler: until then (the first throw of
    // a process under the sanitizers unwinds for milliseconds) the other thread goes on taking
    // groups, a few of them on a busy machine. A failure that did not stop the runs would let
    // it take every one of the 122 groups left.
    made = 0;
    failAtTwenty(2, made, groupsBegunAfter);
    const long long groupsLeft = (1000 - 24) / kTrialLanes;
    EXPECT_LT(groupsBegunAfter, groupsLeft / 4);
}

TEST(VariantRunsTest, ACancelledRunTakesNoNewGroup) {
    const InputData base = test::GeneratedProject(3);
    std::atomic<bool> cancel{false};
    int visited = 0;
    ComputeVariantRuns(
        100, [&](long long, InputData& project) { project = base; },
        [&](const VariantRun&) {
            if (++visited == 3) cancel = true;
        },
        {.threads = 1, .cancel = &cancel});
    // The group under way ends first.
    EXPECT_EQ(visited, kTrialLanes);
}

}  // namespace
