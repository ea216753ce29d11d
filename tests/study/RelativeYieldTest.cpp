// What a run's salinity costs a crop: ECe from the root zone's layers, the relative yield by
// threshold and slope, the leaching requirement and the irrigation it implies, step by step.
#include <gtest/gtest.h>

#include <cmath>

#include "CropTolerance.h"
#include "Errors.h"
#include "QuantityCatalogue.h"
#include "RelativeYield.h"
#include "TestProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

const Crop kBarleyCrop{"barley", 8.0, 5.0, "tolerant", ""};
const Crop kWheat{"wheat", 6.0, 7.1, "moderately tolerant", ""};

// A three-layer project of two steps whose layers are 0.2, 0.3 and 0.5 m thick, and a state
// holding the salinities of its soil moisture.
struct TwoSteps {
    InputData data = test::ThreeLayerProject();
    RunState state;

    TwoSteps() {
        data.NrTst = 2;
        data.Thick[Layer1] = 0.2;
        data.Thick[Layer2] = 0.3;
        data.Thick[Layer3] = 0.5;
        SizeSeries(data.IrrSal, 2);
        SizeSeries(data.Evap, 2);
        data.IrrSal = {0, 1.2, 40};
        data.Evap = {0, 100, 100};
        SizeResultSeries(state, 2);
        state.SalRoot1 = {0, 4, 20};
        state.SalRoot2 = {0, 6, 24};
        state.SalRoot3 = {0, 10, 30};
    }
};

TEST(RelativeYield, EceIsTheThicknessWeightedSalinityOfTheRootZoneTimesTheFactor) {
    const TwoSteps project;
    // (0.2 x 4 + 0.3 x 6 + 0.5 x 10) / 1.0 = 0.8 + 1.8 + 5.0 = 7.6 dS/m.
    EXPECT_DOUBLE_EQ(RootZoneSalinity(project.data, project.state, 1), 7.6);
    // (0.2 x 20 + 0.3 x 24 + 0.5 x 30) = 4 + 7.2 + 15 = 26.2.
    EXPECT_DOUBLE_EQ(RootZoneSalinity(project.data, project.state, 2), 26.2);
    // One layer: its own salinity, whatever the others' series hold.
    InputData one = project.data;
    one.SetLayerFlags(1);
    EXPECT_DOUBLE_EQ(RootZoneSalinity(one, project.state, 2), 20);

    const std::vector<YieldStep> steps = YieldSteps(project.data, project.state, kBarleyCrop, 0.5);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_DOUBLE_EQ(steps[0].ece, 3.8);   // 0.5 x 7.6
    EXPECT_DOUBLE_EQ(steps[1].ece, 13.1);  // 0.5 x 26.2
    // Another factor scales ECe with it: 0.6 x 26.2 = 15.72.
    EXPECT_NEAR(YieldSteps(project.data, project.state, kBarleyCrop, 0.6)[1].ece, 15.72, 1e-12);
}

TEST(RelativeYield, TheYieldFallsByTheSlopeAboveTheThresholdWithin0To100) {
    EXPECT_EQ(RelativeYield(kBarleyCrop, 3.8), 100);       // below the threshold
    EXPECT_EQ(RelativeYield(kBarleyCrop, 8.0), 100);       // at it
    EXPECT_DOUBLE_EQ(RelativeYield(kBarleyCrop, 10), 90);  // 100 - 5 x 2
    // 100 - 5 x (13.1 - 8) = 100 - 25.5 = 74.5.
    EXPECT_NEAR(RelativeYield(kBarleyCrop, 13.1), 74.5, 1e-12);
    // 100 - 5 x 22 < 0: nothing is left.
    EXPECT_EQ(RelativeYield(kBarleyCrop, 30), 0);
    const TwoSteps project;
    const std::vector<YieldStep> steps = YieldSteps(project.data, project.state, kBarleyCrop);
    EXPECT_EQ(steps[0].relativeYield, 100);
    EXPECT_NEAR(steps[1].relativeYield, 74.5, 1e-12);
    const Series series = RelativeYieldSeries(project.data, project.state, kBarleyCrop);
    ASSERT_EQ(series.size(), 3u);
    EXPECT_EQ(series[1], 100);
    EXPECT_NEAR(series[2], 74.5, 1e-12);
}

TEST(RelativeYield, TheLeachingRequirementAndTheIrrigationItImplies) {
    // Wheat (ECe_t = 6.0) with water of 1.2 dS/m: LR = 1.2 / (30 - 1.2) = 1.2 / 28.8
    // = 0.0416667; for 100 mm of evaporation 100 / (1 - 0.0416667) = 104.3478 mm.
    EXPECT_NEAR(LeachingRequirement(1.2, 6.0), 0.0416667, 1e-7);
    EXPECT_NEAR(IrrigationForLeaching(100, LeachingRequirement(1.2, 6.0)), 104.3478, 1e-4);
    // Water of 1.0 dS/m for beans (ECe_t 1.0): 1 / (5 - 1) = 0.25.
    EXPECT_DOUBLE_EQ(LeachingRequirement(1.0, 1.0), 0.25);
    EXPECT_DOUBLE_EQ(IrrigationForLeaching(60, 0.25), 80);  // 60 / 0.75
    // Fresh water leaches nothing; water of 2.5 ECe_t or more cannot keep the threshold.
    EXPECT_EQ(LeachingRequirement(0, 6.0), 0);
    EXPECT_TRUE(std::isnan(LeachingRequirement(15, 6.0)));  // 15 / (30 - 15) = 1
    EXPECT_TRUE(std::isnan(LeachingRequirement(40, 6.0)));
    EXPECT_TRUE(std::isnan(IrrigationForLeaching(100, LeachingRequirement(40, 6.0))));

    const TwoSteps project;
    const std::vector<YieldStep> steps = YieldSteps(project.data, project.state, kWheat);
    EXPECT_NEAR(steps[0].leachingRequirement, 0.0416667, 1e-7);
    EXPECT_NEAR(steps[0].irrigationNeeded, 104.3478, 1e-4);
    EXPECT_TRUE(std::isnan(steps[1].leachingRequirement));
    // The table leaves a requirement that cannot be met empty. Step 1: ECe 3.8, wheat's yield
    // full; step 2: ECe 13.1, 100 - 7.1 x 7.1 = 49.59.
    const std::string csv = YieldCsv(steps);
    EXPECT_EQ(csv.substr(0, csv.find('\n') + 1),
              "step,ece,relative_yield,leaching_requirement,irrigation_needed\n");
    EXPECT_NEAR(steps[1].relativeYield, 49.59, 1e-9);
    EXPECT_NE(csv.find("\n1,3.8,100,"), std::string::npos) << csv;
    EXPECT_EQ(csv.substr(csv.size() - 3), ",,\n") << csv;
}

TEST(RelativeYield, AStoppedRunHasStepsOnlyBeforeItsStop) {
    TwoSteps project;
    project.state.RunStopped = true;
    project.state.StoppedStep = 2;
    const std::vector<YieldStep> steps = YieldSteps(project.data, project.state, kBarleyCrop);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].step, 1);
    EXPECT_THROW(CheckEceFactor(0), HalosoilError);
    EXPECT_THROW(CheckEceFactor(-0.5), HalosoilError);
    EXPECT_NO_THROW(CheckEceFactor(0.5));
}

}  // namespace
