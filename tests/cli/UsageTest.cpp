// halosoil-batch follows the conventions of command-line programs: help and version on
// standard output with status 0, usage errors on standard error with status 2.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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

TEST(BatchUsage, HelpGoesToStandardOutputAndListsTheGraphTypesOnePerLine) {
    const fs::path folder = Scratch("usage-help");
    ASSERT_EQ(RunBatch("--help", folder / "out", folder / "err"), 0);
    const std::string help = ReadBytes(folder / "out");
    EXPECT_EQ(ReadBytes(folder / "err"), "");
    for (const char* command : {"run", "convert", "table", "graph"})
        EXPECT_NE(help.find(std::string("halosoil-batch ") + command), std::string::npos)
            << command;
    for (const char* line :
         {"\n  hydrology ", "\n  surface-hydrology ", "\n  subsurface-hydrology ",
          "\n  water-table ", "\n  salinity ", "\n  salinity-layer1 ", "\n  salinity-layer2 ",
          "\n  salinity-layer3 ", "\n  salinity-below "})
        EXPECT_NE(help.find(line), std::string::npos) << line;
}

// The lists are made from the tables of quantities, parameters and zones, and set as their
// paragraphs always were: no line beyond 82 columns, a name never parted from its unit.
TEST(BatchUsage, HelpListsEveryQuantityAndParameterWithTheirUnits) {
    const fs::path folder = Scratch("usage-help-lists");
    ASSERT_EQ(RunBatch("--help", folder / "out", folder / "err"), 0);
    const std::string help = ReadBytes(folder / "out");
    EXPECT_NE(help.find("Quantities (observations, targets, thresholds, weights):\n"
                        "  depth_water_table (m), drainage, percolation, capillary_rise,\n"
                        "  actual_evaporation (mm per time step), salinity_layer1, "
                        "salinity_layer2,\n"
                        "  salinity_layer3, salinity_transition, salinity_aquifer (dS/m)\n"
                        "\n"),
              std::string::npos)
        << help;
    EXPECT_NE(
        help.find("Parameters (porosities and efficiencies in percent, as in the files):\n"
                  "  qh1, qh2, groundwater_inflow, groundwater_outflow, inflow_salinity,\n"
                  "  critical_depth, irrigation_efficiency, thickness_ZONE, total_porosity_ZONE,\n"
                  "  effective_porosity_ZONE, leaching_efficiency_ZONE, initial_salinity_ZONE "
                  "(ZONE:\n"
                  "  layer1, layer2, layer3, transition, aquifer), rain_factor, "
                  "irrigation_factor,\n"
                  "  evaporation_factor, irrigation_salinity_factor; equal bounds hold one "
                  "fixed, and\n"
                  "  every member or candidate must pass the checks of run\n"
                  "  drain_depth (m); drain_spacing (m), which sets qh1 and qh2 by "
                  "Hooghoudt's\n"
                  "  equation in the soil of --drain-soil "
                  "k_above=K1,k_below=K2,impervious=D,radius=r\n"
                  "\n"),
        std::string::npos)
        << help;
}

TEST(BatchUsage, VersionIsTheProjectsOne) {
    const fs::path folder = Scratch("usage-version");
    ASSERT_EQ(RunBatch("--version", folder / "out", folder / "err"), 0);
    EXPECT_EQ(ReadBytes(folder / "out"), std::string("halosoil-batch ") + HALOSOIL_VERSION + "\n");
    EXPECT_EQ(ReadBytes(folder / "err"), "");
}

TEST(BatchUsage, WrongCommandLinesGoToStandardErrorWithStatusTwo) {
    const fs::path folder = Scratch("usage-wrong");
    for (const char* arguments :
         {"", "frobnicate", "run", "convert a.inp", "--helpme", "run -z a.inp"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(RunBatch(arguments, folder / "out", folder / "err"), 2);
        EXPECT_EQ(ReadBytes(folder / "out"), "");
        EXPECT_EQ(
            ReadBytes(folder / "err").rfind("usage: halosoil-batch", 0) == 0 ||
                ReadBytes(folder / "err").find("\nusage: halosoil-batch") != std::string::npos,
            true)
            << ReadBytes(folder / "err");
    }
}

// The usage as a wrong command line prints it, word for word.
const std::string kUsage =
    "usage: halosoil-batch run [--refine] [--optimise] [-j N] [-o OUTPUT.out] INPUT.inp...\n"
    "       halosoil-batch convert INPUT.inp OUTPUT.inp\n"
    "       halosoil-batch table salinity|hydrology OUTPUT.out [-o FILE.csv]\n"
    "       halosoil-batch graph TYPE OUTPUT.out -o FILE.svg|FILE.png|FILE.bmp\n"
    "       halosoil-batch calibrate INPUT.inp --parameter NAME=LOW:HIGH...\n"
    "                 [--observations OBS.csv] [--weight QUANTITY=W...] [--seed N] [-j N]\n"
    "                 [-o CALIBRATED.inp] [--report REPORT.json]\n"
    "       halosoil-batch sensitivity INPUT.inp --parameter NAME=LOW:HIGH...\n"
    "                 --target TARGET... [--method sobol|morris] [--samples N] [--seed N]\n"
    "                 [--observations OBS.csv] [-j N] [-o FILE.csv]\n"
    "       halosoil-batch ensemble INPUT.inp (--parameter NAME=DISTRIBUTION...\n"
    "                 | --from REPORT.json) [--members N] [--design lhs|sobol]\n"
    "                 [--threshold QUANTITY>VALUE...] [--seed N] [-j N] [-o FILE.csv]\n"
    "       halosoil-batch weather STATION.csv --latitude DEG --elevation M [--wind-height M]\n"
    "                 [--coastal] [--method penman-monteith|hargreaves] [--kc K | --kc-file F]\n"
    "                 [--start DATE] [--step year|month|week|day] [--steps N] [--fill linear]\n"
    "                 [--max-gap D] [--delta V=C...] [--delta-file F]\n"
    "                 [--into INPUT.inp -o NEW.inp] [-o STEPS.csv] [--days DAYS.csv]\n"
    "       halosoil-batch region BASE.inp FIELDS.gpkg [--layer NAME] [--id COLUMN]\n"
    "                 [--refine] [--optimise] [--exchange] [--fill linear] [--max-gap D]\n"
    "                 [--crop NAME] [--crops FILE] [--ece-factor F]\n"
    "                 [-j N] -o RESULTS.gpkg [--outputs DIR] [--projects DIR]\n"
    "       halosoil-batch map RESULTS.gpkg QUANTITY[:final|mean|min|max|STEP] -o "
    "MAP.svg|MAP.png|MAP.html\n"
    "                 [--classes N] [--breaks a,b,c] [--threshold VALUE] [--title TEXT]\n"
    "       halosoil-batch yield OUTPUT.out --crop NAME [--crops FILE.csv] [--ece-factor F]\n"
    "                 [-o FILE.csv] | yield --list-crops [--crops FILE.csv]\n"
    "       halosoil-batch drains (--spacing L | --qh1 Q) --k-above K1 --k-below K2\n"
    "                 --impervious D --radius r\n"
    "       halosoil-batch design INPUT.inp --crop NAME --control NAME=LOW:HIGH...\n"
    "                 --require relative_yield>=Y[@final] [--probability P (--from REPORT.json\n"
    "                 | --parameter NAME=DISTRIBUTION...) [--members N]]\n"
    "                 --minimise irrigation|drainage|NAME [--seed N] [-j N] [-o DESIGN.inp]\n"
    "                 [--report DESIGN.json]\n"
    "       halosoil-batch --help | --version\n";

TEST(BatchUsage, HelpAndItsShortFormPrintTheSameTextWhichPointsToTheCommandsOwnHelp) {
    const fs::path folder = Scratch("usage-help-short");
    ASSERT_EQ(RunBatch("--help", folder / "long", folder / "err"), 0);
    ASSERT_EQ(RunBatch("-h", folder / "short", folder / "err"), 0);
    EXPECT_EQ(ReadBytes(folder / "err"), "");
    const std::string help = ReadBytes(folder / "long");
    EXPECT_EQ(ReadBytes(folder / "short"), help);
    // The program's help is its own text, the usage first, not CLI11's.
    EXPECT_EQ(help.rfind(kUsage, 0), 0u) << help;
    EXPECT_NE(help.find("Each command prints a help of its own with --help, as halosoil-batch "
                        "run --help does.\n"),
              std::string::npos)
        << help;
    // --help and --version stand alone.
    for (const char* arguments : {"--help run", "--help --help", "-h --version", "--version run"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(RunBatch(arguments, folder / "out", folder / "err"), 2);
        EXPECT_EQ(ReadBytes(folder / "out"), "");
        EXPECT_EQ(ReadBytes(folder / "err"), kUsage);
    }
}

struct CommandHelp {
    const char* command;
    const char* usage;               // the help's usage line
    std::vector<std::string> names;  // the options and arguments it describes
};

TEST(BatchUsage, EachCommandPrintsItsOwnHelpOnStandardOutput) {
    const fs::path folder = Scratch("usage-command-help");
    const CommandHelp helps[] = {
        {"run",
         "Usage: halosoil-batch run [OPTIONS] INPUT.inp...\n",
         {"INPUT.inp", "--refine ", "--optimise,--optimize ", "-j N ", "-o OUTPUT.out ",
          "-h,--help "}},
        {"convert",
         "Usage: halosoil-batch convert [OPTIONS] INPUT.inp OUTPUT.inp\n",
         {"  INPUT.inp ", "  OUTPUT.inp ", "-h,--help "}},
        {"table",
         "Usage: halosoil-batch table [OPTIONS] TABLE OUTPUT.out\n",
         {"  TABLE ", "salinity or hydrology", "  OUTPUT.out ", "-o FILE.csv ", "-h,--help "}},
        {"graph",
         "Usage: halosoil-batch graph [OPTIONS] TYPE OUTPUT.out\n",
         {"  TYPE ", "  OUTPUT.out ", "-o FILE.svg|png|bmp ", "-h,--help ", "\n  water-table ",
          "\n  salinity-below "}},
    };
    for (const CommandHelp& expected : helps) {
        for (const char* flag : {"--help", "-h"}) {
            const std::string arguments = std::string(expected.command) + " " + flag;
            SCOPED_TRACE(arguments);
            ASSERT_EQ(RunBatch(arguments, folder / "out", folder / "err"), 0);
            EXPECT_EQ(ReadBytes(folder / "err"), "");
            const std::string help = ReadBytes(folder / "out");
            // One line that says what the command does, then its usage.
            const std::size_t firstLineEnd = help.find('\n');
            ASSERT_NE(firstLineEnd, std::string::npos) << help;
            EXPECT_GT(firstLineEnd, 10u) << help;
            EXPECT_EQ(
                help.compare(firstLineEnd + 1, std::string(expected.usage).size(), expected.usage),
                0)
                << help;
            for (const std::string& name : expected.names)
                EXPECT_NE(help.find(name), std::string::npos) << name << " in\n" << help;
            // Another command's options are not its own.
            if (std::string(expected.command) != "run") {
                EXPECT_EQ(help.find("--refine"), std::string::npos) << help;
            }
        }
    }
}

// The help is printed instead of doing the work, wherever --help stands among the arguments.
TEST(BatchUsage, ACommandsHelpDoesNotRunTheCommand) {
    const fs::path folder = Scratch("usage-help-no-run");
    const fs::path input = folder / "y.inp";
    fs::copy_file(fs::path(HALOSOIL_EXAMPLES) / "two_layers_yearly_drained.inp", input);
    ASSERT_EQ(RunBatch("run " + input.string() + " --help", folder / "out", folder / "err"), 0);
    EXPECT_NE(ReadBytes(folder / "out").find("Usage: halosoil-batch run "), std::string::npos)
        << ReadBytes(folder / "out");
    EXPECT_FALSE(fs::exists(folder / "y.out"));
    ASSERT_EQ(RunBatch("table --help salinity " + (folder / "y.out").string(), folder / "out",
                       folder / "err"),
              0);
    EXPECT_NE(ReadBytes(folder / "out").find("Usage: halosoil-batch table "), std::string::npos);
    EXPECT_EQ(ReadBytes(folder / "err"), "");
}

TEST(BatchUsage, WrongRunLinesPrintTheUsageAloneAndRunNothing) {
    const fs::path folder = Scratch("usage-run");
    const fs::path input = folder / "y.inp";
    const fs::path other = folder / "z.inp";
    fs::copy_file(fs::path(HALOSOIL_EXAMPLES) / "two_layers_yearly_drained.inp", input);
    fs::copy_file(fs::path(HALOSOIL_EXAMPLES) / "one_layer_monthly.inp", other);
    const std::string both = input.string() + " " + other.string();
    for (const std::string& arguments : std::vector<std::string>{
             "run -j 0 " + input.string(), "run -j x " + input.string(),
             "run -j 1234567 " + input.string(), "run -j 2x " + input.string(),
             "run -j 0 -j 2 " + input.string(), "run " + input.string() + " -j",
             "run -o " + (folder / "a.out").string() + " " + both,
             "run " + both + " -o " + (folder / "a.out").string(),
             "run --refine=yes " + input.string(), "run --optimise " + input.string() + " -x",
             // Names that begin with '-' are options misspelt, not projects.
             "run -5.inp " + input.string(), "run - " + input.string(), "run --refine"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(RunBatch(arguments, folder / "out", folder / "err"), 2);
        EXPECT_EQ(ReadBytes(folder / "out"), "");
        EXPECT_EQ(ReadBytes(folder / "err"), kUsage);
    }
    EXPECT_FALSE(fs::exists(folder / "y.out"));
    EXPECT_FALSE(fs::exists(folder / "z.out"));
    EXPECT_FALSE(fs::exists(folder / "a.out"));
}

TEST(BatchUsage, WrongTableAndGraphLinesSayWhatIsWrongBeforeTheUsage) {
    const fs::path folder = Scratch("usage-export");
    const fs::path data = fs::path(HALOSOIL_TEST_DATA) / "output-view";
    fs::copy_file(data / "delta.out", folder / "delta.out");
    fs::copy_file(data / "delta.inp", folder / "delta.inp");
    const std::string output = (folder / "delta.out").string();
    const std::string svg = (folder / "g.svg").string();
    struct Case {
        std::string arguments;
        std::string complaint;
    };
    const Case cases[] = {
        {"table salinity", "table needs two arguments"},
        {"table", "table needs two arguments"},
        {"table salinity " + output + " " + output, "table needs two arguments"},
        // The word count comes before the words themselves.
        {"table soil", "table needs two arguments"},
        {"table soil " + output, "the table is salinity or hydrology, not soil"},
        {"table salinity " + output + " -o", "-o needs a file name"},
        {"table salinity " + output + " -x", "unknown option -x"},
        {"table salinity " + output + " --long", "unknown option --long"},
        // The first fault on the line is told: here the option before the lonely -o.
        {"table -x salinity " + output + " -o", "unknown option -x"},
        {"table salinity -5", "unknown option -5"},
        {"table -- salinity " + output, "unknown option --"},
        {"graph rainfall " + output + " -o " + svg,
         "unknown graph type rainfall (halosoil-batch --help lists them)"},
        {"graph water-table " + output, "graph needs -o FILE.svg|png|bmp"},
        {"graph water-table " + output + " -o " + (folder / "g.jpg").string(),
         "the graph file ends in .svg, .png or .bmp"},
        {"graph water-table " + output + " -o", "-o needs a file name"},
        {"graph water-table", "graph needs two arguments"},
        {"graph a b c", "graph needs two arguments"},
        {"graph water-table " + output + " -o " + svg + " -q", "unknown option -q"},
    };
    for (const Case& wrong : cases) {
        SCOPED_TRACE(wrong.arguments);
        EXPECT_EQ(RunBatch(wrong.arguments, folder / "out", folder / "err"), 2);
        EXPECT_EQ(ReadBytes(folder / "out"), "");
        EXPECT_EQ(ReadBytes(folder / "err"), "halosoil-batch: " + wrong.complaint + "\n" + kUsage);
    }
    EXPECT_FALSE(fs::exists(svg));
}

TEST(BatchUsage, OptionsStandAnywhereAmongTheArguments) {
    const fs::path folder = Scratch("usage-order");
    const fs::path input = folder / "y.inp";
    fs::copy_file(fs::path(HALOSOIL_EXAMPLES) / "two_layers_yearly_drained.inp", input);
    // The yearly drained example's header tells a refined drainage capacity and optimised
    // efficiencies; without the flags it tells neither.
    ASSERT_EQ(RunBatch("run " + input.string(), folder / "err"), 0) << ReadBytes(folder / "err");
    const std::string plain = ReadBytes(folder / "y.out");
    EXPECT_EQ(plain.find("Drainage capacity"), std::string::npos);
    EXPECT_EQ(plain.find("(optimized)"), std::string::npos);
    ASSERT_EQ(RunBatch("run " + input.string() + " --refine", folder / "err"), 0);
    EXPECT_NE(ReadBytes(folder / "y.out").find("Drainage capacity"), std::string::npos);
    ASSERT_EQ(RunBatch("run " + input.string() + " --optimise", folder / "err"), 0);
    const std::string optimised = ReadBytes(folder / "y.out");
    EXPECT_NE(optimised.find("(optimized)"), std::string::npos);
    ASSERT_EQ(RunBatch("run --optimize " + input.string(), folder / "err"), 0);
    EXPECT_EQ(ReadBytes(folder / "y.out"), optimised);

    const fs::path other = folder / "o.out";
    ASSERT_EQ(RunBatch("run " + input.string() + " -o " + other.string() + " -j 1 --optimise",
                       folder / "err"),
              0)
        << ReadBytes(folder / "err");
    EXPECT_NE(ReadBytes(other).find("(optimized)"), std::string::npos);

    const std::string output = (folder / "y.out").string();
    ASSERT_EQ(RunBatch("table hydrology " + output + " -o " + (folder / "last.csv").string(),
                       folder / "err"),
              0)
        << ReadBytes(folder / "err");
    ASSERT_EQ(RunBatch("table -o " + (folder / "first.csv").string() + " hydrology " + output,
                       folder / "err"),
              0);
    ASSERT_EQ(RunBatch("table hydrology -o " + (folder / "between.csv").string() + " " + output,
                       folder / "err"),
              0);
    const std::string csv = ReadBytes(folder / "last.csv");
    EXPECT_NE(csv.find("Time step,Rainfall (mm)"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder / "first.csv"), csv);
    EXPECT_EQ(ReadBytes(folder / "between.csv"), csv);
    ASSERT_EQ(RunBatch("graph -o " + (folder / "g.svg").string() + " water-table " + output,
                       folder / "err"),
              0)
        << ReadBytes(folder / "err");
    EXPECT_TRUE(fs::exists(folder / "g.svg"));
}

// Where a file name is due, the argument is one, even when it begins with '-'.
TEST(BatchUsage, FileNamesThatBeginWithADashAreTakenWhereANameIsDue) {
    const fs::path folder = Scratch("usage-dash-names");
    fs::copy_file(fs::path(HALOSOIL_EXAMPLES) / "two_layers_yearly_drained.inp",
                  folder / "-old.inp");
    // Relative names, so that the arguments themselves begin with '-'.
    const auto inFolder = [&folder](const std::string& arguments) {
        const std::string command =
            "cd '" + folder.string() + "' && " + HALOSOIL_BATCH + " " + arguments + " >out 2>err";
        return WEXITSTATUS(std::system(command.c_str()));
    };
    ASSERT_EQ(inFolder("convert -old.inp -new.inp"), 0) << ReadBytes(folder / "err");
    ASSERT_TRUE(fs::exists(folder / "-new.inp"));
    fs::copy_file(folder / "-new.inp", folder / "new.inp");
    ASSERT_EQ(inFolder("run -o -run.out new.inp --optimise"), 0) << ReadBytes(folder / "err");
    EXPECT_NE(ReadBytes(folder / "-run.out").find("(optimized)"), std::string::npos);
    ASSERT_EQ(inFolder("run new.inp"), 0);
    ASSERT_EQ(inFolder("table -o -t.csv salinity new.out"), 0) << ReadBytes(folder / "err");
    EXPECT_EQ(ReadBytes(folder / "-t.csv").rfind("Time step,", 0), 0u);
    // An input is never an option misspelt, so run takes none that begins with '-'.
    EXPECT_EQ(inFolder("run -new.inp"), 2);
    EXPECT_EQ(ReadBytes(folder / "err"), kUsage);
    EXPECT_FALSE(fs::exists(folder / "-new.out"));
}

}  // namespace
