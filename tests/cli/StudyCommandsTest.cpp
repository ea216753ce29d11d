// halosoil-batch calibrate, sensitivity and ensemble: the same numbers as the study library
// gives in-process for the same files, the files they write, and their refusals.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <random>

#include "BatchTestSupport.h"
#include "Calibration.h"
#include "Ensemble.h"
#include "InputFile.h"
#include "Sensitivity.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
namespace fs = std::filesystem;
using halosoil::test::ReadBytes;
using halosoil::test::RunBatch;
using halosoil::test::Scratch;

const std::string kStudyExample =
    std::string(HALOSOIL_EXAMPLES) + "/three_layers_weekly_drained.inp";

InputData ReadAsTheBatchRunnerDoes(const std::string& path) {
    InputData data;
    data.InputFileName = path;
    ReadInputFile(data);
    PrepareIrrigSpread(data);
    return data;
}

// Observations of the example run with QH1 0.03: the water table every week and the first
// layer's salinity every fourth, with seeded noise.
std::string ObservationsCsv(const InputData& base) {
    const std::vector<Parameter> truth = {MakeParameter("qh1", 0.021, 0.06, base)};
    const double value = 0.03;
    Engine engine;
    std::string refusal;
    engine.ComputePlain(Variant(base, truth, &value), refusal);
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0, 0.01);
    std::string csv = "step,depth_water_table,salinity_layer1\n";
    for (int i = 1; i <= base.NrTst; ++i) {
        csv += std::to_string(i) + "," + std::to_string(engine.State().DepthWT[i] + noise(random));
        csv += ',';
        if (i % 4 == 0) csv += std::to_string(engine.State().SalRoot1[i]);
        csv += '\n';
    }
    return csv;
}

TEST(BatchCalibrate, WritesTheCalibratedProjectAndTheReportOfTheLibrarysCalibration) {
    const fs::path folder = Scratch("calibrate");
    const InputData base = ReadAsTheBatchRunnerDoes(kStudyExample);
    fs::copy_file(kStudyExample, folder / "field.inp");
    std::ofstream(folder / "obs.csv") << ObservationsCsv(base);

    const std::string arguments = "calibrate " + (folder / "field.inp").string() +
                                  " --observations " + (folder / "obs.csv").string() +
                                  " --parameter qh1=0.021:0.06 --parameter "
                                  "leaching_efficiency_layer1=40:100 --seed 3";
    ASSERT_EQ(RunBatch(arguments, folder / "out", folder / "err"), 0) << ReadBytes(folder / "err");
    EXPECT_EQ(ReadBytes(folder / "err"), "");
    const std::string summary = ReadBytes(folder / "out");
    EXPECT_EQ(summary.rfind("Calibrated 2 parameter(s) against 65 observations in ", 0), 0u)
        << summary;
    EXPECT_NE(summary.find("\nWrote " + (folder / "field-calibrated.inp").string() + " and " +
                           (folder / "field-calibration.json").string() + ".\n"),
              std::string::npos);

    CalibrationSettings settings;
    settings.parameters = {MakeParameter("qh1", 0.021, 0.06, base),
                           MakeParameter("leaching_efficiency_layer1", 40, 100, base)};
    settings.observations = ObservationsFor(base, (folder / "obs.csv").string());
    settings.seed = 3;
    const CalibrationResult expected = Calibrate(base, settings);

    const auto report = nlohmann::json::parse(ReadBytes(folder / "field-calibration.json"));
    ASSERT_EQ(report["parameters"].size(), 2u);
    for (std::size_t j = 0; j < 2; ++j) {
        const auto& parameter = report["parameters"][j];
        EXPECT_EQ(parameter["name"], expected.estimates[j].parameter.Name());
        EXPECT_EQ(parameter["value"].template get<double>(), expected.estimates[j].value);
        EXPECT_EQ(parameter["standard_error"].template get<double>(),
                  expected.estimates[j].standardError);
    }
    EXPECT_EQ(report["objective"]["end"].get<double>(), expected.objectiveEnd);
    EXPECT_EQ(report["runs"].get<long long>(), expected.runs);
    EXPECT_EQ(report["fit"][0]["quantity"], "depth_water_table");
    EXPECT_EQ(report["fit"][0]["n"], 52);

    // The calibrated project is a file the program opens, holding the calibrated capacity as
    // the file's four decimals hold it.
    const InputData calibrated =
        ReadAsTheBatchRunnerDoes((folder / "field-calibrated.inp").string());
    EXPECT_NEAR(calibrated.QH1, expected.estimates[0].value, 0.00005);
    EXPECT_EQ(calibrated.NrTst, base.NrTst);
}

TEST(BatchCalibrate, RefusalsNameWhatIsWrongWithTheirStatus) {
    const fs::path folder = Scratch("calibrate-refusals");
    fs::copy_file(kStudyExample, folder / "field.inp");
    const std::string input = (folder / "field.inp").string();
    std::ofstream(folder / "bad.csv") << "step,depth_water_table\n1,1.2\n2,1x3\n";

    EXPECT_EQ(
        RunBatch("calibrate " + input + " --parameter qh3=0:1", folder / "out", folder / "err"), 2);
    EXPECT_EQ(ReadBytes(folder / "err").rfind("halosoil-batch: Unknown parameter 'qh3'; ", 0), 0u)
        << ReadBytes(folder / "err");
    EXPECT_EQ(RunBatch("calibrate " + input + " --parameter qh1=0.05:0.01", folder / "out",
                       folder / "err"),
              2);
    EXPECT_EQ(ReadBytes(folder / "err"),
              "halosoil-batch: Parameter qh1: the bounds 0.05:0.01 are reversed\n");
    EXPECT_EQ(RunBatch("calibrate " + input + " --parameter qh1=0.02:0.05 --observations " +
                           (folder / "bad.csv").string(),
                       folder / "out", folder / "err"),
              1);
    EXPECT_EQ(ReadBytes(folder / "err"), (folder / "bad.csv").string() +
                                             ", line 3, column 2: '1x3' is not a valid floating "
                                             "point value\n");
    EXPECT_EQ(RunBatch("calibrate " + input + " --parameter qh1=0.02:0.05 --observations " +
                           (folder / "none.csv").string(),
                       folder / "out", folder / "err"),
              1);
    EXPECT_EQ(ReadBytes(folder / "err"), (folder / "none.csv").string() + ": File not found\n");
    // Without observations of a weighted quantity there is nothing to fit.
    EXPECT_EQ(RunBatch("calibrate " + input + " --parameter qh1=0.02:0.05", folder / "out",
                       folder / "err"),
              1);
    EXPECT_EQ(ReadBytes(folder / "err").rfind("There is nothing to fit", 0), 0u);
    EXPECT_EQ(RunBatch("calibrate " + input, folder / "out", folder / "err"), 2);
    EXPECT_EQ(ReadBytes(folder / "err").rfind("usage: halosoil-batch", 0), 0u);
    EXPECT_FALSE(fs::exists(folder / "field-calibrated.inp"));
    EXPECT_FALSE(fs::exists(folder / "field-calibration.json"));
}

TEST(BatchSensitivity, PrintsTheLibrarysIndicesAsCsv) {
    const fs::path folder = Scratch("sensitivity");
    const InputData base = ReadAsTheBatchRunnerDoes(kStudyExample);
    for (const char* method : {"sobol", "morris"}) {
        SCOPED_TRACE(method);
        const std::string arguments =
            "sensitivity " + kStudyExample +
            " --parameter qh1=0.021:0.06 --parameter leaching_efficiency_layer1=40:100 --target "
            "salinity_layer1:final --target depth_water_table:mean --samples 16 --method " +
            method;
        ASSERT_EQ(RunBatch(arguments, folder / "out", folder / "err"), 0)
            << ReadBytes(folder / "err");
        SensitivitySettings settings;
        settings.parameters = {MakeParameter("qh1", 0.021, 0.06, base),
                               MakeParameter("leaching_efficiency_layer1", 40, 100, base)};
        settings.targets = {ParseTarget("salinity_layer1:final", base),
                            ParseTarget("depth_water_table:mean", base)};
        settings.samples = 16;
        settings.method =
            std::string(method) == "sobol" ? SensitivityMethod::Sobol : SensitivityMethod::Morris;
        EXPECT_EQ(ReadBytes(folder / "out"), SensitivityCsv(RunSensitivity(base, settings)));
    }
    EXPECT_EQ(
        RunBatch("sensitivity " + kStudyExample + " --parameter qh1=0.02:0.05 --target x:final",
                 folder / "out", folder / "err"),
        2);
    EXPECT_EQ(ReadBytes(folder / "err"),
              "halosoil-batch: 'x:final' is not a target: QUANTITY:final, QUANTITY:mean, "
              "QUANTITY:max, QUANTITY:min, objective or stopped\n");
}

TEST(BatchEnsemble, WritesTheLibrarysBandsFromDistributionsOrFromAReport) {
    const fs::path folder = Scratch("ensemble");
    const InputData base = ReadAsTheBatchRunnerDoes(kStudyExample);
    const std::string arguments =
        "ensemble " + kStudyExample +
        " --parameter qh1=triangular:0.021:0.03:0.05 --parameter "
        "leaching_efficiency_layer1=normal:80:5 --members 30 --seed 2 --threshold "
        "salinity_layer1\\>3 -o " +
        (folder / "bands.csv").string();
    ASSERT_EQ(RunBatch(arguments, folder / "out", folder / "err"), 0) << ReadBytes(folder / "err");
    EXPECT_EQ(ReadBytes(folder / "err").rfind("halosoil-batch: 30 members in ", 0), 0u);
    EXPECT_NE(ReadBytes(folder / "err")
                  .find("s; 0 stopped early (0 % of the 30 run), 0 refused; the bands are of "
                        "the 30 that went through, p_exceed and p_stopped of the 30 run.\n"),
              std::string::npos);
    EnsembleSettings settings;
    for (const char* text :
         {"qh1=triangular:0.021:0.03:0.05", "leaching_efficiency_layer1=normal:80:5"}) {
        auto [parameter, distribution] = ParseDistribution(text, base);
        settings.parameters.push_back(parameter);
        settings.distributions.push_back(distribution);
    }
    settings.members = 30;
    settings.seed = 2;
    const std::vector<Threshold> thresholds = {ParseThreshold("salinity_layer1>3", base)};
    EXPECT_EQ(ReadBytes(folder / "bands.csv"),
              BandsCsv(Bands(RunEnsemble(base, settings), thresholds)));

    const std::string report = (folder / "report.json").string();
    std::ofstream(report) << R"({"parameters": [{"name": "qh1", "low": 0.021, "high": 0.05,
        "value": 0.03, "standard_error": 0.003}], "correlation": {"names": ["qh1"],
        "matrix": [[1]]}})";
    ASSERT_EQ(RunBatch("ensemble " + kStudyExample + " --from " + report + " --members 20",
                       folder / "out", folder / "err"),
              0)
        << ReadBytes(folder / "err");
    EXPECT_EQ(ReadBytes(folder / "out")
                  .rfind("step,quantity,mean,q05,q25,q50,q75,q95,p_exceed,p_stopped\n", 0),
              0u);

    EXPECT_EQ(RunBatch("ensemble " + kStudyExample, folder / "out", folder / "err"), 2);
    EXPECT_EQ(ReadBytes(folder / "err"),
              "halosoil-batch: ensemble needs either --parameter ... or --from REPORT.json\n");
    EXPECT_EQ(RunBatch("ensemble " + kStudyExample + " --parameter qh1=beta:1:2", folder / "out",
                       folder / "err"),
              2);
    EXPECT_EQ(ReadBytes(folder / "err"),
              "halosoil-batch: 'qh1=beta:1:2' is not NAME=uniform:LOW:HIGH, NAME=normal:MEAN:SD "
              "or NAME=triangular:LOW:MODE:HIGH\n");
}

}  // namespace
