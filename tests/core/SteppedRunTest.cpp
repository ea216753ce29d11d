// A run advanced step by step with groundwater added per step: without any, it is the plain
// run to the bit; with some, it is the plain run of the project whose own inflow, outflow and
// inflow salinity are what was added.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "Engine.h"
#include "GeneratedProjects.h"
#include "InputFile.h"
#include "ProjectBuilder.h"
#include "SameResults.h"
#include "SteppedRun.h"
#include "VectorUnit.h"

namespace halosoil::test {
namespace {

RunState PlainRun(const InputData& data) {
    Engine engine;
    std::string refusal;
    engine.ComputePlain(data, refusal);
    return engine.State();
}

TEST(SteppedRun, WithoutAddedGroundwaterIsThePlainRunToTheBit) {
    int stopped = 0, through = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        const InputData data = GeneratedProject(seed);
        const RunState plain = PlainRun(data);
        RunState stepped;
        std::string refusal;
        // An empty series, and one of zeros, add nothing.
        ComputeWithGroundwater(data, {}, stepped, refusal);
        ExpectSameResults(stepped, plain);
        const Series zeros(static_cast<std::size_t>(data.NrTst) + 1, 0.0);
        RunState zeroed;
        ComputeWithGroundwater(data, {zeros, zeros, zeros}, zeroed, refusal);
        ExpectSameResults(zeroed, plain);
        EXPECT_EQ(zeroed.CoefDet, plain.CoefDet) << "seed " << seed;
        EXPECT_EQ(zeroed.FitNA, plain.FitNA) << "seed " << seed;
        (plain.RunStopped ? stopped : through) += 1;
    }
    // The generated projects include some that stop early; both kinds were compared.
    EXPECT_GT(stopped, 0);
    EXPECT_GT(through, 0);
}

// A project without groundwater of its own given x mm/day in, y out, at salinity c, is the
// project whose own inflow is x, outflow y and inflow salinity c: 0 + x is x, and 0 x c' + x c
// is x c, so both compute with the same numbers.
TEST(SteppedRun, AddedGroundwaterActsAsTheProjectsOwn) {
    int compared = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        InputData without = GeneratedProject(seed);
        without.GrwtInf = 0;
        without.GrwtOut = 0;
        without.SalInf = 7;  // read only through the inflow of 0
        const double in = 0.7, out = 0.25, salinity = 3.5;
        InputData with = without;
        with.GrwtInf = in;
        with.GrwtOut = out;
        with.SalInf = salinity;
        const RunState plain = PlainRun(with);
        if (plain.RunStopped && plain.StoppedStep == 0) continue;  // refused
        const std::size_t n = static_cast<std::size_t>(without.NrTst) + 1;
        RunState stepped;
        std::string refusal;
        ComputeWithGroundwater(without, {Series(n, in), Series(n, out), Series(n, salinity)},
                               stepped, refusal);
        ASSERT_EQ(refusal, "") << "seed " << seed;
        ExpectSameResults(stepped, plain);
        ++compared;
    }
    EXPECT_GT(compared, 20);
}

// The series is per step, and a step moves the water table by one day's net flow. A bare
// profile (no rain, irrigation, evaporation or drains, no groundwater of its own) with its
// water table at 1.5 m, in the transition zone (0.5 m of layer 1 over 2 m, effective porosity
// 10 %): step 1 adds nothing and leaves it at 1.5 m; step 2 adds 5 mm/day, which raises it by
// 5 / (1000 x 0.10) = 0.05 m to 1.45 m; step 3 takes 2 mm/day out: 1.45 + 2 / 100 = 1.47 m.
TEST(SteppedRun, AStepsGroundwaterMovesItsWaterTableByHand) {
    InputData data = NewProject("Bare", "profile", 3, 10, 1);
    SetConditions(data, {.WTdepth = 1.5, .CritDepth = 1, .Moist = 50, .IrrEff = 50});
    SetSoil(data, {.Thick = {0, 0.5, 0, 0, 2, 10},
                   .TotPor = {0, 40, 0, 0, 40, 40},
                   .EffPor = {0, 10, 0, 0, 10, 10},
                   .LeachEff = {0, 100, 0, 0, 100, 100},
                   .InitSalt = {0, 2, 0, 0, 2, 2}});
    PrepareIrrigSpread(data);
    RunState stepped;
    std::string refusal;
    ComputeWithGroundwater(data, {{0, 0, 5, 0}, {0, 0, 0, 2}, {0, 0, 4, 0}}, stepped, refusal);
    ASSERT_EQ(refusal, "");
    ASSERT_FALSE(stepped.RunStopped);
    EXPECT_NEAR(stepped.DepthWT[1], 1.5, 1e-12);
    EXPECT_NEAR(stepped.DepthWT[2], 1.45, 1e-12);
    EXPECT_NEAR(stepped.DepthWT[3], 1.47, 1e-12);
}

// The salt steps of many runs side by side in the lanes, every unit the processor has, leave
// each run as its own steps one by one do, to the bit: runs of every shape mixed (the lanes
// take those of one step length and layers together) with groundwater added in some steps.
TEST(SteppedRun, SaltStepsSideBySideAreEachRunsOwnToTheBit) {
    for (const VectorUnit unit : AvailableVectorUnits()) {
        SCOPED_TRACE(VectorUnitName(unit));
        std::vector<InputData> projects;
        for (unsigned seed = 1; projects.size() < 23; ++seed) {
            InputData data = GeneratedProject(seed);
            const RunState plain = PlainRun(data);
            if (!plain.RunStopped) projects.push_back(data);
        }
        const std::size_t n = projects.size();
        std::vector<RunState> alone(n), together(n);
        std::vector<SteppedRun> one(n), many(n);
        std::vector<SteppedRun*> pointers;
        int steps = 1000;
        for (std::size_t k = 0; k < n; ++k) {
            std::string refusal;
            ASSERT_TRUE(one[k].Start(projects[k], alone[k], refusal)) << refusal;
            ASSERT_TRUE(many[k].Start(projects[k], together[k], refusal)) << refusal;
            steps = std::min(steps, projects[k].NrTst);
            pointers.push_back(&many[k]);
        }
        // Some runs stop being compared where their own steps end: all go as far as the
        // shortest; an extra of 0 in even steps keeps the project's own values.
        const auto extra = [](std::size_t k, int i) {
            if (i % 2 == 0) return StepGroundwater{};
            return StepGroundwater{0.1 * static_cast<double>(k % 4), 0.05 * i, 1.5 + 0.1 * i};
        };
        for (int i = 1; i <= steps; ++i)
            for (std::size_t k = 0; k < n; ++k) {
                const StepGroundwater g = extra(k, i);
                ASSERT_TRUE(one[k].WaterStep(i, g.inflow, g.outflow));
                ASSERT_TRUE(many[k].WaterStep(i, g.inflow, g.outflow));
            }
        for (int i = 1; i <= steps; ++i) {
            std::vector<StepGroundwater> extras;
            for (std::size_t k = 0; k < n; ++k) {
                extras.push_back(extra(k, i));
                one[k].SaltStep(i, extras.back());
            }
            SaltSteps(pointers.data(), extras.data(), static_cast<int>(n), i, unit);
        }
        for (std::size_t k = 0; k < n; ++k) {
            one[k].Finish();
            many[k].Finish();
            ExpectSameResults(together[k], alone[k]);
            EXPECT_EQ(together[k].CoefDet, alone[k].CoefDet);
        }
    }
}

}  // namespace
}  // namespace halosoil::test
