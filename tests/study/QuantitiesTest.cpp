// Which result quantities a project has, and how scripts name them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Quantities.h"
#include "QuantityCatalogue.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

std::vector<std::string> NamesOf(int layers) {
    InputData data;
    data.NrLayers = layers;
    data.SetLayerFlags(layers);
    std::vector<std::string> names;
    for (Quantity quantity : QuantitiesOf(data)) names.push_back(InfoOf(quantity).name);
    return names;
}

TEST(StudyQuantities, AProjectHasTheSalinitiesOfItsOwnZonesOnly) {
    const std::vector<std::string> water = {"depth_water_table", "drainage", "percolation",
                                            "capillary_rise", "actual_evaporation"};
    std::vector<std::string> one = water;
    one.insert(one.end(), {"salinity_layer1", "salinity_transition", "salinity_aquifer"});
    EXPECT_EQ(NamesOf(1), one);
    std::vector<std::string> two = water;
    two.insert(two.end(),
               {"salinity_layer1", "salinity_layer2", "salinity_transition", "salinity_aquifer"});
    EXPECT_EQ(NamesOf(2), two);
    EXPECT_EQ(NamesOf(3).size(), 10u);
}

TEST(StudyQuantities, NamesAreThoseOfTheTablesColumnsAndNothingElse) {
    EXPECT_EQ(QuantityNamed("salinity_layer2"), Quantity::SalinityLayer2);
    EXPECT_EQ(QuantityNamed("depth_water_table"), Quantity::DepthWaterTable);
    EXPECT_FALSE(QuantityNamed("Depth_water_table"));
    EXPECT_FALSE(QuantityNamed("salinity_layer4"));
    EXPECT_FALSE(QuantityNamed(""));
}

TEST(StudyQuantities, EachQuantityReadsItsOwnSeriesOfTheRun) {
    RunState state;
    SizeResultSeries(state, 1);
    std::array<Series*, 10> series = ResultSeries(state);
    for (std::size_t k = 0; k < series.size(); ++k) (*series[k])[1] = static_cast<double>(k);
    // The output's column order: percolation, capillary rise, evaporation, drainage, depth,
    // then the salinities top down.
    EXPECT_EQ(SeriesOf(state, Quantity::Percolation)[1], 0);
    EXPECT_EQ(SeriesOf(state, Quantity::CapillaryRise)[1], 1);
    EXPECT_EQ(SeriesOf(state, Quantity::ActualEvaporation)[1], 2);
    EXPECT_EQ(SeriesOf(state, Quantity::Drainage)[1], 3);
    EXPECT_EQ(SeriesOf(state, Quantity::DepthWaterTable)[1], 4);
    EXPECT_EQ(SeriesOf(state, Quantity::SalinityLayer1)[1], 5);
    EXPECT_EQ(SeriesOf(state, Quantity::SalinityAquifer)[1], 9);
}

}  // namespace
