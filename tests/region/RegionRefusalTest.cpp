// What a region refuses: a field whose cells, base or geometry cannot make a project is named
// and the others run; a layer or ids that cannot serve stop the region before anything runs,
// and the previous results stay whole.
#include <gtest/gtest.h>

#include <cmath>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "FileBytes.h"
#include "InputFile.h"
#include "RegionProjects.h"
#include "RegionRun.h"
#include "TestLayers.h"

namespace halosoil::test {
namespace {

namespace fs = std::filesystem;
using region::RegionOptions;
using region::RunRegion;

// A drained two-layer project that runs through.
InputData TwoLayerBase() {
    return RunnableProject(
        [](const InputData& data) { return LayerCount(data) == 2 && data.DrainPresent; });
}

struct Region {
    fs::path folder;
    RegionOptions options;
    std::vector<std::string> messages;
};

Region MakeRegion(const std::string& name) {
    Region region;
    region.folder = RegionScratch(name);
    InputData base = TwoLayerBase();
    base.InputFileName = (region.folder / "base.inp").string();
    WriteInputFile(base);
    region.options.base = base.InputFileName;
    region.options.fields.path = (region.folder / "fields.gpkg").string();
    region.options.results = (region.folder / "results.gpkg").string();
    return region;
}

TEST(RegionRefusal, AFieldThatCannotRunIsNamedWithItsColumnAndValueAndTheOthersRun) {
    Region region = MakeRegion("per-field");
    WriteBytes(region.folder / "bad.inp", "This is no project\r\nat all\r\n");
    const std::vector<TestColumn> columns = {{"name", OFTString},
                                             {"qh1", OFTString},
                                             {"thickness_layer1", OFTReal},
                                             {"thickness_layer3", OFTReal},
                                             {"project", OFTString}};
    WriteTestLayer(
        region.options.fields.path, columns,
        {
            {{{"name", std::string("letter")}, {"qh1", std::string("0.0x")}}, 0, 0, ""},
            {{{"name", std::string("negative")}, {"thickness_layer1", -0.2}}, 100, 0, ""},
            {{{"project", std::string("missing.inp")}}, 200, 0, ""},
            {{}, 0, 0, "POINT(500050 3000050)"},
            {{{"thickness_layer3", 0.3}}, 400, 0, ""},
            {{{"name", std::string("plain")}, {"qh1", std::string(" ")}}, 500, 0, ""},
            {{{"project", std::string("bad.inp")}}, 600, 0, ""},
        });
    region.options.message = [&](const std::string& text) { region.messages.push_back(text); };
    const region::RegionSummary summary = RunRegion(region.options);
    EXPECT_EQ(summary.fields, 7);
    EXPECT_EQ(summary.refused, 6);
    EXPECT_EQ(summary.ran, 1);

    const Dataset results = OpenResults(region.options.results);
    ASSERT_TRUE(results);
    const auto rows = Rows(*results, "fields");
    ASSERT_EQ(rows.size(), 7u);
    const std::vector<std::string> expected = {
        "Field 1: column qh1 holds '0.0x': not a number",
        "Field 2: column thickness_layer1 holds -0.2: beyond what it can take (",
        "Field 3: column project holds 'missing.inp': ",
        "Field 4: its geometry is a Point, not a polygon",
        "Field 5: column thickness_layer3 holds 0.3: Parameter thickness_layer3: the project has "
        "2 root-zone layer(s), so no layer3",
        "",
        "Field 7: column project holds 'bad.inp': ",
    };
    for (std::size_t k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(rows[k].at("field"), std::to_string(k + 1));
        EXPECT_EQ(rows[k].at("status"), expected[k].empty() ? "ok" : "refused");
        EXPECT_EQ(rows[k].at("message").substr(0, expected[k].size()), expected[k]);
        // A refused field has no summaries; the project has no third layer.
        EXPECT_EQ(rows[k].at("depth_water_table_final").empty(), !expected[k].empty());
        EXPECT_EQ(rows[k].at("salinity_layer3_final"), "");
    }
    // The damaged base is named with its file and line; the missing one with its file.
    EXPECT_NE(rows[6].at("message").find((region.folder / "bad.inp").string()), std::string::npos);
    EXPECT_NE(rows[2].at("message").find("missing.inp"), std::string::npos);
    // The carried column stays as it was, the steps hold only the field that ran.
    EXPECT_EQ(rows[0].at("name"), "letter");
    EXPECT_EQ(rows[5].at("name"), "plain");
    const auto steps = Rows(*results, "steps");
    ASSERT_FALSE(steps.empty());
    for (const auto& step : steps) EXPECT_EQ(step.at("field"), "6");
    // Every refusal is told, in the fields' order.
    ASSERT_EQ(region.messages.size(), 6u);
    EXPECT_EQ(region.messages[0], rows[0].at("message"));
    EXPECT_EQ(region.messages[5], rows[6].at("message"));
}

TEST(RegionRefusal, TheSummariesAreTheStatisticsOfTheStepsRows) {
    Region region = MakeRegion("summaries");
    WriteTestLayer(region.options.fields.path, {{"rain_factor", OFTReal}},
                   {{{{"rain_factor", 1.1}}, 0, 0, ""}});
    RunRegion(region.options);
    const Dataset results = OpenResults(region.options.results);
    const auto row = Rows(*results, "fields").at(0);
    std::vector<double> depths;
    for (const auto& step : Rows(*results, "steps"))
        depths.push_back(std::stod(step.at("depth_water_table")));
    ASSERT_FALSE(depths.empty());
    double sum = 0, low = depths[0], high = depths[0];
    for (const double depth : depths) {
        sum += depth;
        low = std::min(low, depth);
        high = std::max(high, depth);
    }
    // The text of a REAL keeps 15 significant digits; the summaries are read as numbers.
    const auto near = [](const std::string& text, double value) {
        EXPECT_NEAR(std::stod(text), value, 1e-12 * std::max(1.0, std::abs(value))) << text;
    };
    near(row.at("depth_water_table_final"), depths.back());
    near(row.at("depth_water_table_mean"), sum / static_cast<double>(depths.size()));
    near(row.at("depth_water_table_min"), low);
    near(row.at("depth_water_table_max"), high);
    EXPECT_EQ(Rows(*results, "run").size(), 1u);
    EXPECT_EQ(Rows(*results, "run").at(0).at("base"), region.options.base);
}

TEST(RegionRefusal, ALayerOrIdsThatCannotServeStopTheRegionAndKeepThePreviousResults) {
    Region region = MakeRegion("whole");
    WriteBytes(region.options.results, "previous results");
    const auto expectRefused = [&](const std::string& message) {
        EXPECT_THROW_MSG(RunRegion(region.options), HalosoilError, message);
        EXPECT_EQ(ReadBytes(region.options.results), "previous results");
        std::size_t files = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(region.folder)) ++files;
        // base.inp, results.gpkg and the layer (when one was written): no partial file stays.
        EXPECT_LE(files, 3u);
    };

    region.options.fields.path = (region.folder / "none.gpkg").string();
    expectRefused(region.options.fields.path + ": the file does not exist");

    WriteBytes(region.folder / "text.gpkg", "not a layer");
    region.options.fields.path = (region.folder / "text.gpkg").string();
    EXPECT_THROW(RunRegion(region.options), HalosoilError);
    fs::remove(region.folder / "text.gpkg");

    region.options.fields.path = (region.folder / "fields.gpkg").string();
    {
        const Dataset two = CreateTestFile(region.options.fields.path);
        AddTestLayer(*two, "north", {{"code", OFTString}},
                     {{{{"code", std::string("a")}}, 0, 0, ""}});
        AddTestLayer(
            *two, "south", {{"code", OFTString}},
            {{{{"code", std::string("a")}}, 0, 0, ""}, {{{"code", std::string("")}}, 100, 0, ""}});
    }
    expectRefused(region.options.fields.path +
                  " holds several layers (north, south); name one with --layer");
    region.options.fields.layer = "east";
    expectRefused(region.options.fields.path + " has no layer 'east'; its layers are north, south");
    region.options.fields.layer = "south";
    region.options.fields.idColumn = "name";
    expectRefused(region.options.fields.path + ": the layer has no column 'name' for the ids");
    region.options.fields.idColumn = "code";
    expectRefused(region.options.fields.path + ": feature 2 has no id in column 'code'");

    {
        const Dataset twice = CreateTestFile(region.options.fields.path);
        AddTestLayer(
            *twice, "fields", {{"code", OFTString}},
            {{{{"code", std::string("a")}}, 0, 0, ""}, {{{"code", std::string("a")}}, 100, 0, ""}});
    }
    region.options.fields.layer = "";
    expectRefused(region.options.fields.path +
                  ": the id a is given to two fields in column 'code'");

    // An id that would name a file outside the folders asked for.
    {
        const Dataset slash = CreateTestFile(region.options.fields.path);
        AddTestLayer(*slash, "fields", {{"code", OFTString}},
                     {{{{"code", std::string("../x")}}, 0, 0, ""}});
    }
    region.options.projects = (region.folder / "projects").string();
    expectRefused("The id '../x' cannot name a file of the field; choose another --id column");
}

TEST(RegionRefusal, AStoppedRegionLeavesThePreviousResultsWhole) {
    Region region = MakeRegion("stopped");
    WriteTestLayer(region.options.fields.path, {{"rain_factor", OFTReal}},
                   {{{{"rain_factor", 1.0}}, 0, 0, ""}, {{{"rain_factor", 2.0}}, 100, 0, ""}});
    WriteBytes(region.options.results, "previous results");
    const std::atomic<bool> cancel{true};
    region.options.cancel = &cancel;
    EXPECT_THROW(RunRegion(region.options), region::RegionCancelled);
    EXPECT_EQ(ReadBytes(region.options.results), "previous results");
    for (const auto& entry : fs::directory_iterator(region.folder))
        EXPECT_EQ(entry.path().string().find("partial"), std::string::npos) << entry.path();
}

TEST(RegionRefusal, MultipolygonsPromoteTheLayerAndTheCrsIsKept) {
    Region region = MakeRegion("multi");
    WriteTestLayer(region.options.fields.path, {{"rain_factor", OFTReal}},
                   {{{}, 0, 0, ""},
                    {{},
                     0,
                     0,
                     "MULTIPOLYGON(((500200 3000000,500300 3000000,500300 3000100,500200 3000000)),"
                     "((500400 3000000,500500 3000000,500500 3000100,500400 3000000)))"}});
    RunRegion(region.options);
    const Dataset results = OpenResults(region.options.results);
    OGRLayer* fields = results->GetLayerByName("fields");
    ASSERT_NE(fields, nullptr);
    EXPECT_EQ(wkbFlatten(fields->GetGeomType()), wkbMultiPolygon);
    ASSERT_NE(fields->GetSpatialRef(), nullptr);
    EXPECT_STREQ(fields->GetSpatialRef()->GetAuthorityCode(nullptr), "32643");
    int polygons = 0;
    for (auto& feature : *fields) {
        ASSERT_NE(feature->GetGeometryRef(), nullptr);
        EXPECT_EQ(wkbFlatten(feature->GetGeometryRef()->getGeometryType()), wkbMultiPolygon);
        polygons += feature->GetGeometryRef()->toMultiPolygon()->getNumGeometries();
    }
    // The square promoted to one part, the second field's two parts kept.
    EXPECT_EQ(polygons, 3);
}

}  // namespace
}  // namespace halosoil::test
