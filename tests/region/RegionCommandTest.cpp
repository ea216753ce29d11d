// halosoil-batch region as a user runs it: a shapefile with text ids, its statuses, its
// messages and summary line on standard error, and the usage it refuses.
#include <gtest/gtest.h>

#include "BatchTestSupport.h"
#include "InputFile.h"
#include "RegionProjects.h"
#include "TestLayers.h"

namespace halosoil::test {
namespace {

// A plain one-layer project that runs through, drained.
InputData OneLayerBase(const fs::path& path) {
    InputData data =
        RunnableProject([](const InputData& d) { return LayerCount(d) == 1 && d.DrainPresent; });
    data.InputFileName = path.string();
    WriteInputFile(data);
    return data;
}

TEST(RegionCommand, RunsAShapefileByItsIdsAndTellsEachRefusalAndTheSummary) {
    const fs::path folder = Scratch("region-command");
    OneLayerBase(folder / "base.inp");
    WriteTestLayer(folder / "fields.shp", {{"plot", OFTString}, {"qh1", OFTReal}},
                   {{{{"plot", std::string("P-1")}}, 0, 0, ""},
                    {{{"plot", std::string("P-2")}, {"qh1", -1.0}}, 100, 0, ""},
                    {{{"plot", std::string("P-3")}, {"qh1", 0.05}}, 200, 0, ""}},
                   "ESRI Shapefile");
    const fs::path errors = folder / "errors.txt";
    const int status =
        RunBatch("region " + (folder / "base.inp").string() + " " +
                     (folder / "fields.shp").string() + " --id plot -j 2 -o " +
                     (folder / "results.gpkg").string() + " --outputs " + (folder / "out").string(),
                 errors);
    // A refused field makes the status that of an invalid input, as run's.
    EXPECT_EQ(status, 1);
    const std::string told = ReadBytes(errors);
    EXPECT_NE(told.find("Field P-2: column qh1 holds -1: beyond what it can take ("),
              std::string::npos)
        << told;
    EXPECT_NE(told.find("halosoil-batch: 3 fields: 2 run, 1 refused, 0 stopped early, "),
              std::string::npos)
        << told;
    EXPECT_TRUE(fs::exists(folder / "out" / "P-1.out"));
    EXPECT_TRUE(fs::exists(folder / "out" / "P-3.out"));
    EXPECT_FALSE(fs::exists(folder / "out" / "P-2.out"));

    const Dataset results = OpenResults(folder / "results.gpkg");
    ASSERT_TRUE(results);
    const auto fields = Rows(*results, "fields");
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].at("field"), "P-1");
    EXPECT_EQ(fields[0].at("plot"), "P-1");
    EXPECT_EQ(fields[1].at("status"), "refused");
    EXPECT_EQ(fields[2].at("qh1"), "0.05");
    const auto run = Rows(*results, "run");
    ASSERT_EQ(run.size(), 1u);
    EXPECT_EQ(run[0].at("version"), HALOSOIL_VERSION);
    EXPECT_EQ(run[0].at("command").substr(0, 22), "halosoil-batch region ");
    // An ISO 8601 time in UTC: 2026-12-09T10:11:12Z.
    EXPECT_EQ(run[0].at("date").size(), 20u);
    EXPECT_EQ(run[0].at("date").back(), 'Z');
}

TEST(RegionCommand, AllFieldsRunningGiveStatusZeroAndAMissingResultsNameIsWrongUsage) {
    const fs::path folder = Scratch("region-command-ok");
    OneLayerBase(folder / "base.inp");
    WriteTestLayer(folder / "fields.geojson", {{"rain_factor", OFTReal}},
                   {{{{"rain_factor", 0.9}}, 0, 0, ""}}, "GeoJSON");
    const fs::path errors = folder / "errors.txt";
    const std::string inputs =
        (folder / "base.inp").string() + " " + (folder / "fields.geojson").string();
    EXPECT_EQ(RunBatch("region " + inputs + " -o " + (folder / "results.gpkg").string(), errors), 0)
        << ReadBytes(errors);
    EXPECT_EQ(RunBatch("region " + inputs, errors), 2);
    EXPECT_EQ(RunBatch("region " + inputs + " -o " + (folder / "no" / "r.gpkg").string(), errors),
              1);
    EXPECT_NE(ReadBytes(errors).find("does not exist"), std::string::npos) << ReadBytes(errors);
}

TEST(RegionCommand, ExchangeWritesTheLateralFlowsAndTheNeighboursAndRefusesTheCalibrations) {
    const fs::path folder = Scratch("region-command-exchange");
    OneLayerBase(folder / "base.inp");
    WriteTestLayer(folder / "fields.gpkg", {{"transmissivity", OFTReal}, {"elevation", OFTReal}},
                   {{{{"transmissivity", 30.0}, {"elevation", 0.0}}, 0, 0, ""},
                    {{{"transmissivity", 30.0}, {"elevation", 2.0}}, 100, 0, ""}});
    const fs::path errors = folder / "errors.txt";
    const std::string inputs =
        (folder / "base.inp").string() + " " + (folder / "fields.gpkg").string();
    const std::string results = (folder / "results.gpkg").string();
    ASSERT_EQ(RunBatch("region " + inputs + " --exchange -o " + results, errors), 0)
        << ReadBytes(errors);
    const Dataset written = OpenResults(results);
    ASSERT_TRUE(written);
    const auto steps = Rows(*written, "steps");
    ASSERT_FALSE(steps.empty());
    // Field 2 stands 2 m higher: it feeds field 1 in the first step.
    EXPECT_GT(std::stod(steps.front().at("lateral_inflow")), 0);
    EXPECT_EQ(std::stod(steps.front().at("lateral_outflow")), 0);
    EXPECT_NE(steps.front().at("head"), "");
    const auto neighbours = Rows(*written, "neighbours");
    ASSERT_EQ(neighbours.size(), 2u);
    EXPECT_EQ(neighbours[0].at("field"), "1");
    EXPECT_EQ(neighbours[0].at("neighbour"), "2");
    EXPECT_EQ(std::stod(neighbours[0].at("length")), 100);
    EXPECT_EQ(Rows(*written, "run")[0].at("command").find("--exchange") != std::string::npos, true);

    EXPECT_EQ(RunBatch("region " + inputs + " --exchange --optimise -o " + results, errors), 1);
    EXPECT_NE(ReadBytes(errors).find("fit each field alone"), std::string::npos)
        << ReadBytes(errors);
}

TEST(RegionCommand, ACropGivesTheRelativeYieldAndAnUnknownOneIsRefusedBeforeAnyRun) {
    const fs::path folder = Scratch("region-command-crop");
    OneLayerBase(folder / "base.inp");
    WriteTestLayer(folder / "fields.geojson", {{"rain_factor", OFTReal}},
                   {{{{"rain_factor", 0.9}}, 0, 0, ""}}, "GeoJSON");
    const fs::path errors = folder / "errors.txt";
    const std::string inputs =
        (folder / "base.inp").string() + " " + (folder / "fields.geojson").string();
    const std::string results = (folder / "results.gpkg").string();
    ASSERT_EQ(
        RunBatch("region " + inputs + " --crop barley --ece-factor 0.5 -o " + results, errors), 0)
        << ReadBytes(errors);
    EXPECT_NE(ReadBytes(errors).find("halosoil-batch: crop barley: threshold 8 dS/m, slope 5 %"),
              std::string::npos)
        << ReadBytes(errors);
    const Dataset written = OpenResults(results);
    ASSERT_TRUE(written);
    const auto steps = Rows(*written, "steps");
    ASSERT_FALSE(steps.empty());
    for (const auto& row : steps) {
        const double yield = std::stod(row.at("relative_yield"));
        EXPECT_GE(yield, 0);
        EXPECT_LE(yield, 100);
    }
    EXPECT_NE(Rows(*written, "run").at(0).at("command").find("--crop barley"), std::string::npos);

    // A slip of the crop's name is a wrong request, with the names close to it, and nothing runs.
    fs::remove(results);
    EXPECT_EQ(RunBatch("region " + inputs + " --crop barly -o " + results, errors), 2);
    EXPECT_NE(ReadBytes(errors).find("barley"), std::string::npos) << ReadBytes(errors);
    EXPECT_FALSE(fs::exists(results));
}

}  // namespace
}  // namespace halosoil::test
