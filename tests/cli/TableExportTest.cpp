// halosoil-batch table: the Output page's tables as CSV. The expected rows of the hand-written
// one-layer output (tests/data/output-view/delta.out and its input file) were read off those
// two files by hand: salinities with two decimals, flows in the general format, a missing
// measurement as an empty cell.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BatchTestSupport.h"

namespace {

namespace fs = std::filesystem;
using halosoil::test::ReadBytes;
using halosoil::test::RunBatch;
using halosoil::test::Scratch;

fs::path CopyDelta(const fs::path& folder, bool withInput = true) {
    const fs::path data = fs::path(HALOSOIL_TEST_DATA) / "output-view";
    fs::copy_file(data / "delta.out", folder / "delta.out");
    if (withInput) fs::copy_file(data / "delta.inp", folder / "delta.inp");
    return folder / "delta.out";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ',')) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.push_back("");
    return fields;
}

// The lines of a table (salinity or hydrology) that the table command writes of output into
// folder; the command's errors are shown when it fails.
std::vector<std::string> ExportedTable(const std::string& table, const fs::path& output,
                                       const fs::path& folder) {
    const fs::path csv = folder / (table + ".csv");
    EXPECT_EQ(
        RunBatch("table " + table + " " + output.string() + " -o " + csv.string(), folder / "err"),
        0)
        << ReadBytes(folder / "err");
    return Lines(ReadBytes(csv));
}

TEST(TableExport, SalinityTableOfTheHandWrittenOutputGoesToStandardOutput) {
    const fs::path folder = Scratch("table-salinity");
    const fs::path output = CopyDelta(folder);
    ASSERT_EQ(RunBatch("table salinity " + output.string(), folder / "out.csv", folder / "err"), 0)
        << ReadBytes(folder / "err");
    EXPECT_EQ(ReadBytes(folder / "out.csv"),
              "Time step,Root zone calculated (dS/m),Root zone measured (dS/m),"
              "Transition zone calculated (dS/m),Transition zone measured (dS/m),"
              "Aquifer calculated (dS/m),Aquifer measured (dS/m)\n"
              "1,3.45,4.50,2.10,3.25,1.23,2.10\n"
              "2,3.60,,2.15,,1.25,\n"
              "3,3.71,,2.20,5.00,1.26,\n");
    EXPECT_EQ(ReadBytes(folder / "err"), "");
}

TEST(TableExport, HydrologyTableOfTheHandWrittenOutputGoesToTheNamedFile) {
    const fs::path folder = Scratch("table-hydrology");
    const fs::path output = CopyDelta(folder);
    const fs::path csv = folder / "hydrology.csv";
    ASSERT_EQ(RunBatch("table hydrology " + output.string() + " -o " + csv.string(),
                       folder / "stdout", folder / "err"),
              0)
        << ReadBytes(folder / "err");
    EXPECT_EQ(ReadBytes(csv),
              "Time step,Rainfall (mm),Irrigation (mm),Potential evaporation (mm),"
              "Percolation (mm),Capillary rise (mm),Actual evaporation (mm),Drainage (mm),"
              "Depth of water table (m)\n"
              "1,120.5,300,150.25,12.3,0,45.6,1.2,1.5\n"
              "2,0,85.75,160,10,2.5,50.1,0.8,1.62\n"
              "3,33.1,0,140.4,8.7,3.1,48,0,1.7\n");
    EXPECT_EQ(ReadBytes(folder / "stdout"), "");
}

struct LayerExample {
    const char* input;
    int layers;
    const char* salinityHeadings;
};

TEST(TableExport, BothTablesOfEveryLayerCountHaveTheirColumnsAndOneRowPerStep) {
    const LayerExample examples[] = {
        {"one_layer_monthly", 1,
         "Time step,Root zone calculated (dS/m),Root zone measured (dS/m),"
         "Transition zone calculated (dS/m),Transition zone measured (dS/m),"
         "Aquifer calculated (dS/m),Aquifer measured (dS/m)"},
        {"two_layers_daily", 2,
         "Time step,Layer 1 calculated (dS/m),Layer 1 measured (dS/m),"
         "Layer 2 calculated (dS/m),Layer 2 measured (dS/m),"
         "Transition zone calculated (dS/m),Transition zone measured (dS/m),"
         "Aquifer calculated (dS/m),Aquifer measured (dS/m)"},
        {"three_layers_weekly_drained", 3,
         "Time step,Layer 1 calculated (dS/m),Layer 1 measured (dS/m),"
         "Layer 2 calculated (dS/m),Layer 2 measured (dS/m),"
         "Layer 3 calculated (dS/m),Layer 3 measured (dS/m),"
         "Transition zone calculated (dS/m),Transition zone measured (dS/m),"
         "Aquifer calculated (dS/m),Aquifer measured (dS/m)"},
    };
    for (const LayerExample& example : examples) {
        SCOPED_TRACE(example.input);
        const fs::path folder = Scratch(std::string("tables-") + example.input);
        const fs::path input = folder / (std::string(example.input) + ".inp");
        fs::copy_file(fs::path(HALOSOIL_EXAMPLES) / input.filename(), input);
        ASSERT_EQ(RunBatch("run " + input.string(), folder / "run-err"), 0);
        const fs::path output = folder / (std::string(example.input) + ".out");
        // The number of steps stands in the output file's sixth line, second number.
        std::istringstream sizes(Lines(ReadBytes(output))[5]);
        int layers = 0, steps = 0;
        sizes >> layers >> steps;
        ASSERT_EQ(layers, example.layers);
        ASSERT_GT(steps, 0);

        const std::vector<std::string> salinity = ExportedTable("salinity", output, folder);
        ASSERT_EQ(salinity.size(), static_cast<std::size_t>(steps) + 1);
        EXPECT_EQ(salinity[0], example.salinityHeadings);
        for (int step = 1; step <= steps; ++step) {
            const std::vector<std::string> fields = Fields(salinity[step]);
            ASSERT_EQ(fields.size(), static_cast<std::size_t>(2 * (example.layers + 2) + 1))
                << salinity[step];
            EXPECT_EQ(fields[0], std::to_string(step));
            EXPECT_EQ(fields[1].find(' '), std::string::npos);
        }

        const std::vector<std::string> hydrology = ExportedTable("hydrology", output, folder);
        ASSERT_EQ(hydrology.size(), static_cast<std::size_t>(steps) + 1);
        for (int step = 1; step <= steps; ++step) {
            const std::vector<std::string> fields = Fields(hydrology[step]);
            ASSERT_EQ(fields.size(), 9u) << hydrology[step];
            EXPECT_EQ(fields[0], std::to_string(step));
            // The depth of the water table is a number with the point as its separator.
            EXPECT_NO_THROW(std::stod(fields[8])) << hydrology[step];
            EXPECT_EQ(fields[8].find(','), std::string::npos);
        }
    }
}

TEST(TableExport, FailuresNameTheFileAndLeaveNoTable) {
    const fs::path folder = Scratch("table-failures");
    const fs::path output = CopyDelta(folder, /*withInput=*/false);
    const fs::path csv = folder / "t.csv";
    EXPECT_EQ(RunBatch("table salinity " + output.string() + " -o " + csv.string(), folder / "err"),
              1);
    EXPECT_NE(ReadBytes(folder / "err").find((folder / "delta.inp").string()), std::string::npos)
        << ReadBytes(folder / "err");
    EXPECT_NE(ReadBytes(folder / "err").find("could not be opened"), std::string::npos);
    EXPECT_FALSE(fs::exists(csv));

    EXPECT_EQ(RunBatch("table salinity " + (folder / "none.out").string(), folder / "err"), 1);
    EXPECT_NE(ReadBytes(folder / "err").find("none.out"), std::string::npos);

    fs::copy_file(fs::path(HALOSOIL_TEST_DATA) / "output-view" / "delta.inp", folder / "delta.inp");
    const fs::path unwritable = folder / "no-such-folder" / "t.csv";
    EXPECT_EQ(RunBatch("table hydrology " + output.string() + " -o " + unwritable.string(),
                       folder / "err"),
              1);
    EXPECT_EQ(
        ReadBytes(folder / "err").rfind("Cannot create file \"" + unwritable.string() + "\". ", 0),
        0u)
        << ReadBytes(folder / "err");
}

TEST(TableExport, NeitherTheOutputFileNorItsInputFileIsWrittenOver) {
    const fs::path folder = Scratch("table-own-files");
    const fs::path output = CopyDelta(folder);
    const std::string before = ReadBytes(output);
    const std::string input = ReadBytes(folder / "delta.inp");
    EXPECT_EQ(
        RunBatch("table salinity " + output.string() + " -o " + output.string(), folder / "err"),
        1);
    EXPECT_EQ(
        RunBatch("graph water-table " + output.string() + " -o " + (folder / "delta.inp").string(),
                 folder / "err"),
        2);  // not an extension of a graph file
    EXPECT_EQ(
        RunBatch("table hydrology " + output.string() + " -o " + (folder / "delta.inp").string(),
                 folder / "err"),
        1);
    EXPECT_NE(ReadBytes(folder / "err").find("choose another name"), std::string::npos);
    EXPECT_EQ(ReadBytes(output), before);
    EXPECT_EQ(ReadBytes(folder / "delta.inp"), input);
}

TEST(TableExport, AFullStandardOutputIsReported) {
    const fs::path folder = Scratch("table-full");
    const fs::path output = CopyDelta(folder);
    EXPECT_EQ(RunBatch("table salinity " + output.string(), "/dev/full", folder / "err"), 1);
    EXPECT_NE(ReadBytes(folder / "err").find("cannot write to standard output"), std::string::npos);
}

TEST(TableExport, AnUnknownTableIsAUsageError) {
    const fs::path folder = Scratch("table-usage");
    const fs::path output = CopyDelta(folder);
    for (const std::string& arguments : std::vector<std::string>{
             "table soil " + output.string(), "table salinity", "table salinity a.out b.out",
             "table salinity " + output.string() + " -o",
             "table salinity " + output.string() + " -x"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(RunBatch(arguments, folder / "stdout", folder / "err"), 2);
        EXPECT_EQ(ReadBytes(folder / "stdout"), "");
        EXPECT_NE(ReadBytes(folder / "err").find("usage: halosoil-batch"), std::string::npos);
    }
}

}  // namespace
