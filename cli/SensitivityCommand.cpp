// halosoil-batch sensitivity INPUT.inp --parameter NAME=LOW:HIGH ...
//                           --target QUANTITY:final|mean|max|min|objective|stopped ...
//                           [--method sobol|morris] [--samples N] [--seed N]
//                           [--observations OBS.csv] [--weight QUANTITY=W ...] [-j N]
//                           [-o INDICES.csv]
//
// Which parameters matter for which results: Sobol's indices or Morris's elementary effects
// as CSV, to standard output unless -o is given.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "BatchCommand.h"
#include "CropArguments.h"
#include "Errors.h"
#include "Sensitivity.h"
#include "StudyArguments.h"

namespace halosoil {

namespace {

struct SensitivityArguments {
    StudyArguments study;
    std::vector<std::string> parameters;
    std::vector<std::string> targets;
    std::string method = "sobol";
    int samples = 0;  // 0: 1024 for Sobol, 20 trajectories for Morris
    CropArguments crop;
};

constexpr int kSobolSamples = 1024;
constexpr int kMorrisTrajectories = 20;

int Sensitivity(const SensitivityArguments& arguments, const CommandStreams& streams) {
    const StudyArguments& study = arguments.study;
    std::optional<InputData> data = ReadProjectToRun(study.input, streams.errors);
    if (!data) return kInputInvalid;
    data->SaltBalance = study.saltBalance;

    study::SensitivitySettings settings;
    settings.method = arguments.method == "morris" ? study::SensitivityMethod::Morris
                                                   : study::SensitivityMethod::Sobol;
    settings.samples = arguments.samples > 0                                ? arguments.samples
                       : settings.method == study::SensitivityMethod::Sobol ? kSobolSamples
                                                                            : kMorrisTrajectories;
    settings.seed = study.seed;
    settings.options = StudyOptionsOf(study);
    bool needsObservations = false;
    std::optional<study::Crop> crop;
    try {
        settings.parameters = ParsedParameters(arguments.parameters, *data, study.drainSoil);
        crop = CropOf(arguments.crop);
        for (const std::string& target : arguments.targets) {
            settings.targets.push_back(study::ParseTarget(target, *data, crop ? &*crop : nullptr,
                                                          arguments.crop.eceFactor));
            needsObservations = needsObservations || settings.targets.back().objective;
        }
        settings.weights = ParsedWeights(study.weights, *data);
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kWrongUsage);
    }
    study::SensitivityResult result;
    try {
        if (needsObservations)
            settings.observations = study::ObservationsFor(*data, study.observations);
        result = study::RunSensitivity(*data, settings);
    } catch (const HalosoilError& error) {
        return StudyFailed(error, study.observations, streams.errors);
    }
    for (const std::string& warning : result.warnings)
        streams.errors << "halosoil-batch: " << warning << '\n';
    if (crop)
        streams.errors << "halosoil-batch: " << CropNote(*crop, arguments.crop.eceFactor) << '\n';
    return WriteResult(study::SensitivityCsv(result), study.output, streams);
}

}  // namespace

BatchCommand AddSensitivityCommand(CLI::App& app) {
    const StudyCommand<SensitivityArguments> sensitivity(
        app, "sensitivity", "Tells which parameters matter for which results (Sobol or Morris).",
        "the indices as CSV (default: standard output)");
    AddRepeatedOption(sensitivity.command, "--parameter", sensitivity.arguments->parameters,
                      "NAME=LOW:HIGH", "a parameter, drawn uniformly within its bounds")
        ->required();
    AddRepeatedOption(sensitivity.command, "--target", sensitivity.arguments->targets,
                      "QUANTITY:STATISTIC",
                      "a result: QUANTITY:final, :mean, :max or :min, objective, or stopped (1 "
                      "for a run whose water table fell below the aquifer, 0 otherwise); "
                      "relative_yield:final, :mean, :max or :min with --crop")
        ->required();
    sensitivity.command
        ->add_option("--method", sensitivity.arguments->method, "sobol (default) or morris")
        ->type_name("METHOD")
        ->check(CLI::IsMember({"sobol", "morris"}));
    sensitivity.command
        ->add_option("--samples", sensitivity.arguments->samples,
                     "Sobol: base samples N, N (d + 2) runs (default 1024); Morris: "
                     "trajectories r, r (d + 1) runs (default 20)")
        ->type_name("N")
        ->check(CLI::PositiveNumber);
    AddObservationOptions(sensitivity.command, sensitivity.arguments->study);
    AddCropOptions(sensitivity.command, sensitivity.arguments->crop);
    return sensitivity.Doing(Sensitivity);
}

}  // namespace halosoil
