// halosoil-batch calibrate INPUT.inp [--observations OBS.csv] --parameter NAME=LOW:HIGH ...
//                         [--weight QUANTITY=W ...] [--seed N] [-j N] [-o CALIBRATED.inp]
//                         [--report REPORT.json]
//
// Fits the parameters to the observations, writes the calibrated project with the program's
// own writer and the report as JSON, and prints a summary: the optimum beside the project as
// the file holds it, whose decimals round the values.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>

#include "BatchCommand.h"
#include "Calibration.h"
#include "Errors.h"
#include "InputFile.h"
#include "ProjectFiles.h"
#include "ShortestText.h"
#include "StudyArguments.h"

namespace halosoil {

namespace {

struct CalibrateArguments {
    StudyArguments study;
    std::vector<std::string> parameters;
    std::string report;
};

std::string Cell(const std::string& text, std::size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string Number(double value) {
    if (std::isnan(value)) return "-";
    if (std::isinf(value)) return "undetermined";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return buffer;
}

std::string Seconds(double seconds) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", seconds);
    return buffer;
}

std::string StandardError(const study::ParameterEstimate& estimate) {
    return estimate.fixed ? "fixed" : Number(estimate.standardError);
}

void PrintFit(const std::vector<study::QuantityFit>& fits, const std::string& heading,
              std::ostream& out) {
    out << '\n'
        << Cell(heading, 22) << Cell("n", 6) << Cell("RMSE", 12) << Cell("bias", 12)
        << Cell("NSE", 10) << "R2\n";
    for (const study::QuantityFit& fit : fits)
        out << Cell(study::InfoOf(fit.quantity).name, 22) << Cell(std::to_string(fit.n), 6)
            << Cell(Number(fit.rmse), 12) << Cell(Number(fit.bias), 12) << Cell(Number(fit.nse), 10)
            << Number(fit.r2) << '\n';
}

void PrintSummary(const study::CalibrationResult& result, std::ostream& out) {
    int observations = 0;
    for (const study::QuantityFit& fit : result.fit) observations += fit.n;
    out << "Calibrated " << result.estimates.size() << " parameter(s) against " << observations
        << " observations in " << result.runs << " runs (" << Seconds(result.seconds)
        << " s); objective " << Number(result.objectiveStart) << " -> "
        << Number(result.objectiveEnd) << ", " << Number(result.objectiveWritten)
        << " as written.\n\n";
    out << Cell("parameter", 30) << Cell("start", 12) << Cell("value", 12) << Cell("in file", 12)
        << Cell("std. error", 14) << Cell("95 % interval", 26) << "bounds\n";
    for (const study::ParameterEstimate& estimate : result.estimates) {
        const study::Parameter& parameter = estimate.parameter;
        const std::string unit =
            *parameter.Info().unit ? std::string(" ") + parameter.Info().unit : "";
        out << Cell(parameter.Name(), 30) << Cell(Number(estimate.start), 12)
            << Cell(Number(estimate.value), 12) << Cell(Number(estimate.written), 12)
            << Cell(StandardError(estimate), 14)
            << Cell(Number(estimate.ciLow) + " to " + Number(estimate.ciHigh), 26)
            << Number(parameter.low) << " to " << Number(parameter.high) << unit
            << (estimate.atBound ? " (at a bound)" : "") << '\n';
    }
    PrintFit(result.fit, "quantity", out);
    PrintFit(result.fitWritten, "as written", out);
    if (!result.warnings.empty()) {
        out << "\nWarnings:\n";
        for (const std::string& warning : result.warnings) out << "  " << warning << '\n';
    }
}

int Calibrate(const CalibrateArguments& arguments, const CommandStreams& streams) {
    const StudyArguments& study = arguments.study;
    std::optional<InputData> data = ReadProjectToRun(study.input, streams.errors);
    if (!data) return kInputInvalid;
    data->SaltBalance = study.saltBalance;

    study::CalibrationSettings settings;
    try {
        settings.parameters = ParsedParameters(arguments.parameters, *data, study.drainSoil);
        settings.weights = ParsedWeights(study.weights, *data);
    } catch (const HalosoilError& error) {
        return Refused(streams.errors, error.what(), kWrongUsage);
    }
    settings.seed = study.seed;
    settings.options = StudyOptionsOf(study);
    study::CalibrationResult result;
    try {
        settings.observations = study::ObservationsFor(*data, study.observations);
        result = study::Calibrate(*data, settings);
    } catch (const HalosoilError& error) {
        return StudyFailed(error, study.observations, streams.errors);
    }

    const std::string projectFile =
        study.output.empty() ? BesideInput(study.input, "-calibrated.inp") : study.output;
    const std::string reportFile =
        arguments.report.empty() ? BesideInput(study.input, "-calibration.json") : arguments.report;
    InputData calibrated = result.project;
    calibrated.InputFileName = projectFile;
    if (!WriteProjectFile(calibrated, streams.errors)) return kInputInvalid;
    if (const int status = WriteResult(study::ReportJson(result), reportFile, streams);
        status != kOutputWritten)
        return status;
    PrintSummary(result, streams.out);
    streams.out << "\nWrote " << projectFile << " and " << reportFile << ".\n";
    // The file is not quite the optimum: said where a script sees it too.
    for (const std::string& warning : result.writtenWarnings)
        streams.errors << "halosoil-batch: " << warning << '\n';
    if (result.state.RunStopped) {
        streams.errors << "halosoil-batch: the calibrated project's run stopped early at step "
                       << result.state.StoppedStep << ".\n";
        return kRunStoppedEarly;
    }
    // The file is what the user runs next: its run stopping is the run's own status.
    if (result.writtenStoppedStep > 0) {
        streams.errors << "halosoil-batch: the calibrated project as written stops early at step "
                       << result.writtenStoppedStep << ".\n";
        return kRunStoppedEarly;
    }
    return WrittenToStandardOutput(streams.out, streams.errors);
}

}  // namespace

BatchCommand AddCalibrateCommand(CLI::App& app) {
    const StudyCommand<CalibrateArguments> calibrate(
        app, "calibrate",
        "Fits parameters of a project to observations and reports how well the observations "
        "determine them.",
        "the calibrated project (default: INPUT-calibrated.inp beside the input)");
    AddRepeatedOption(calibrate.command, "--parameter", calibrate.arguments->parameters,
                      "NAME=LOW:HIGH",
                      "a parameter to calibrate within its bounds (see halosoil-batch --help)")
        ->required();
    AddObservationOptions(calibrate.command, calibrate.arguments->study);
    calibrate.command
        ->add_option("--report", calibrate.arguments->report,
                     "the report as JSON (default: INPUT-calibration.json beside the input)")
        ->type_name("REPORT.json");
    return calibrate.Doing(Calibrate);
}

}  // namespace halosoil
