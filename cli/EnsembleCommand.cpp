// halosoil-batch ensemble INPUT.inp (--parameter NAME=uniform:LOW:HIGH|normal:MEAN:SD|
//                        triangular:LOW:MODE:HIGH ... | --from REPORT.json) [--members N]
//                        [--seed N] [--design lhs|sobol] [--threshold QUANTITY>VALUE ...]
//                        [-j N] [-o BANDS.csv]
//
// How far a prediction can be trusted: many members of the project, their parameters drawn
// from distributions or from a calibration's estimates, and the bands of every result per
// step as CSV, to standard output unless -o is given.
#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <memory>
#include <ostream>

#include "BatchCommand.h"
#include "CropArguments.h"
#include "Ensemble.h"
#include "Errors.h"
#include "StudyArguments.h"

namespace halosoil {

namespace {

struct EnsembleArguments {
    StudyArguments study;
    std::vector<std::string> parameters;
    std::string from;
    int members = 1000;
    std::string design = "lhs";
    std::vector<std::string> thresholds;
    CropArguments crop;
};

// The members that stopped early are named one by one up to this many.
constexpr int kStoppedNamed = 10;

void TellFailedMembers(const study::EnsembleResult& result, std::ostream& errors) {
    int named = 0;
    for (int m = 0; m < result.members; ++m) {
        const int step = result.stoppedStep[static_cast<std::size_t>(m)];
        if (step == 0 || named++ >= kStoppedNamed) continue;
        errors << "halosoil-batch: member " << m + 1
               << (step > 0 ? " stopped early at step " + std::to_string(step) +
                                  ": the water table fell below the aquifer"
                            : " was refused: " + result.refusals[static_cast<std::size_t>(m)])
               << '\n';
    }
    const int failed = result.Stopped() + result.Refused();
    if (failed > kStoppedNamed)
        errors << "halosoil-batch: ... and " << failed - kStoppedNamed << " more\n";
}

std::string Share(int part, int whole) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3g", whole > 0 ? 100.0 * part / whole : 0.0);
    return buffer;
}

// The bands leave out the members that did not go through; the shares count the stopped ones,
// so the summary says how many that is.
void TellSummary(const study::EnsembleResult& result, double seconds, std::ostream& errors) {
    const int ran = result.members - result.Refused();
    char duration[32];
    std::snprintf(duration, sizeof duration, "%.2f", seconds);
    errors << "halosoil-batch: " << result.members << " members in " << duration << " s; "
           << result.Stopped() << " stopped early (" << Share(result.Stopped(), ran) << " % of the "
           << ran << " run), " << result.Refused() << " refused; the bands are of the "
           << ran - result.Stopped() << " that went through, p_exceed and p_stopped of the " << ran
           << " run.\n";
}

int Ensemble(const EnsembleArguments& arguments, const CommandStreams& streams) {
    const StudyArguments& study = arguments.study;
    if (arguments.parameters.empty() == arguments.from.empty())
        return Refused(streams.errors,
                       "ensemble needs either --parameter ... or --from REPORT.json", kWrongUsage);
    std::optional<InputData> data = ReadProjectToRun(study.input, streams.errors);
    if (!data) return kInputInvalid;
    data->SaltBalance = study.saltBalance;

    study::EnsembleSettings settings;
    settings.members = arguments.members;
    settings.seed = study.seed;
    settings.design =
        arguments.design == "sobol" ? study::Design::Sobol : study::Design::LatinHypercube;
    settings.options = StudyOptionsOf(study);
    std::vector<study::Threshold> thresholds;
    try {
        for (const std::string& text : arguments.parameters) {
            auto [parameter, distribution] = study::ParseDistribution(text, *data);
            settings.parameters.push_back(parameter);
            settings.distributions.push_back(distribution);
        }
        SetDrainSoilOf(settings.parameters, study.drainSoil);
        settings.crop = CropOf(arguments.crop);
        settings.eceFactor = arguments.crop.eceFactor;
        for (const std::string& text : arguments.thresholds)
            thresholds.push_back(study::ParseThreshold(text, *data, settings.crop.has_value()));
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kWrongUsage);
    }
    const auto started = std::chrono::steady_clock::now();
    study::EnsembleResult result;
    try {
        if (!arguments.from.empty())
            settings.fromReport = study::ReadReportEstimates(arguments.from, *data);
        result = study::RunEnsemble(*data, settings);
    } catch (const HalosoilError& error) {
        return StudyFailed(error, arguments.from, streams.errors);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    TellFailedMembers(result, streams.errors);
    TellSummary(result, seconds, streams.errors);
    if (settings.crop)
        streams.errors << "halosoil-batch: " << CropNote(*settings.crop, settings.eceFactor)
                       << '\n';
    return WriteResult(study::BandsCsv(study::Bands(result, thresholds)), study.output, streams);
}

}  // namespace

BatchCommand AddEnsembleCommand(CLI::App& app) {
    const StudyCommand<EnsembleArguments> ensemble(
        app, "ensemble",
        "Runs members of a project with uncertain parameters and writes the prediction bands of "
        "every result per step.",
        "the bands as CSV (default: standard output)");
    AddRepeatedOption(ensemble.command, "--parameter", ensemble.arguments->parameters,
                      "NAME=DISTRIBUTION",
                      "uniform:LOW:HIGH, normal:MEAN:SD or triangular:LOW:MODE:HIGH");
    ensemble.command
        ->add_option("--from", ensemble.arguments->from,
                     "draw from a calibration report's estimates and their covariance")
        ->type_name("REPORT.json");
    ensemble.command->add_option("--members", ensemble.arguments->members, "members (default 1000)")
        ->type_name("N")
        ->check(CLI::Range(2, 100000000));
    ensemble.command->add_option("--design", ensemble.arguments->design, "lhs (default) or sobol")
        ->type_name("DESIGN")
        ->check(CLI::IsMember({"lhs", "sobol"}));
    AddRepeatedOption(ensemble.command, "--threshold", ensemble.arguments->thresholds,
                      "QUANTITY>VALUE",
                      "QUANTITY>VALUE or QUANTITY<VALUE: the share of members beyond it per "
                      "step, a stopped member counted as its stop tells (see "
                      "halosoil-batch --help); relative_yield<VALUE with --crop");
    AddCropOptions(ensemble.command, ensemble.arguments->crop);
    return ensemble.Doing(Ensemble);
}

}  // namespace halosoil
