#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "Errors.h"
#include "ExampleProjects.h"
#include "ExpectThrowMsg.h"
#include "FileTestSupport.h"
#include "InputFile.h"
#include "StringToFloat.h"
#include "TestProjects.h"

namespace halosoil {
namespace {

using test::CrLfLines;
using test::JoinCrLf;

InputData ReadText(const std::string& text, InputData data = {}) {
    std::istringstream in(text);
    ReadInputFile(in, data);
    return data;
}

void ReadInto(const std::string& text, InputData& data) {
    std::istringstream in(text);
    ReadInputFile(in, data);
}

std::vector<std::string> WrittenLinesOf(InputData data) {
    data.InputFileName = "project.inp";
    return CrLfLines(InputFileText(data));
}

class InputFileRoundTrip : public ::testing::TestWithParam<int> {};

InputData ProjectWithLayers(int layers, bool drains) {
    InputData data = layers == 1   ? test::OneLayerProject()
                     : layers == 2 ? test::TwoLayerProject()
                                   : test::ThreeLayerProject();
    data.DrainPresent = drains;
    data.DrainDepth = 1.9;
    data.QH1 = 0.012;
    data.QH2 = 0.003;
    data.InputFileName = "round.inp";
    return data;
}

TEST_P(InputFileRoundTrip, WriteReadWriteGivesTheSameBytes) {
    for (bool drains : {false, true}) {
        InputData data = ProjectWithLayers(GetParam(), drains);
        const std::string first = InputFileText(data);
        InputData read = ReadText(first);
        read.InputFileName = "round.inp";
        EXPECT_EQ(InputFileText(read), first) << "drains " << drains;

        EXPECT_EQ(read.NrLayers, GetParam());
        EXPECT_EQ(read.FlaggedLayers(), GetParam());
        EXPECT_EQ(read.Title1, data.Title1);
        EXPECT_EQ(read.Title2, data.Title2);
        EXPECT_EQ(read.NrTst, data.NrTst);
        EXPECT_EQ(read.HydrRows, data.NrTst);
        EXPECT_EQ(read.TstLength, data.TstLength);
        EXPECT_EQ(read.DrainPresent, drains);
        EXPECT_DOUBLE_EQ(read.Moist, data.Moist);
        EXPECT_DOUBLE_EQ(read.SalInf, data.SalInf);
        EXPECT_EQ(read.Irrig, data.Irrig);
        EXPECT_EQ(read.IrrSal, data.IrrSal);
        for (int zone : ZonesOf(GetParam())) {
            EXPECT_DOUBLE_EQ(read.Thick[zone], data.Thick[zone]);
            EXPECT_DOUBLE_EQ(read.InitSalt[zone], data.InitSalt[zone]);
            for (int i = 1; i <= data.NrTst; ++i) {
                const double entered = data.MeasSalt[zone][i];
                EXPECT_DOUBLE_EQ(read.MeasSalt[zone][i], entered == 0 ? -1 : entered);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layers, InputFileRoundTrip, ::testing::Values(1, 2, 3));

TEST(InputFileReadTest, EveryExampleReadsAndWritesBackByteForByte) {
    int examples = 0;
    for (const std::filesystem::path& file : test::examples::ExampleInputFiles(HALOSOIL_EXAMPLES)) {
        ++examples;
        InputData data;
        data.InputFileName = file.string();
        ReadInputFile(data);
        // The examples name themselves without a folder.
        data.InputFileName = file.filename().string();
        EXPECT_EQ(InputFileText(data), test::ReadBytes(file.string())) << file;
    }
    EXPECT_GE(examples, 4);
}

TEST(InputFileReadTest, PorositiesComeBackAsWholePercentages) {
    const InputData read = ReadText(JoinCrLf(WrittenLinesOf(test::OneLayerProject())));
    EXPECT_DOUBLE_EQ(read.TotPor[Layer1], 43);
    EXPECT_DOUBLE_EQ(read.EffPor[Trans], 10);
    EXPECT_DOUBLE_EQ(read.LeachEff[Aquif], 100);
}

TEST(InputFileReadTest, AquiferThicknessInColumns29To38) {
    const std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    EXPECT_EQ(lines[37].substr(28, 10), "     10.55");
    EXPECT_DOUBLE_EQ(ReadText(JoinCrLf(lines)).Thick[Aquif], 10.55);
}

TEST(InputFileReadTest, MissingLayerTwoValueOfAThreeLayerFileIsReadAsMissing) {
    const InputData read = ReadText(JoinCrLf(WrittenLinesOf(test::ThreeLayerProject())));
    EXPECT_DOUBLE_EQ(read.MeasSalt[Layer2][4], -1);
    EXPECT_DOUBLE_EQ(read.MeasSalt[Layer1][4], 6.5);
    EXPECT_DOUBLE_EQ(read.MeasSalt[Trans][4], 3.4);
    EXPECT_DOUBLE_EQ(read.MeasSalt[Aquif][4], 2.1);
}

TEST(InputFileReadTest, WithoutDrainsTheDrainageValuesStayAsTheyWere) {
    InputData before;
    before.DrainDepth = 2.2;
    before.QH1 = 0.05;
    before.QH2 = 0.004;
    const InputData read = ReadText(JoinCrLf(WrittenLinesOf(test::OneLayerProject())), before);
    EXPECT_FALSE(read.DrainPresent);
    EXPECT_DOUBLE_EQ(read.DrainDepth, 2.2);
    EXPECT_DOUBLE_EQ(read.QH1, 0.05);
    EXPECT_DOUBLE_EQ(read.QH2, 0.004);
}

TEST(InputFileReadTest, OlderLayoutWithoutMoistureLineGivesFifty) {
    std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    lines.erase(lines.begin() + 21);  // " Initial soil moisture content (%)   : "
    const InputData read = ReadText(JoinCrLf(lines));
    EXPECT_DOUBLE_EQ(read.Moist, 50);
    EXPECT_DOUBLE_EQ(read.IrrEff, 70);
    EXPECT_DOUBLE_EQ(read.GrwtInf, 0.5);
    EXPECT_DOUBLE_EQ(read.Evap[2], 160.4);
}

TEST(InputFileReadTest, OlderLayoutWithoutGroundwaterSalinityGivesZero) {
    std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    lines.erase(lines.begin() + 25);  // " Salinity groundwater inflow (dS/m)  : "
    InputData before;
    before.SalInf = 9;
    const InputData read = ReadText(JoinCrLf(lines), before);
    EXPECT_DOUBLE_EQ(read.SalInf, 0);
    EXPECT_DOUBLE_EQ(read.Rain[1], 12.5);
    EXPECT_DOUBLE_EQ(read.Thick[Aquif], 10.55);
    EXPECT_DOUBLE_EQ(read.MeasSalt[Trans][2], 3.35);
}

TEST(InputFileReadTest, FiveLinesBeforeTheRowsWhenTheThirdIsTheHydrologicalHeading) {
    std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    lines.insert(lines.begin() + 26, "");  // a second empty line before " Hydrological data"
    const InputData read = ReadText(JoinCrLf(lines));
    EXPECT_DOUBLE_EQ(read.Rain[1], 12.5);
    EXPECT_DOUBLE_EQ(read.Irrig[2], 90.25);
}

TEST(InputFileReadTest, RowsWithoutIrrigationSalinityTakeTheIrrigationWaterSalinity) {
    std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    lines[30].resize(54);
    lines[31].resize(54);
    const InputData read = ReadText(JoinCrLf(lines));
    EXPECT_DOUBLE_EQ(read.IrrSal[1], 1.2);
    EXPECT_DOUBLE_EQ(read.IrrSal[2], 1.2);
    EXPECT_DOUBLE_EQ(read.Evap[2], 160.4);
}

TEST(InputFileReadTest, StepLengthOfTenDays) {
    std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    lines[6] = " Step length (days)       : 10";
    EXPECT_EQ(ReadText(JoinCrLf(lines)).TstLength, 10);
}

TEST(InputFileReadTest, MeasuredValuesWithACommaWhileTheSeparatorIsTheComma) {
    std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    lines[47] = "         1        5,20                -        -";
    SetDecimalSeparator(',');
    const InputData read = ReadText(JoinCrLf(lines));
    SetDecimalSeparator('.');
    EXPECT_DOUBLE_EQ(read.MeasSalt[Layer1][1], 5.2);
}

TEST(InputFileReadTest, ReadsLineFeedOnlyFiles) {
    std::string text;
    for (const auto& line : WrittenLinesOf(test::TwoLayerProject())) text += line + "\n";
    const InputData read = ReadText(text);
    EXPECT_DOUBLE_EQ(read.MeasSalt[Aquif][3], 2.05);
}

TEST(InputFileReadTest, WholeNumberThatIsNotOneStopsWithInvalidNumericInput) {
    std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    lines[5] = " Nunber of time steps     : x2";
    InputData data;
    data.Title1 = "old";
    EXPECT_THROW_MSG(ReadInto(JoinCrLf(lines), data), HalosoilError, "Invalid numeric input");
    EXPECT_EQ(data.Title1, "Test area");  // read before the failure, kept
    EXPECT_EQ(data.NrTst, 11);
}

TEST(InputFileReadTest, RealThatIsNotANumberStopsWithTheConversionError) {
    std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    lines[31].replace(10, 13, "         abc ");
    InputData data;
    EXPECT_THROW_MSG(ReadInto(JoinCrLf(lines), data), HalosoilError,
                     "'         abc   ' is not a valid floating point value");
    EXPECT_DOUBLE_EQ(data.Rain[1], 12.5);
    EXPECT_DOUBLE_EQ(data.SalInf, 1.5);
    EXPECT_TRUE(data.Thick[Aquif] == 0);
}

TEST(InputFileReadTest, AFileThatEndsEarlyIsRefusedKeepingWhatWasRead) {
    std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    lines.resize(20);
    InputData data;
    EXPECT_THROW_MSG(ReadInto(JoinCrLf(lines), data), HalosoilError,
                     "The input file ends before all its data were read; it may be damaged.");
    EXPECT_DOUBLE_EQ(data.WTdepth, 1.75);

    InputData empty;
    EXPECT_THROW_MSG(ReadText("", empty), HalosoilError,
                     "The input file ends before all its data were read; it may be damaged.");
    EXPECT_EQ(empty.NrTst, 11);  // nothing read: the record as it was
}

TEST(InputFileReadTest, DamagedLayerCountWithNoLayersSetStops) {
    std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    lines[15] = " Number of layers in root zone       :     7";
    InputData data;
    EXPECT_THROW_MSG(ReadInto(JoinCrLf(lines), data), HalosoilError, "Invalid numeric input");

    InputData twoLayersSet;
    twoLayersSet.SetLayerFlags(1);
    EXPECT_NO_THROW(ReadText(JoinCrLf(lines), twoLayersSet));
    EXPECT_TRUE(twoLayersSet.OneLayer);
}

TEST(InputFileReadTest, ImpossibleNumberOfTimeStepsIsRefused) {
    std::vector<std::string> lines = WrittenLinesOf(test::OneLayerProject());
    lines[5] = " Nunber of time steps     : 2000000000";
    InputData data;
    EXPECT_THROW_MSG(ReadInto(JoinCrLf(lines), data), HalosoilError,
                     "The number of time steps is 2000000000. It can be at most 50000.");
    lines[5] = " Nunber of time steps     : -4";
    EXPECT_THROW_MSG(ReadInto(JoinCrLf(lines), data), HalosoilError, "Invalid numeric input");
    lines[5] = " Nunber of time steps     : 50001";
    EXPECT_THROW_MSG(ReadInto(JoinCrLf(lines), data), HalosoilError,
                     "The number of time steps is 50001. It can be at most 50000.");
    // 50000 steps are taken; the file, cut after the row of step 2 in line 32, then ends
    // inside the hydrological rows.
    lines[5] = " Nunber of time steps     : 50000";
    lines.resize(32);
    EXPECT_THROW_MSG(ReadInto(JoinCrLf(lines), data), HalosoilError,
                     "The input file ends before all its data were read; it may be damaged.");
    EXPECT_EQ(data.NrTst, 50000);
}

TEST(InputFileReadTest, MissingFileGivesThePlatformMessage) {
    test::TempFolder folder;
    InputData data;
    data.InputFileName = folder.File("absent.inp");
    EXPECT_THROW_MSG(ReadInputFile(data), FileError, "File not found");
}

// Records what the reader reports, in order.
class RecordingListener : public InputReadListener {
public:
    std::vector<std::pair<InputItem, int>> items;
    std::vector<std::array<std::string, kZoneCount + 1>> measured;
    void ItemRead(InputItem item, int index) override { items.push_back({item, index}); }
    void MeasuredRowRead(int, const std::array<std::string, kZoneCount + 1>& texts) override {
        measured.push_back(texts);
    }
};

TEST(InputFileReadTest, ListenerHearsEachValueAsItIsRead) {
    RecordingListener listener;
    InputData data;
    std::istringstream in(JoinCrLf(WrittenLinesOf(test::OneLayerProject())));
    ReadInputFile(in, data, &listener);
    ASSERT_GE(listener.items.size(), 3u);
    EXPECT_EQ(listener.items[0].first, InputItem::Title1);
    EXPECT_EQ(listener.items[2].first, InputItem::NrTst);
    // The values of a row are reported one by one, in the order of the file.
    const auto at = [&](InputItem item, int index) {
        const std::pair<InputItem, int> wanted{item, index};
        return std::find(listener.items.begin(), listener.items.end(), wanted) -
               listener.items.begin();
    };
    const auto end = static_cast<std::ptrdiff_t>(listener.items.size());
    EXPECT_LT(at(InputItem::Rain, 2), at(InputItem::Irrig, 2));
    EXPECT_LT(at(InputItem::Irrig, 2), at(InputItem::Evap, 2));
    EXPECT_LT(at(InputItem::Evap, 2), at(InputItem::IrrSal, 2));
    EXPECT_LT(at(InputItem::IrrSal, 2), at(InputItem::Thick, Layer1));
    EXPECT_LT(at(InputItem::Thick, Aquif), at(InputItem::TotPor, Layer1));
    EXPECT_LT(at(InputItem::TotPor, Trans), at(InputItem::EffPor, Trans));
    EXPECT_LT(at(InputItem::LeachEff, Aquif), end);
    EXPECT_EQ(at(InputItem::Thick, Layer2), end);  // one layer: no second layer
    ASSERT_EQ(listener.measured.size(), 2u);
    EXPECT_EQ(listener.measured[0][Layer1], "5.20");
    EXPECT_EQ(listener.measured[0][Trans], "");
    EXPECT_EQ(listener.measured[1][Aquif], "2.05");
}

}  // namespace
}  // namespace halosoil
