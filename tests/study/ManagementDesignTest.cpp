// Designs whose optimum is known: one control against a requirement that rises with it (the
// optimum is where a bisection finds the requirement met), and a probability target checked
// by running the design's members again; and the refusals of a design's settings.
#include <gtest/gtest.h>

#include <algorithm>

#include "Ensemble.h"
#include "Errors.h"
#include "ExpectRefusals.h"
#include "ExpectThrowMsg.h"
#include "ManagementDesign.h"
#include "RunEvaluator.h"
#include "StudyProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

const Crop kMaize{"maize", 1.7, 12, "moderately sensitive", ""};

// The weekly example on a fresh soil (2 dS/m in the root zone) watered with three times its
// salinity: from 0.9 times its irrigation on, the more water, the more leaching and the
// higher the season's worst yield of maize (about 91 % at 0.9, 94 % at 1.2, 97 % at 2).
InputData SalineWatering() {
    InputData data = test::WeeklyProject(1);
    for (int zone : {Layer1, Layer2, Layer3}) data.InitSalt[static_cast<std::size_t>(zone)] = 2;
    for (std::size_t i = 1; i < data.IrrSal.size(); ++i) data.IrrSal[i] *= 3;
    return data;
}

// The season's worst yield of maize with the irrigation times factor.
double WorstYield(const InputData& base, double factor) {
    const Parameter irrigation = MakeParameter("irrigation_factor", 0.9, 2, base);
    const InputData project = Variant(base, {irrigation}, &factor);
    const ProjectRun run = RunProject(project);
    const Series yield = RelativeYieldSeries(project, run.state, kMaize);
    return *std::min_element(yield.begin() + 1, yield.end());
}

DesignSettings IrrigationFor95(const InputData& base) {
    DesignSettings settings;
    settings.controls = {MakeParameter("irrigation_factor", 0.9, 2, base)};
    settings.crop = kMaize;
    settings.requirement = ParseRequirement("relative_yield>=95");
    SetGoal(settings, "irrigation");
    return settings;
}

TEST(ManagementDesign, OneControlMeetsTheRequirementWhereTheBisectionDoes) {
    const InputData base = SalineWatering();
    // The bisection, on plain runs: the least factor whose worst yield reaches 95 %.
    double low = 0.9, high = 2;
    ASSERT_LT(WorstYield(base, low), 95);
    ASSERT_GE(WorstYield(base, high), 95);
    while (high - low > 1e-5) {
        const double middle = 0.5 * (low + high);
        (WorstYield(base, middle) >= 95 ? high : low) = middle;
    }
    const DesignResult design = RunDesign(base, IrrigationFor95(base));
    ASSERT_TRUE(design.feasible);
    EXPECT_NEAR(design.values[0], high, 2e-3);
    EXPECT_GE(design.margin, 0);
    EXPECT_LT(design.margin, 0.1);
    // The irrigation minimised is the project's, times the factor, over all steps.
    double total = 0;
    for (std::size_t i = 1; i < base.Irrig.size(); ++i) total += base.Irrig[i];
    EXPECT_NEAR(design.objective, total * design.values[0], 1e-9 * total);
    EXPECT_NEAR(design.project.Irrig[2], base.Irrig[2] * design.values[0], 1e-12);
    EXPECT_EQ(design.activeConstraints, std::vector<std::string>{"relative_yield>=95"});
    EXPECT_GT(design.runs, 0);
}

TEST(ManagementDesign, ARequirementNoControlMeetsSaysSoWithTheBestReachable) {
    const InputData base = SalineWatering();
    DesignSettings settings = IrrigationFor95(base);
    settings.requirement = ParseRequirement("relative_yield>=99.5");
    const DesignResult design = RunDesign(base, settings);
    EXPECT_FALSE(design.feasible);
    // Twice the water is the most the bounds allow, and gives the most.
    EXPECT_NEAR(design.values[0], 2, 1e-3);
    EXPECT_NEAR(design.bestReachableYield, WorstYield(base, 2), 1e-3);
    EXPECT_LT(design.bestReachableYield, 99.5);
    EXPECT_NE(DesignReportJson(settings, design).find("\"best_reachable_yield\""),
              std::string::npos);
}

TEST(ManagementDesign, AProbabilityTargetHoldsForTheDesignsOwnMembersAndNoLess) {
    const InputData base = SalineWatering();
    DesignSettings settings = IrrigationFor95(base);
    settings.probability = 0.9;
    auto [efficiency, uniform] =
        ParseDistribution("leaching_efficiency_layer1=uniform:60:100", base);
    settings.uncertain = {efficiency};
    settings.distributions = {uniform};
    settings.members = 40;
    settings.seed = 7;
    const DesignResult design = RunDesign(base, settings);
    ASSERT_TRUE(design.feasible);
    EXPECT_GE(design.achievedProbability, 0.9);

    // The design's members again, as an ensemble of the designed project with the same draws:
    // at least 36 of the 40 meet 95 % at every step, and with 1 % less water fewer do.
    const auto share = [&](const InputData& project) {
        EnsembleSettings members;
        members.parameters = settings.uncertain;
        members.distributions = settings.distributions;
        members.members = settings.members;
        members.seed = settings.seed;
        members.crop = kMaize;
        const EnsembleResult result = RunEnsemble(project, members);
        int meeting = 0;
        for (int m = 0; m < result.members; ++m) {
            double worst = 100;
            for (int step = 1; step <= result.steps; ++step)
                worst = std::min(worst, result.YieldAt(m, step));
            meeting += worst >= 95 ? 1 : 0;
        }
        return meeting / 40.0;
    };
    EXPECT_GE(share(design.project), 0.9);
    const double less = design.values[0] * 0.99;
    EXPECT_LT(share(Variant(base, settings.controls, &less)), 0.9);
}

TEST(ManagementDesign, RefusesWhatCannotBeDesigned) {
    const InputData base = SalineWatering();
    test::ExpectRefusals([](const std::string& text) { ParseRequirement(text); },
                         {
                             {"salinity_layer1>=90",
                              "Requirement salinity_layer1>=90: 'salinity_layer1' is not a "
                              "quantity a requirement can be on; the one there is is "
                              "relative_yield (relative_yield>=90, or relative_yield>=90@final)"},
                             {"relative_yield<90",
                              "Requirement relative_yield<90: a requirement is "
                              "relative_yield>=VALUE, at every step, or "
                              "relative_yield>=VALUE@final"},
                             {"relative_yield>=190",
                              "Requirement relative_yield>=190: the yield is a percentage from 0 "
                              "to 100"},
                         });
    EXPECT_TRUE(ParseRequirement("relative_yield>=90@final").atFinal);
    EXPECT_THROW_MSG(CheckProbability(1.5), HalosoilError,
                     "--probability 1.5: a probability lies from 0 to 1");
    DesignSettings settings = IrrigationFor95(base);
    EXPECT_THROW_MSG(SetGoal(settings, "rain"), HalosoilError,
                     "--minimise rain: minimise irrigation, drainage or one of the controls");
    settings.probability = 0.9;
    EXPECT_THROW_MSG(RunDesign(base, settings), HalosoilError,
                     "A probability needs the uncertain parameters: --from REPORT.json or "
                     "--parameter NAME=DISTRIBUTION");
}

}  // namespace
