// Observations: the input file's measured salinities, the CSV laid over them, and every
// damage of a CSV refused with its file, line and column.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Errors.h"
#include "ExpectRefusals.h"
#include "ExpectThrowMsg.h"
#include "Observations.h"
#include "StudyProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
using halosoil::test::ExpectRefusals;

InputData TwoLayers(int steps) {
    InputData data;
    data.NrTst = steps;
    data.NrLayers = 2;
    data.SetLayerFlags(2);
    for (Series& measured : data.MeasSalt) {
        SizeSeries(measured, steps);
        for (int i = 1; i <= steps; ++i) measured[i] = kMissing;
    }
    return data;
}

Observations Read(const std::string& text, const InputData& data) {
    std::istringstream in(text);
    return ReadObservationsCsv(in, data, "obs.csv");
}

TEST(StudyObservations, ReadsTheWideLayoutWithEmptyCellsForNothingObserved) {
    const Observations read = Read(
        "step,depth_water_table,salinity_layer2\r\n"
        "3,1.25,\r\n"
        "1, 1.5 ,4.0\r\n"
        "\r\n"
        "7,,\"5.5\"\r\n",
        TwoLayers(10));
    ASSERT_EQ(read.Count(Quantity::DepthWaterTable), 2);
    // Rows in any order come out by step.
    EXPECT_EQ(read.Of(Quantity::DepthWaterTable)[0].step, 1);
    EXPECT_EQ(read.Of(Quantity::DepthWaterTable)[0].value, 1.5);
    EXPECT_EQ(read.Of(Quantity::DepthWaterTable)[1].step, 3);
    EXPECT_EQ(read.Of(Quantity::DepthWaterTable)[1].value, 1.25);
    ASSERT_EQ(read.Count(Quantity::SalinityLayer2), 2);
    EXPECT_EQ(read.Of(Quantity::SalinityLayer2)[1].step, 7);
    EXPECT_EQ(read.Of(Quantity::SalinityLayer2)[1].value, 5.5);
    EXPECT_EQ(read.Total(), 4);
    EXPECT_TRUE(read.columns[static_cast<int>(Quantity::SalinityLayer2)]);
    EXPECT_FALSE(read.columns[static_cast<int>(Quantity::Drainage)]);
}

TEST(StudyObservations, AByteOrderMarkOfASpreadsheetIsSkipped) {
    const Observations read = Read("\xEF\xBB\xBFstep,drainage\n2,0.5\n", TwoLayers(3));
    EXPECT_EQ(read.Count(Quantity::Drainage), 1);
}

TEST(StudyObservations, ACsvColumnOfASalinityReplacesTheInputFilesMeasurements) {
    InputData data = TwoLayers(6);
    data.MeasSalt[Layer1][2] = 3.0;
    data.MeasSalt[Layer1][4] = 0;  // no measurement, as -1
    data.MeasSalt[Layer2][5] = 4.0;
    data.MeasSalt[Aquif][6] = 2.0;
    data.MeasSalt[Layer3][1] = 9.0;  // a zone two layers lack
    const Observations measured = MeasuredSalinities(data);
    EXPECT_EQ(measured.Count(Quantity::SalinityLayer1), 1);
    EXPECT_EQ(measured.Count(Quantity::SalinityLayer3), 0);
    EXPECT_EQ(measured.Total(), 3);

    // The CSV has a column of layer 2, empty but for step 1: layer 2's file value goes.
    const Observations combined =
        Combined(measured, Read("step,salinity_layer2,drainage\n1,6.5,\n3,,2\n", data));
    ASSERT_EQ(combined.Count(Quantity::SalinityLayer2), 1);
    EXPECT_EQ(combined.Of(Quantity::SalinityLayer2)[0].step, 1);
    EXPECT_EQ(combined.Of(Quantity::SalinityLayer2)[0].value, 6.5);
    EXPECT_EQ(combined.Count(Quantity::SalinityLayer1), 1);
    EXPECT_EQ(combined.Count(Quantity::SalinityAquifer), 1);
    EXPECT_EQ(combined.Count(Quantity::Drainage), 1);
}

TEST(StudyObservations, DamagedFilesAreRefusedNamingFileLineAndColumn) {
    const InputData data = TwoLayers(15);
    ExpectRefusals(
        [&](const std::string& text) { return Read(text, data); },
        {
            {"step,drainage\n4,1x5\n",
             "obs.csv, line 2, column 2: '1x5' is not a valid floating point value"},
            {"step,drainage\n4,1,5\n", "obs.csv, line 2: 3 cells where the header has 2"},
            {"step,drainage,salinity\n",
             "obs.csv, line 1, column 3: 'salinity' is not a quantity; the columns are "
             "depth_water_table, drainage, percolation, capillary_rise, "
             "actual_evaporation, salinity_layer1, salinity_layer2, salinity_layer3, "
             "salinity_transition, salinity_aquifer"},
            {"step,drainage\n16,1\n",
             "obs.csv, line 2, column 1: step 16 lies outside the project's steps 1 to 15"},
            {"step,drainage\n0,1\n",
             "obs.csv, line 2, column 1: step 0 lies outside the project's steps 1 to 15"},
            {"step,drainage\n2,1\n3,1\n2,4\n",
             "obs.csv, line 4, column 1: step 2 is given twice (also in line 2)"},
            {"step,drainage\n2.5,1\n", "obs.csv, line 2, column 1: '2.5' is not a time step"},
            {"step,drainage,salinity_layer1\n3,-1,-2\n",
             "obs.csv, line 2, column 3: the salinity -2 dS/m is negative; a salinity is 0 or "
             "more"},
            {"step,salinity_layer3\n",
             "obs.csv, line 1, column 2: salinity_layer3: the project has no third "
             "root-zone layer"},
            {"step,drainage,drainage\n", "obs.csv, line 1, column 3: drainage is a column twice"},
            {"time,drainage\n",
             "obs.csv, line 1, column 1: the first column is 'step', not 'time'"},
            {"step\n1\n", "obs.csv, line 1: the header names no quantity"},
            {"", "obs.csv: the file is empty"},
        });
}

TEST(StudyObservations, AMissingFileIsAFileErrorThatNamesThePath) {
    const std::string path = testing::TempDir() + "/no-such-observations.csv";
    try {
        ReadObservationsFile(path, TwoLayers(3));
        ADD_FAILURE() << "read a missing file";
    } catch (const FileError& error) {
        EXPECT_EQ(error.File(), path);
        EXPECT_EQ(std::string(error.what()), "File not found");
    }
}

TEST(StudyObservations, TheCsvTextReadsBackAsTheSameObservations) {
    InputData data = TwoLayers(8);
    const Observations read =
        Read("step,depth_water_table,salinity_layer1\n2,1.1,\n5,0.95,3.25\n8,,0.1\n", data);
    EXPECT_EQ(ObservationsCsvText(read),
              "step,depth_water_table,salinity_layer1\n2,1.1,\n5,0.95,3.25\n8,,0.1\n");
}

}  // namespace
