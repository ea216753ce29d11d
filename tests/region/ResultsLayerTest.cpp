#include "ResultsLayer.h"

#include <gtest/gtest.h>

#include "ExpectThrowMsg.h"
#include "FileBytes.h"
#include "RegionTestFiles.h"

namespace halosoil::region {
namespace {

using namespace halosoil::test;
using study::Quantity;

MapChoice Final(Quantity quantity = Quantity::SalinityLayer1) {
    return {quantity, Summary::Final, 0};
}

TEST(ResultsLayerTest, TheChoiceIsAQuantityWithItsSummaryOrStep) {
    const MapChoice plain = ParseMapChoice("depth_water_table");
    EXPECT_EQ(plain.quantity, Quantity::DepthWaterTable);
    EXPECT_EQ(plain.summary, Summary::Final);
    EXPECT_EQ(ParseMapChoice("drainage:max").summary, Summary::Max);
    EXPECT_EQ(ParseMapChoice("drainage:mean").Label(), "mean");
    const MapChoice step = ParseMapChoice("salinity_aquifer:12");
    EXPECT_FALSE(step.summary);
    EXPECT_EQ(step.step, 12);
    EXPECT_EQ(step.Label(), "step 12");
    EXPECT_THROW_MSG(ParseMapChoice("salinity"), MapRequestError,
                     "unknown quantity 'salinity'; the quantities are " + study::QuantityNames());
    for (const char* wrong : {"drainage:0", "drainage:last", "drainage:", "drainage:-2"})
        EXPECT_THROW(ParseMapChoice(wrong), MapRequestError) << wrong;
    EXPECT_THROW_MSG(ParseMapChoice("drainage:median"), MapRequestError,
                     "'median' after drainage: is neither a summary (final, mean, min, max) nor "
                     "a step (1, 2, ...)");
}

TEST(ResultsLayerTest, ReadsEveryFieldWithItsShapeValuesAndSteps) {
    const fs::path path = RegionScratch("read") / "results.gpkg";
    WriteResultsGeoPackage(path, UtmBlock());
    const ResultsLayer layer = ReadResultsLayer(path, Final());
    EXPECT_EQ(layer.crs.kind, CrsKind::Projected);
    EXPECT_EQ(layer.crs.unit, "m");
    EXPECT_EQ(layer.crs.name, "WGS 84 / UTM zone 43N");
    EXPECT_EQ(layer.stepCount, 3);
    ASSERT_EQ(layer.fields.size(), 4u);
    const MapField& b = layer.fields[1];
    EXPECT_EQ(b.id, "b");
    EXPECT_EQ(b.status, "ok");
    EXPECT_EQ(b.value, 2.0);
    // final 2, mean 2 + 10, min 2 - 1, max 2 + 1.
    EXPECT_EQ(b.summaries[1], 12.0);
    EXPECT_EQ(b.summaries[2], 1.0);
    EXPECT_EQ(b.summaries[3], 3.0);
    EXPECT_EQ(b.steps, (std::vector<std::optional<double>>{2.0, 4.0, 6.0}));
    // The square's ring without the repeated first point.
    ASSERT_EQ(b.shape.size(), 1u);
    ASSERT_EQ(b.shape[0].size(), 1u);
    EXPECT_EQ(b.shape[0][0],
              (Ring{{501000, 3300000}, {502000, 3300000}, {502000, 3301000}, {501000, 3301000}}));
    const MapField& d = layer.fields[3];
    EXPECT_EQ(d.status, "refused");
    EXPECT_FALSE(d.value);
    EXPECT_EQ(d.steps.size(), 3u);
    EXPECT_FALSE(d.steps[0]);
    EXPECT_EQ(layer.Values(), (std::vector<double>{1, 2, 3}));

    const ResultsLayer mean = ReadResultsLayer(path, {Quantity::SalinityLayer1, Summary::Mean});
    EXPECT_EQ(mean.Values(), (std::vector<double>{11, 12, 13}));
    const ResultsLayer step = ReadResultsLayer(path, {Quantity::SalinityLayer1, std::nullopt, 3});
    EXPECT_EQ(step.Values(), (std::vector<double>{3, 6, 9}));
}

TEST(ResultsLayerTest, AFieldOfManyPartsKeepsEachPartAndItsHoles) {
    ResultsFile file = UtmBlock();
    file.fields = {{"two",
                    "MULTIPOLYGON(((0 0,10 0,10 10,0 10,0 0),(4 4,6 4,6 6,4 6,4 4)),"
                    "((20 0,30 0,30 10,20 0)))",
                    1.0,
                    {}}};
    const fs::path path = RegionScratch("parts") / "results.gpkg";
    WriteResultsGeoPackage(path, file);
    const ResultsLayer layer = ReadResultsLayer(path, Final());
    const Shape& shape = layer.fields.at(0).shape;
    ASSERT_EQ(shape.size(), 2u);
    ASSERT_EQ(shape[0].size(), 2u);  // the outer ring and its hole
    EXPECT_EQ(shape[0][1], (Ring{{4, 4}, {6, 4}, {6, 6}, {4, 6}}));
    EXPECT_EQ(shape[1], (Polygon{{{20, 0}, {30, 0}, {30, 10}}}));
}

TEST(ResultsLayerTest, IntegerIdsMatchTheirStepsAsText) {
    ResultsFile file = UtmBlock();
    file.integerIds = true;
    file.fields[0].id = "7";
    file.fields[1].id = "12";
    file.fields[2].id = "30";
    file.fields[3].id = "41";
    const fs::path path = RegionScratch("integer-ids") / "results.gpkg";
    WriteResultsGeoPackage(path, file);
    const ResultsLayer layer = ReadResultsLayer(path, {Quantity::SalinityLayer1, std::nullopt, 2});
    EXPECT_EQ(layer.fields[1].id, "12");
    EXPECT_EQ(layer.fields[1].value, 4.0);
}

TEST(ResultsLayerTest, GeographicAndUnplacedLayersAreKnownForWhatTheyAre) {
    const fs::path folder = RegionScratch("crs");
    ResultsFile file = UtmBlock();
    file.epsg = 4326;
    file.fields = {{"a", Square(75, 30, 0.01), 1.0, {}}};
    WriteResultsGeoPackage(folder / "geographic.gpkg", file);
    const ResultsLayer geographic = ReadResultsLayer(folder / "geographic.gpkg", Final());
    EXPECT_EQ(geographic.crs.kind, CrsKind::Geographic);
    EXPECT_EQ(geographic.crs.unit, "°");
    EXPECT_EQ(geographic.stepCount, 0);

    file.epsg = 0;
    WriteResultsGeoPackage(folder / "none.gpkg", file);
    const ResultsLayer none = ReadResultsLayer(folder / "none.gpkg", Final());
    EXPECT_EQ(none.crs.kind, CrsKind::None);
    EXPECT_THROW_MSG(InWgs84(none), HalosoilError,
                     (folder / "none.gpkg").string() +
                         ": the fields have no CRS, so they cannot be placed on the globe of an "
                         "HTML map; give the input layer its CRS (e.g. ogr2ogr -a_srs "
                         "EPSG:32643) or draw an SVG or PNG map");

    // Earth-centred x, y, z: no map of ours draws that.
    file.epsg = 4978;
    WriteResultsGeoPackage(folder / "geocentric.gpkg", file);
    EXPECT_THROW_MSG(ReadResultsLayer(folder / "geocentric.gpkg", Final()), HalosoilError,
                     (folder / "geocentric.gpkg").string() +
                         ": the fields' CRS 'WGS 84' is geocentric; a map draws the fields of a "
                         "projected or geographic CRS (reproject the input layer, e.g. with "
                         "ogr2ogr -t_srs EPSG:4326)");
}

TEST(ResultsLayerTest, ReprojectsToLongitudeAndLatitude) {
    // UTM zone 43N: false easting 500000 on the central meridian 75° E, false northing 0 on
    // the equator; the square's corner (500000, 0) is (75°, 0°) exactly.
    ResultsFile file = UtmBlock();
    file.fields = {{"a", Square(500000, 0, 1000), 1.0, {}}};
    const fs::path path = RegionScratch("reproject") / "results.gpkg";
    WriteResultsGeoPackage(path, file);
    const ResultsLayer wgs84 = InWgs84(ReadResultsLayer(path, Final()));
    const Ring& ring = wgs84.fields[0].shape[0][0];
    EXPECT_NEAR(ring[0].x, 75, 1e-9);
    EXPECT_NEAR(ring[0].y, 0, 1e-9);
    // 1 km east on the equator, with the scale 0.9996 of the central meridian: about
    // 1000 / 0.9996 / 111319.5 = 0.008986° east of it.
    EXPECT_NEAR(ring[1].x, 75.008986, 2e-6);
    EXPECT_NEAR(ring[1].y, 0, 1e-9);
    EXPECT_EQ(wgs84.crs.kind, CrsKind::Geographic);

    // A northing of 10^9 m lies far beyond the pole.
    file.fields = {{"far", Square(500000, 1e9, 1000), 1.0, {}}};
    const fs::path far = path.parent_path() / "far.gpkg";
    WriteResultsGeoPackage(far, file);
    EXPECT_THROW_MSG(InWgs84(ReadResultsLayer(far, Final())), HalosoilError,
                     far.string() +
                         ": field far lies outside what its CRS 'WGS 84 / UTM zone 43N' can "
                         "reproject to WGS 84");
}

TEST(ResultsLayerTest, RefusesWhatItCannotDraw) {
    const fs::path folder = RegionScratch("refusals");
    const fs::path results = folder / "results.gpkg";
    WriteResultsGeoPackage(results, UtmBlock());
    EXPECT_THROW_MSG(ReadResultsLayer(results, {Quantity::SalinityLayer1, std::nullopt, 4}),
                     MapRequestError, "step 4 is beyond the 3 steps of " + results.string());
    // The block has values of salinity_layer1 only.
    EXPECT_THROW_MSG(ReadResultsLayer(results, Final(Quantity::Drainage)), HalosoilError,
                     results.string() +
                         " has no value of drainage (final) in any field: the projects lack the "
                         "zone, or every field was refused");

    WriteBytes(folder / "text.gpkg", "not a GeoPackage\n");
    try {
        ReadResultsLayer(folder / "text.gpkg", Final());
        ADD_FAILURE() << "a text file was read";
    } catch (const HalosoilError& error) {
        EXPECT_EQ(
            std::string(error.what())
                .rfind((folder / "text.gpkg").string() + " cannot be read as a GeoPackage", 0),
            0u)
            << error.what();
    }
    EXPECT_THROW(ReadResultsLayer(folder / "missing.gpkg", Final()), HalosoilError);

    // A GeoPackage of some other layer.
    GDALAllRegister();
    GDALDatasetUniquePtr other(GetGDALDriverManager()->GetDriverByName("GPKG")->Create(
        (folder / "other.gpkg").c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    other->CreateLayer("parcels", nullptr, wkbPolygon, nullptr);
    other.reset();
    EXPECT_THROW_MSG(
        ReadResultsLayer(folder / "other.gpkg", Final()), HalosoilError,
        (folder / "other.gpkg").string() + " is not a region's results: it has no layer 'fields'");
}

}  // namespace
}  // namespace halosoil::region
