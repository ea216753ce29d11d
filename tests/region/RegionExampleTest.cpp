// The example region of the README: the file is what make-examples writes, and its fields
// answer as their columns say they should.
#include <gtest/gtest.h>

#include "FileBytes.h"
#include "RegionExample.h"
#include "RegionRun.h"
#include "TestLayers.h"

namespace halosoil::test {
namespace {

namespace fs = std::filesystem;

TEST(RegionExample, TheFileIsWhatMakeExamplesWrites) {
    EXPECT_EQ(ReadBytes(fs::path(HALOSOIL_EXAMPLES) / "district_fields.geojson"),
              examples::RegionExampleText());
}

TEST(RegionExample, FieldsWithBetterDrainsHaveDeeperWaterTables) {
    const fs::path folder = fs::temp_directory_path() / "halosoil-region-example";
    fs::remove_all(folder);
    fs::create_directories(folder);
    region::RegionOptions options;
    options.base = std::string(HALOSOIL_EXAMPLES) + "/two_layers_yearly_drained.inp";
    options.fields.path = std::string(HALOSOIL_EXAMPLES) + "/district_fields.geojson";
    options.fields.idColumn = "plot";
    options.results = (folder / "results.gpkg").string();
    const region::RegionSummary summary = region::RunRegion(options);
    EXPECT_EQ(summary.fields, 36);
    EXPECT_EQ(summary.ran, 36);

    const Dataset results = OpenResults(options.results);
    std::map<std::string, double> depth;
    for (const auto& row : Rows(*results, "fields"))
        depth[row.at("field")] = std::stod(row.at("depth_water_table_mean"));
    // Within a row the irrigation is the same and QH1 grows eastwards by 0.002 a field (from
    // 0.006 in column 1 to 0.016 in column 6; C3 keeps the base's 0.012 and D4 all the base's
    // values): the better drained, the deeper the water table on average.
    for (const char row : std::string("ABEF"))
        for (int column = 1; column < 6; ++column) {
            const std::string west = row + std::to_string(column);
            const std::string east = row + std::to_string(column + 1);
            EXPECT_LT(depth.at(west), depth.at(east)) << west << " and " << east;
        }
}

}  // namespace
}  // namespace halosoil::test
