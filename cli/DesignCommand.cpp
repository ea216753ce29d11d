// halosoil-batch design INPUT.inp --crop NAME --control NAME=LOW:HIGH ...
//                      --require relative_yield>=Y[@final]
//                      [--probability P (--from REPORT.json | --parameter NAME=DISTRIBUTION ...)
//                      [--members N]] --minimise irrigation|drainage|NAME [--seed N] [-j N]
//                      [-o DESIGN.inp] [--report DESIGN.json]
//
// Management under uncertainty: the controls that minimise the irrigation, the drainage or a
// control while the crop's yield meets the requirement, for the project or with a probability
// over an ensemble; the designed project and a JSON report, with a summary on standard output.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>

#include "BatchCommand.h"
#include "CropArguments.h"
#include "DesignSummary.h"
#include "Ensemble.h"
#include "Errors.h"
#include "ManagementDesign.h"
#include "ProjectFiles.h"
#include "StudyArguments.h"

namespace halosoil {

namespace {

struct DesignArguments {
    StudyArguments study;
    CropArguments crop;
    std::vector<std::string> controls;
    std::string requirement;
    double probability = -1;  // none
    std::string from;
    std::vector<std::string> parameters;
    int members = 200;
    std::string minimise;
    std::string report;
};

// The settings of the command line; throws HalosoilError for what it cannot take.
study::DesignSettings SettingsOf(const DesignArguments& arguments, const InputData& data) {
    study::DesignSettings settings;
    settings.controls = ParsedParameters(arguments.controls, data, arguments.study.drainSoil);
    const std::optional<study::Crop> crop = CropOf(arguments.crop);
    if (!crop) throw HalosoilError("design needs the crop: --crop NAME");
    settings.crop = *crop;
    settings.eceFactor = arguments.crop.eceFactor;
    settings.requirement = study::ParseRequirement(arguments.requirement);
    study::SetGoal(settings, arguments.minimise);
    settings.seed = arguments.study.seed;
    settings.members = arguments.members;
    settings.options = StudyOptionsOf(arguments.study);
    const bool uncertain = !arguments.from.empty() || !arguments.parameters.empty();
    if (arguments.probability == -1) {
        if (uncertain)
            throw HalosoilError("--from and --parameter give the uncertainty of a --probability");
        return settings;
    }
    study::CheckProbability(arguments.probability);
    settings.probability = arguments.probability;
    if (!uncertain)
        throw HalosoilError(
            "A probability needs the uncertain parameters: --from REPORT.json or --parameter "
            "NAME=DISTRIBUTION");
    if (!arguments.from.empty() && !arguments.parameters.empty())
        throw HalosoilError("give either --from REPORT.json or --parameter NAME=DISTRIBUTION");
    for (const std::string& text : arguments.parameters) {
        auto [parameter, distribution] = study::ParseDistribution(text, data);
        settings.uncertain.push_back(parameter);
        settings.distributions.push_back(distribution);
    }
    SetDrainSoilOf(settings.uncertain, arguments.study.drainSoil);
    return settings;
}

int Design(const DesignArguments& arguments, const CommandStreams& streams) {
    const StudyArguments& study = arguments.study;
    std::optional<InputData> data = ReadProjectToRun(study.input, streams.errors);
    if (!data) return kInputInvalid;
    data->SaltBalance = study.saltBalance;
    study::DesignSettings settings;
    try {
        settings = SettingsOf(arguments, *data);
    } catch (const FileError& error) {
        return Refused(streams.errors, error.what(), kInputInvalid);
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kWrongUsage);
    }
    study::DesignResult result;
    try {
        if (!arguments.from.empty())
            settings.fromReport = study::ReadReportEstimates(arguments.from, *data);
        result = study::RunDesign(*data, settings);
    } catch (const HalosoilError& error) {
        return StudyFailed(error, arguments.from, streams.errors);
    }
    const std::string projectFile =
        study.output.empty() ? BesideInput(study.input, "-design.inp") : study.output;
    const std::string reportFile =
        arguments.report.empty() ? BesideInput(study.input, "-design.json") : arguments.report;
    InputData designed = result.project;
    designed.InputFileName = projectFile;
    if (!WriteProjectFile(designed, streams.errors)) return kInputInvalid;
    if (const int status =
            WriteResult(study::DesignReportJson(settings, result), reportFile, streams);
        status != kOutputWritten)
        return status;
    streams.out << study::DesignSummaryText(settings, result);
    streams.out << "Wrote " << projectFile << " and " << reportFile << ".\n";
    streams.errors << "halosoil-batch: " << CropNote(settings.crop, settings.eceFactor) << '\n';
    return WrittenToStandardOutput(streams.out, streams.errors);
}

}  // namespace

BatchCommand AddDesignCommand(CLI::App& app) {
    const StudyCommand<DesignArguments> design(
        app, "design",
        "Finds the controls that minimise the irrigation, the drainage or a control while a "
        "crop's yield meets a requirement, also with a probability over uncertain parameters.",
        "the designed project (default: INPUT-design.inp beside the input)");
    AddCropOptions(design.command, design.arguments->crop);
    AddRepeatedOption(design.command, "--control", design.arguments->controls, "NAME=LOW:HIGH",
                      "a movable parameter the design sets within its bounds")
        ->required();
    design.command
        ->add_option("--require", design.arguments->requirement,
                     "relative_yield>=Y at every step, or relative_yield>=Y@final")
        ->type_name("REQUIREMENT")
        ->required();
    design.command
        ->add_option("--probability", design.arguments->probability,
                     "the share of the ensemble's members that must meet the requirement, 0..1")
        ->type_name("P");
    design.command
        ->add_option("--from", design.arguments->from,
                     "draw the uncertain parameters from a calibration report")
        ->type_name("REPORT.json");
    AddRepeatedOption(design.command, "--parameter", design.arguments->parameters,
                      "NAME=DISTRIBUTION",
                      "an uncertain parameter: uniform:LOW:HIGH, normal:MEAN:SD or "
                      "triangular:LOW:MODE:HIGH");
    design.command
        ->add_option("--members", design.arguments->members,
                     "members of the ensemble, the same for every candidate (default 200)")
        ->type_name("N")
        ->check(CLI::Range(2, 100000000));
    design.command
        ->add_option("--minimise", design.arguments->minimise,
                     "irrigation or drainage (mm over all steps), or a control by its name")
        ->type_name("GOAL")
        ->required();
    design.command
        ->add_option("--report", design.arguments->report,
                     "the report as JSON (default: INPUT-design.json beside the input)")
        ->type_name("DESIGN.json");
    BatchCommand command = design.Doing(Design);
    command.refused = SayWhatWasRefused;
    return command;
}

}  // namespace halosoil
