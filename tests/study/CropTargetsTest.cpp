// A crop's relative yield as the studies see it: the sensitivity targets relative_yield:...,
// and the ensemble's band and share of members below a yield.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Ensemble.h"
#include "Errors.h"
#include "ExpectRefusals.h"
#include "ExpectThrowMsg.h"
#include "QuantityCatalogue.h"
#include "RunEvaluator.h"
#include "Sensitivity.h"
#include "StudyProjects.h"
#include "TestProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
using halosoil::test::WeeklyProject;

const Crop kBarley{"barley", 8.0, 5.0, "tolerant", ""};

TEST(CropTargets, RelativeYieldTargetsAreStatisticsOfTheYieldOverTheSteps) {
    // Two steps of root-zone salinity 7.6 and 26.2 dS/m (layers 0.2, 0.3, 0.5 m of 4, 6, 10
    // and 20, 24, 30 dS/m): ECe 3.8 and 13.1, barley's yield 100 and 100 - 5 x 5.1 = 74.5.
    InputData data = test::ThreeLayerProject();
    data.NrTst = 2;
    data.Thick[Layer1] = 0.2;
    data.Thick[Layer2] = 0.3;
    data.Thick[Layer3] = 0.5;
    RunState state;
    SizeResultSeries(state, 2);
    state.SalRoot1 = {0, 4, 20};
    state.SalRoot2 = {0, 6, 24};
    state.SalRoot3 = {0, 10, 30};
    const auto value = [&](const char* text) {
        return TargetValue(ParseTarget(text, data, &kBarley), state, nullptr, &data);
    };
    EXPECT_NEAR(value("relative_yield:final"), 74.5, 1e-12);
    EXPECT_NEAR(value("relative_yield:mean"), 87.25, 1e-12);  // (100 + 74.5) / 2
    EXPECT_NEAR(value("relative_yield:min"), 74.5, 1e-12);
    EXPECT_EQ(value("relative_yield:max"), 100);
    EXPECT_EQ(ParseTarget("relative_yield:min", data, &kBarley).Name(), "relative_yield:min");
    // Without the project there is no thickness to weigh the layers by.
    EXPECT_TRUE(std::isnan(
        TargetValue(ParseTarget("relative_yield:final", data, &kBarley), state, nullptr)));

    test::ExpectRefusals([&](const std::string& text) { ParseTarget(text, data); },
                         {
                             {"relative_yield:final",
                              "Target relative_yield:final: name the crop whose yield it is "
                              "(--crop NAME)"},
                         });
    test::ExpectRefusals([&](const std::string& text) { ParseTarget(text, data, &kBarley); },
                         {
                             {"relative_yield:last",
                              "'relative_yield:last' is not a target: relative_yield:final, "
                              "relative_yield:mean, relative_yield:max or relative_yield:min"},
                         });
}

EnsembleSettings SalineWater(const InputData& base, const Crop& crop) {
    EnsembleSettings settings;
    auto [factor, uniform] = ParseDistribution("irrigation_salinity_factor=uniform:0.5:3", base);
    settings.parameters = {factor};
    settings.distributions = {uniform};
    settings.members = 24;
    settings.seed = 5;
    settings.crop = crop;
    return settings;
}

TEST(CropTargets, AnEnsembleGivesEachMembersYieldAndTheShareBelowAYield) {
    InputData base = WeeklyProject(1);
    base.NrTst = 10;
    const Crop maize{"maize", 1.7, 12, "", ""};
    const EnsembleResult result = RunEnsemble(base, SalineWater(base, maize));
    ASSERT_EQ(result.yields.size(), 24u * 10u);
    // Each member's yield is that of its own plain run.
    for (int m : {0, 11, 23}) {
        const InputData member = Variant(base, result.parameters, &result.values[m]);
        const ProjectRun run = RunProject(member);
        ASSERT_TRUE(run.refusal.empty());
        const Series yield = RelativeYieldSeries(member, run.state, maize);
        for (int step = 1; step <= 10; ++step) EXPECT_EQ(result.YieldAt(m, step), yield[step]);
    }
    // Below the yield of the middle member at step 10 are the members whose own yields there
    // are: the water's salinity from half to three times the project's splits them.
    std::vector<double> atTen;
    for (int m = 0; m < 24; ++m) atTen.push_back(result.YieldAt(m, 10));
    std::sort(atTen.begin(), atTen.end());
    ASSERT_LT(atTen.front(), atTen.back());
    Threshold below = ParseThreshold("relative_yield<90", base, true);
    below.value = atTen[12];
    const std::vector<BandRow> rows = Bands(result, {below});
    int lossy = 0;
    for (int m = 0; m < 24; ++m) lossy += result.YieldAt(m, 10) < below.value ? 1 : 0;
    EXPECT_EQ(lossy, 12);
    const BandRow& last = rows.back();
    EXPECT_TRUE(last.relativeYield);
    EXPECT_EQ(last.step, 10);
    EXPECT_DOUBLE_EQ(last.pExceed, lossy / 24.0);
    EXPECT_NE(BandsCsv(rows).find("\n10,relative_yield,"), std::string::npos);
}

TEST(CropTargets, ACropThatNoSalinityHarmsOrEverySalinityKillsGivesSharesOf0And1) {
    InputData base = WeeklyProject(1);
    base.NrTst = 6;
    // Slope 0: 100 % whatever the salinity; threshold 0 and slope 1000: 0 % at any ECe above
    // 0.1 dS/m, which every member's root zone has.
    const EnsembleResult hardy = RunEnsemble(base, SalineWater(base, Crop{"hardy", 0, 0, "", ""}));
    const EnsembleResult tender =
        RunEnsemble(base, SalineWater(base, Crop{"tender", 0, 1000, "", ""}));
    const Threshold below90 = ParseThreshold("relative_yield<90", base, true);
    for (const BandRow& row : Bands(hardy, {below90})) {
        if (!row.relativeYield) continue;
        EXPECT_EQ(row.mean, 100);
        EXPECT_EQ(row.pExceed, 0);
    }
    for (const BandRow& row : Bands(tender, {below90})) {
        if (!row.relativeYield) continue;
        EXPECT_EQ(row.q95, 0);
        EXPECT_EQ(row.pExceed, 1);
    }
    // Without a crop the bands are those of the quantities alone, and a yield threshold is
    // refused.
    EnsembleSettings plain = SalineWater(base, Crop{});
    plain.crop.reset();
    for (const BandRow& row : Bands(RunEnsemble(base, plain), {})) EXPECT_FALSE(row.relativeYield);
    EXPECT_THROW_MSG(ParseThreshold("relative_yield<90", base), HalosoilError,
                     "Threshold relative_yield<90: name the crop whose yield it is (--crop NAME)");
}

}  // namespace
