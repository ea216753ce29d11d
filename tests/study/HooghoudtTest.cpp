// Hooghoudt's drain spacing equation with Moody's equivalent depth, on worked examples whose
// arithmetic is written out below, the spacing of a QH1, and the refusals of its soil.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "Errors.h"
#include "ExpectRefusals.h"
#include "ExpectThrowMsg.h"
#include "Hooghoudt.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

TEST(Hooghoudt, AShallowImperviousLayerTakesMoodysFirstForm) {
    // Drains of r = 0.1 m, 50 m apart, the impervious layer 5 m below them: D/L = 0.1 <= 0.3.
    // ln(D/r) = ln 50 = 3.912023; 8/pi x 3.912023 = 2.546479 x 3.912023 = 9.961885; less
    // 3.4: 6.561885; times D/L: 0.6561885; d = 5 / 1.6561885 = 3.018980 m.
    // K2 = 1 m/day: QH1 = 8 x 1 x 3.018980 / 2500 = 24.15184 / 2500 = 0.009660736 per day;
    // K1 = 0.5 m/day: QH2 = 4 x 0.5 / 2500 = 0.0008 per m per day.
    const DrainSoil soil{.kAbove = 0.5, .kBelow = 1, .impervious = 5, .radius = 0.1};
    const DrainageFactors factors = FactorsOfSpacing(soil, 50);
    EXPECT_NEAR(factors.equivalentDepth, 3.018980, 1e-6);
    EXPECT_NEAR(factors.qh1, 0.009660736, 1e-9);
    EXPECT_DOUBLE_EQ(factors.qh2, 0.0008);
}

TEST(Hooghoudt, ADeepImperviousLayerTakesMoodysSecondForm) {
    // L = 20 m, D = 10 m: D/L = 0.5 > 0.3. ln(L/r) = ln 200 = 5.298317; less 1.15: 4.148317;
    // d = pi x 20 / (8 x 4.148317) = 62.831853 / 33.186539 = 1.893293 m, far less than D:
    // the flow lines reach no deeper than about a quarter of the spacing.
    // K2 = 2: QH1 = 8 x 2 x 1.893293 / 400 = 30.29269 / 400 = 0.07573173; K1 = 0.8:
    // QH2 = 3.2 / 400 = 0.008.
    const DrainSoil soil{.kAbove = 0.8, .kBelow = 2, .impervious = 10, .radius = 0.1};
    const DrainageFactors factors = FactorsOfSpacing(soil, 20);
    EXPECT_NEAR(factors.equivalentDepth, 1.893293, 1e-6);
    EXPECT_NEAR(factors.qh1, 0.07573173, 1e-8);
    EXPECT_DOUBLE_EQ(factors.qh2, 0.008);
}

TEST(Hooghoudt, ADesignDischargeAndHeadGiveTheSpacingFoundByTrial) {
    // The design question: drain q = 7 mm/day at a head h = 0.7 m midway, K1 = K2 = 0.8 m/day,
    // D = 5.5 m, r = 0.1 m. Hooghoudt: L^2 = 8 K d h / q + 4 K h^2 / q, solved by trial.
    // 8/pi ln(D/r) - 3.4 = 2.546479 x ln 55 (4.007333) - 3.4 = 6.804590; 4 K h^2 / q =
    // 4 x 0.8 x 0.49 / 0.007 = 224; 8 K h / q = 8 x 0.8 x 0.7 / 0.007 = 640.
    //   L = 70:    D/L = 0.078571, x 6.804590 = 0.534646, d = 5.5 / 1.534646 = 3.583888,
    //              L^2 = 640 x 3.583888 + 224 = 2517.69, L = 50.18
    //   L = 50.18: D/L = 0.109613 -> 0.745871, d = 3.150290, L^2 = 2240.19, L = 47.33
    //   L = 47.33: D/L = 0.116204 -> 0.790720, d = 3.071390, L^2 = 2189.69, L = 46.79
    //   L = 46.79: D/L = 0.117536 -> 0.799785, d = 3.055920, L^2 = 2179.79, L = 46.69
    //   L = 46.69: d = 3.052843, L^2 = 2177.82, L = 46.67
    // The spacing settles at 46.67 m: q = QH1 h + QH2 h^2 is above 7 mm/day at 46.6 m and
    // below it at 46.8 m.
    const DrainSoil soil{.kAbove = 0.8, .kBelow = 0.8, .impervious = 5.5, .radius = 0.1};
    const double h = 0.7, q = 0.007;
    const auto discharge = [&](double spacing) {
        const DrainageFactors f = FactorsOfSpacing(soil, spacing);
        return f.qh1 * h + f.qh2 * h * h;
    };
    EXPECT_GT(discharge(46.6), q);
    EXPECT_LT(discharge(46.8), q);
}

TEST(Hooghoudt, TheSpacingOfAQh1IsTheOneThatGivesIt) {
    // The first example backwards: QH1 = 0.009660736 is the spacing of 50 m.
    const DrainSoil soil{.kAbove = 0.5, .kBelow = 1, .impervious = 5, .radius = 0.1};
    EXPECT_NEAR(SpacingOfQh1(soil, 0.009660736), 50, 1e-4);
    // And the second form's: 0.07573173 at 20 m.
    const DrainSoil deep{.kAbove = 0.8, .kBelow = 2, .impervious = 10, .radius = 0.1};
    EXPECT_NEAR(SpacingOfQh1(deep, 0.07573173), 20, 1e-4);
    // No spacing under ten radii (1 m) nor over 10 km gives an enormous or a vanishing QH1.
    EXPECT_THROW(SpacingOfQh1(soil, 100), HalosoilError);
    EXPECT_THROW(SpacingOfQh1(soil, 1e-12), HalosoilError);
    EXPECT_THROW_MSG(SpacingOfQh1(soil, -1), HalosoilError,
                     "--qh1 -1: QH1 must be a number above 0");
}

TEST(Hooghoudt, ASoilOfImpossibleValuesIsRefusedNamingItsOption) {
    using Soil = DrainSoil;
    test::ExpectRefusals<Soil>(
        [](const Soil& soil) { CheckDrainSoil(soil); },
        {
            {Soil{0, 1, 5, 0.1}, "--k-above 0: it must be a number above 0"},
            {Soil{1, -1, 5, 0.1}, "--k-below -1: it must be a number above 0"},
            {Soil{1, 1, 0, 0.1}, "--impervious 0: it must be a number above 0"},
            {Soil{1, 1, 5, 0}, "--radius 0: it must be a number above 0"},
        });
    EXPECT_THROW_MSG(CheckSpacing(Soil{1, 1, 5, 0.1}, 0.5), HalosoilError,
                     "--spacing 0.5: the drain spacing must be at least ten drain radii (1 m)");
    const DrainSoil parsed = ParseDrainSoil("radius=0.05,k_above=0.4,impervious=3,k_below=1.2");
    EXPECT_EQ(parsed.kAbove, 0.4);
    EXPECT_EQ(parsed.kBelow, 1.2);
    EXPECT_EQ(parsed.impervious, 3);
    EXPECT_EQ(parsed.radius, 0.05);
    const std::string form = "; it is k_above=K1,k_below=K2,impervious=D,radius=r (m/day, m)";
    test::ExpectRefusals([](const std::string& text) { ParseDrainSoil(text); },
                         {
                             {"k_above=1,k_below=1,impervious=5",
                              "--drain-soil 'k_above=1,k_below=1,impervious=5': radius is "
                              "missing" +
                                  form},
                             {"k_above=1,k_below=1,impervious=5,radius=0.1,depth=2",
                              "--drain-soil 'k_above=1,k_below=1,impervious=5,radius=0.1,"
                              "depth=2': 'depth=2' is not one of them" +
                                  form},
                             {"k_above=1,k_below=a,impervious=5,radius=0.1",
                              "--drain-soil 'k_above=1,k_below=a,impervious=5,radius=0.1': 'a' "
                              "is not a valid floating point value" +
                                  form},
                         });
}

}  // namespace
