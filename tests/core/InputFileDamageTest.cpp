// Damaged input files as users meet them: cut off, a line lost, labels edited by hand, line
// ends of another system. Each is refused with a message that names the damage and the line,
// while the layouts of earlier versions still read as before.
#include <gtest/gtest.h>

#include <sstream>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "FileTestSupport.h"
#include "InputFile.h"
#include "TestProjects.h"

namespace halosoil {
namespace {

using test::CrLfLines;
using test::JoinCrLf;

constexpr const char* kEndsEarly =
    "The input file ends before all its data were read; it may be damaged.";

// The one-layer test project as written: lines 1-8 general data, 9-13 drainage, 14-26
// initial data (24 inflow, 25 outflow, 26 groundwater salinity), 27-32 hydrological block
// with the rows of steps 1 and 2 in lines 31 and 32, 33-44 soil, 45-49 measured salinity
// with the rows in lines 48 and 49.
std::vector<std::string> OneLayerLines() {
    InputData data = test::OneLayerProject();
    data.InputFileName = "p.inp";
    return CrLfLines(InputFileText(data));
}

void ReadDamaged(const std::string& text, InputData& data) {
    std::istringstream in(text);
    ReadInputFile(in, data);
}

// The line a refusal names, 0 when the text is read without one.
int RefusedLine(const std::string& text) {
    InputData data;
    try {
        ReadDamaged(text, data);
    } catch (const HalosoilError& error) {
        return error.Line();
    }
    return 0;
}

TEST(InputFileDamageTest, AFileCutOffInItsMeasuredSalinitiesIsRefused) {
    std::vector<std::string> lines = OneLayerLines();
    ASSERT_EQ(lines.size(), 49u);
    lines.pop_back();  // the row of step 2, with the only aquifer measurement
    InputData data;
    EXPECT_THROW_MSG_AT_LINE(ReadDamaged(JoinCrLf(lines), data), HalosoilError, kEndsEarly, 49);
    // What came before stays read, as in every failure.
    EXPECT_DOUBLE_EQ(data.MeasSalt[Layer1][1], 5.2);
}

TEST(InputFileDamageTest, AFileCutOffInsideALineEndIsStillWhole) {
    // The last line without its line end holds all its fields: nothing is missing.
    std::string text = JoinCrLf(OneLayerLines());
    text.resize(text.size() - 2);
    InputData data;
    EXPECT_NO_THROW(ReadDamaged(text, data));
    EXPECT_DOUBLE_EQ(data.MeasSalt[Aquif][2], 2.05);
}

TEST(InputFileDamageTest, AFileThatLostItsGroundwaterOutflowLineIsRefusedNamingTheLine) {
    std::vector<std::string> lines = OneLayerLines();
    lines.erase(lines.begin() + 24);  // line 25, the outflow of groundwater
    InputData data;
    EXPECT_THROW_MSG_AT_LINE(
        ReadDamaged(JoinCrLf(lines), data), HalosoilError,
        "The input file is damaged: the line ' Salinity groundwater inflow (dS/m)  :     "
        "1.5' stands where the line 'Outflow of groundwater (mm/day)     :' belongs.",
        25);
    EXPECT_DOUBLE_EQ(data.GrwtInf, 0.5);  // read before the damage
}

TEST(InputFileDamageTest, EveryLostValueLineOfTheFirstBlocksIsNoticed) {
    // Lines 3, 4, 6 to 8, 10 to 13 and 15 to 25 carry values; losing any one of them puts
    // another line in its place. Line 22, the moisture, is left out: without it the file
    // is one of the older layout, which is read with a moisture of 50.
    for (int lost : {3, 4, 6, 7, 8, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 23, 24, 25}) {
        std::vector<std::string> lines = OneLayerLines();
        lines.erase(lines.begin() + (lost - 1));
        EXPECT_EQ(RefusedLine(JoinCrLf(lines)), lost) << "line " << lost;
    }
}

TEST(InputFileDamageTest, LabelsThatDifferInSpellingCaseOrSpacingStillRead) {
    std::vector<std::string> lines = OneLayerLines();
    lines[5] = " Number of time steps     : 2";
    lines[16] = " INIT SALT CONC  ROOT ZONE (dS/m)    :      7.5";
    lines[19] = " Initial depth of water table (m)    :    1.75";
    lines[24] = " Out-flow of ground water (mm/day)   :     0.3";
    InputData data;
    EXPECT_NO_THROW(ReadDamaged(JoinCrLf(lines), data));
    EXPECT_EQ(data.NrTst, 2);
    EXPECT_DOUBLE_EQ(data.InitSalt[Layer1], 7.5);
    EXPECT_DOUBLE_EQ(data.GrwtOut, 0.3);
}

TEST(InputFileDamageTest, CarriageReturnLineFeedAndCarriageReturnLineEndsReadAlike) {
    const std::vector<std::string> lines = OneLayerLines();
    std::string lineFeeds;
    std::string carriageReturns;
    std::string mixed;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        lineFeeds += lines[k] + "\n";
        carriageReturns += lines[k] + "\r";
        mixed += lines[k] + (k % 3 == 0 ? "\r" : k % 3 == 1 ? "\n" : "\r\n");
    }
    for (const std::string* text : {&lineFeeds, &carriageReturns, &mixed}) {
        InputData data;
        EXPECT_NO_THROW(ReadDamaged(*text, data));
        EXPECT_EQ(data.Title2, "One layer");
        EXPECT_DOUBLE_EQ(data.Irrig[2], 90.25);
        EXPECT_DOUBLE_EQ(data.MeasSalt[Trans][2], 3.35);
        EXPECT_DOUBLE_EQ(data.MeasSalt[Aquif][2], 2.05);
    }
}

TEST(InputFileDamageTest, ADamagedNumberIsReportedWithItsLine) {
    std::vector<std::string> lines = OneLayerLines();
    lines[16] = " Init. salt conc. root zone (dS/m)   :1,5x";
    InputData data;
    EXPECT_THROW_MSG_AT_LINE(ReadDamaged(JoinCrLf(lines), data), HalosoilError,
                             "'1,5x' is not a valid floating point value", 17);
    EXPECT_EQ(WithFileAndLine("p.inp", HalosoilError("x")), "p.inp: x");
}

TEST(InputFileDamageTest, OlderLayoutsStillReadAsBefore) {
    // Without the moisture line, without the groundwater-salinity line (an empty line stands
    // there) and without the irrigation-salinity column, all three at once.
    std::vector<std::string> lines = OneLayerLines();
    lines[30].resize(54);
    lines[31].resize(54);
    lines[25] = "";
    lines.erase(lines.begin() + 21);
    InputData data;
    EXPECT_NO_THROW(ReadDamaged(JoinCrLf(lines), data));
    EXPECT_DOUBLE_EQ(data.Moist, 50);
    EXPECT_DOUBLE_EQ(data.IrrEff, 70);
    EXPECT_DOUBLE_EQ(data.SalInf, 0);
    EXPECT_DOUBLE_EQ(data.IrrSal[2], 1.2);
    EXPECT_DOUBLE_EQ(data.Evap[2], 160.4);
    EXPECT_DOUBLE_EQ(data.MeasSalt[Aquif][2], 2.05);
}

TEST(InputFileDamageTest, AnEmptyFileIsRefusedAtItsFirstLine) {
    InputData data;
    EXPECT_THROW_MSG_AT_LINE(ReadDamaged("", data), HalosoilError, kEndsEarly, 1);
}

TEST(InputFileDamageTest, ALetterInANumberOfTheLastLineNamesThatLine) {
    std::vector<std::string> lines = OneLayerLines();
    ASSERT_TRUE(lines[48].ends_with(" 2.05"));  // the aquifer's measurement of step 2
    lines[48].back() = 'x';
    std::string text = JoinCrLf(lines);
    InputData data;
    EXPECT_THROW_MSG_AT_LINE(ReadDamaged(text, data), ConversionError,
                             "'2.0x' is not a valid floating point value", 49);
    // The same without the last line end.
    text.resize(text.size() - 2);
    EXPECT_THROW_MSG_AT_LINE(ReadDamaged(text, data), ConversionError,
                             "'2.0x' is not a valid floating point value", 49);
}

TEST(InputFileDamageTest, HugeLinesAreReadByTheirColumns) {
    std::vector<std::string> lines = OneLayerLines();
    const std::string title(1'000'000, 't');
    lines[3] = " Second title             : " + title;
    // Whatever follows the last column read is no concern of the reader.
    lines[31] += std::string(1'000'000, ' ') + "tail";
    InputData data;
    EXPECT_NO_THROW(ReadDamaged(JoinCrLf(lines), data));
    EXPECT_EQ(data.Title2, title);
    EXPECT_DOUBLE_EQ(data.Irrig[2], 90.25);
    EXPECT_DOUBLE_EQ(data.MeasSalt[Aquif][2], 2.05);
}

}  // namespace
}  // namespace halosoil
