#include <gtest/gtest.h>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "FileTestSupport.h"
#include "InputFile.h"
#include "InputFileLayout.h"
#include "StringToFloat.h"
#include "TestProjects.h"

namespace halosoil {
namespace {

using test::CrLfLines;
using test::Right;

TEST(InputFileWriteTest, OneLayerWithoutDrainsIsLaidOutLineByLine) {
    InputData data = test::OneLayerProject();
    data.InputFileName = "C:\\projects\\one.inp";
    const std::vector<std::string> expected = {
        " PROGRAM Halosoil INPUT DATA",
        " Name of this file        : C:\\projects\\one.inp",
        " First title              : Test area",
        " Second title             : One layer",
        "    General data",
        " Nunber of time steps     : 2",
        " Step length (days)       : 30",
        " Nr of root zone layers   : 1",
        "    Drainage data",
        " Drainage system present  : no",
        " Depth subsurf. drains(m)  : n.a.",
        " Drain. react. fact. QH1  : n.a.",
        " Drain. react. fact. QH2  : n.a.",
        "    Initial data soil and water",
        " Salt conc. irr. water (dS/m)        : " + Right("1.2", 8),
        " Number of layers in root zone       :     1",
        " Init. salt conc. root zone (dS/m)   : " + Right("4.5", 8),
        " Init. salt conc. trans. zone (dS/m) : " + Right("3.2", 7),
        " Init. salt conc. aquifer (dS/m)     : " + Right("2.1", 7),
        " Initial depth water table (m)       : " + Right("1.75", 7),
        " Critical depth water table (m)      : " + Right("1.20", 7),
        " Initial soil moisture content (%)   : " + Right("45.00", 7),
        " Irrigation efficiency (%)           : " + Right("70.0", 7),
        " Inflow of groundwater (mm/day)      : " + Right("0.5", 7),
        " Outflow of groundwater (mm/day)     : " + Right("0.2", 7),
        " Salinity groundwater inflow (dS/m)  : " + Right("1.5", 7),
        "",
        " Hydrological data",
        " Time Step     Rainfall      Irrigation    Evaporation    Irrigation salinity",
        "             mm/time step   mm/time step   mm/time step         dS/m",
        Right("1", 10) + Right("12.50", 13) + Right("150.00", 16) + Right("180.00", 15) +
            Right("1.20", 15),
        Right("2", 10) + Right("0.00", 13) + Right("90.25", 16) + Right("160.40", 15) +
            Right("1.30", 15),
        "",
        " Soil properties, root zone has 1 layer",
        "             Thickness (m)",
        " - - - - - - - - - - - - - - - - - - -",
        " Root zone   Transition zone   Aquifer",
        Right("0.60", 10) + Right("1.40", 18) + Right("10.55", 10),
        "",
        " Other soil properties in %",
        "              Total porosity  Effective porosity  Leaching efficiency",
        " Root zone   " + Right("43", 15) + Right("8", 20) + Right("80", 21),
        " Trans. zone " + Right("40", 15) + Right("10", 20) + Right("70", 21),
        " Aquifer     " + Right("35", 15) + Right("12", 20) + Right("100", 21),
        "",
        " Measured soil moisture salinity data ECsm in dS/m, root zone has 1 layer",
        " Time step   Root zone   Transition zone   Aquifer",
        Right("1", 10) + Right("5.20", 12) + Right("-", 17) + Right("-", 9),
        Right("2", 10) + Right("-", 11) + Right("3.35", 18) + Right("2.05", 10),
    };
    EXPECT_EQ(CrLfLines(InputFileText(data)), expected);
}

TEST(InputFileWriteTest, LabelsHaveTheirStatedLengths) {
    namespace l = input_layout;
    EXPECT_EQ(std::string(l::kHeading).size(), 28u);
    EXPECT_EQ(std::string(l::kNrTst).size(), 28u);
    EXPECT_EQ(std::string(l::kDrainDepth).size(), 28u);
    EXPECT_EQ(std::string(l::kInitial).size(), 31u);
    EXPECT_EQ(std::string(l::kSaltIrrig).size(), 39u);
    EXPECT_EQ(std::string(l::kLayerCount).size() + 1, 44u);
    EXPECT_EQ(std::string(l::kInitSaltLayer1).size(), 38u);
    EXPECT_EQ(std::string(l::kInitSaltTrans).size(), 39u);
    EXPECT_EQ(std::string(l::kSalInf).size(), 39u);
    EXPECT_EQ(std::string(l::kHydrHeading).size(), 77u);
    EXPECT_EQ(std::string(l::kHydrUnits).size(), 68u);
    EXPECT_EQ(std::string(l::kThickness2).size(), 33u);
    EXPECT_EQ(std::string(l::kDashes2).size(), 44u);
    EXPECT_EQ(std::string(l::kThickness3).size(), 35u);
    EXPECT_EQ(std::string(l::kDashes3).size(), 55u);
    EXPECT_EQ(std::string(l::kZones3).size(), 55u);
    EXPECT_EQ(std::string(l::kRootZone3).size(), 21u);
    EXPECT_EQ(std::string(l::kPorosityHeading).size(), 69u);
    EXPECT_EQ(std::string(l::kMeasured2).size(), 74u);
    EXPECT_EQ(std::string(l::kMeasuredColumns2).size(), 55u);
    EXPECT_EQ(std::string(l::kMeasuredDashes2).size(), 28u);
    EXPECT_EQ(std::string(l::kMeasuredRoot3).size(), 31u);
    EXPECT_EQ(std::string(l::kMeasuredColumns3).size(), 61u);
    EXPECT_EQ(std::string(l::kMeasuredLayers3).size(), 34u);
    EXPECT_EQ(std::string(l::kMeasuredDashes3).size(), 34u);
}

TEST(InputFileWriteTest, TwoLayersWithDrainsWriteTheirOwnBlocks) {
    InputData data = test::TwoLayerProject();
    data.InputFileName = "two.inp";
    const std::vector<std::string> lines = CrLfLines(InputFileText(data));
    ASSERT_EQ(lines.size(), 8u + 5 + 14 + 7 + 15 + 9);
    EXPECT_EQ(lines[9], " Drainage system present  : yes");
    EXPECT_EQ(lines[10], " Depth subsurf. drains(m) : " + Right("1.80", 7));
    EXPECT_EQ(lines[11], " Drain. react. fact. QH1  : " + Right("0.0150", 8));
    EXPECT_EQ(lines[12], " Drain. react. fact. QH2  : " + Right("0.0025", 8));
    EXPECT_EQ(lines[15], " Number of layers in root zone       :     2");
    EXPECT_EQ(lines[16], " Init. salt conc. 1st layer (dS/m)   :" + Right("4.5", 8));
    EXPECT_EQ(lines[17], " Init. salt conc. 2nd layer (dS/m)   :" + Right("5.5", 8));
    // Soil block: thickness line after seven lines.
    EXPECT_EQ(lines[35], " Soil properties, root zone has 2 layers");
    EXPECT_EQ(lines[38], "    Root zone   ");
    EXPECT_EQ(lines[41],
              Right("0.30", 7) + Right("0.40", 10) + Right("1.40", 17) + Right("10.55", 10));
    EXPECT_EQ(lines[45], " 1st layer   " + Right("45", 15) + Right("8", 20) + Right("80", 21));
    EXPECT_EQ(lines[46], " 2nd layer   " + Right("42", 15) + Right("9", 20) + Right("75", 21));
    // Measured rows: the layer-2 placeholder of step 1 takes the full nine columns, the
    // aquifer placeholder one column fewer than its number field.
    EXPECT_EQ(lines[50],
              " Measured soil moisture salinity data ECsm in dS/m, root zone has 2 layers");
    EXPECT_EQ(lines[55], Right("1", 10) + Right("5.20", 8) + Right("-", 9) + Right("3.10", 18) +
                             Right("-", 9));
    EXPECT_EQ(lines[57], Right("3", 10) + Right("6.00", 8) + Right("-", 9) + Right("3.35", 18) +
                             Right("2.05", 10));
}

TEST(InputFileWriteTest, ThreeLayerMissingLayerTwoValueTakesColumns19To26) {
    InputData data = test::ThreeLayerProject();
    data.InputFileName = "three.inp";
    const std::vector<std::string> lines = CrLfLines(InputFileText(data));
    const std::string& step4 = lines.back();
    EXPECT_EQ(step4.substr(18, 8), Right("-", 8));
    EXPECT_EQ(step4, Right("4", 10) + Right("6.50", 8) + Right("-", 8) + Right("-", 8) +
                         Right("3.40", 18) + Right("2.10", 10));
    const std::string thickness = Right("0.20", 7) + Right("0.30", 10) + Right("0.40", 10) +
                                  Right("1.20", 17) + Right("10.55", 10);
    EXPECT_NE(std::find(lines.begin(), lines.end(), thickness), lines.end());
}

TEST(InputFileWriteTest, AMeasuredZeroIsWrittenAsMissing) {
    InputData data = test::OneLayerProject();
    data.InputFileName = "zero.inp";
    data.MeasSalt[Layer1][2] = 0;
    const std::vector<std::string> lines = CrLfLines(InputFileText(data));
    EXPECT_EQ(lines.back().substr(10, 11), Right("-", 11));
}

// Found by fuzzing: 0.004 was written as 0.00, which reads back as no measurement and was then
// written as "-", so that writing what was read gave another file.
TEST(InputFileWriteTest, AMeasuredValueThatRoundsToNoMeasurementIsWrittenAsMissing) {
    InputData data = test::OneLayerProject();
    data.InputFileName = "round.inp";
    data.MeasSalt[Layer1] = {0, 0.004, -1.004};
    data.MeasSalt[Trans] = {0, -0.003, 0.006};
    data.MeasSalt[Aquif] = {0, -0.5, 2.05};
    const std::vector<std::string> lines = CrLfLines(InputFileText(data));
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(lines[47], Right("1", 10) + Right("-", 11) + Right("-", 17) + Right("-0.50", 10));
    EXPECT_EQ(lines[48], Right("2", 10) + Right("-", 11) + Right("0.01", 18) + Right("2.05", 10));
}

TEST(InputFileWriteTest, MeasuredValuesFollowTheProgramSeparator) {
    InputData data = test::OneLayerProject();
    data.InputFileName = "comma.inp";
    SetDecimalSeparator(',');
    const std::vector<std::string> lines = CrLfLines(InputFileText(data));
    SetDecimalSeparator('.');
    EXPECT_EQ(lines[47], Right("1", 10) + Right("5,20", 12) + Right("-", 17) + Right("-", 9));
    // Fixed-width fields keep the point.
    EXPECT_EQ(lines[30].substr(10, 13), Right("12.50", 13));
}

TEST(InputFileWriteTest, ZeroTimeStepsWritesTheHydrologicalRows) {
    InputData data = test::OneLayerProject();
    data.InputFileName = "rows.inp";
    data.NrTst = 0;
    data.HydrRows = 2;
    const std::vector<std::string> lines = CrLfLines(InputFileText(data));
    EXPECT_EQ(lines[5], " Nunber of time steps     : 2");
    EXPECT_EQ(data.NrTst, 0);  // the record written is left as it was
    EXPECT_EQ(AsWritten(data).NrTst, 2);
}

TEST(InputFileWriteTest, WritingSetsHydrRowsAndPreparesTheSpreadIrrigation) {
    test::TempFolder folder;
    InputData data = test::OneLayerProject();
    data.InputFileName = folder.File("one.inp");
    data.HydrRows = 7;
    const InputData written = WriteInputFile(data);
    EXPECT_EQ(written.HydrRows, 2);
    EXPECT_EQ(written.IrrigSpread, data.Irrig);
    EXPECT_EQ(data.HydrRows, 7);  // the record written is left as it was
}

TEST(InputFileWriteTest, RefusesValuesTooWideForTheReader) {
    InputData data = test::OneLayerProject();
    data.InputFileName = "wide.inp";
    data.Irrig[2] = 123456789012.0;  // 15 characters: the reader starts two columns late
    EXPECT_THROW_MSG(
        InputFileText(data), HalosoilError,
        "The value 123456789012.00 of the irrigation of time step 2 is too wide for its "
        "column in the input file. Nothing was written.");

    data = test::TwoLayerProject();
    data.InputFileName = "wide.inp";
    data.Thick[Aquif] = 1000;  // "1000.00" reaches past column 46
    EXPECT_THROW_MSG(
        InputFileText(data), HalosoilError,
        "The value 1000.00 of the thickness of the aquifer is too wide for its column in "
        "the input file. Nothing was written.");

    data = test::OneLayerProject();
    data.InputFileName = "fits.inp";
    data.Thick[Aquif] = 9999999.99;  // ten characters fill the field exactly and are read
    EXPECT_NO_THROW(InputFileText(data));
}

TEST(InputFileWriteTest, RefusesShortSeriesAndMissingLayerCount) {
    InputData data = test::OneLayerProject();
    data.InputFileName = "short.inp";
    data.NrTst = 3;
    EXPECT_THROW_MSG(
        InputFileText(data), HalosoilError,
        "The rainfall holds 2 time steps, but the number of time steps is 3. Please save "
        "the hydrological data again.");

    data = test::OneLayerProject();
    data.OneLayer = false;
    EXPECT_THROW_MSG(
        InputFileText(data), HalosoilError,
        "The number of root zone layers is not set. Please save the general data first.");
}

TEST(InputFileWriteTest, RefusedWriteLeavesTheFileUntouched) {
    test::TempFolder folder;
    InputData data = test::OneLayerProject();
    data.InputFileName = folder.File("kept.inp");
    test::WriteBytes(data.InputFileName, "previous");
    data.Rain[1] = 1e20;
    EXPECT_THROW_MSG(WriteInputFile(data), HalosoilError,
                     "The value 100000000000000000000.00 of the rainfall of time step 1 is too "
                     "wide for its column in the input file. Nothing was written.");
    EXPECT_EQ(test::ReadBytes(data.InputFileName), "previous");
}

}  // namespace
}  // namespace halosoil
