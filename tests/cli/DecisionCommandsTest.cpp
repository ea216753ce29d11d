// halosoil-batch yield and drains: a crop's yield and leaching requirement per step of a run,
// the crop table, Hooghoudt's factors of a spacing and the spacing of a QH1, with their
// refusals.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BatchTestSupport.h"

namespace {

namespace fs = std::filesystem;
using halosoil::test::ReadBytes;
using halosoil::test::RunBatch;
using halosoil::test::Scratch;

const std::string kDecisionExample =
    std::string(HALOSOIL_EXAMPLES) + "/three_layers_weekly_drained.inp";

std::vector<double> Numbers(const std::string& line) {
    std::vector<double> numbers;
    std::stringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, ',')) numbers.push_back(cell.empty() ? -1 : std::stod(cell));
    return numbers;
}

std::vector<std::string> OutputLines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// The weekly example run into folder; its output file.
fs::path RunExample(const fs::path& folder) {
    fs::copy_file(kDecisionExample, folder / "field.inp");
    EXPECT_EQ(RunBatch("run " + (folder / "field.inp").string(), folder / "err"), 0);
    return folder / "field.out";
}

TEST(YieldCommand, WritesEceYieldAndLeachingRequirementPerStepOfTheRun) {
    const fs::path folder = Scratch("yield-steps");
    const fs::path output = RunExample(folder);
    ASSERT_EQ(RunBatch("yield " + output.string() + " --crop cotton -o " +
                           (folder / "yield.csv").string(),
                       folder / "err"),
              0)
        << ReadBytes(folder / "err");
    EXPECT_EQ(ReadBytes(folder / "err"),
              "halosoil-batch: crop cotton: threshold 7.7 dS/m, slope 5.2 % per dS/m (FAO-29 "
              "Table 4 (Maas and Hoffman 1977; Maas 1984)); ECe = 0.5 x the root zone's "
              "salinity of the soil moisture (--ece-factor)\n");
    const std::vector<std::string> lines = OutputLines(ReadBytes(folder / "yield.csv"));
    ASSERT_EQ(lines.size(), 53u);  // the heading and 52 weeks
    EXPECT_EQ(lines[0], "step,ece,relative_yield,leaching_requirement,irrigation_needed");
    // The salinity table of the run gives step 1's layers 4.58, 6.02 and 6.54 dS/m, step 2's
    // 3.63, 5.80 and 6.52, in layers of 0.2, 0.3 and 0.4 m:
    //   step 1: (0.916 + 1.806 + 2.616) / 0.9 = 5.9311, ECe = 2.9656
    //   step 2: (0.726 + 1.740 + 2.608) / 0.9 = 5.6378, ECe = 2.8189
    // (within 0.0025 of the run's, which the table rounds to 2 decimals). Cotton yields fully
    // below 7.7. Water of 1.1 dS/m: LR = 1.1 / (38.5 - 1.1) = 0.029412, and for 12.8 mm of
    // evaporation 12.8 / 0.970588 = 13.1879 mm.
    const std::vector<double> first = Numbers(lines[1]), second = Numbers(lines[2]);
    EXPECT_EQ(first[0], 1);
    EXPECT_NEAR(first[1], 2.9656, 0.003);
    EXPECT_NEAR(second[1], 2.8189, 0.003);
    EXPECT_EQ(first[2], 100);
    EXPECT_NEAR(first[3], 0.029412, 1e-6);
    EXPECT_NEAR(first[4], 13.1879, 1e-4);

    // Beans from 1.0 dS/m lose 19 % a dS/m: 100 - 19 x 1.9656 = 62.65 at step 1; the own crop
    // threshold=2,slope=10 gives 100 - 10 x 0.9656 = 90.34; a factor of 0.6: ECe 3.5587.
    ASSERT_EQ(
        RunBatch("yield " + output.string() + " --crop bean", folder / "bean", folder / "err"), 0);
    EXPECT_NEAR(Numbers(OutputLines(ReadBytes(folder / "bean"))[1])[2], 62.65, 0.06);
    ASSERT_EQ(RunBatch("yield " + output.string() + " --crop threshold=2,slope=10 --ece-factor 0.6",
                       folder / "own", folder / "err"),
              0);
    const std::vector<double> own = Numbers(OutputLines(ReadBytes(folder / "own"))[1]);
    EXPECT_NEAR(own[1], 3.5587, 0.003);
    EXPECT_NEAR(own[2], 100 - 10 * (own[1] - 2), 1e-9);
}

TEST(YieldCommand, ListsTheCropsOneALineAndTakesATableOfOnesOwn) {
    const fs::path folder = Scratch("yield-list");
    ASSERT_EQ(RunBatch("yield --list-crops", folder / "list", folder / "err"), 0);
    const std::vector<std::string> lines = OutputLines(ReadBytes(folder / "list"));
    ASSERT_GE(lines.size(), 41u);  // the heading and at least 40 crops
    EXPECT_EQ(lines[0].rfind("crop ", 0), 0u);
    EXPECT_EQ(lines[1].rfind("barley ", 0), 0u);
    EXPECT_NE(lines[1].find(" 8 "), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("tolerant"), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("Maas and Hoffman 1977"), std::string::npos) << lines[1];

    std::ofstream(folder / "own.csv") << "crop,threshold,slope,class,source\nmillet,5.5,9,,\n";
    ASSERT_EQ(RunBatch("yield --list-crops --crops " + (folder / "own.csv").string(),
                       folder / "list", folder / "err"),
              0);
    EXPECT_EQ(OutputLines(ReadBytes(folder / "list")).size(), 2u);
    const fs::path output = RunExample(folder);
    EXPECT_EQ(RunBatch("yield " + output.string() + " --crop Millet --crops " +
                           (folder / "own.csv").string(),
                       folder / "out", folder / "err"),
              0)
        << ReadBytes(folder / "err");
}

TEST(YieldCommand, RefusesUnknownCropsAndWrongLinesNamingWhatIsWrong) {
    const fs::path folder = Scratch("yield-refusals");
    const fs::path output = RunExample(folder);
    struct Case {
        std::string arguments;
        int status;
        std::string message;
    };
    std::ofstream(folder / "bad.csv") << "crop,threshold,slope\nrye,1l,2\n";
    const std::vector<Case> cases = {
        {"yield " + output.string() + " --crop whaet", 2,
         "halosoil-batch: Unknown crop 'whaet'; close names: wheat\n"},
        {"yield " + output.string(), 2, "halosoil-batch: yield needs OUTPUT.out and --crop NAME\n"},
        {"yield " + output.string() + " --crop bean --ece-factor 0", 2,
         "halosoil-batch: --ece-factor 0: the factor from the soil moisture's salinity to ECe "
         "must be a number above 0\n"},
        {"yield " + output.string() + " --crop bean --list-crops", 2,
         "halosoil-batch: --list-crops stands without OUTPUT.out and --crop\n"},
        {"yield " + output.string() + " --crop rye --crops " + (folder / "bad.csv").string(), 2,
         "halosoil-batch: " + (folder / "bad.csv").string() +
             ", line 2: threshold '1l' is not a number\n"},
        {"yield " + output.string() + " --crop rye --crops " + (folder / "none.csv").string(), 1,
         "halosoil-batch: " + (folder / "none.csv").string() + ": File not found\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(RunBatch(c.arguments, folder / "out", folder / "err"), c.status);
        EXPECT_EQ(ReadBytes(folder / "err"), c.message);
        EXPECT_EQ(ReadBytes(folder / "out"), "");
    }
}

TEST(YieldCommand, TheStudiesTakeTheCropForTheirTargetsAndTheDrainSoilForTheSpacing) {
    const fs::path folder = Scratch("yield-studies");
    const std::string study = "ensemble " + kDecisionExample +
                              " --parameter irrigation_salinity_factor=uniform:0.5:3 --members 8"
                              " --threshold 'relative_yield<90'";
    ASSERT_EQ(RunBatch(study + " --crop maize", folder / "bands", folder / "err"), 0)
        << ReadBytes(folder / "err");
    // 52 steps of ten quantities and the yield, and the heading.
    const std::vector<std::string> lines = OutputLines(ReadBytes(folder / "bands"));
    EXPECT_EQ(lines.size(), 1u + 52u * 11u);
    EXPECT_EQ(lines[11].rfind("1,relative_yield,", 0), 0u) << lines[11];
    EXPECT_NE(ReadBytes(folder / "err").find("halosoil-batch: crop maize: threshold 1.7 dS/m"),
              std::string::npos);
    EXPECT_EQ(RunBatch(study, folder / "bands", folder / "err"), 2);
    EXPECT_EQ(ReadBytes(folder / "err"),
              "halosoil-batch: Threshold relative_yield<90: name the crop whose yield it is "
              "(--crop NAME)\n");

    // The spacing of the drains moves QH1 and QH2 in the soil given.
    const std::string spacing = "sensitivity " + kDecisionExample +
                                " --parameter drain_spacing=20:80 --target drainage:mean"
                                " --method morris --samples 4";
    ASSERT_EQ(RunBatch(spacing + " --drain-soil k_above=0.5,k_below=1,impervious=5,radius=0.1",
                       folder / "indices", folder / "err"),
              0)
        << ReadBytes(folder / "err");
    EXPECT_EQ(
        OutputLines(ReadBytes(folder / "indices"))[1].rfind("drainage:mean,drain_spacing,", 0), 0u);
    EXPECT_EQ(RunBatch(spacing, folder / "indices", folder / "err"), 2);
    EXPECT_EQ(ReadBytes(folder / "err"),
              "halosoil-batch: Parameter drain_spacing: it needs the soil and drains it works in: "
              "--drain-soil k_above=K1,k_below=K2,impervious=D,radius=r (m/day, m)\n");
}

TEST(DrainsCommand, PrintsTheFactorsOfASpacingAndTheSpacingOfAQh1) {
    const fs::path folder = Scratch("drains");
    const std::string soil = " --k-above 0.5 --k-below 1 --impervious 5 --radius 0.1";
    // D/L = 0.1: d = 5 / (1 + 0.1 (8/pi ln 50 - 3.4)) = 5 / 1.6561885 = 3.018980 m;
    // QH1 = 8 x 1 x 3.018980 / 2500 = 0.009660736; QH2 = 4 x 0.5 / 2500 = 0.0008.
    ASSERT_EQ(RunBatch("drains --spacing 50" + soil, folder / "out", folder / "err"), 0)
        << ReadBytes(folder / "err");
    EXPECT_EQ(ReadBytes(folder / "out"),
              "Drain spacing L (m): 50\n"
              "Equivalent depth d (m): 3.01898\n"
              "Drainage reaction factor QH1 (m/day/m): 0.00966074\n"
              "Drainage reaction factor QH2 (m/day/msq): 0.0008\n");
    ASSERT_EQ(RunBatch("drains --qh1 0.009660736" + soil, folder / "out", folder / "err"), 0);
    EXPECT_EQ(OutputLines(ReadBytes(folder / "out"))[0], "Drain spacing L (m): 50");

    struct Case {
        std::string arguments;
        std::string message;
    };
    for (const Case& c : std::vector<Case>{
             {"drains" + soil, "halosoil-batch: drains needs either --spacing L or --qh1 Q\n"},
             {"drains --spacing 50 --qh1 0.01" + soil,
              "halosoil-batch: drains needs either --spacing L or --qh1 Q\n"},
             {"drains --spacing 50 --k-above -1 --k-below 1 --impervious 5 --radius 0.1",
              "halosoil-batch: --k-above -1: it must be a number above 0\n"},
             {"drains --spacing 0.5" + soil,
              "halosoil-batch: --spacing 0.5: the drain spacing must be at least ten drain radii "
              "(1 m)\n"},
         }) {
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(RunBatch(c.arguments, folder / "out", folder / "err"), 2);
        EXPECT_EQ(ReadBytes(folder / "err"), c.message);
    }
    // A letter in a number is named before the usage.
    EXPECT_EQ(RunBatch("drains --spacing 5O" + soil, folder / "out", folder / "err"), 2);
    EXPECT_EQ(ReadBytes(folder / "err")
                  .rfind("halosoil-batch: Could not convert: --spacing = 5O\n"
                         "usage: halosoil-batch run",
                         0),
              0u)
        << ReadBytes(folder / "err");
    // A QH1 that no spacing gives says the range there is.
    EXPECT_EQ(RunBatch("drains --qh1 50" + soil, folder / "out", folder / "err"), 2);
    EXPECT_EQ(ReadBytes(folder / "err")
                  .rfind("halosoil-batch: No drain spacing from 1 to 10000 m "
                         "gives QH1 = 50 m/day per m in this soil",
                         0),
              0u)
        << ReadBytes(folder / "err");
}

}  // namespace

namespace {

TEST(DesignCommand, WritesTheDesignedProjectAndItsReport) {
    const fs::path folder = Scratch("design");
    fs::copy_file(kDecisionExample, folder / "field.inp");
    const std::string arguments =
        "design " + (folder / "field.inp").string() +
        " --crop bean --control irrigation_factor=0.3:2 --require 'relative_yield>=75@final'"
        " --probability 0.9 --parameter irrigation_salinity_factor=uniform:1:4 --members 50"
        " --minimise irrigation --seed 1";
    ASSERT_EQ(RunBatch(arguments, folder / "out", folder / "err"), 0) << ReadBytes(folder / "err");
    const std::string summary = ReadBytes(folder / "out");
    EXPECT_EQ(summary.rfind("Design after ", 0), 0u) << summary;
    EXPECT_NE(summary.find("active: relative_yield>=75@final"), std::string::npos) << summary;
    const std::string report = ReadBytes(folder / "field-design.json");
    for (const char* key : {"\"controls\"", "\"irrigation_factor\"", "\"value\"", "\"objective\"",
                            "\"margin\"", "\"probability\"", "\"achieved\"",
                            "\"active_constraints\"", "\"runs\"", "\"seconds\"", "\"ece_factor\""})
        EXPECT_NE(report.find(key), std::string::npos) << key;
    // The designed project is a project run takes.
    EXPECT_EQ(RunBatch("run " + (folder / "field-design.inp").string(), folder / "err"), 0)
        << ReadBytes(folder / "err");
}

TEST(DesignCommand, RefusesWhatCannotBeDesignedNamingIt) {
    const fs::path folder = Scratch("design-refusals");
    const std::string base = "design " + kDecisionExample + " --minimise irrigation";
    struct Case {
        std::string arguments;
        std::string message;
    };
    for (const Case& c : std::vector<Case>{
             {" --crop beam --control irrigation_factor=0.5:2 --require 'relative_yield>=90'",
              "halosoil-batch: Unknown crop 'beam'; close names: bean, beet\n"},
             {" --crop bean --control irrigation_factor=0.5:2 --require 'salinity_layer1>=90'",
              "halosoil-batch: Requirement salinity_layer1>=90: 'salinity_layer1' is not a "
              "quantity a requirement can be on; the one there is is relative_yield "
              "(relative_yield>=90, or relative_yield>=90@final)\n"},
             {" --crop bean --control irrigation_factor=0.5:2 --require 'relative_yield>=90'"
              " --probability 1.5 --parameter rain_factor=uniform:0.5:1",
              "halosoil-batch: --probability 1.5: a probability lies from 0 to 1\n"},
             {" --crop bean --control water=0.5:2 --require 'relative_yield>=90'",
              "halosoil-batch: Unknown parameter 'water'; the parameters are qh1, qh2, "
              "groundwater_inflow, groundwater_outflow, inflow_salinity, critical_depth, "
              "irrigation_efficiency, thickness_<zone>, total_porosity_<zone>, "
              "effective_porosity_<zone>, leaching_efficiency_<zone>, initial_salinity_<zone>, "
              "rain_factor, irrigation_factor, evaporation_factor, irrigation_salinity_factor, "
              "drain_depth, drain_spacing (zones layer1, layer2, layer3, transition, aquifer)\n"},
             {" --crop bean --control irrigation_factor=0.5:2 --require 'relative_yield>=90'"
              " --probability 0.9",
              "halosoil-batch: A probability needs the uncertain parameters: --from REPORT.json "
              "or --parameter NAME=DISTRIBUTION\n"},
         }) {
        SCOPED_TRACE(c.arguments);
        EXPECT_NE(RunBatch(base + c.arguments, folder / "out", folder / "err"), 0);
        EXPECT_EQ(ReadBytes(folder / "err"), c.message);
    }
}

}  // namespace

namespace {

TEST(DesignCommand, DrawsTheUncertaintyFromACalibrationReport) {
    const fs::path folder = Scratch("design-from-report");
    fs::copy_file(kDecisionExample, folder / "field.inp");
    // A calibration of the first layer's leaching efficiency against the example's
    // observations gives the report the design draws from.
    ASSERT_EQ(RunBatch("calibrate " + (folder / "field.inp").string() +
                           " --parameter leaching_efficiency_layer1=40:100 --observations " +
                           std::string(HALOSOIL_EXAMPLES) +
                           "/three_layers_weekly_drained_observations.csv",
                       folder / "out", folder / "err"),
              0)
        << ReadBytes(folder / "err");
    const std::string arguments =
        "design " + (folder / "field.inp").string() +
        " --crop bean --control irrigation_factor=0.3:2 --require 'relative_yield>=75@final'"
        " --probability 0.8 --from " +
        (folder / "field-calibration.json").string() +
        " --members 30 --minimise irrigation --report " + (folder / "d.json").string() + " -o " +
        (folder / "d.inp").string();
    ASSERT_EQ(RunBatch(arguments, folder / "out", folder / "err"), 0) << ReadBytes(folder / "err");
    const std::string report = ReadBytes(folder / "d.json");
    EXPECT_NE(report.find("\"required\": 0.8"), std::string::npos) << report;
    EXPECT_NE(report.find("\"members\": 30"), std::string::npos) << report;
}

}  // namespace
