// What the study commands say so as not to mislead: the calibrated project as its file holds
// it, the members and candidates that run would refuse, the stopped members' share, the
// failed runs of a sensitivity analysis and the parameters held by equal bounds.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>

#include "BatchTestSupport.h"
#include "Ensemble.h"
#include "InputFile.h"
#include "Plausibility.h"
#include "RunEvaluator.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
namespace fs = std::filesystem;
using halosoil::test::ReadBytes;
using halosoil::test::RunBatch;
using halosoil::test::Scratch;

const std::string kWarningsExample =
    std::string(HALOSOIL_EXAMPLES) + "/three_layers_weekly_drained.inp";
const std::string kObservations =
    std::string(HALOSOIL_EXAMPLES) + "/three_layers_weekly_drained_observations.csv";

// The project at path as run takes it.
InputData ReadAsRunDoes(const std::string& path) {
    InputData data;
    data.InputFileName = path;
    ReadInputFile(data);
    CheckPlausible(data);
    PrepareIrrigSpread(data);
    return data;
}

TEST(BatchStudyWarnings, TheCalibratedProjectAsWrittenIsRunAndItsObjectiveReported) {
    const fs::path folder = Scratch("calibrate-written");
    fs::copy_file(kWarningsExample, folder / "field.inp");
    const std::string arguments = "calibrate " + (folder / "field.inp").string() +
                                  " --observations " + kObservations +
                                  " --parameter groundwater_inflow=0:2 --parameter "
                                  "leaching_efficiency_layer1=40:100 --seed 1";
    ASSERT_EQ(RunBatch(arguments, folder / "out", folder / "err"), 0) << ReadBytes(folder / "err");
    const auto report = nlohmann::json::parse(ReadBytes(folder / "field-calibration.json"));

    // The file written, read back and run as run runs it, fitted to the observations.
    const InputData written = ReadAsRunDoes((folder / "field-calibrated.inp").string());
    const ProjectRun run = RunProject(written);
    ASSERT_TRUE(run.refusal.empty());
    const Objective objective(ObservationsFor(written, kObservations), Weights{});
    EXPECT_DOUBLE_EQ(report["objective_written"].get<double>(), objective.Value(run.state));
    EXPECT_EQ(report["parameters"][0]["written"].get<double>(), written.GrwtInf);
    EXPECT_EQ(report["parameters"][1]["written"].get<double>(), written.LeachEff[Layer1]);
    EXPECT_EQ(report["parameters"][0]["file_decimals"], 1);
    EXPECT_EQ(report["parameters"][1]["file_decimals"], 0);
    // What the report warns of the written project goes to standard error too, and only that.
    std::string expected;
    for (const auto& warning : report["warnings"]) {
        const std::string text = warning.get<std::string>();
        if (text.find(" is written into the calibrated project as ") != std::string::npos ||
            text.rfind("The calibrated project as its file holds it", 0) == 0)
            expected += "halosoil-batch: " + text + "\n";
    }
    EXPECT_NE(expected.find("groundwater_inflow is written into the calibrated project as "),
              std::string::npos)
        << expected;
    EXPECT_EQ(ReadBytes(folder / "err"), expected);
    const std::string summary = ReadBytes(folder / "out");
    EXPECT_NE(summary.find(" as written.\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("\nas written            n     RMSE"), std::string::npos) << summary;
}

TEST(BatchStudyWarnings, BoundsThatCanOnlyGiveProjectsRunRefusesAreRefused) {
    const fs::path folder = Scratch("calibrate-implausible");
    // The first layer's effective porosity is 8 %.
    EXPECT_EQ(
        RunBatch("calibrate " + kWarningsExample + " --observations " + kObservations +
                     " --parameter total_porosity_layer1=2:7 -o " + (folder / "c.inp").string(),
                 folder / "out", folder / "err"),
        2);
    EXPECT_EQ(ReadBytes(folder / "err"),
              "halosoil-batch: Parameter total_porosity_layer1: the bounds 2:7 % lie below the "
              "zone's effective porosity of 8 %: every value within them leaves the drainable "
              "pores above the total, which no run accepts\n");
    EXPECT_FALSE(fs::exists(folder / "c.inp"));
    EXPECT_EQ(
        RunBatch("ensemble " + kWarningsExample + " --parameter total_porosity_layer1=normal:120:5",
                 folder / "out", folder / "err"),
        2);
    EXPECT_EQ(ReadBytes(folder / "err"),
              "halosoil-batch: Parameter total_porosity_layer1: the mean 120 of normal:120:5 lies "
              "beyond what it can take (more than 0 and at most 100 %)\n");
}

TEST(BatchStudyWarnings, AnEnsembleNamesItsRefusedMembersAndTheStoppedShare) {
    const fs::path folder = Scratch("ensemble-refused");
    const InputData base = ReadAsRunDoes(kWarningsExample);
    ASSERT_EQ(RunBatch("ensemble " + kWarningsExample +
                           " --parameter total_porosity_layer1=normal:8:1 --members 40 -o " +
                           (folder / "bands.csv").string(),
                       folder / "out", folder / "err"),
              0)
        << ReadBytes(folder / "err");
    const std::string errors = ReadBytes(folder / "err");
    EnsembleSettings settings;
    auto [porosity, normal] = ParseDistribution("total_porosity_layer1=normal:8:1", base);
    settings.parameters = {porosity};
    settings.distributions = {normal};
    settings.members = 40;
    const EnsembleResult result = RunEnsemble(base, settings);
    ASSERT_EQ(result.Refused(), 20);  // half the hypercube lies below 8 %
    int first = 0;
    while (result.stoppedStep[static_cast<std::size_t>(first)] != -1) ++first;
    EXPECT_NE(errors.find("halosoil-batch: member " + std::to_string(first + 1) +
                          " was refused: The effective porosity of the 1st layer is 8 %. It "
                          "cannot be greater than the total porosity of "),
              std::string::npos)
        << errors;
    EXPECT_NE(errors.find("s; 0 stopped early (0 % of the 20 run), 20 refused; the bands are of "
                          "the 20 that went through, p_exceed and p_stopped of the 20 run.\n"),
              std::string::npos)
        << errors;

    // An outflow that empties the thinner aquifers: 12 of 40 members stop, say.
    ASSERT_EQ(RunBatch("ensemble " + kWarningsExample +
                           " --parameter groundwater_outflow=uniform:0:40 --parameter "
                           "thickness_aquifer=uniform:0.5:8 --members 40 --threshold "
                           "depth_water_table\\>3 -o " +
                           (folder / "stops.csv").string(),
                       folder / "out", folder / "err"),
              0)
        << ReadBytes(folder / "err");
    EnsembleSettings stops;
    for (const char* text :
         {"groundwater_outflow=uniform:0:40", "thickness_aquifer=uniform:0.5:8"}) {
        auto [parameter, distribution] = ParseDistribution(text, base);
        stops.parameters.push_back(parameter);
        stops.distributions.push_back(distribution);
    }
    stops.members = 40;
    const EnsembleResult stopped = RunEnsemble(base, stops);
    ASSERT_GT(stopped.Stopped(), 0);
    char share[16];
    std::snprintf(share, sizeof share, "%.3g", 100.0 * stopped.Stopped() / 40);
    EXPECT_NE(ReadBytes(folder / "err")
                  .find("s; " + std::to_string(stopped.Stopped()) + " stopped early (" + share +
                        " % of the 40 run), 0 refused"),
              std::string::npos)
        << ReadBytes(folder / "err");
    EXPECT_EQ(ReadBytes(folder / "stops.csv"),
              BandsCsv(Bands(stopped, {ParseThreshold("depth_water_table>3", base)})));
}

TEST(BatchStudyWarnings, ASensitivityAnalysisWarnsOfItsFailedRunsAndAsksAfterStops) {
    const fs::path folder = Scratch("sensitivity-stops");
    ASSERT_EQ(RunBatch("sensitivity " + kWarningsExample +
                           " --parameter groundwater_outflow=0:40 --parameter "
                           "thickness_aquifer=0.5:8 --target depth_water_table:mean --target "
                           "stopped --samples 16",
                       folder / "out", folder / "err"),
              0)
        << ReadBytes(folder / "err");
    const std::string errors = ReadBytes(folder / "err");
    EXPECT_EQ(errors.rfind("halosoil-batch: ", 0), 0u);
    EXPECT_NE(errors.find(" of 64 runs ("), std::string::npos) << errors;
    EXPECT_NE(errors.find("the target stopped tells which parameters make runs stop.\n"),
              std::string::npos)
        << errors;
    // Too few samples of the depth went through for its indices, which are left empty; the
    // stops have theirs.
    EXPECT_NE(errors.find("halosoil-batch: depth_water_table:mean has no indices (left empty): "
                          "Only 1 of the 16 samples had no failed model run; the Sobol method "
                          "needs at least 2.\n"),
              std::string::npos)
        << errors;
    const std::string csv = ReadBytes(folder / "out");
    EXPECT_NE(csv.find("\ndepth_water_table:mean,thickness_aquifer,,,,,,\n"), std::string::npos);
    EXPECT_EQ(csv.find("\nstopped,groundwater_outflow,,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\nstopped,thickness_aquifer,"), std::string::npos) << csv;
}

TEST(BatchStudyWarnings, AFixedParameterAndAStartOutsideItsBoundsAreSaidSo) {
    const fs::path folder = Scratch("calibrate-fixed");
    fs::copy_file(kWarningsExample, folder / "field.inp");
    // The file's QH1 is 0.025, below the bounds of the second run.
    ASSERT_EQ(RunBatch("calibrate " + (folder / "field.inp").string() + " --observations " +
                           kObservations +
                           " --parameter qh1=0.03:0.03 --parameter groundwater_inflow=0:2",
                       folder / "out", folder / "err"),
              0)
        << ReadBytes(folder / "err");
    std::string summary = ReadBytes(folder / "out");
    EXPECT_NE(summary.find("\nqh1                           0.025       0.03        0.03        "
                           "fixed         "),
              std::string::npos)
        << summary;
    EXPECT_NE(summary.find("\n  qh1 is fixed at 0.03 by its equal bounds: it was held there, not "
                           "calibrated.\n"),
              std::string::npos);
    EXPECT_EQ(summary.find("qh1 is not determined"), std::string::npos);
    ASSERT_EQ(RunBatch("calibrate " + (folder / "field.inp").string() + " --observations " +
                           kObservations + " --parameter qh1=0.03:0.06",
                       folder / "out", folder / "err"),
              0)
        << ReadBytes(folder / "err");
    summary = ReadBytes(folder / "out");
    EXPECT_NE(summary.find("\n  The start of qh1 (0.025) lies outside its bounds (0.03 to 0.06): "
                           "the search started from 0.03, and the objective before is the given "
                           "project's.\n"),
              std::string::npos)
        << summary;
}

}  // namespace
