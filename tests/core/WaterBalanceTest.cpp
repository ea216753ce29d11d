// The daily water balance, worked by hand on plain projects.

#include <gtest/gtest.h>

#include <cmath>

#include "Engine.h"
#include "EngineTestSupport.h"
#include "FileTestSupport.h"
#include "InputFile.h"
#include "ProjectBuilder.h"

namespace halosoil {
namespace {

// The first step's actual evaporation, capillary rise and percolation, as worked by hand.
void ExpectFirstStepFlows(const RunState& s, double actEvap, double capRise, double percol) {
    EXPECT_DOUBLE_EQ(s.ActEvap[1], actEvap);
    EXPECT_DOUBLE_EQ(s.CapRise[1], capRise);
    EXPECT_DOUBLE_EQ(s.Percol[1], percol);
}

class WaterBalanceTest : public ::testing::Test {
protected:
    const RunState& RunProject(InputData& data) {
        data.InputFileName = folder_.File("plain.inp");
        PrepareIrrigSpread(data);
        engine_.Run(data, host_, "");
        return engine_.State();
    }

    test::TempFolder folder_;
    test::ScriptedRunHost host_;
    Engine engine_;
};

TEST_F(WaterBalanceTest, CapacityBelowTwoHundredthsMovesTheTableOnceADay) {
    InputData data = test::PlainProject(1, 30);
    test::SetDrains(data, {.DrainDepth = 2.0, .QH1 = 0.019});
    const RunState& s = RunProject(data);
    // Head 1 m: 1000 x 0.019 x 1 = 19 mm a day; the table sinks by 19 / (1000 x 0.1) m.
    EXPECT_NEAR(s.DepthWT[1], 1.19, 1e-12);
    EXPECT_NEAR(s.Drain[1], 570, 1e-9);
}

TEST_F(WaterBalanceTest, CapacityOfTwoHundredthsUsesTenSubSteps) {
    InputData data = test::PlainProject(1, 30);
    test::SetDrains(data, {.DrainDepth = 2.0, .QH1 = 0.02});
    const RunState& s = RunProject(data);
    // Each sub-step drains 2 x head mm and lowers the head to 0.98 of itself: after ten the
    // head is 0.98^10 and the day drained 100 x (1 - 0.98^10) mm.
    const double head = std::pow(0.98, 10);
    EXPECT_NEAR(s.DepthWT[1], 2.0 - head, 1e-12);
    EXPECT_NEAR(s.Drain[1], 30 * 100 * (1 - head), 1e-9);
}

TEST_F(WaterBalanceTest, WaterAboveTheSurfaceHasPorosityOneAndDoublesTheFlowAboveDrains) {
    InputData data = test::PlainProject(1, 7);
    data.WTdepth = -0.2;
    test::SetDrains(data, {.DrainDepth = 1.0, .QH1 = 0.001, .QH2 = 0.01});
    const RunState& s = RunProject(data);
    // Head 1.2 m: above 2 x 1000 x 0.01 x 1.44 = 28.8, below 1000 x 0.001 x 1.2 = 1.2.
    EXPECT_NEAR(s.Drain[1], 7 * 30.0, 1e-9);
    EXPECT_NEAR(s.DepthWT[1], -0.2 + 30.0 / 1000, 1e-12);

    InputData shallow = test::PlainProject(1, 7);
    shallow.WTdepth = -0.05;  // less than 0.1 m of water: no doubling
    test::SetDrains(shallow, {.DrainDepth = 1.0, .QH1 = 0.001, .QH2 = 0.01});
    const RunState& t = RunProject(shallow);
    EXPECT_NEAR(t.Drain[1], 7 * (1000 * 0.01 * 1.05 * 1.05 + 1.05), 1e-9);
}

TEST_F(WaterBalanceTest, NetRechargeAboveTheSurfaceRaisesTheTableByItsDepthInWater) {
    InputData data = test::PlainProject(2, 7);
    data.WTdepth = 0;
    data.Rain = {0, 35, 35};  // 5 mm a day, nothing evaporates
    const RunState& s = RunProject(data);
    EXPECT_NEAR(s.DepthWT[1], -0.005, 1e-15);
    EXPECT_NEAR(s.DepthWT[2], -0.010, 1e-15);  // nothing clamps it at the surface
    EXPECT_DOUBLE_EQ(s.Percol[1], 35);
}

TEST_F(WaterBalanceTest, NoDrainsOrTableBelowDrainsGiveNoDischarge) {
    InputData data = test::PlainProject(1, 30);
    data.DrainPresent = false;
    data.DrainDepth = 2.0;
    data.QH1 = 0.05;
    data.QH2 = 0.05;
    EXPECT_DOUBLE_EQ(RunProject(data).Drain[1], 0);

    data.DrainPresent = true;
    data.DrainDepth = 0.9;  // the table at 1 m lies below the drains
    EXPECT_DOUBLE_EQ(RunProject(data).Drain[1], 0);
}

TEST_F(WaterBalanceTest, ShallowCriticalDepthGivesFullEvaporationFromTheTable) {
    InputData data = test::PlainProject(1, 30);
    data.WTdepth = 3.0;  // deep in the transition zone
    data.CritDepth = 0.25;
    data.IrrEff = 50;
    data.Evap = {0, 300};  // 10 mm a day, no water at the surface
    const RunState& s = RunProject(data);
    // CF = 1: EvapA = 0.5 x 0 + 1 x (10 - 0) = 10, all of it capillary rise, and the
    // percolation of a long step is negative.
    ExpectFirstStepFlows(s, 300, 300, -300);
    EXPECT_NEAR(s.DepthWT[1], 3.0 + 20.0 / 100, 1e-12);
}

TEST_F(WaterBalanceTest, TableBelowTheCriticalDepthGivesNoCapillaryRise) {
    InputData data = test::PlainProject(1, 30);
    data.WTdepth = 3.0;
    data.CritDepth = 2.0;
    data.IrrEff = 50;
    data.Rain = {0, 120};  // 4 mm a day
    data.Evap = {0, 300};
    const RunState& s = RunProject(data);
    // CF = 0: EvapA = 0.5 x 4 = 2, the rest of the rain percolates.
    ExpectFirstStepFlows(s, 60, 0, 60);
}

TEST_F(WaterBalanceTest, LongStepSumsAllDaysButMovesTheTableByOneDay) {
    InputData data = test::PlainProject(1, 30);
    data.Rain = {0, 60};  // 2 mm a day of net recharge
    const RunState& s = RunProject(data);
    EXPECT_DOUBLE_EQ(s.Percol[1], 60);
    EXPECT_NEAR(s.DepthWT[1], 1.0 - 2.0 / 100, 1e-12);
}

TEST_F(WaterBalanceTest, DailyRunsFillTheMoistureStoreBeforeAnythingPercolates) {
    InputData data = test::PlainProject(7, 1);
    // MoistCap = 1000 x (0.4 - 0.1) x 0.5 = 150 mm, half full at the start.
    for (int i = 1; i <= 7; ++i) {
        data.Rain[i] = 20;
        data.Evap[i] = 5;
    }
    const RunState& s = RunProject(data);
    // 15 mm a day go into the store: 90, 105, 120, 135, 150, then it is full.
    const double expected[] = {0, 0, 0, 0, 0, 0, 15, 15};
    for (int i = 1; i <= 7; ++i) EXPECT_DOUBLE_EQ(s.Percol[i], expected[i]) << "day " << i;
    EXPECT_DOUBLE_EQ(s.SoilMoist[5], 150);
    EXPECT_DOUBLE_EQ(s.SoilMoist[7], 150);
    EXPECT_DOUBLE_EQ(s.MoistChange[7], 0);
}

TEST_F(WaterBalanceTest, DailyRunWithAFullStoreLetsTheSurplusPercolate) {
    InputData data = test::PlainProject(1, 1);
    data.Rain = {0, 200};
    const RunState& s = RunProject(data);
    // The change is limited to 150 - 0; the store overflows and is set full, change 0.
    EXPECT_DOUBLE_EQ(s.Percol[1], 200);
    EXPECT_DOUBLE_EQ(s.SoilMoist[1], 150);
}

TEST_F(WaterBalanceTest, DailyPercolationIsNettedWithCapillaryRise) {
    InputData data = test::PlainProject(1, 1);
    data.Moist = 100;  // the store is full from the start
    data.IrrEff = 50;
    data.Rain = {0, 10};
    data.Evap = {0, 30};
    const RunState& s = RunProject(data);
    // CF = 1: EvapA = 5 + (30 - 5) = 30, CapT = 20; nothing percolates.
    ExpectFirstStepFlows(s, 30, 20, 0);
}

TEST_F(WaterBalanceTest, TwoLayersMayPercolateNegativelyFromTheTopLayerOnly) {
    InputData data = test::PlainProject(1, 30);
    data.NrLayers = 2;
    data.SetLayerFlags(2);
    data.Thick = {0, 0.5, 0.5, 0, 1.5, 10};
    data.WTdepth = 1.5;
    data.Rain = {0, 60};   // 2 mm a day
    data.Evap = {0, 300};  // 10 mm a day
    const RunState& s = RunProject(data);
    // Equal layers: R1 = R2 = 0; EvapA = 10, Evap1 = 20/3, Evap2 = 10/3.
    EXPECT_NEAR(s.DayPerc1(1, 30), 2 - 20.0 / 3, 1e-12);
    EXPECT_DOUBLE_EQ(s.DayPerc2(1, 30), 0);
    EXPECT_DOUBLE_EQ(s.DayCap2(1, 30), 8);
    EXPECT_NEAR(s.DayCap1(1, 30), 8 - 10.0 / 3, 1e-12);
    // The table follows the root zone as a whole: Perc = -8, CapT = 8.
    EXPECT_DOUBLE_EQ(s.Percol[1], -240);
    EXPECT_NEAR(s.DepthWT[1], 1.5 + 16.0 / 100, 1e-12);
}

TEST_F(WaterBalanceTest, TableBelowTheAquiferStopsTheRunInTheStepItIsCrossed) {
    InputData data = test::PlainProject(4, 30);
    data.WTdepth = 11.5;  // the aquifer's bottom lies at 12 m
    data.GrwtOut = 20;    // the table sinks 0.2 m a step
    data.Rain = {0, 30, 30, 30, 30};
    data.MeasSalt[Layer1] = {0, 3, 3, 3, 3};
    const InputData entered = data;
    const RunState& s = RunProject(data);
    EXPECT_TRUE(s.RunStopped);
    EXPECT_EQ(host_.messages,
              std::vector<std::string>{"The water table is below the bottom of the aquifer. "
                                       "Calculations stopped.  Please adjust data."});
    EXPECT_EQ(host_.questions.size(), 1u);  // the refinement question only
    EXPECT_NEAR(s.DepthWT[2], 11.88, 1e-12);
    EXPECT_DOUBLE_EQ(s.Percol[2], 30);
    EXPECT_DOUBLE_EQ(s.Percol[3], 0);  // step 3 keeps no new sums
    EXPECT_FALSE(std::filesystem::exists(folder_.File("plain.out")));
    EXPECT_EQ(data.TotPor, entered.TotPor);
    EXPECT_EQ(data.LeachEff, entered.LeachEff);
    EXPECT_EQ(data.Rain, entered.Rain);
    EXPECT_EQ(data.IrrEff, entered.IrrEff);
}

}  // namespace
}  // namespace halosoil
