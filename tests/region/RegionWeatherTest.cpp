// A field's rain and evaporation from the station its `weather` column names: at the latitude
// of its centroid and the elevation of its `elevation` column, before its parameter columns.
#include <gtest/gtest.h>

#include <cstring>

#include "Engine.h"
#include "ExpectThrowMsg.h"
#include "FieldProjects.h"
#include "FixedAnswersHost.h"
#include "Parameters.h"
#include "ProjectWeather.h"
#include "RegionRun.h"
#include "StationFile.h"
#include "TestLayers.h"
#include "WeatherSteps.h"

namespace halosoil::test {
namespace {

namespace fs = std::filesystem;

std::vector<double> DepthsOf(GDALDataset& results, const std::string& id) {
    std::vector<double> depths;
    OGRLayer* steps = results.GetLayerByName("steps");
    steps->SetAttributeFilter(("field = " + id).c_str());
    for (auto& row : *steps) depths.push_back(row->GetFieldAsDouble("depth_water_table"));
    steps->SetAttributeFilter(nullptr);
    return depths;
}

TEST(RegionWeather, AFieldsStationGivesItsRainAndEvaporationAtItsCentroidsLatitude) {
    const fs::path folder = fs::temp_directory_path() / "halosoil-region-weather";
    fs::remove_all(folder);
    fs::create_directories(folder / "stations");
    fs::copy_file(fs::path(HALOSOIL_EXAMPLES) / "station_daily.csv",
                  folder / "stations" / "station.csv");
    // Squares of 0.2 degrees about 30 N and 20 N: their centroids lie at 30 and 20 degrees (a
    // square's centroid is its centre, whatever the projection of its edges).
    WriteTestLayer(folder / "fields.gpkg",
                   {{"weather", OFTString}, {"elevation", OFTReal}, {"rain_factor", OFTReal}},
                   {{{{"weather", std::string("stations/station.csv")},
                      {"elevation", 150.0},
                      {"rain_factor", 1.1}},
                     0,
                     0,
                     "POLYGON((75.9 29.9,76.1 29.9,76.1 30.1,75.9 30.1,75.9 29.9))"},
                    {{{"weather", std::string("stations/station.csv")}},
                     0,
                     0,
                     "POLYGON((75.9 19.9,76.1 19.9,76.1 20.1,75.9 20.1,75.9 19.9))"},
                    {{{"weather", std::string("stations/none.csv")}},
                     0,
                     0,
                     "POLYGON((75.9 9.9,76.1 9.9,76.1 10.1,75.9 10.1,75.9 9.9))"}},
                   "GPKG", 4326);
    region::RegionOptions options;
    options.base = std::string(HALOSOIL_EXAMPLES) + "/one_layer_monthly.inp";
    options.fields.path = (folder / "fields.gpkg").string();
    options.results = (folder / "results.gpkg").string();
    // The example station lacks a day and a week of humidity.
    options.weatherFill = true;
    const region::RegionSummary summary = region::RunRegion(options);
    EXPECT_EQ(summary.ran, 2);
    EXPECT_EQ(summary.refused, 1);
    const Dataset results = OpenResults(options.results);
    const auto rows = Rows(*results, "fields");
    const std::string refused = "Field 3: column weather holds 'stations/none.csv': ";
    EXPECT_EQ(rows[2].at("message").substr(0, refused.size()), refused);

    // The first field by hand: the station at 30 N and 150 m, its steps into the base, then
    // the rain times 1.1.
    const InputData base = region::ReadBaseProject(options.base);
    const weather::StationRecord record =
        weather::ReadStationFile((folder / "stations" / "station.csv").string());
    for (const auto& [id, latitude, elevation, factor] :
         std::vector<std::tuple<std::string, double, double, double>>{{"1", 30, 150, 1.1},
                                                                      {"2", 20, 0, 1.0}}) {
        SCOPED_TRACE(id);
        weather::WeatherOptions weatherOptions;
        weatherOptions.station.latitude = latitude;
        weatherOptions.station.elevation = elevation;
        weatherOptions.steps.tstLength = base.TstLength;
        weatherOptions.fill.linear = true;
        InputData withWeather = base;
        weather::ApplyWeather(withWeather, weather::ComputeWeather(record, weatherOptions).steps,
                              base.TstLength);
        const std::vector<study::Parameter> parameters = {
            study::NamedParameter("rain_factor", withWeather)};
        const InputData project = study::Variant(withWeather, parameters, &factor);
        Engine engine;
        FixedAnswersHost host(false, false);
        engine.Compute(project, host);
        const std::vector<double> depths = DepthsOf(*results, id);
        ASSERT_EQ(static_cast<int>(depths.size()), project.NrTst);
        for (int i = 1; i <= project.NrTst; ++i)
            EXPECT_EQ(
                std::memcmp(&depths[static_cast<std::size_t>(i - 1)],
                            &engine.State().DepthWT[static_cast<std::size_t>(i)], sizeof(double)),
                0)
                << "step " << i;
    }
    // The two latitudes give different evaporation, so different water tables.
    EXPECT_NE(DepthsOf(*results, "1"), DepthsOf(*results, "2"));
}

}  // namespace
}  // namespace halosoil::test
