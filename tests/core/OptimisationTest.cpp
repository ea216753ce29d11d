// The search of leaching efficiencies against measured salinities.

#include <gtest/gtest.h>

#include <cmath>

#include "LeachingOptimisation.h"
#include "RunInputs.h"
#include "RunTestFixture.h"

namespace halosoil {
namespace {

class OptimisationTest : public test::RunTest {};

TEST_F(OptimisationTest, EveryTrialAtTheCapKeepsTheFirstEfficiency) {
    InputData data = test::PlainProject(4, 30);
    data.MeasSalt[Layer1] = {0, 1000, 1000, 1000, 1000};  // simulated stays at 2
    const RunState& s = RunProject(data, {false, true});
    EXPECT_NEAR(data.LeachEff[Layer1], 100, 0);  // the record keeps the entered value
    EXPECT_TRUE(s.LeachEffOptimized[Layer1]);
    EXPECT_FALSE(s.LeachEffOptimized[Trans]);
    // 1 - sqrt(4 x 998^2 / (4 x 1000^2)) = 0.002, printed as 0 %.
    EXPECT_EQ(OutputLines()[6],
              " Leaching efficiency layer 1   :    0.11  (optimized),   Coeff. of determination "
              "(%) :    0");
    EXPECT_EQ(OutputLines()[7],
              " Leaching eff. transit. zone   :    1.00  (given),       Coeff. of determination "
              "(%) :  n.a.");
}

TEST_F(OptimisationTest, QuestionAskedOnlyWithMoreThanThreeMeasurements) {
    InputData three = test::PlainProject(4, 30);
    three.MeasSalt[Aquif] = {0, 2, 2, 2, -1};
    RunProject(three, {false});
    EXPECT_EQ(host_.questions.size(), 1u);

    InputData four = test::PlainProject(4, 30);
    four.MeasSalt[Aquif] = {0, 2, 2, 2, 2};
    RunProject(four, {false, false});
    ASSERT_EQ(host_.questions.size(), 2u);
    EXPECT_EQ(host_.questions[1],
              "There are one or more soil layers with enough data on measured salinity to "
              "optimize the leaching efficiency. Do you want to do the optimization?");
}

TEST_F(OptimisationTest, MembersThatDoNotSearchAZoneLeaveItsEfficiency) {
    InputData data = test::PlainProject(4, 30);
    data.NrLayers = 2;
    data.SetLayerFlags(2);
    data.Thick = {0, 0.3, 0.3, 0, 1.5, 10};
    data.LeachEff = {0, 80, 60, 0, 70, 90};
    data.MeasSalt[Layer1] = {0, 1000, 1000, 1000, 1000};
    RunProject(data, {false, true});
    const std::vector<std::string> lines = OutputLines();
    // Member 4 tries its efficiency on layer 2's outflow too, but leaves layer 2's own.
    EXPECT_EQ(lines[6].substr(32, 8), "    0.11");
    EXPECT_EQ(lines[7].substr(32, 22), "    0.60  (given),    ");
    EXPECT_EQ(lines[8].substr(32, 8), "    0.70");
    EXPECT_EQ(lines[9].substr(32, 8), "    0.90");
}

TEST(OptimisationOrderTest, ThreeLayersSearchTransitionAndAquiferTwice) {
    EXPECT_EQ(OptimisationOrder(1), (std::vector<int>{Layer1, Trans, Aquif}));
    EXPECT_EQ(OptimisationOrder(2), (std::vector<int>{Layer1, Layer2, Trans, Aquif}));
    EXPECT_EQ(OptimisationOrder(3),
              (std::vector<int>{Layer1, Layer2, Layer3, Trans, Aquif, Trans, Aquif}));
}

// An aquifer of 100 mm water whose only flow is an outflow of 5 mm a day, which the
// one-layer aquifer member takes TstLength times: 10 mm a day in two-day steps.
class AquiferTrial : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = MakeRunInputs(test::PlainProject(1, 2));
        data_.GrwtOut = 5;
        state_.Wa = 100;
        state_.W1 = state_.Wt = 100;
        state_.Drain = {0, 0};
        for (DayTable* table : {&state_.DayPerc1, &state_.DayCap1}) table->Size(1, 2);
    }
    RunInputs data_;
    RunState state_;
    ZoneValues le_ = {0, 1, 1, 1, 1, 1};
};

TEST_F(AquiferTrial, MeasurementCountsOnTheLastDayOnly) {
    // With E = 1 each day multiplies the salinity by 0.95 / 1.05.
    const double lastDay = 2 * (0.95 / 1.05) * (0.95 / 1.05);
    data_.MeasSalt[Aquif][1] = lastDay;
    EXPECT_LT(LeachingTrial(data_, state_, le_, Aquif, 1.0), 1e-20);
    data_.MeasSalt[Aquif][1] = 2 * 0.95 / 1.05;  // the first day's salinity does not count
    EXPECT_NEAR(LeachingTrial(data_, state_, le_, Aquif, 1.0),
                std::pow(lastDay - 2 * 0.95 / 1.05, 2), 1e-12);
}

TEST_F(AquiferTrial, MissingOrZeroMeasurementsNeverCount) {
    data_.MeasSalt[Aquif][1] = 0;
    EXPECT_DOUBLE_EQ(LeachingTrial(data_, state_, le_, Aquif, 1.0), 0);
    data_.MeasSalt[Aquif][1] = -1;
    EXPECT_DOUBLE_EQ(LeachingTrial(data_, state_, le_, Aquif, 1.0), 0);
}

TEST_F(AquiferTrial, SumIsCappedAtOneThousand) {
    data_.MeasSalt[Aquif][1] = 500;
    EXPECT_DOUBLE_EQ(LeachingTrial(data_, state_, le_, Aquif, 1.0), 1000);
}

TEST_F(AquiferTrial, TheSearchFindsTheEfficiencyThatFitsAndLaterTrialsDoNotReplaceIt) {
    // The salinity after two days with E = 0.5: each day multiplies by 0.975 / 1.025.
    data_.MeasSalt[Aquif][1] = 2 * (0.975 / 1.025) * (0.975 / 1.025);
    for (const bool reference : {true, false}) {
        ZoneValues le = le_;
        OptimiseLeachEff(data_, state_, le, Aquif, EngineOptions{.reference = reference});
        EXPECT_NEAR(le[Aquif], 0.5, 1e-12);
        EXPECT_DOUBLE_EQ(le[Trans], 1);
    }
}

}  // namespace
}  // namespace halosoil
