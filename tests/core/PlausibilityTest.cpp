// Values no soil or climate can have are refused naming what, where and the rule; what real
// projects hold passes.

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "Errors.h"
#include "ExampleProjects.h"
#include "ExpectThrowMsg.h"
#include "GeneratedProjects.h"
#include "InputFile.h"
#include "Plausibility.h"
#include "TestProjects.h"

namespace {

using namespace halosoil;
using halosoil::test::GeneratedProject;
using halosoil::test::OneLayerProject;
using halosoil::test::ThreeLayerProject;
using halosoil::test::TwoLayerProject;

TEST(PlausibilityTest, ExamplesTestProjectsAndGeneratedProjectsPass) {
    EXPECT_NO_THROW(CheckPlausible(OneLayerProject()));
    EXPECT_NO_THROW(CheckPlausible(TwoLayerProject()));
    EXPECT_NO_THROW(CheckPlausible(ThreeLayerProject()));
    for (unsigned seed = 0; seed < 48; ++seed)
        EXPECT_NO_THROW(CheckPlausible(GeneratedProject(seed))) << "seed " << seed;
    int examples = 0;
    for (const std::filesystem::path& file : test::examples::ExampleInputFiles(HALOSOIL_EXAMPLES)) {
        InputData d;
        d.InputFileName = file.string();
        ReadInputFile(d);
        EXPECT_NO_THROW(CheckPlausible(d)) << d.InputFileName;
        ++examples;
    }
    EXPECT_GE(examples, 4);
}

TEST(PlausibilityTest, WhatRealFilesHoldPasses) {
    InputData d = TwoLayerProject();
    d.WTdepth = -0.3;  // ponded water above the surface
    d.TstLength = 10;  // a step length only a hand-edited file has
    d.LeachEff[Trans] = 0;
    d.LeachEff[Aquif] = 0;
    d.LeachEff[Layer2] = kMissing;  // the two-layer panel's empty cell
    d.DrainDepth = 9;               // deeper than the panel allows
    d.Rain[1] = 0;
    d.EffPor[Layer1] = d.TotPor[Layer1];
    EXPECT_NO_THROW(CheckPlausible(d));
    InputData three = ThreeLayerProject();
    three.LeachEff[Layer3] = kMissing;  // empty cells of the three-layer panel
    three.InitSalt[Trans] = kMissing;
    EXPECT_NO_THROW(CheckPlausible(three));
}

TEST(PlausibilityTest, SoilValuesNameTheZone) {
    InputData one = OneLayerProject();
    one.TotPor[Aquif] = 300;
    EXPECT_THROW_MSG(
        CheckPlausible(one), HalosoilError,
        "The total porosity of the aquifer is 300 %. It must lie between 0 and 100 %.");
    one = OneLayerProject();
    one.Thick[Layer1] = -0.25;
    EXPECT_THROW_MSG(CheckPlausible(one), HalosoilError,
                     "The thickness of the root zone is -0.25 m. It cannot be negative.");
    InputData two = TwoLayerProject();
    two.EffPor[Layer2] = 43;  // total porosity 42
    EXPECT_THROW_MSG(
        CheckPlausible(two), HalosoilError,
        "The effective porosity of the 2nd layer is 43 %. It cannot be greater than the total "
        "porosity of 42 %.");
    two.EffPor[Layer2] = -1;
    EXPECT_THROW_MSG(
        CheckPlausible(two), HalosoilError,
        "The effective porosity of the 2nd layer is -1 %. It must lie between 0 and 100 %.");
    InputData three = ThreeLayerProject();
    three.LeachEff[Layer3] = 150;
    EXPECT_THROW_MSG(
        CheckPlausible(three), HalosoilError,
        "The leaching efficiency of the 3rd layer is 150 %. It must lie between 0 and 100 %.");
    three.InitSalt[Trans] = -2.5;  // the zones are checked top down: layer 3 first
    EXPECT_THROW_MSG(
        CheckPlausible(three), HalosoilError,
        "The leaching efficiency of the 3rd layer is 150 %. It must lie between 0 and 100 %.");
    three.LeachEff[Layer3] = 70;
    EXPECT_THROW_MSG(CheckPlausible(three), HalosoilError,
                     "The initial salinity of the transition zone is -2.5 dS/m. It cannot be "
                     "negative.");
}

TEST(PlausibilityTest, EmptyMarksPassOnlyWhereThePanelsStoreThem) {
    InputData one = OneLayerProject();
    one.LeachEff[Layer1] = kMissing;
    EXPECT_THROW_MSG(
        CheckPlausible(one), HalosoilError,
        "The leaching efficiency of the root zone is -1 %. It must lie between 0 and 100 %.");
    InputData two = TwoLayerProject();
    two.InitSalt[Layer2] = kMissing;
    EXPECT_THROW_MSG(CheckPlausible(two), HalosoilError,
                     "The initial salinity of the 2nd layer is -1 dS/m. It cannot be negative.");
    InputData three = ThreeLayerProject();
    three.LeachEff[Aquif] = -2;
    EXPECT_THROW_MSG(
        CheckPlausible(three), HalosoilError,
        "The leaching efficiency of the aquifer is -2 %. It must lie between 0 and 100 %.");
}

TEST(PlausibilityTest, ConditionsAndDrains) {
    InputData d = TwoLayerProject();
    d.QH1 = -0.01;
    EXPECT_THROW_MSG(
        CheckPlausible(d), HalosoilError,
        "The drainage reaction factor QH1 is -0.01 m/day per m. It cannot be negative.");
    d.DrainPresent = false;  // the factors of no drains are not used
    EXPECT_NO_THROW(CheckPlausible(d));
    d.DrainPresent = true;
    d.QH1 = 0.01;
    d.QH2 = -1e-3;
    EXPECT_THROW_MSG(
        CheckPlausible(d), HalosoilError,
        "The drainage reaction factor QH2 is -0.001 m/day per m squared. It cannot be negative.");
    d = TwoLayerProject();
    d.SalInf = -1;
    EXPECT_THROW_MSG(CheckPlausible(d), HalosoilError,
                     "The salinity of the groundwater inflow is -1 dS/m. It cannot be negative.");
    d = TwoLayerProject();
    d.IrrEff = 101;
    EXPECT_THROW_MSG(CheckPlausible(d), HalosoilError,
                     "The irrigation efficiency is 101 %. It must lie between 0 and 100 %.");
}

TEST(PlausibilityTest, SeriesNameTheTimeStep) {
    InputData d = TwoLayerProject();
    d.Evap[3] = -100;
    EXPECT_THROW_MSG(
        CheckPlausible(d), HalosoilError,
        "The evaporation of time step 3 is -100 mm per time step. It cannot be negative.");
    d.Rain[2] = -0.5;  // rainfall before evaporation
    EXPECT_THROW_MSG(
        CheckPlausible(d), HalosoilError,
        "The rainfall of time step 2 is -0.5 mm per time step. It cannot be negative.");
    d = TwoLayerProject();
    d.Irrig[1] = -1;
    EXPECT_THROW_MSG(
        CheckPlausible(d), HalosoilError,
        "The irrigation of time step 1 is -1 mm per time step. It cannot be negative.");
    d = TwoLayerProject();
    d.IrrSal[3] = -1.2;
    EXPECT_THROW_MSG(CheckPlausible(d), HalosoilError,
                     "The irrigation salinity of time step 3 is -1.2 dS/m. It cannot be negative.");
    d = TwoLayerProject();
    d.MeasSalt[Trans][2] = -3;  // -1 and 0 mean no measurement; -3 is a slip
    EXPECT_THROW_MSG(
        CheckPlausible(d), HalosoilError,
        "The measured salinity of the transition zone in time step 2 is -3 dS/m. It cannot be "
        "negative.");
}

TEST(PlausibilityTest, ShortSeriesAndNotNumbersAreLeftToTheRunsChecks) {
    InputData d = TwoLayerProject();
    d.NrTst = 5;  // every series holds three steps; no step beyond them is read
    d.Rain[1] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NO_THROW(CheckPlausible(d));
}

}  // namespace
