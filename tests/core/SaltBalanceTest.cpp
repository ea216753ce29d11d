// The daily salt update of a zone and the final salt balance with its fit statistics.

#include <gtest/gtest.h>

#include <cmath>

#include "ProjectBuilder.h"
#include "RunTestFixture.h"
#include "ZoneUpdate.h"

namespace halosoil {
namespace {

using test::RunTest;

TEST(ZoneUpdateTest, SolvesForTheNewSalinity) {
    // Dv = 1.05; the zone loses 10 mm x the average of old and new salinity / 100 mm.
    EXPECT_NEAR(UpdateZone(2, 0, 1 * 10, 100, SaltFloor::AtZero), 1.9 / 1.05, 1e-15);
    EXPECT_NEAR(UpdateZone(2, 0, 1 * 10, 100, SaltFloor::AtZero), 1.8095, 5e-5);
    // Inflow of 50 mm x dS/m into 100 mm of water without outflow adds 0.5 dS/m.
    EXPECT_DOUBLE_EQ(UpdateZone(2, 50, 0, 100, SaltFloor::BelowZero), 2.5);
}

TEST(ZoneUpdateTest, FloorsKeepTheSalinityPositive) {
    // (2 - 0.5 x 1000 x 2 / 100) / 6 is negative.
    EXPECT_DOUBLE_EQ(UpdateZone(2, 0, 1000, 100, SaltFloor::AtZero), 0.1);
    EXPECT_DOUBLE_EQ(UpdateZone(2, 0, 1000, 100, SaltFloor::BelowZero), 0.1);
    EXPECT_LT(UpdateZone(2, 0, 1000, 100, SaltFloor::None), 0);
    // Exactly zero: layers 1 and 2 become 0.1, the deeper zones stay at 0.
    EXPECT_DOUBLE_EQ(UpdateZone(0, 0, 0, 100, SaltFloor::AtZero), 0.1);
    EXPECT_DOUBLE_EQ(UpdateZone(0, 0, 0, 100, SaltFloor::BelowZero), 0);
}

TEST(ZoneUpdateTest, DivisorNeverFallsBelowOneThousandth) {
    // A negative outflow of -2000 mm would give Dv = -9; it is taken as 0.001.
    EXPECT_DOUBLE_EQ(UpdateZone(1, 0, -2000, 100, SaltFloor::None), (1 + 10) / 0.001);
}

class SaltBalanceTest : public RunTest {};

TEST_F(SaltBalanceTest, WithoutWaterMovingEveryZoneKeepsItsInitialSalinity) {
    InputData data = test::PlainProject(3, 30);
    data.InitSalt = {0, 4, 0, 0, 3, 2};
    const RunState& s = RunProject(data);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_DOUBLE_EQ(s.SalRoot1[i], 4);
        EXPECT_DOUBLE_EQ(s.SalTrans[i], 3);
        EXPECT_DOUBLE_EQ(s.SalAquif[i], 2);
    }
}

TEST_F(SaltBalanceTest, TransitionZoneLosesSaltWithTheStepsDrainageOnEveryDay) {
    InputData data = test::PlainProject(1, 7);
    // 2 mm a day from a head of 1 m: 14 mm in the step.
    test::SetDrains(data, {.DrainDepth = 2.0, .QH1 = 0.002});
    const RunState& s = RunProject(data);
    ASSERT_NEAR(s.Drain[1], 14, 1e-12);
    // Wt = 1000 x 1.5 x 0.4 = 600 mm; each day the salinity is multiplied by
    // (1 - 0.5 x 14 / 600) / (1 + 0.5 x 14 / 600) = 593 / 607.
    EXPECT_NEAR(s.SalTrans[1], 2 * std::pow(593.0 / 607.0, 7), 1e-12);
    EXPECT_DOUBLE_EQ(s.SalAquif[1], 2);
}

TEST_F(SaltBalanceTest, CoefficientOfDeterminationFromTheMeasurements) {
    InputData data = test::PlainProject(4, 30);
    data.MeasSalt[Layer1] = {0, 1, 2, 3, 2};  // simulated stays 2: SSE 2, sum of squares 18
    data.MeasSalt[Trans] = {0, 10, 10, 10, 10};
    const RunState& s = RunProject(data);
    EXPECT_NEAR(s.CoefDet[Layer1], 1 - std::sqrt(2.0 / 18), 1e-15);
    EXPECT_NEAR(s.CoefDet[Trans], 1 - std::sqrt(256.0 / 400), 1e-15);
    EXPECT_FALSE(s.FitNA[Layer1]);
    EXPECT_TRUE(s.FitNA[Aquif]);
    EXPECT_DOUBLE_EQ(s.CoefDet[Aquif], 0);
}

TEST_F(SaltBalanceTest, NegativeCoefficientStaysForTheRootZoneOnly) {
    InputData data = test::PlainProject(4, 30);
    data.MeasSalt[Layer1] = {0, 0.5, 0.5, 0.5, 0.5};  // 1 - sqrt(9 / 1) = -2
    data.MeasSalt[Trans] = {0, 0.5, 0.5, 0.5, 0.5};
    const RunState& s = RunProject(data);
    EXPECT_DOUBLE_EQ(s.CoefDet[Layer1], -2);
    EXPECT_DOUBLE_EQ(s.CoefDet[Trans], 0);
    EXPECT_EQ(OutputLines()[6],
              " Leaching efficiency layer 1   :    1.00  (given),       Coeff. of determination "
              "(%) : -200");
}

TEST_F(SaltBalanceTest, ThreeMeasurementsGiveNoCoefficientFourDo) {
    InputData data = test::PlainProject(4, 30);
    data.MeasSalt[Layer1] = {0, 2, 2, 2, -1};
    data.MeasSalt[Trans] = {0, 2, 2, 2, 2};
    data.MeasSalt[Aquif] = {0, 2, 0, 2, 2};  // a zero is no measurement
    const RunState& s = RunProject(data, {false, false});
    EXPECT_TRUE(s.FitNA[Layer1]);
    EXPECT_FALSE(s.FitNA[Trans]);
    EXPECT_DOUBLE_EQ(s.CoefDet[Trans], 1);
    EXPECT_TRUE(s.FitNA[Aquif]);
    const std::vector<std::string> lines = OutputLines();
    EXPECT_EQ(lines[6],
              " Leaching efficiency layer 1   :    1.00  (given),       Coeff. of determination "
              "(%) :  n.a.");
    EXPECT_EQ(lines[7],
              " Leaching eff. transit. zone   :    1.00  (given),       Coeff. of determination "
              "(%) :  100");
}

TEST_F(SaltBalanceTest, AMeasurementCountsOnlyOnTheLastDayOfItsStep) {
    InputData data = test::PlainProject(4, 7);
    test::SetDrains(data, {.DrainDepth = 2.0, .QH1 = 0.002});
    const RunState first = RunProject(data);
    // Measured exactly what the step ends with: a perfect fit only if no other day counts.
    for (int i = 1; i <= 4; ++i) data.MeasSalt[Trans][i] = first.SalTrans[i];
    const RunState& s = RunProject(data, {false, false});
    EXPECT_DOUBLE_EQ(s.CoefDet[Trans], 1);
}

}  // namespace
}  // namespace halosoil
