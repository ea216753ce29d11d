// The drainage-capacity refinement, on a water table just above the surface (porosity 1) of
// one two-day step: a trial whose drain discharge equals the daily percolation leaves the
// water table where it is and closes the balance exactly.

#include <gtest/gtest.h>

#include "ProjectBuilder.h"
#include "RunTestFixture.h"

namespace halosoil {
namespace {

class RefinementTest : public test::RunTest {
protected:
    // Head above the drains 1.05 m; percolation p mm a day.
    InputData ProjectWithPercolation(double p) {
        InputData data = test::PlainProject(1, 2);
        data.WTdepth = -0.05;
        test::SetDrains(data, {.DrainDepth = 1.0, .QH1 = 0.07});
        data.Rain = {0, 2 * p};
        return data;
    }
};

TEST_F(RefinementTest, CapacityInsideTheRangeIsAcceptedAndPrintedAsRefined) {
    InputData data = ProjectWithPercolation(1000 * 0.15 * 1.05);
    const RunState& s = RunProject(data, {true});
    EXPECT_TRUE(s.RefineChosen);
    EXPECT_TRUE(s.QH1Refined);
    EXPECT_NEAR(s.QH1Used, 0.150, 1e-12);
    EXPECT_DOUBLE_EQ(data.QH1, 0.07);  // the record keeps the entered capacity
    EXPECT_EQ(OutputLines()[6], " Drainage capacity QH1 refined :   0.150");
}

TEST_F(RefinementTest, SecondTrialIsTheLowestAccepted) {
    InputData data = ProjectWithPercolation(2.1);  // 1000 x 0.002 x 1.05
    const RunState& s = RunProject(data, {true});
    EXPECT_TRUE(s.QH1Refined);
    EXPECT_NEAR(s.QH1Used, 0.002, 1e-15);
}

TEST_F(RefinementTest, BestAtTheFirstTrialFallsBackToTheEnteredCapacity) {
    InputData data = ProjectWithPercolation(1.05);  // 1000 x 0.001 x 1.05
    const RunState& s = RunProject(data, {true});
    EXPECT_FALSE(s.QH1Refined);
    EXPECT_DOUBLE_EQ(s.QH1Used, 0.07);
    EXPECT_EQ(OutputLines()[6], " Drainage capacity QH1 (given) :   0.070");
}

TEST_F(RefinementTest, BestAtTheLastTrialFallsBackToTheEnteredCapacity) {
    InputData data = ProjectWithPercolation(1000);  // more than any trial drains
    const RunState& s = RunProject(data, {true});
    EXPECT_FALSE(s.QH1Refined);
    EXPECT_DOUBLE_EQ(s.QH1Used, 0.07);
}

TEST_F(RefinementTest, AnsweringNoUsesTheEnteredCapacityAndWritesNoCapacityLine) {
    InputData data = ProjectWithPercolation(2.1);
    const RunState& s = RunProject(data, {false});
    EXPECT_FALSE(s.RefineChosen);
    EXPECT_DOUBLE_EQ(s.QH1Used, 0.07);
    EXPECT_EQ(OutputLines()[6].substr(0, 30), " Leaching efficiency layer 1  ");
}

}  // namespace
}  // namespace halosoil
