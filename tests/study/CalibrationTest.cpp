// The joint calibration recovers values it was given: a project simulated with known values,
// its results with seeded noise as observations, calibrated from other starting values; a
// parameter held by equal bounds, a start outside them and a candidate run would refuse are
// told as what they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "Calibration.h"
#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "MemberRuns.h"
#include "RunEvaluator.h"
#include "StudyProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
using halosoil::test::WeeklyProject;

struct CalibrationTruth {
    InputData base;  // the project as the user holds it: other values than the truth
    std::vector<Parameter> parameters;
    std::vector<double> values;
    Observations observations;
};

// A year of weekly steps; the truth: QH1 0.03, a leaching efficiency of 65 % in the first
// layer and an initial salinity of 7.5 dS/m in the second. The observed: the water table every
// week, the drainage and the salinity of the first two layers every fourth week.
CalibrationTruth SimulatedTruth() {
    CalibrationTruth truth;
    truth.base = WeeklyProject(1);
    truth.parameters = {MakeParameter("qh1", 0.021, 0.06, truth.base),
                        MakeParameter("leaching_efficiency_layer1", 40, 100, truth.base),
                        MakeParameter("initial_salinity_layer2", 3, 9, truth.base)};
    truth.values = {0.03, 65, 7.5};
    const InputData project = Variant(truth.base, truth.parameters, truth.values.data());
    Engine engine;
    std::string refusal;
    engine.ComputePlain(project, refusal);
    const RunState& state = engine.State();
    EXPECT_FALSE(state.RunStopped);

    std::mt19937 random(20261209);
    std::normal_distribution<double> noise(0, 1);
    for (int i = 1; i <= project.NrTst; ++i) {
        truth.observations.Of(Quantity::DepthWaterTable)
            .push_back({i, state.DepthWT[i] + 0.01 * noise(random)});
        if (i % 4 != 0) continue;
        truth.observations.Of(Quantity::Drainage)
            .push_back({i, state.Drain[i] * (1 + 0.02 * noise(random))});
        truth.observations.Of(Quantity::SalinityLayer1)
            .push_back({i, state.SalRoot1[i] + 0.05 * noise(random)});
        truth.observations.Of(Quantity::SalinityLayer2)
            .push_back({i, state.SalRoot2[i] + 0.05 * noise(random)});
    }
    // The user's project starts elsewhere.
    truth.base.QH1 = 0.045;
    truth.base.LeachEff[Layer1] = 90;
    truth.base.InitSalt[Layer2] = 4;
    return truth;
}

CalibrationSettings SettingsOf(const CalibrationTruth& truth) {
    CalibrationSettings settings;
    settings.parameters = truth.parameters;
    settings.observations = truth.observations;
    settings.seed = 7;
    return settings;
}

TEST(StudyCalibration, RecoversTheTruthWithinItsIntervalsAndFitsNoWorseThanIt) {
    const CalibrationTruth truth = SimulatedTruth();
    const CalibrationResult result = Calibrate(truth.base, SettingsOf(truth));
    ASSERT_EQ(result.estimates.size(), 3u);
    for (std::size_t j = 0; j < 3; ++j) {
        const ParameterEstimate& estimate = result.estimates[j];
        SCOPED_TRACE(estimate.parameter.Name());
        EXPECT_EQ(estimate.start, j == 0 ? 0.045 : j == 1 ? 90 : 4);
        EXPECT_GT(estimate.standardError, 0);
        EXPECT_LE(estimate.ciLow, truth.values[j]);
        EXPECT_GE(estimate.ciHigh, truth.values[j]);
        EXPECT_FALSE(estimate.atBound);
    }
    // The truth's own objective on these noisy observations.
    Engine engine;
    std::string refusal;
    engine.ComputePlain(Variant(truth.base, truth.parameters, truth.values.data()), refusal);
    const double truthObjective = Objective(truth.observations, Weights{}).Value(engine.State());
    const QuantityFit truthFit = FitOf(truth.observations, engine.State())[0];
    EXPECT_LE(result.objectiveEnd, truthObjective * (1 + 1e-9));
    EXPECT_LT(result.objectiveEnd, result.objectiveStart);

    // The calibrated project holds the values and its run is the result's.
    EXPECT_EQ(result.project.QH1, result.estimates[0].value);
    EXPECT_EQ(result.project.LeachEff[Layer1], result.estimates[1].value);
    EXPECT_EQ(result.project.InitSalt[Layer2], result.estimates[2].value);
    ASSERT_EQ(result.fit.size(), 4u);
    EXPECT_EQ(result.fit[0].quantity, Quantity::DepthWaterTable);
    EXPECT_EQ(result.fit[0].n, 52);
    EXPECT_GE(result.fit[0].nse, truthFit.nse - 0.01);
    EXPECT_GT(result.runs, 100);
    // Nothing to warn of but what the file's decimals do to the calibrated project (the
    // leaching efficiency, say, is written as a whole percent).
    for (const std::string& warning : result.warnings)
        EXPECT_TRUE(warning.find(" is written into the calibrated project as ") !=
                        std::string::npos ||
                    warning.rfind("The calibrated project as its file holds it", 0) == 0)
            << warning;
}

TEST(StudyCalibration, TheSameSeedGivesTheSameCalibration) {
    const CalibrationTruth truth = SimulatedTruth();
    CalibrationSettings settings = SettingsOf(truth);
    settings.parameters.resize(2);
    const CalibrationResult first = Calibrate(truth.base, settings);
    settings.options.threads = 3;
    const CalibrationResult second = Calibrate(truth.base, settings);
    for (std::size_t j = 0; j < first.estimates.size(); ++j) {
        EXPECT_EQ(first.estimates[j].value, second.estimates[j].value);
        EXPECT_EQ(first.estimates[j].standardError, second.estimates[j].standardError);
    }
    EXPECT_EQ(first.objectiveEnd, second.objectiveEnd);
    EXPECT_EQ(first.runs, second.runs);
}

TEST(StudyCalibration, AParameterWithoutEffectIsNamedAsNotDetermined) {
    const CalibrationTruth truth = SimulatedTruth();
    CalibrationSettings settings = SettingsOf(truth);
    // No observation sees the aquifer's salinity at the start within a year.
    settings.parameters = {truth.parameters[0],
                           MakeParameter("initial_salinity_aquifer", 1, 6, truth.base)};
    const CalibrationResult result = Calibrate(truth.base, settings);
    ASSERT_FALSE(result.warnings.empty());
    EXPECT_NE(std::find_if(result.warnings.begin(), result.warnings.end(),
                           [](const std::string& w) {
                               return w.rfind(
                                          "initial_salinity_aquifer is not determined by "
                                          "these data",
                                          0) == 0;
                           }),
              result.warnings.end())
        << result.warnings.front();
}

TEST(StudyCalibration, TheReportHoldsTheEstimatesAndReadsBackForAnEnsemble) {
    const CalibrationTruth truth = SimulatedTruth();
    CalibrationSettings settings = SettingsOf(truth);
    settings.parameters.resize(2);
    const CalibrationResult result = Calibrate(truth.base, settings);
    const std::string json = ReportJson(result);
    for (const char* key :
         {"\"parameters\"", "\"correlation\"", "\"names\"", "\"matrix\"", "\"fit\"",
          "\"objective\"", "\"runs\"", "\"seconds\"", "\"warnings\"", "\"standard_error\"",
          "\"ci95\"", "\"at_bound\"", "\"unit\": \"m/day per m\"", "\"nse\"", "\"r2\"", "\"rmse\"",
          "\"bias\"", "\"quantity\": \"depth_water_table\""})
        EXPECT_NE(json.find(key), std::string::npos) << key;
    const ReportEstimates back = ParseReportEstimates(json, truth.base, "report.json");
    ASSERT_EQ(back.parameters.size(), 2u);
    EXPECT_EQ(back.parameters[1].Name(), "leaching_efficiency_layer1");
    EXPECT_EQ(back.parameters[1].low, 40);
    EXPECT_EQ(back.values[0], result.estimates[0].value);
    EXPECT_EQ(back.standardErrors[1], result.estimates[1].standardError);
    EXPECT_EQ(back.correlation[0][1], result.correlation[0][1]);

    EXPECT_THROW_MSG(ParseReportEstimates("{\"runs\": 3}", truth.base, "r.json"), HalosoilError,
                     "r.json: not a calibration report: it has no list of parameters");
    EXPECT_THROW_MSG(
        ParseReportEstimates("{\"parameters\": [{\"name\": \"qh1\"}]}", truth.base, "r.json"),
        HalosoilError, "r.json: every parameter needs a name, a value, a low and a high bound");
    EXPECT_THROW(ParseReportEstimates("{\"parameters\": [", truth.base, "r.json"), HalosoilError);
}

// A report damaged by hand or by a disk: the file is named, with the line and column of a
// syntax error, and a number no double holds is a refusal, not an escape of the JSON
// library's own exception.
TEST(StudyCalibration, ADamagedReportIsRefusedNamingTheFileAndWhere) {
    const InputData data = WeeklyProject(1);
    // Line 2 is '  "parameters": [}': the '}' is its column 18.
    EXPECT_THROW_MSG(ParseReportEstimates("{\n  \"parameters\": [}", data, "r.json"), HalosoilError,
                     "r.json: not a calibration report (parse error at line 2, column 18: "
                     "syntax error while parsing value - unexpected '}'; expected '[', '{', or "
                     "a literal)");
    EXPECT_THROW_MSG(
        ParseReportEstimates("{\"parameters\": [{\"name\": \"qh1\", \"low\": 0, \"high\": 0.1, "
                             "\"value\": 0.05, \"standard_error\": 1e999}]}",
                             data, "r.json"),
        HalosoilError, "r.json: not a calibration report (number overflow parsing '1e999')");
    // Bounds reversed by hand: the parameters' own refusal, after the file's name.
    EXPECT_THROW_MSG(
        ParseReportEstimates("{\"parameters\": [{\"name\": \"thickness_layer3\", \"low\": 0.4, "
                             "\"high\": 0.2, \"value\": 0.3}]}",
                             data, "r.json"),
        HalosoilError, "r.json: Parameter thickness_layer3: the bounds 0.4:0.2 are reversed");
}

// Numbers no calibration writes: a value outside its bounds, a negative standard error or
// one whose square no double holds (1e160^2 = 1e320 > 1.8e308), a correlation beyond 1.
TEST(StudyCalibration, AReportWithNumbersNoCalibrationWritesIsRefused) {
    const InputData data = WeeklyProject(1);
    const auto report = [](const std::string& value, const std::string& error,
                           const std::string& r) {
        return "{\"parameters\": [{\"name\": \"qh1\", \"low\": 0.01, \"high\": 0.05, "
               "\"value\": " +
               value + ", \"standard_error\": " + error +
               "}, {\"name\": \"groundwater_inflow\", \"low\": 0, \"high\": 2, \"value\": 1, "
               "\"standard_error\": 0.5}], \"correlation\": {\"matrix\": [[1, " +
               r + "], [" + r + ", 1]]}}";
    };
    EXPECT_EQ(ParseReportEstimates(report("0.05", "1e150", "-1"), data, "r.json").correlation[1][0],
              -1);
    EXPECT_THROW_MSG(ParseReportEstimates(report("0.06", "0.01", "0"), data, "r.json"),
                     HalosoilError,
                     "r.json: the value 0.06 of qh1 lies outside its bounds 0.01 to 0.05");
    EXPECT_THROW_MSG(ParseReportEstimates(report("0.03", "-0.01", "0"), data, "r.json"),
                     HalosoilError, "r.json: the standard error -0.01 of qh1 is negative");
    EXPECT_THROW_MSG(ParseReportEstimates(report("0.03", "1e160", "0"), data, "r.json"),
                     HalosoilError,
                     "r.json: the standard error 1e+160 of qh1 is too large for an ensemble to "
                     "draw from");
    EXPECT_THROW_MSG(ParseReportEstimates(report("0.03", "0.01", "1.5"), data, "r.json"),
                     HalosoilError,
                     "r.json: the correlation 1.5 of qh1 and groundwater_inflow lies outside -1 "
                     "to 1");
}

TEST(StudyCalibration, OneParameterIsFoundWithItsProgressToldOnTheWay) {
    const CalibrationTruth truth = SimulatedTruth();
    CalibrationSettings settings = SettingsOf(truth);
    settings.parameters.resize(1);  // QH1 alone: the local search is not BOBYQA's
    std::vector<std::pair<long long, long long>> progress;
    settings.options.progress = [&](long long done, long long total) {
        progress.emplace_back(done, total);
    };
    const CalibrationResult result = Calibrate(truth.base, settings);
    ASSERT_EQ(result.estimates.size(), 1u);
    EXPECT_LE(result.estimates[0].ciLow, 0.03);
    EXPECT_GE(result.estimates[0].ciHigh, 0.03);
    ASSERT_FALSE(progress.empty());
    for (std::size_t k = 1; k < progress.size(); ++k) {
        EXPECT_GE(progress[k].first, progress[k - 1].first);
        EXPECT_EQ(progress[k].second, progress[0].second);
    }
    EXPECT_EQ(progress.back().first, std::min(result.runs, progress.back().second));
    EXPECT_GE(progress.back().second, result.runs);
}

bool HasWarning(const CalibrationResult& result, const std::string& text) {
    return std::find(result.warnings.begin(), result.warnings.end(), text) != result.warnings.end();
}

bool HasWarningStarting(const CalibrationResult& result, const std::string& start) {
    return std::any_of(result.warnings.begin(), result.warnings.end(),
                       [&](const std::string& warning) { return warning.rfind(start, 0) == 0; });
}

TEST(StudyCalibration, EqualBoundsHoldAParameterThatIsReportedAsFixed) {
    const CalibrationTruth truth = SimulatedTruth();
    CalibrationSettings settings = SettingsOf(truth);
    // QH1 moves the water table most of all: held, it must not be called without effect.
    settings.parameters = {MakeParameter("qh1", 0.03, 0.03, truth.base), truth.parameters[1]};
    const CalibrationResult result = Calibrate(truth.base, settings);
    const ParameterEstimate& held = result.estimates[0];
    EXPECT_TRUE(held.fixed);
    EXPECT_EQ(held.value, 0.03);
    EXPECT_EQ(held.standardError, 0);
    EXPECT_EQ(held.ciLow, 0.03);
    EXPECT_EQ(held.ciHigh, 0.03);
    EXPECT_FALSE(held.atBound);
    EXPECT_EQ(result.project.QH1, 0.03);
    EXPECT_TRUE(HasWarning(result,
                           "qh1 is fixed at 0.03 by its equal bounds: it was held "
                           "there, not calibrated."));
    EXPECT_FALSE(HasWarningStarting(result, "qh1 is not determined"));
    EXPECT_FALSE(HasWarningStarting(result, "qh1 lies at a bound"));
    // The other is calibrated as if the held one were part of the project.
    EXPECT_FALSE(result.estimates[1].fixed);
    EXPECT_TRUE(std::isfinite(result.estimates[1].standardError));
    EXPECT_GT(result.estimates[1].standardError, 0);
    EXPECT_TRUE(std::isnan(result.correlation[0][1]));
    EXPECT_NE(ReportJson(result).find("\"fixed\": true"), std::string::npos);
}

TEST(StudyCalibration, AStartOutsideTheBoundsIsMovedInAndTheGivenProjectsObjectiveReported) {
    const CalibrationTruth truth = SimulatedTruth();  // the user's QH1: 0.045
    CalibrationSettings settings = SettingsOf(truth);
    settings.parameters = {MakeParameter("qh1", 0.021, 0.035, truth.base)};
    const CalibrationResult result = Calibrate(truth.base, settings);
    EXPECT_EQ(result.estimates[0].start, 0.045);
    Engine engine;
    std::string refusal;
    engine.ComputePlain(truth.base, refusal);
    EXPECT_EQ(result.objectiveStart,
              Objective(truth.observations, Weights{}).Value(engine.State()));
    EXPECT_TRUE(HasWarning(result,
                           "The start of qh1 (0.045) lies outside its bounds (0.021 to 0.035): the "
                           "search started from 0.035, and the objective before is the given "
                           "project's."));
}

TEST(StudyCalibration, ACandidateThatRunWouldRefuseScoresAsAFailedRun) {
    const CalibrationTruth truth = SimulatedTruth();  // the first layer's effective porosity: 8 %
    const std::vector<Parameter> parameters = {
        MakeParameter("total_porosity_layer1", 5, 15, truth.base)};
    const Objective objective(truth.observations, Weights{});
    RunCounter runs(10, nullptr);
    RunEvaluator evaluator(truth.base, parameters, objective, runs, nullptr);
    EXPECT_EQ(evaluator({0.2}), kFailedRunObjective);  // 7 %
    EXPECT_LT(evaluator({0.3}), kFailedRunObjective);  // 8 %
    // A calibration among such candidates ends on one that a run accepts.
    CalibrationSettings settings = SettingsOf(truth);
    settings.parameters = parameters;
    const CalibrationResult result = Calibrate(truth.base, settings);
    EXPECT_GE(result.project.TotPor[Layer1], 8);
}

}  // namespace
