// The panels' checks as the core holds them for projects built without the window: a value
// not given (NaN) counts as an empty field, and the groups are checked in the window's order.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "InputChecks.h"
#include "TestProjects.h"

namespace {

using namespace halosoil;
using halosoil::test::OneLayerProject;
using halosoil::test::ThreeLayerProject;
using halosoil::test::TwoLayerProject;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(CheckProjectTest, CompleteProjectsPass) {
    EXPECT_NO_THROW(CheckProject(OneLayerProject()));
    EXPECT_NO_THROW(CheckProject(TwoLayerProject()));
    EXPECT_NO_THROW(CheckProject(ThreeLayerProject()));
}

TEST(CheckProjectTest, GroupsAreCheckedInTheWindowsOrder) {
    InputData d = TwoLayerProject();
    d.SalInf = kNaN;  // conditions, the last group
    EXPECT_THROW_MSG(CheckProject(d), HalosoilError, "There are invalid values. Please adjust.");
    d.IrrSal[3] = kNaN;  // irrigation salinity, before the drains and the conditions
    EXPECT_THROW_MSG(CheckProject(d), HalosoilError, "'' is not a valid floating point value");
    d.Evap[2] = kNaN;  // hydrological data, the second group
    EXPECT_THROW_MSG(CheckProject(d), HalosoilError, "There are empty cells, please correct.");
}

TEST(CheckProjectTest, SoilCellsOfOneAndTwoLayersMustBeFilled) {
    InputData one = OneLayerProject();
    one.InitSalt[Aquif] = kNaN;
    EXPECT_THROW_MSG(CheckProject(one), HalosoilError, "There are invalid values. Please adjust.");
    // Only the second layer's leaching efficiency may stay empty, as -1.
    InputData two = TwoLayerProject();
    two.LeachEff[Layer2] = -1;
    EXPECT_NO_THROW(CheckProject(two));
    two.LeachEff[Layer1] = kNaN;
    EXPECT_THROW_MSG(CheckProject(two), HalosoilError, "There are invalid values. Please adjust.");
}

TEST(CheckProjectTest, ThreeLayersNameTheFirstIncompleteZone) {
    InputData d = ThreeLayerProject();
    d.TotPor[Aquif] = -1;
    EXPECT_THROW_MSG(CheckProject(d), HalosoilError,
                     "The soil data for the aquifer are not complete. Calculations cannot be done");
    d.Thick[Trans] = kNaN;
    EXPECT_THROW_MSG(
        CheckProject(d), HalosoilError,
        "The soil data for the transition zone are not complete. Calculations cannot be "
        "done");
}

// Two layers of 0.3 and 0.4 m over a transition zone of 1.4 m: drains from 0.7 to 2.1 m.
TEST(CheckDrainageTest, TheDrainsLieInTheTransitionZone) {
    InputData d = TwoLayerProject();
    const double root = 0.7;
    d.DrainDepth = 0.7;
    EXPECT_EQ(CheckDrainage(d, root), DrainageFault::None);
    d.DrainDepth = 2.09;  // 0.7 + 1.4 is a hair below 2.1 in binary
    EXPECT_EQ(CheckDrainage(d, root), DrainageFault::None);
    d.DrainDepth = 0.69;
    EXPECT_EQ(CheckDrainage(d, root), DrainageFault::DepthWithinRootZone);
    d.DrainDepth = 2.11;
    EXPECT_EQ(CheckDrainage(d, root), DrainageFault::DepthBelowTransitionZone);
    d.DrainDepth = kNaN;
    EXPECT_EQ(CheckDrainage(d, root), DrainageFault::DepthInvalid);
    d.DrainDepth = 1.8;
    d.QH1 = 0;
    EXPECT_EQ(CheckDrainage(d, root), DrainageFault::None);
    d.QH2 = kNaN;
    EXPECT_EQ(CheckDrainage(d, root), DrainageFault::NoReactionFactor);
    EXPECT_THROW_MSG(CheckProject(d), HalosoilError,
                     "The drainage recation factors QH1 and QH2 need to be given a value.");
}

TEST(CheckProjectTest, MoistureAndEfficiencyWithinThePanelsLimits) {
    InputData d = OneLayerProject();
    for (double moist : {20.0, 100.0}) {
        d.Moist = moist;
        EXPECT_NO_THROW(CheckProject(d)) << moist;
    }
    d.Moist = 19.5;
    EXPECT_THROW_MSG(
        CheckProject(d), HalosoilError,
        "The initial soil moisture content is 19.5 %. It must lie between 20 and 100 %.");
    d.Moist = 45;
    d.IrrEff = 100.5;
    EXPECT_THROW_MSG(CheckProject(d), HalosoilError,
                     "The irrigation efficiency is 100.5 %. It must lie between 30 and 100 %.");
}

TEST(CheckProjectTest, TheEnginesOwnChecksFollow) {
    InputData d = OneLayerProject();
    d.NrTst = 3;
    EXPECT_THROW_MSG(
        CheckProject(d), HalosoilError,
        "The rainfall holds 2 time steps, but the number of time steps is 3. Please save "
        "the hydrological data again.");
    d = OneLayerProject();
    d.NrTst = 50001;
    EXPECT_THROW_MSG(CheckProject(d), HalosoilError,
                     "The number of time steps is 50001. It can be at most 50000.");
    d = OneLayerProject();
    d.GrwtOut = std::numeric_limits<double>::infinity();
    EXPECT_THROW_MSG(
        CheckProject(d), HalosoilError,
        "The outflow of groundwater is not a finite number. The calculations cannot be "
        "made.");
}

}  // namespace
