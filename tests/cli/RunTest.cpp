#include <gtest/gtest.h>

#include "BatchTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ExampleProjects.h"
#include "InputData.h"
#include "NumberFormat.h"
#include "OutputFile.h"

namespace {

namespace fs = std::filesystem;
using halosoil::test::ReadBytes;
using halosoil::test::RunBatch;
using halosoil::test::Scratch;
using namespace halosoil;

std::vector<fs::path> Examples() {
    return halosoil::test::examples::ExampleInputFiles(HALOSOIL_EXAMPLES);
}

// The data lines of an output file: everything after the dashed line that ends the header.
std::vector<std::string> DataLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    bool data = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (data) lines.push_back(line);
        if (line.rfind(" - -", 0) == 0) data = true;
    }
    return lines;
}

class ExampleRun : public ::testing::TestWithParam<const char*> {};

// Every example runs with each answer to the two questions, keeps its water table inside the
// aquifer, and its output file reads back into the same series to the written decimals.
TEST_P(ExampleRun, WritesAnOutputFileThatReadsBackIntoTheSameSeries) {
    std::string name = GetParam();
    std::replace(name.begin(), name.end(), ' ', '_');
    const fs::path folder = Scratch(name);
    const std::vector<fs::path> examples = Examples();
    ASSERT_GE(examples.size(), 4u);
    for (const fs::path& example : examples) {
        const fs::path input = folder / example.filename();
        fs::copy_file(example, input);
        const fs::path output = folder / (example.stem().string() + ".out");
        ASSERT_EQ(RunBatch(std::string(GetParam()) + " " + input.string(), folder / "errors.txt"),
                  0)
            << example << ": " << ReadBytes(folder / "errors.txt");
        ASSERT_TRUE(fs::exists(output));

        InputData data;
        RunState state;
        OutputReadBack readBack;
        ReadOutputFile(output.string(), data, state, readBack);
        const std::vector<std::string> lines = DataLines(ReadBytes(output));
        ASSERT_EQ(static_cast<int>(lines.size()), data.NrTst) << example;
        const int layers = data.NrLayers;
        const std::vector<int> widths =
            layers == 1   ? std::vector<int>{9, 9, 9, 9, 10, 10, 10, 13, 9}
            : layers == 2 ? std::vector<int>{9, 9, 11, 9, 10, 8, 9, 8, 8, 10}
                          : std::vector<int>{9, 9, 11, 9, 10, 8, 9, 9, 8, 9, 10};
        for (int i = 1; i <= data.NrTst; ++i) {
            std::vector<double> values = {state.Percol[i], state.CapRise[i], state.ActEvap[i],
                                          state.Drain[i],  state.DepthWT[i], state.SalRoot1[i]};
            if (layers >= 2) values.push_back(state.SalRoot2[i]);
            if (layers >= 3) values.push_back(state.SalRoot3[i]);
            values.push_back(state.SalTrans[i]);
            values.push_back(state.SalAquif[i]);
            // Writing the values read back with the writer's widths gives the line again.
            std::string rewritten = Whole(i, 9);
            for (std::size_t k = 0; k < values.size(); ++k)
                rewritten += Fixed(values[k], widths[k + 1], k < 4 ? 1 : 2);
            EXPECT_EQ(rewritten, lines[i - 1]) << example << " step " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, ExampleRun,
                         ::testing::Values("run", "run --refine", "run --optimise",
                                           "run --refine --optimise"));

TEST(BatchRunTest, OptimiseFlagMarksOptimisedEfficienciesInTheHeader) {
    const fs::path folder = Scratch("optimise");
    fs::path yearly;
    for (const fs::path& example : Examples())
        if (example.filename() == "two_layers_yearly_drained.inp") yearly = example;
    ASSERT_FALSE(yearly.empty());
    fs::copy_file(yearly, folder / "y.inp");
    ASSERT_EQ(RunBatch("run --optimise -o " + (folder / "o.out").string() + " " +
                           (folder / "y.inp").string(),
                       folder / "errors.txt"),
              0);
    const std::string text = ReadBytes(folder / "o.out");
    EXPECT_NE(text.find("(optimized)"), std::string::npos);
    EXPECT_EQ(text.find("Drainage capacity"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "y.out"));
}

TEST(BatchRunTest, EarlyStopExitsWithThreeAndWritesNothing) {
    const fs::path folder = Scratch("stop");
    std::string text = ReadBytes(Examples().front());
    // Send the water table far below the aquifer from the start.
    const std::string label = " Initial depth water table (m)       : ";
    const std::size_t at = text.find(label);
    ASSERT_NE(at, std::string::npos);
    text.replace(at + label.size(), 7, "  99.00");
    std::ofstream(folder / "deep.inp", std::ios::binary) << text;
    EXPECT_EQ(RunBatch((folder / "deep.inp").string(), folder / "errors.txt"), 2);
    EXPECT_EQ(RunBatch("run " + (folder / "deep.inp").string(), folder / "errors.txt"), 3);
    EXPECT_EQ(ReadBytes(folder / "errors.txt"),
              "The water table is below the bottom of the aquifer. Calculations stopped.  Please "
              "adjust data.\n");
    EXPECT_FALSE(fs::exists(folder / "deep.out"));
}

TEST(BatchRunTest, UnreadableInputExitsWithOne) {
    const fs::path folder = Scratch("unreadable");
    std::ofstream(folder / "bad.inp", std::ios::binary) << "not an input file\r\n";
    EXPECT_EQ(RunBatch("run " + (folder / "bad.inp").string(), folder / "errors.txt"), 1);
    EXPECT_FALSE(ReadBytes(folder / "errors.txt").empty());
}

// The line of a damage, counted from 1 as an editor counts it, stands before the message.
TEST(BatchRunTest, ADamagedInputIsNamedByFileAndLine) {
    const fs::path folder = Scratch("damaged");
    std::string text = ReadBytes(fs::path(HALOSOIL_EXAMPLES) / "one_layer_monthly.inp");
    // Line 17 holds the initial salinity of the root zone.
    const std::string line17 = " Init. salt conc. root zone (dS/m)   :      6.0\r\n";
    const std::size_t at = text.find(line17);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'), 16);
    text.replace(at, line17.size(), " Init. salt conc. root zone (dS/m)   :1,5x\r\n");
    const fs::path input = folder / "p.inp";
    std::ofstream(input, std::ios::binary) << text;
    EXPECT_EQ(RunBatch("run " + input.string(), folder / "errors.txt"), 1);
    EXPECT_EQ(ReadBytes(folder / "errors.txt"),
              input.string() + ", line 17: '1,5x' is not a valid floating point value\n");
    EXPECT_EQ(RunBatch("convert " + input.string() + " " + (folder / "c.inp").string(),
                       folder / "errors.txt"),
              1);
    EXPECT_EQ(ReadBytes(folder / "errors.txt"),
              input.string() + ", line 17: '1,5x' is not a valid floating point value\n");
    EXPECT_FALSE(fs::exists(folder / "c.inp"));

    EXPECT_EQ(RunBatch("run " + (folder / "absent.inp").string(), folder / "errors.txt"), 1);
    EXPECT_EQ(ReadBytes(folder / "errors.txt"),
              (folder / "absent.inp").string() + ": File not found\n");
}

// A failed write names the file that could not be written, not the input.
TEST(BatchRunTest, AnOutputThatCannotBeWrittenIsNamed) {
    const fs::path folder = Scratch("unwritable");
    fs::copy_file(fs::path(HALOSOIL_EXAMPLES) / "two_layers_yearly_drained.inp", folder / "y.inp");
    const fs::path output = folder / "no such folder" / "y.out";
    EXPECT_EQ(RunBatch("run -o '" + output.string() + "' " + (folder / "y.inp").string(),
                       folder / "errors.txt"),
              1);
    EXPECT_EQ(ReadBytes(folder / "errors.txt"), output.string() + ": File not found\n");
}

}  // namespace
