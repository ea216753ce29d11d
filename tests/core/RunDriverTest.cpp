// The run as a whole: its questions, progress positions, refusals and the record it leaves.

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "OutputFileName.h"
#include "RunTestFixture.h"

namespace halosoil {
namespace {

class RunDriverTest : public test::RunTest {
protected:
    void RunCopy(InputData data) { RunProject(data); }
};

TEST_F(RunDriverTest, ProgressAndQuestionsInTheirOrder) {
    InputData data = test::PlainProject(4, 30);
    data.MeasSalt[Layer1] = {0, 2, 2, 2, 2};
    RunProject(data, {false, true});
    EXPECT_EQ(host_.progress, (std::vector<int>{2, 3, 4, 6, 8, 8, 9}));
    ASSERT_EQ(host_.questions.size(), 2u);
    EXPECT_EQ(host_.questions[0],
              "Halosoil can refine the water balance by selecting a fitting drainage capacity. "
              "Do you wish to do the refinement?");

    RunProject(data, {false, false});
    EXPECT_EQ(host_.progress, (std::vector<int>{2, 3, 6, 8, 8, 9}));
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(RunDriverTest, WithoutMeasurementsTheOptimisationQuestionIsNotAsked) {
    InputData data = test::PlainProject(2, 30);
    RunProject(data, {true});
    EXPECT_EQ(host_.questions.size(), 1u);
    EXPECT_EQ(OutputLines()[7].substr(32, 8), "    1.00");
}

TEST_F(RunDriverTest, TheRecordHoldsTheEnteredValuesAfterTheRun) {
    InputData data = test::PlainProject(3, 7);
    data.TotPor = {0, 43, 0, 0, 41, 37};
    data.EffPor = {0, 7, 0, 0, 11, 13};
    data.LeachEff = {0, 83, 0, 0, 71, 97};
    data.IrrEff = 67;
    data.Rain = {0, 10.1, 20.2, 0.3};
    data.Irrig = {0, 70, 0, 7.7};
    data.Evap = {0, 33.3, 44.4, 55.5};
    data.MeasSalt[Layer1] = {0, 5, 5, 5};
    data.MeasSalt[Trans] = {0, 3, 3, 3};
    const InputData entered = data;
    RunProject(data, {true, true});
    // The values a run works on in other units or refines, compared at once.
    const auto asEntered = [](const InputData& d) {
        return std::tie(d.TotPor, d.EffPor, d.LeachEff, d.IrrEff, d.Rain, d.Irrig, d.Evap, d.QH1);
    };
    EXPECT_EQ(asEntered(data), asEntered(entered));
    EXPECT_EQ(data.IrrigSpread, data.Irrig);
}

TEST_F(RunDriverTest, OneLayerProjectIgnoresTheValuesHeldForLayersTwoAndThree) {
    InputData data = test::PlainProject(2, 30);
    data.Rain = {0, 90, 90};
    const RunState first = RunProject(data);
    data.Thick[Layer2] = 7;
    data.EffPor[Layer2] = 0;
    data.InitSalt[Layer3] = 99;
    data.MeasSalt[Layer2] = {0, 5, 5};
    const RunState& second = RunProject(data);
    EXPECT_EQ(second.DepthWT, first.DepthWT);
    EXPECT_EQ(second.SalRoot1, first.SalRoot1);
    EXPECT_EQ(host_.questions.size(), 1u);
}

TEST_F(RunDriverTest, OutputFileIsNamedAfterTheInputFile) {
    EXPECT_EQ(OutputFileNameFor("/a/b/project.inp"), "/a/b/project.out");
    EXPECT_EQ(OutputFileNameFor("/a/b.c/project"), "/a/b.c/project.out");
    EXPECT_EQ(OutputFileNameFor("C:\\runs\\x.y.inp"), "C:\\runs\\x.y.out");
}

TEST_F(RunDriverTest, RefusesProjectsItCannotRunSoundly) {
    EXPECT_THROW_MSG(RunCopy(test::PlainProject(0, 30)), HalosoilError,
                     "The number of time steps is 0. At least one time step is needed for the "
                     "calculations.");
    EXPECT_THROW_MSG(RunCopy(test::PlainProject(2, 0)), HalosoilError,
                     "The step length is 0 days. A time step must last at least one day.");
    // 50000 years of 360 days is the most a run keeps in memory, one day more is refused.
    EXPECT_THROW_MSG(RunCopy(test::PlainProject(50001, 360)), HalosoilError,
                     "The run covers 18000360 days (50001 time steps of 360 days). It can cover at "
                     "most 18000000 days.");
    EXPECT_THROW_MSG(RunCopy(test::PlainProject(2, 9000001)), HalosoilError,
                     "The run covers 18000002 days (2 time steps of 9000001 days). It can cover at "
                     "most 18000000 days.");

    InputData zeroPorosity = test::PlainProject(2, 30);
    zeroPorosity.EffPor[Trans] = 0;
    EXPECT_THROW_MSG(
        RunCopy(zeroPorosity), HalosoilError,
        "The effective porosity of the transition zone is 0 %. It must be greater than 0 "
        "for the water table to move through the zone.");

    // A zone is named as the program's labels name it: one layer is the root zone itself.
    InputData dryRoot = test::PlainProject(2, 30);
    dryRoot.EffPor[Layer1] = 0;
    EXPECT_THROW_MSG(RunCopy(dryRoot), HalosoilError,
                     "The effective porosity of the root zone is 0 %. It must be greater than 0 "
                     "for the water table to move through the zone.");
    InputData twoLayers = test::PlainProject(2, 30);
    twoLayers.NrLayers = 2;
    twoLayers.SetLayerFlags(2);
    twoLayers.Thick[Layer2] = std::numeric_limits<double>::infinity();
    EXPECT_THROW_MSG(RunCopy(twoLayers), HalosoilError,
                     "The thickness of the 2nd layer is not a finite number. The calculations "
                     "cannot be made.");
    twoLayers.Thick[Layer2] = 0.3;
    twoLayers.InitSalt[Layer1] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW_MSG(RunCopy(twoLayers), HalosoilError,
                     "The initial salinity of the 1st layer is not a finite number. The "
                     "calculations cannot be made.");

    InputData notANumber = test::PlainProject(2, 30);
    notANumber.Evap[2] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW_MSG(
        RunCopy(notANumber), HalosoilError,
        "The evaporation of time step 2 is not a finite number. The calculations cannot "
        "be made.");

    InputData shortSeries = test::PlainProject(2, 30);
    shortSeries.MeasSalt[Aquif].resize(2);
    EXPECT_THROW_MSG(
        RunCopy(shortSeries), HalosoilError,
        "The measured salinity of the aquifer holds 1 time steps, but the number of time "
        "steps is 2. Please save the salinity data again.");

    InputData fourLayers = test::PlainProject(2, 30);
    fourLayers.NrLayers = 4;  // as read from a damaged file, the flags of one layer kept
    EXPECT_THROW_MSG(RunCopy(fourLayers), HalosoilError,
                     "The number of root zone layers is 4. It must be 1, 2 or 3.");
    InputData mismatched = test::PlainProject(2, 30);
    mismatched.NrLayers = 3;  // the flags still say one layer
    EXPECT_THROW_MSG(
        RunCopy(mismatched), HalosoilError,
        "The number of root zone layers is 3, but the soil data are given for 1 layer. "
        "Please save the general data again.");

    InputData noEfficiency = test::PlainProject(2, 30);
    noEfficiency.NrLayers = 2;
    noEfficiency.SetLayerFlags(2);
    noEfficiency.IrrEff = 0;
    EXPECT_THROW_MSG(
        RunCopy(noEfficiency), HalosoilError,
        "The irrigation efficiency is 0 %. With more than one root zone layer it must be "
        "greater than 0.");
    EXPECT_FALSE(std::filesystem::exists(folder_.File("plain.out")));
}

}  // namespace
}  // namespace halosoil
