// A region with a crop: each field's relative yield per step and its summaries, by the
// region's crop or its own `crop` cell, worked out from the salinities the steps table holds;
// a cell that names no crop refuses its field alone.
#include <gtest/gtest.h>

#include <algorithm>

#include "FieldProjects.h"
#include "InputFile.h"
#include "RegionProjects.h"
#include "RegionRun.h"
#include "TestLayers.h"

namespace halosoil::test {
namespace {

namespace fs = std::filesystem;

// The steps table's column of a field, step by step.
std::vector<double> Column(GDALDataset& results, const std::string& id, const char* name) {
    std::vector<double> values;
    OGRLayer* layer = results.GetLayerByName("steps");
    layer->SetAttributeFilter(("field = " + id).c_str());
    for (auto& row : *layer) values.push_back(row->GetFieldAsDouble(name));
    layer->SetAttributeFilter(nullptr);
    return values;
}

std::map<std::string, std::string> YieldFieldRow(GDALDataset& results, const std::string& id) {
    for (auto& row : Rows(results, "fields"))
        if (row["field"] == id) return row;
    ADD_FAILURE() << "no field " << id;
    return {};
}

struct Scene {
    fs::path folder;
    InputData base;
    region::RegionOptions options;
};

// Two-layer projects, so that the root zone's salinity is the layers' thickness-weighted mean.
Scene SceneOf(const std::string& name, const std::vector<TestField>& fields) {
    Scene scene;
    scene.folder = RegionScratch(name);
    InputData base = RunnableProject([](const InputData& data) { return LayerCount(data) == 2; });
    base.InputFileName = (scene.folder / "base.inp").string();
    WriteInputFile(base);
    scene.base = region::ReadBaseProject(base.InputFileName);
    WriteTestLayer(scene.folder / "fields.gpkg", {{"crop", OFTString}}, fields);
    scene.options.base = base.InputFileName;
    scene.options.fields.path = (scene.folder / "fields.gpkg").string();
    scene.options.results = (scene.folder / "results.gpkg").string();
    return scene;
}

// ECe = factor x (S1 t1 + S2 t2) / (t1 + t2); Yr = 100 - B (ECe - T) within 0..100.
std::vector<double> HandYields(GDALDataset& results, const std::string& id, const InputData& base,
                               double threshold, double slope, double factor) {
    const std::vector<double> s1 = Column(results, id, "salinity_layer1");
    const std::vector<double> s2 = Column(results, id, "salinity_layer2");
    const double t1 = base.Thick[1], t2 = base.Thick[2];
    std::vector<double> yields;
    for (std::size_t k = 0; k < s1.size(); ++k) {
        const double ece = factor * (s1[k] * t1 + s2[k] * t2) / (t1 + t2);
        yields.push_back(std::clamp(100 - slope * (ece - threshold), 0.0, 100.0));
    }
    return yields;
}

TEST(RegionYield, EachFieldsCropGivesItsYieldPerStepAndItsSummaries) {
    Scene scene = SceneOf("yield", {{{{"crop", std::string("barley")}}, 0, 0, ""},
                                    {{{"crop", std::nullopt}}, 100, 0, ""},
                                    {{{"crop", std::string("threshold=0,slope=10")}}, 200, 0, ""},
                                    {{{"crop", std::string("whaet")}}, 300, 0, ""}});
    // The region's crop for the field without a cell of its own: 1.5 dS/m and 20 % per dS/m.
    scene.options.crop = study::Crop{"own", 1.5, 20, "", ""};
    scene.options.eceFactor = 0.6;
    std::vector<std::string> messages;
    scene.options.message = [&](const std::string& text) { messages.push_back(text); };
    const region::RegionSummary summary = region::RunRegion(scene.options);
    EXPECT_EQ(summary.ran, 3);
    EXPECT_EQ(summary.refused, 1);
    const Dataset results = OpenResults(scene.options.results);
    ASSERT_TRUE(results);

    // Barley: 8.0 dS/m and 5 % per dS/m, from the shipped table.
    const struct {
        const char* id;
        double threshold, slope;
    } expected[] = {{"1", 8.0, 5.0}, {"2", 1.5, 20}, {"3", 0, 10}};
    for (const auto& field : expected) {
        SCOPED_TRACE(field.id);
        const std::vector<double> yields = Column(*results, field.id, "relative_yield");
        const std::vector<double> hand =
            HandYields(*results, field.id, scene.base, field.threshold, field.slope, 0.6);
        ASSERT_EQ(yields.size(), static_cast<std::size_t>(scene.base.NrTst));
        for (std::size_t k = 0; k < yields.size(); ++k)
            EXPECT_NEAR(yields[k], hand[k], 1e-9) << "step " << k + 1;
        const auto row = YieldFieldRow(*results, field.id);
        EXPECT_NEAR(std::stod(row.at("relative_yield_final")), hand.back(), 1e-9);
        EXPECT_NEAR(std::stod(row.at("relative_yield_min")),
                    *std::min_element(hand.begin(), hand.end()), 1e-9);
        EXPECT_NEAR(std::stod(row.at("relative_yield_max")),
                    *std::max_element(hand.begin(), hand.end()), 1e-9);
    }
    // A threshold of 0 at 10 % per dS/m costs something wherever there is salt.
    const std::vector<double> third = Column(*results, "3", "relative_yield");
    EXPECT_LT(*std::min_element(third.begin(), third.end()), 100);

    const auto refused = YieldFieldRow(*results, "4");
    EXPECT_EQ(refused.at("status"), "refused");
    EXPECT_EQ(refused.at("message").rfind("Field 4: column crop holds whaet: ", 0), 0u)
        << refused.at("message");
    EXPECT_NE(refused.at("message").find("wheat"), std::string::npos) << refused.at("message");
    EXPECT_TRUE(Column(*results, "4", "relative_yield").empty());
}

TEST(RegionYield, WithoutACropOfTheRegionACropColumnIsCarriedAsAnyOther) {
    // Free text no crop table knows, as layers held before regions knew crops: carried as it
    // is, nothing refused, and no yield's columns.
    Scene scene = SceneOf("no-yield", {{{{"crop", std::string("maize (hybrid)")}}, 0, 0, ""},
                                       {{{"crop", std::nullopt}}, 100, 0, ""}});
    const region::RegionSummary summary = region::RunRegion(scene.options);
    EXPECT_EQ(summary.refused, 0);
    const Dataset results = OpenResults(scene.options.results);
    ASSERT_TRUE(results);
    EXPECT_EQ(YieldFieldRow(*results, "1").at("crop"), "maize (hybrid)");
    EXPECT_EQ(YieldFieldRow(*results, "1").at("status"), "ok");
    EXPECT_LT(results->GetLayerByName("steps")->GetLayerDefn()->GetFieldIndex("relative_yield"), 0);
    EXPECT_LT(
        results->GetLayerByName("fields")->GetLayerDefn()->GetFieldIndex("relative_yield_min"), 0);
}

}  // namespace
}  // namespace halosoil::test
