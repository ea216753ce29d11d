// The cell texts of the salinity and hydrology tables of the Output page and their copy for
// the clipboard. Expected texts are worked out by hand from the table formats.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "OutputTables.h"

namespace halosoil {
namespace {

const std::string kHyphen = "            -";  // 12 blanks and a hyphen

// Three steps of one layer; step 3 of layer 1 holds a stored 0, which is no measurement.
void OneLayerRun(InputData& data, RunState& state) {
    data.NrTst = 3;
    data.NrLayers = 1;
    data.SetLayerFlags(1);
    state.SalRoot1 = {0, 3.456, 4.1, 12.347};
    state.SalTrans = {0, 2.5, 2.61, 3};
    state.SalAquif = {0, 1.2, 1.25, 1.3};
    data.MeasSalt[Layer1] = {0, 4.5, -1, 0};
    data.MeasSalt[Trans] = {0, -1, 2.7, -1};
    data.MeasSalt[Aquif] = {0, 1.1, -1, 1.4};
}

// Every series of the salinity table for nrLayers layers and two steps, every measurement
// given as 2.5 or missing.
void SalinityRun(InputData& data, RunState& state, int nrLayers, double measured) {
    data.NrTst = 2;
    data.NrLayers = nrLayers;
    data.SetLayerFlags(nrLayers);
    for (Series* series :
         {&state.SalRoot1, &state.SalRoot2, &state.SalRoot3, &state.SalTrans, &state.SalAquif})
        *series = {0, 1.5, 1.75};
    for (int zone = Layer1; zone <= Aquif; ++zone) data.MeasSalt[zone] = {0, measured, measured};
}

TEST(SalinityTable, FormatsOneLayerRunCellByCell) {
    InputData data;
    RunState state;
    OneLayerRun(data, state);
    const TextTable table = SalinityTable(data, state);
    ASSERT_EQ(table.Columns(), 7);
    ASSERT_EQ(table.Rows(), 4);
    const std::vector<std::vector<std::string>> expected = {
        {"Time step", "dS/m", "dS/m", "dS/m", "dS/m", "dS/m", "dS/m"},
        {"1", "         3.46", "         4.50", "     2.50", kHyphen, "     1.20", "     1.10"},
        {"2", "         4.10", kHyphen, "     2.61", "     2.70", "     1.25", kHyphen},
        {"3", "        12.35", kHyphen, "     3.00", kHyphen, "     1.30", "     1.40"}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 7; ++col)
            EXPECT_EQ(table.At(col, row), expected[row][col]) << "cell " << col << "," << row;
}

TEST(SalinityTable, HasColumnsAndHeadingsOfEachLayout) {
    for (int layers : {1, 2, 3}) {
        SCOPED_TRACE(layers);
        InputData data;
        RunState state;
        SalinityRun(data, state, layers, 2.5);
        const TextTable table = SalinityTable(data, state);
        EXPECT_EQ(table.Columns(), 1 + 2 * (layers + 2));
        EXPECT_EQ(table.Rows(), 3);
        EXPECT_EQ(table.At(0, 0), "Time step");
        for (int col = 1; col < table.Columns(); ++col) EXPECT_EQ(table.At(col, 0), "dS/m");
        EXPECT_EQ(table.At(0, 1), "1");
        EXPECT_EQ(table.At(0, 2), "2");
    }
}

TEST(SalinityTable, GivesEachColumnItsWidth) {
    InputData data;
    RunState state;
    SalinityRun(data, state, 3, 2.5);
    // Layer 1 and 2 calculated and layer 1 measured in 13, layer 2 measured in 11, layer 3
    // calculated in 13 and measured in 9, transition zone and aquifer in 9 columns.
    const std::string widths[] = {"",
                                  "         1.50",
                                  "         2.50",
                                  "         1.50",
                                  "       2.50",
                                  "         1.50",
                                  "     2.50",
                                  "     1.50",
                                  "     2.50",
                                  "     1.50",
                                  "     2.50"};
    const TextTable three = SalinityTable(data, state);
    for (int col = 1; col <= 10; ++col) EXPECT_EQ(three.At(col, 1), widths[col]) << col;

    SalinityRun(data, state, 2, 2.5);
    const TextTable two = SalinityTable(data, state);
    const std::string twoWidths[] = {
        "",          "         1.50", "         2.50", "         1.50", "       2.50",
        "     1.50", "     2.50",     "     1.50",     "     2.50"};
    for (int col = 1; col <= 8; ++col) EXPECT_EQ(two.At(col, 1), twoWidths[col]) << col;
}

TEST(SalinityTable, ShowsHyphenForMissingValueInEveryMeasuredColumnOfEveryLayout) {
    for (int layers : {1, 2, 3}) {
        for (double missing : {-1.0, 0.0}) {
            SCOPED_TRACE(std::to_string(layers) + " layers, stored " + std::to_string(missing));
            InputData data;
            RunState state;
            SalinityRun(data, state, layers, missing);
            const TextTable table = SalinityTable(data, state);
            for (int row = 1; row <= 2; ++row) {
                for (int col = 2; col < table.Columns(); col += 2)
                    EXPECT_EQ(table.At(col, row), kHyphen) << col;
                for (int col = 1; col < table.Columns(); col += 2)
                    EXPECT_NE(table.At(col, row), kHyphen) << col;
            }
        }
    }
}

TEST(SalinityTable, ChoosesLayoutByLayerFlagOrLayerCount) {
    InputData data;
    RunState state;
    data.NrTst = 1;
    data.NrLayers = 2;  // no flag set: the count decides
    EXPECT_EQ(SalinityTable(data, state).Columns(), 9);
    data.NrLayers = 0;
    data.SetLayerFlags(3);  // the flag alone decides
    EXPECT_EQ(SalinityTable(data, state).Columns(), 11);
    data.SetLayerFlags(1);
    EXPECT_EQ(SalinityTable(data, state).Columns(), 7);
}

TEST(SalinityTable, LeavesStepsBeyondShortSeriesEmpty) {
    InputData data;
    RunState state;
    OneLayerRun(data, state);
    data.NrTst = 4;  // changed after the run
    const TextTable table = SalinityTable(data, state);
    ASSERT_EQ(table.Rows(), 5);
    EXPECT_EQ(table.At(0, 4), "4");
    for (int col = 1; col < 7; ++col) EXPECT_EQ(table.At(col, 4), "") << col;
}

TEST(HydrologyTable, ShowsSeriesAndResultsInGeneralFormat) {
    InputData data;
    RunState state;
    data.NrTst = 3;
    data.NrLayers = 3;
    data.Rain = {0, 120.5, 0, 33.1};
    data.Irrig = {0, 300, 85.75, 0};
    data.Evap = {0, 150.25, 160, 140.4};
    state.Percol = {0, 0, 12.3, 4};
    state.CapRise = {0, 0.1 + 0.2, 0, 0};  // 15 significant digits: 0.3
    state.ActEvap = {0, 1.0 / 3.0, 100, 2};
    state.Drain = {0, -2.25, 0, 0.000001};
    state.DepthWT = {0, 1.5, 1.62, 1.7};
    const TextTable table = HydrologyTable(data, state);
    ASSERT_EQ(table.Columns(), 9);
    ASSERT_EQ(table.Rows(), 4);
    const std::vector<std::vector<std::string>> expected = {
        {"Time step", "mm", "mm", "mm", "mm", "mm", "mm", "mm", " m"},
        {"1", "120.5", "300", "150.25", "0", "0.3", "0.333333333333333", "-2.25", "1.5"},
        {"2", "0", "85.75", "160", "12.3", "0", "100", "0", "1.62"},
        {"3", "33.1", "0", "140.4", "4", "0", "2", "1E-6", "1.7"}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 9; ++col)
            EXPECT_EQ(table.At(col, row), expected[row][col]) << "cell " << col << "," << row;
}

TEST(ClipboardText, JoinsThreeStepOneLayerTableWithTabsAndCarriageReturns) {
    InputData data;
    RunState state;
    OneLayerRun(data, state);
    const std::string text = ClipboardText(SalinityTable(data, state));
    const std::string expected =
        "Time step\tdS/m\tdS/m\tdS/m\tdS/m\tdS/m\tdS/m\r"
        "1\t         3.46\t         4.50\t     2.50\t            -\t     1.20\t     1.10\r"
        "2\t         4.10\t            -\t     2.61\t     2.70\t     1.25\t            -\r"
        "3\t        12.35\t            -\t     3.00\t            -\t     1.30\t     1.40";
    EXPECT_EQ(text, expected);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 4 * 6);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3);
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

TEST(ClipboardText, KeepsEditedAndEmptyCells) {
    TextTable table(3, 2);
    table.At(0, 0) = "Time step";
    table.At(2, 0) = " m";
    table.At(0, 1) = std::string("1");  // GCC 12 at -O3 warns falsely on the literal
    table.At(1, 1) = "  edited ";
    EXPECT_EQ(ClipboardText(table), "Time step\t\t m\r1\t  edited \t");
}

}  // namespace
}  // namespace halosoil
