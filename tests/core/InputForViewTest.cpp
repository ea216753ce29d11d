// Reading the input file of an opened output file: titles, layer count, the hydrological
// series and the measured salinities, from the current layout and from the layout of
// earlier versions. The files are written here line by line from the input file layout.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "FileTestSupport.h"
#include "InputForView.h"
#include "RunState.h"

namespace halosoil {
namespace {

using test::JoinCrLf;
using test::Right;
using Lines = std::vector<std::string>;

void Append(Lines& lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

// Blocks A and B: three monthly steps, no drainage system.
Lines HeadAndDrainage(int layers) {
    return {" PROGRAM Halosoil INPUT DATA",
            " Name of this file        : /data/delta.inp",
            " First title              : Delta farm",
            " Second title             : Season 2020 ",
            "    General data",
            " Nunber of time steps     : 3",
            " Step length (days)       : 30",
            " Nr of root zone layers   : " + std::to_string(layers),
            "    Drainage data",
            " Drainage system present  : no",
            " Depth subsurf. drains(m)  : n.a.",
            " Drain. react. fact. QH1  : n.a.",
            " Drain. react. fact. QH2  : n.a."};
}

// Block C of the current layout, optionally without the soil-moisture line of later files.
Lines InitialData(int layers, bool moistureLine = true) {
    Lines lines = {"    Initial data soil and water",
                   " Salt conc. irr. water (dS/m)        :      1.2",
                   " Number of layers in root zone       :     " + std::to_string(layers)};
    if (layers == 1) {
        lines.push_back(" Init. salt conc. root zone (dS/m)   :      4.0");
    } else {
        lines.push_back(" Init. salt conc. 1st layer (dS/m)   :     4.0");
        lines.push_back(" Init. salt conc. 2nd layer (dS/m)   :     3.5");
        if (layers == 3) lines.push_back(" Init. salt conc. 3rd layer (dS/m)   :     3.2");
    }
    Append(lines, {" Init. salt conc. trans. zone (dS/m) :     3.0",
                   " Init. salt conc. aquifer (dS/m)     :     2.0",
                   " Initial depth water table (m)       :    1.50",
                   " Critical depth water table (m)      :    1.00"});
    if (moistureLine) lines.push_back(" Initial soil moisture content (%)   :   50.00");
    Append(lines, {" Irrigation efficiency (%)           :    70.0",
                   " Inflow of groundwater (mm/day)      :     0.0",
                   " Outflow of groundwater (mm/day)     :     0.0",
                   " Salinity groundwater inflow (dS/m)  :     0.0"});
    return lines;
}

std::string HydrRow(int step, const char* rain, const char* irrig, const char* evap) {
    return Right(std::to_string(step), 10) + Right(rain, 13) + Right(irrig, 16) + Right(evap, 15) +
           Right("1.20", 15);
}

// Block D with the three steps every test file holds.
Lines Hydrology() {
    return {"",
            " Hydrological data",
            " Time Step     Rainfall      Irrigation    Evaporation    Irrigation salinity",
            "             mm/time step   mm/time step   mm/time step         dS/m",
            HydrRow(1, "120.50", "300.00", "150.25"),
            HydrRow(2, "0.00", "85.75", "160.00"),
            HydrRow(3, "33.10", "0.00", "140.40")};
}

// Block E; its values do not matter to the viewer, only its line count.
Lines SoilProperties(int layers) {
    if (layers == 1)
        return {"",
                " Soil properties, root zone has 1 layer",
                "             Thickness (m)",
                " - - - - - - - - - - - - - - - - - - -",
                " Root zone   Transition zone   Aquifer",
                "      0.60              1.40     10.55",
                "",
                " Other soil properties in %",
                "              Total porosity  Effective porosity  Leaching efficiency",
                " Root zone                43                   8                   80",
                " Trans. zone              40                  10                   70",
                " Aquifer                  35                  12                  100"};
    Lines lines = {"",
                   " Soil properties, root zone has " + std::to_string(layers) + " layers",
                   "                   Thickness (m) ",
                   " - - - - - - - - - - - - - - - - - - - - - -",
                   "    Root zone   ",
                   " - - - - - - - -   Transition zone   Aquifer",
                   " Layer1    Layer2",
                   "   0.30      0.30             1.40     10.55",
                   "",
                   " Other soil properties in %",
                   "              Total porosity  Effective porosity  Leaching efficiency",
                   " 1st layer                43                   8                   80",
                   " 2nd layer                42                   8                   80"};
    if (layers == 3)
        lines.push_back(" 3rd layer                41                   8                   80");
    Append(lines, {" Trans. zone              40                  10                   70",
                   " Aquifer                  35                  12                  100"});
    return lines;
}

// Block F heading lines before the measured rows.
Lines MeasuredHeading(int layers) {
    if (layers == 1)
        return {"", " Measured soil moisture salinity data ECsm in dS/m, root zone has 1 layer",
                " Time step   Root zone   Transition zone   Aquifer"};
    if (layers == 2)
        return {"",
                " Measured soil moisture salinity data ECsm in dS/m, root zone has 2 layers",
                "              Root zone   ",
                " Time Step  - - - - - - - -   Transition zone   Aquifer",
                "            Layer1   Layer2",
                " - - - - - - - - - - - - - -"};
    return {"",
            " Measured soil moisture salinity data ECsm in dS/m, root zone has 3 layers",
            "                   Root zone   ",
            " Time Step  - - - - - - - - - - -   Transition zone   Aquifer",
            "            Layer1  Layer2  Layer3",
            " - - - - - - - - - - - - - - - - -"};
}

// One measured row: each field either a number in its width or the hyphen in the
// placeholder width, as the writer puts them.
struct Field {
    const char* text;  // "-" for a missing value
    int width;
    int placeholderWidth;
};
std::string MeasRow(int step, const std::vector<Field>& fields) {
    std::string row = Right(std::to_string(step), 10);
    for (const Field& f : fields)
        row += Right(f.text, std::string(f.text) == "-" ? f.placeholderWidth : f.width);
    return row;
}

Lines OneLayerMeasured() {
    return {MeasRow(1, {{"4.50", 12, 11}, {"3.25", 18, 17}, {"2.10", 10, 9}}),
            MeasRow(2, {{"-", 12, 11}, {"-", 18, 17}, {"-", 10, 9}}),
            MeasRow(3, {{"-", 12, 11}, {"5.00", 18, 17}, {"-", 10, 9}})};
}

Lines TwoLayerMeasured() {
    return {MeasRow(1, {{"4.50", 8, 8}, {"3.80", 9, 9}, {"2.60", 18, 18}, {"2.00", 10, 9}}),
            MeasRow(2, {{"-", 8, 8}, {"-", 9, 9}, {"-", 18, 18}, {"-", 10, 9}}),
            MeasRow(3, {{"-", 8, 8}, {"4.25", 9, 9}, {"-", 18, 18}, {"1.95", 10, 9}})};
}

Lines ThreeLayerMeasured() {
    return {
        MeasRow(
            1, {{"4.50", 8, 8}, {"3.80", 8, 8}, {"3.10", 8, 8}, {"2.60", 18, 17}, {"2.00", 10, 9}}),
        MeasRow(2, {{"-", 8, 8}, {"-", 8, 8}, {"-", 8, 8}, {"-", 18, 17}, {"-", 10, 9}}),
        MeasRow(3, {{"-", 8, 8}, {"4.25", 8, 8}, {"-", 8, 8}, {"2.75", 18, 17}, {"-", 10, 9}})};
}

Lines CurrentFile(int layers, bool moistureLine = true) {
    Lines lines = HeadAndDrainage(layers);
    Append(lines, InitialData(layers, moistureLine));
    Append(lines, Hydrology());
    Append(lines, SoilProperties(layers));
    Append(lines, MeasuredHeading(layers));
    Append(lines, layers == 1   ? OneLayerMeasured()
                  : layers == 2 ? TwoLayerMeasured()
                                : ThreeLayerMeasured());
    return lines;
}

// The layout of earlier versions: the initial-data heading alone, 15 lines up to the first
// hydrological row, and a soil block one line shorter.
Lines EarlierTwoLayerFile() {
    Lines lines = HeadAndDrainage(2);
    Append(lines, {"    Initial data", " Salt conc. irr. water (dS/m)        :      1.2",
                   " Number of layers in root zone       :     2",
                   " Init. salt conc. 1st layer (dS/m)   :     4.0",
                   " Init. salt conc. 2nd layer (dS/m)   :     3.5",
                   " Init. salt conc. trans. zone (dS/m) :     3.0",
                   " Init. salt conc. aquifer (dS/m)     :     2.0",
                   " Initial depth water table (m)       :    1.50",
                   " Critical depth water table (m)      :    1.00",
                   " Irrigation efficiency (%)           :    70.0",
                   " Inflow of groundwater (mm/day)      :     0.0",
                   " Outflow of groundwater (mm/day)     :     0.0", "", " Hydrological data",
                   " Time Step     Rainfall      Irrigation    Evaporation",
                   "             mm/time step   mm/time step   mm/time step"});
    Append(lines, {Right("1", 10) + Right("120.50", 13) + Right("300.00", 16) + Right("150.25", 15),
                   Right("2", 10) + Right("0.00", 13) + Right("85.75", 16) + Right("160.00", 15),
                   Right("3", 10) + Right("33.10", 13) + Right("0.00", 16) + Right("140.40", 15)});
    Lines soil = SoilProperties(2);
    soil.erase(soil.begin() + 8);  // no empty line before "Other soil properties"
    Append(lines, soil);
    Append(lines, MeasuredHeading(2));
    Append(lines, TwoLayerMeasured());
    return lines;
}

// A record as "Open output" leaves it after reading an output file of three steps.
InputData AfterOutputRead(int nrLayers) {
    InputData data;
    data.NrTst = 3;
    data.NrLayers = nrLayers;
    return data;
}

void ReadForView(const Lines& lines, InputData& data, RunState* state = nullptr) {
    std::istringstream in(JoinCrLf(lines));
    ReadInputForView(in, data, state);
}

void ExpectHydrology(const InputData& data) {
    EXPECT_EQ(data.Rain, (Series{0, 120.5, 0, 33.1}));
    EXPECT_EQ(data.Irrig, (Series{0, 300, 85.75, 0}));
    EXPECT_EQ(data.Evap, (Series{0, 150.25, 160, 140.4}));
}

TEST(ReadInputForView, ReadsTitlesLayersHydrologyAndMeasuredOfOneLayerFile) {
    InputData data = AfterOutputRead(1);
    ReadForView(CurrentFile(1), data);
    EXPECT_EQ(data.Title1, "Delta farm");
    EXPECT_EQ(data.Title2, "Season 2020 ");
    EXPECT_EQ(data.NrLayers, 1);
    EXPECT_TRUE(data.OneLayer);
    EXPECT_FALSE(data.TwoLayers || data.ThreeLayers);
    ExpectHydrology(data);
    EXPECT_EQ(data.MeasSalt[Layer1], (Series{0, 4.5, -1, -1}));
    EXPECT_EQ(data.MeasSalt[Trans], (Series{0, 3.25, -1, 5}));
    EXPECT_EQ(data.MeasSalt[Aquif], (Series{0, 2.1, -1, -1}));
}

TEST(ReadInputForView, ReadsFilesWithCarriageReturnsOrLineFeedsAlone) {
    for (const char* lineEnd : {"\r", "\n"}) {
        std::string text;
        for (const std::string& line : CurrentFile(1)) text += line + lineEnd;
        InputData data = AfterOutputRead(1);
        std::istringstream in(text);
        ReadInputForView(in, data);
        EXPECT_EQ(data.Title2, "Season 2020 ");
        ExpectHydrology(data);
        EXPECT_EQ(data.MeasSalt[Trans], (Series{0, 3.25, -1, 5}));
    }
}

TEST(ReadInputForView, ReadsEveryZoneOfThreeLayerFile) {
    InputData data = AfterOutputRead(3);
    data.SetLayerFlags(1);  // the flags of the project edited before
    ReadForView(CurrentFile(3), data);
    EXPECT_TRUE(data.ThreeLayers);
    EXPECT_FALSE(data.OneLayer || data.TwoLayers);
    ExpectHydrology(data);
    EXPECT_EQ(data.MeasSalt[Layer1], (Series{0, 4.5, -1, -1}));
    EXPECT_EQ(data.MeasSalt[Layer2], (Series{0, 3.8, -1, 4.25}));
    EXPECT_EQ(data.MeasSalt[Layer3], (Series{0, 3.1, -1, -1}));
    EXPECT_EQ(data.MeasSalt[Trans], (Series{0, 2.6, -1, 2.75}));
    EXPECT_EQ(data.MeasSalt[Aquif], (Series{0, 2.0, -1, -1}));
}

TEST(ReadInputForView, FindsRowsOfTwoLayerFileWithAndWithoutMoistureLine) {
    for (bool moistureLine : {true, false}) {
        SCOPED_TRACE(moistureLine ? "with moisture line" : "without moisture line");
        InputData data = AfterOutputRead(2);
        ReadForView(CurrentFile(2, moistureLine), data);
        EXPECT_TRUE(data.TwoLayers);
        ExpectHydrology(data);
        EXPECT_EQ(data.MeasSalt[Layer1], (Series{0, 4.5, -1, -1}));
        EXPECT_EQ(data.MeasSalt[Layer2], (Series{0, 3.8, -1, 4.25}));
        EXPECT_EQ(data.MeasSalt[Trans], (Series{0, 2.6, -1, -1}));
        EXPECT_EQ(data.MeasSalt[Aquif], (Series{0, 2.0, -1, 1.95}));
    }
}

TEST(ReadInputForView, ReadsLayoutOfEarlierVersions) {
    InputData data = AfterOutputRead(2);
    ReadForView(EarlierTwoLayerFile(), data);
    EXPECT_EQ(data.Title1, "Delta farm");
    EXPECT_TRUE(data.TwoLayers);
    ExpectHydrology(data);
    EXPECT_EQ(data.MeasSalt[Layer2], (Series{0, 3.8, -1, 4.25}));
    EXPECT_EQ(data.MeasSalt[Aquif], (Series{0, 2.0, -1, 1.95}));
}

TEST(ReadInputForView, SizesSeriesToStepsOfOutputAndLeavesTheRestOfTheRecord) {
    InputData data = AfterOutputRead(1);
    data.IrrigSpread = {0, 1, 2, 3, 4, 5, 6};
    data.IrrSal = {0, 9, 9};
    data.QH1 = 0.05;
    data.InitSalt = {0, 7, 0, 0, 6, 5};
    RunState state;
    ReadForView(CurrentFile(1), data, &state);
    EXPECT_EQ(data.IrrigSpread.size(), 4u);
    EXPECT_EQ(state.SoilMoist.size(), 4u);
    EXPECT_EQ(state.MoistChange.size(), 4u);
    for (int zone = Layer1; zone <= Aquif; ++zone) EXPECT_EQ(data.MeasSalt[zone].size(), 4u);
    // Only what the tables and graphs need is read.
    EXPECT_EQ(data.IrrSal, (Series{0, 9, 9}));
    EXPECT_EQ(data.QH1, 0.05);
    EXPECT_EQ(data.InitSalt[Layer1], 7);
    EXPECT_EQ(data.NrTst, 3);
}

TEST(ReadInputForView, ReadsFileByNameAndNamesMissingFile) {
    test::TempFolder folder;
    const std::string name = folder.File("delta.inp");
    test::WriteBytes(name, JoinCrLf(CurrentFile(3)));
    InputData data = AfterOutputRead(3);
    ReadInputForView(name, data);
    EXPECT_EQ(data.MeasSalt[Layer3], (Series{0, 3.1, -1, -1}));

    // A damaged file is named in front of the place of the damage: the three-layer file's
    // last measured row is line 60.
    Lines lines = CurrentFile(3);
    lines.resize(lines.size() - 1);
    test::WriteBytes(name, JoinCrLf(lines));
    EXPECT_THROW_MSG(ReadInputForView(name, data), HalosoilError,
                     "In the file " + name +
                         ": '' is not a valid floating point value (line 60, after the end of the "
                         "file)");

    const std::string missing = folder.File("gone.inp");
    EXPECT_THROW_MSG(ReadInputForView(missing, data), HalosoilError,
                     "The file " + missing +
                         "could not be opened. It may be damaged or in use by another program.");
}

void ReadAfterOutputRead(const Lines& lines, int nrLayers) {
    InputData data = AfterOutputRead(nrLayers);
    ReadForView(lines, data);
}

TEST(ReadInputForView, StopsWithPlaceOfChunkThatIsNoNumber) {
    // Line 31 is the first hydrological row of the one-layer file; rainfall is read from
    // characters 13 to 27, which hold 8 blanks and the end of the written field.
    Lines lines = CurrentFile(1);
    ASSERT_EQ(lines[30].substr(0, 10), Right("1", 10));
    lines[30] = HydrRow(1, "n/a", "300.00", "150.25");
    EXPECT_THROW_MSG(
        ReadAfterOutputRead(lines, 1), HalosoilError,
        "'        n/a    ' is not a valid floating point value (line 31, characters 13 "
        "to 27)");

    // An empty measured chunk is damage, not a missing value: line 51 is the third measured
    // row; its transition-zone chunk covers characters 23 to 40.
    lines = CurrentFile(1);
    ASSERT_EQ(lines.size(), 51u);
    lines[50] = Right("3", 10) + Right("-", 11);
    EXPECT_THROW_MSG(ReadAfterOutputRead(lines, 1), HalosoilError,
                     "'' is not a valid floating point value (line 51, characters 23 to 40)");
}

TEST(ReadInputForView, StopsOnShortFileAndOnImpossibleLayerCount) {
    Lines lines = CurrentFile(2);
    lines.resize(lines.size() - 1);  // the last measured row is missing
    EXPECT_THROW_MSG(ReadAfterOutputRead(lines, 2), HalosoilError,
                     "'' is not a valid floating point value (line 58, after the end of the file)");

    lines = CurrentFile(1);
    lines[7] = " Nr of root zone layers   : 4";
    EXPECT_THROW_MSG(ReadAfterOutputRead(lines, 1), HalosoilError,
                     "The number of root zone layers in line 8 is 4; it must be 1, 2 or 3.");
    lines[7] = " Nr of root zone layers   : one";
    EXPECT_THROW_MSG(ReadAfterOutputRead(lines, 1), HalosoilError,
                     "Invalid numeric input (line 8)");
}

}  // namespace
}  // namespace halosoil
