// The calibrated project as its file holds it: the decimals the file keeps of each parameter,
// the written project run again beside the optimum, and the values written far from their
// estimates named.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>

#include "Calibration.h"
#include "InputFile.h"
#include "RunEvaluator.h"
#include "StudyProjects.h"
#include "WrittenProject.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
using halosoil::test::WeeklyProject;

std::string Printed(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

double RoundedTo(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

// The decimals of the writer's columns, read off core/files/InputFileWriter.cpp.
const std::map<std::string, int> kDecimalsInFile = {
    {"qh1", 4},
    {"qh2", 4},
    {"groundwater_inflow", 1},
    {"groundwater_outflow", 1},
    {"inflow_salinity", 1},
    {"critical_depth", 2},
    {"irrigation_efficiency", 1},
    {"thickness_layer2", 2},
    {"total_porosity_layer2", 0},
    {"effective_porosity_layer2", 0},
    {"leaching_efficiency_layer2", 0},
    {"initial_salinity_layer2", 1},
    {"rain_factor", 2},
    {"irrigation_factor", 2},
    {"evaporation_factor", 2},
    {"irrigation_salinity_factor", 2},
};

InputData ReadBack(const InputData& project) {
    InputData back;
    ReadInputText(InputFileText(project), back);
    return back;
}

TEST(StudyWrittenProject, TheFileKeepsEachParameterWithTheDecimalsOfItsTable) {
    const InputData base = WeeklyProject(1);
    for (const auto& [name, decimals] : kDecimalsInFile) {
        SCOPED_TRACE(name);
        const Parameter parameter = NamedParameter(name, base);
        EXPECT_EQ(parameter.Info().decimalsInFile, decimals);
        if (IsFactor(parameter.kind)) continue;
        // A value with more decimals than any column keeps.
        const double value = ValueIn(base, parameter) + 0.123456789;
        const InputData written = ReadBack(Variant(base, {parameter}, &value));
        EXPECT_NEAR(ValueIn(written, parameter), RoundedTo(value, decimals), 1e-12);
        EXPECT_NE(ValueIn(written, parameter), value);
    }
}

TEST(StudyWrittenProject, AFactorsWrittenValueIsTheWrittenSeriesOverTheGivenOne) {
    InputData base = WeeklyProject(1);
    base.NrTst = 3;
    base.Rain = {0, 10, 0, 5};
    const Parameter rain = MakeParameter("rain_factor", 0.5, 2, base);
    const double factor = 1.2345;
    const InputData written = ReadBack(Variant(base, {rain}, &factor));
    // 12.345 and 6.1725 are written with two decimals (up or down, as neither is an exact
    // double): over the 15 mm given.
    EXPECT_NEAR(WrittenValue(written, base, rain), (12.345 + 6.1725) / 15, 0.01 / 15);
    EXPECT_NE(WrittenValue(written, base, rain), factor);
    base.Rain = {0, 0, 0, 0};
    EXPECT_TRUE(std::isnan(WrittenValue(written, base, rain)));
}

struct WrittenTruth {
    InputData base;
    std::vector<Parameter> parameters;
    Observations observations;
};

// Half a year of weekly steps; the truth: an inflow of groundwater of 0.9679 mm/day and a
// leaching efficiency of 62.4 %, observed through the water table every week and the first
// layer's salinity every other week.
WrittenTruth InflowAndLeaching() {
    WrittenTruth truth;
    truth.base = WeeklyProject(1);
    truth.base.NrTst = 26;
    truth.parameters = {MakeParameter("groundwater_inflow", 0, 2, truth.base),
                        MakeParameter("leaching_efficiency_layer1", 40, 100, truth.base)};
    const double values[] = {0.9679, 62.4};
    const ProjectRun run = RunProject(Variant(truth.base, truth.parameters, values));
    std::mt19937 random(4101);
    std::normal_distribution<double> noise(0, 1);
    for (int i = 1; i <= truth.base.NrTst; ++i) {
        truth.observations.Of(Quantity::DepthWaterTable)
            .push_back({i, run.state.DepthWT[i] + 0.01 * noise(random)});
        if (i % 2 == 0)
            truth.observations.Of(Quantity::SalinityLayer1)
                .push_back({i, run.state.SalRoot1[i] + 0.05 * noise(random)});
    }
    return truth;
}

TEST(StudyWrittenProject, TheCalibratedProjectIsRunAsItsFileHoldsItAndItsMovedValuesNamed) {
    const WrittenTruth truth = InflowAndLeaching();
    CalibrationSettings settings;
    settings.parameters = truth.parameters;
    settings.observations = truth.observations;
    settings.seed = 2;
    const CalibrationResult result = Calibrate(truth.base, settings);
    ASSERT_EQ(result.estimates.size(), 2u);

    // The file keeps the inflow with one decimal and the efficiency with none.
    const double written[] = {RoundedTo(result.estimates[0].value, 1),
                              RoundedTo(result.estimates[1].value, 0)};
    EXPECT_EQ(result.estimates[0].written, written[0]);
    EXPECT_EQ(result.estimates[1].written, written[1]);
    // The written project is the given one with the written values: its objective and fit.
    const Objective objective(truth.observations, Weights{});
    const ProjectRun run = RunProject(Variant(truth.base, truth.parameters, written));
    ASSERT_TRUE(run.refusal.empty());
    EXPECT_DOUBLE_EQ(result.objectiveWritten, objective.Value(run.state));
    EXPECT_NE(result.objectiveWritten, result.objectiveEnd);
    ASSERT_EQ(result.fitWritten.size(), 2u);
    EXPECT_DOUBLE_EQ(result.fitWritten[1].rmse, FitOf(truth.observations, run.state)[1].rmse);

    // Each value written more than a tenth of a standard error off is named, the others not.
    bool anyMoved = false;
    for (const ParameterEstimate& estimate : result.estimates) {
        const std::string name = estimate.parameter.Name();
        SCOPED_TRACE(name);
        const double off = std::abs(estimate.written - estimate.value) / estimate.standardError;
        const int decimals = name == "groundwater_inflow" ? 1 : 0;
        const std::string named =
            name + " is written into the calibrated project as " +
            Printed("%.6g", estimate.written) + ", " + Printed("%.2g", off) +
            " standard errors from its estimate " + Printed("%.6g", estimate.value) +
            ": the input file keeps it with " + (decimals == 1 ? "1 decimal." : "0 decimals.");
        const bool warned = std::find(result.warnings.begin(), result.warnings.end(), named) !=
                            result.warnings.end();
        EXPECT_EQ(warned, off > 0.1) << off;
        anyMoved = anyMoved || off > 0.1;
    }
    ASSERT_TRUE(anyMoved) << "the case must move a value by more than a tenth";
    EXPECT_NE(std::find(result.warnings.begin(), result.warnings.end(),
                        "The calibrated project as its file holds it has the objective " +
                            Printed("%.6g", result.objectiveWritten) + " where the optimum has " +
                            Printed("%.6g", result.objectiveEnd) +
                            "; the report's fit_written is its fit."),
              result.warnings.end());

    const auto report = nlohmann::json::parse(ReportJson(result));
    EXPECT_EQ(report["objective_written"].get<double>(), result.objectiveWritten);
    EXPECT_EQ(report["fit_written"].size(), 2u);
    EXPECT_EQ(report["parameters"][0]["file_decimals"], 1);
    EXPECT_EQ(report["parameters"][1]["file_decimals"], 0);
    EXPECT_EQ(report["parameters"][1]["written"].get<double>(), written[1]);
}

}  // namespace
