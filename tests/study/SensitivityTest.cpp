// Sensitivity of a project's results: a parameter without effect gets indices of 0, one that
// drives the target gets the most, and targets are named as the command line names them;
// failed runs are warned of and the target stopped tells what decides them, and a target
// moved by rounding alone has no indices.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "QuantityCatalogue.h"
#include "Sensitivity.h"
#include "StudyProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
using halosoil::test::WeeklyProject;

// Without groundwater inflow, the inflow's salinity reaches nothing.
SensitivitySettings ThreeParameters(const InputData& base, SensitivityMethod method) {
    SensitivitySettings settings;
    settings.parameters = {MakeParameter("leaching_efficiency_layer1", 40, 100, base),
                           MakeParameter("inflow_salinity", 1, 10, base),
                           MakeParameter("initial_salinity_layer1", 2, 8, base)};
    settings.targets = {ParseTarget("salinity_layer1:final", base),
                        ParseTarget("depth_water_table:mean", base)};
    settings.method = method;
    settings.samples = method == SensitivityMethod::Sobol ? 64 : 10;
    settings.resamples = 100;
    return settings;
}

InputData WithoutInflow() {
    InputData base = WeeklyProject(1);
    base.NrTst = 12;
    base.GrwtInf = 0;
    return base;
}

TEST(StudySensitivity, SobolGivesAParameterWithoutEffectNoIndexAndTheDriverTheLargest) {
    const InputData base = WithoutInflow();
    const SensitivityResult result =
        RunSensitivity(base, ThreeParameters(base, SensitivityMethod::Sobol));
    EXPECT_EQ(result.runs, 64 * (3 + 2));
    EXPECT_EQ(result.failedRuns, 0);
    ASSERT_EQ(result.rows.size(), 6u);
    EXPECT_EQ(result.rows[1].target, "salinity_layer1:final");
    EXPECT_EQ(result.rows[1].parameter, "inflow_salinity");
    EXPECT_EQ(result.rows[1].first.value, 0);
    EXPECT_EQ(result.rows[1].total.value, 0);
    // The final salinity of the first layer hangs on its leaching and initial salinity.
    EXPECT_GT(result.rows[0].total.value + result.rows[2].total.value, 0.9);
    // Salinities do not move the water: the depth's variance is 0, so are its indices.
    for (std::size_t k = 3; k < 6; ++k) {
        EXPECT_EQ(result.rows[k].target, "depth_water_table:mean");
        EXPECT_EQ(result.rows[k].total.value, 0);
    }
    const std::string csv = SensitivityCsv(result);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "target,parameter,S1,S1_low,S1_high,ST,ST_low,ST_high");
    EXPECT_NE(csv.find("\nsalinity_layer1:final,inflow_salinity,0,0,0,0,0,0\n"), std::string::npos);
}

TEST(StudySensitivity, MorrisGivesAParameterWithoutEffectNoElementaryEffect) {
    const InputData base = WithoutInflow();
    const SensitivityResult result =
        RunSensitivity(base, ThreeParameters(base, SensitivityMethod::Morris));
    EXPECT_EQ(result.runs, 10 * (3 + 1));
    EXPECT_EQ(result.rows[1].muStar.value, 0);
    EXPECT_EQ(result.rows[1].sigma, 0);
    EXPECT_GT(result.rows[0].muStar.value, 0);
    const std::string csv = SensitivityCsv(result);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "target,parameter,mu_star,mu_star_low,mu_star_high,sigma");
}

TEST(StudySensitivity, TargetsAreAStatisticOfAQuantityOrTheObjective) {
    const InputData base = WithoutInflow();
    RunState state;
    SizeResultSeries(state, 3);
    state.SalRoot1 = {9, 2, 6, 4};  // step 0 is the start, not a result
    EXPECT_EQ(TargetValue(ParseTarget("salinity_layer1:final", base), state, nullptr), 4);
    EXPECT_EQ(TargetValue(ParseTarget("salinity_layer1:mean", base), state, nullptr), 4);
    EXPECT_EQ(TargetValue(ParseTarget("salinity_layer1:max", base), state, nullptr), 6);
    EXPECT_EQ(TargetValue(ParseTarget("salinity_layer1:min", base), state, nullptr), 2);
    EXPECT_TRUE(ParseTarget("objective", base).objective);
    EXPECT_THROW_MSG(ParseTarget("salinity_layer1:last", base), HalosoilError,
                     "'salinity_layer1:last' is not a target: QUANTITY:final, QUANTITY:mean, "
                     "QUANTITY:max, QUANTITY:min, objective or stopped");
    InputData oneLayer = base;
    oneLayer.SetLayerFlags(1);
    EXPECT_THROW_MSG(ParseTarget("salinity_layer2:final", oneLayer), HalosoilError,
                     "Target salinity_layer2:final: the project has no salinity_layer2");
    // The objective needs observations.
    SensitivitySettings settings = ThreeParameters(base, SensitivityMethod::Morris);
    settings.targets = {ParseTarget("objective", base)};
    EXPECT_THROW(RunSensitivity(base, settings), HalosoilError);
}

// Twenty weeks with an outflow of 40 mm/day: a thin aquifer empties, a thick one does not.
InputData DrainingAquifer() {
    InputData base = WeeklyProject(1);
    base.NrTst = 20;
    base.GrwtOut = 40;
    return base;
}

TEST(StudySensitivity, FailedRunsAreWarnedOfAndTheTargetStoppedTellsWhatDecidesThem) {
    const InputData base = DrainingAquifer();
    SensitivitySettings settings;
    settings.parameters = {MakeParameter("thickness_aquifer", 0.3, 30, base),
                           MakeParameter("leaching_efficiency_layer1", 40, 100, base)};
    settings.targets = {ParseTarget("depth_water_table:mean", base), ParseTarget("stopped", base)};
    settings.samples = 64;
    settings.resamples = 100;
    const SensitivityResult result = RunSensitivity(base, settings);
    ASSERT_EQ(result.runs, 64 * 4);
    ASSERT_GT(result.stoppedRuns, 0);
    ASSERT_LT(result.stoppedRuns, result.runs);
    EXPECT_EQ(result.failedRuns, result.stoppedRuns);
    char percent[16];
    std::snprintf(percent, sizeof percent, "%.3g", 100.0 * result.failedRuns / 256);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0],
              std::to_string(result.failedRuns) + " of 256 runs (" + percent +
                  " %) did not go through: " + std::to_string(result.stoppedRuns) +
                  " stopped early (the water table fell below the aquifer), 0 were refused "
                  "(values no run accepts). Their samples are left out of every target but "
                  "stopped, so a parameter that decides the failures can show no influence "
                  "there; the target stopped tells which parameters make runs stop.");
    // The aquifer's thickness alone decides whether a run stops.
    ASSERT_EQ(result.rows.size(), 4u);
    EXPECT_EQ(result.rows[2].target, "stopped");
    EXPECT_EQ(result.rows[2].parameter, "thickness_aquifer");
    EXPECT_GT(result.rows[2].total.value, 0.9);
    EXPECT_EQ(result.rows[3].total.value, 0);

    // Each run: 1 for a stop, 0 through, nothing for a refusal.
    RunState state;
    SizeResultSeries(state, 2);
    const Target stopped = ParseTarget("stopped", base);
    EXPECT_EQ(stopped.Name(), "stopped");
    const std::string none, refusal = "refused";
    const InputData project = base;
    EXPECT_EQ(TargetValue(stopped, MemberRun{0, nullptr, project, state, none}, nullptr), 0);
    EXPECT_TRUE(std::isnan(TargetValue(ParseTarget("drainage:max", base),
                                       MemberRun{0, nullptr, project, state, refusal}, nullptr)));
    state.RunStopped = true;
    EXPECT_EQ(TargetValue(stopped, MemberRun{0, nullptr, project, state, none}, nullptr), 1);
    EXPECT_TRUE(std::isnan(TargetValue(ParseTarget("drainage:max", base),
                                       MemberRun{0, nullptr, project, state, none}, nullptr)));
    EXPECT_TRUE(
        std::isnan(TargetValue(stopped, MemberRun{0, nullptr, project, state, refusal}, nullptr)));
}

TEST(StudySensitivity, ATargetMovedOnlyWithinRoundingIsUndeterminedAndSaysSo) {
    const InputData base = WithoutInflow();
    SensitivitySettings settings;
    // A hundred-millionth of a percent moves the final salinity by far less than 1e-8 of it;
    // the water does not move at all.
    settings.parameters = {MakeParameter("leaching_efficiency_layer1", 80, 80.0000001, base)};
    settings.targets = {ParseTarget("salinity_layer1:final", base),
                        ParseTarget("depth_water_table:mean", base)};
    settings.samples = 32;
    settings.resamples = 50;
    const SensitivityResult result = RunSensitivity(base, settings);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0].rfind("salinity_layer1:final varies by no more than the rounding "
                                       "of the runs (standard deviation ",
                                       0),
              0u)
        << result.warnings[0];
    EXPECT_NE(result.warnings[0].find("): its indices are undetermined and left empty."),
              std::string::npos);
    EXPECT_TRUE(std::isnan(result.rows[0].total.value));
    EXPECT_EQ(result.rows[1].total.value, 0);
    const std::string csv = SensitivityCsv(result);
    EXPECT_NE(csv.find("\nsalinity_layer1:final,leaching_efficiency_layer1,,,,,,\n"),
              std::string::npos);
    EXPECT_NE(csv.find("\ndepth_water_table:mean,leaching_efficiency_layer1,0,0,0,0,0,0\n"),
              std::string::npos);
}

}  // namespace
