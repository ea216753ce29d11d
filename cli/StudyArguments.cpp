#include "StudyArguments.h"

#include "SaltBalanceOption.h"

#include <ostream>

#include "AtomicFile.h"
#include "BatchUsage.h"
#include "Errors.h"
#include "StringToFloat.h"

namespace halosoil {

void AddStudyOptions(CLI::App* command, StudyArguments& arguments, const std::string& outputHelp) {
    command->add_option("INPUT.inp", arguments.input, "the project")->type_name("")->required();
    command->add_option("--seed", arguments.seed, "seed of the random draws (default 0)")
        ->type_name("N");
    command->add_option("-j", arguments.jobs, "threads for the runs (default: one per core)")
        ->type_name("N")
        ->check(CLI::PositiveNumber);
    command->add_option("-o", arguments.output, outputHelp)->type_name("FILE");
    command
        ->add_option("--drain-soil", arguments.drainSoil,
                     "the soil a drain_spacing works in: k_above=K1,k_below=K2,impervious=D,"
                     "radius=r (m/day, m)")
        ->type_name("SOIL");
    AddSaltBalanceOption(command, arguments.saltBalance);
}

void AddObservationOptions(CLI::App* command, StudyArguments& arguments) {
    command
        ->add_option("--observations", arguments.observations,
                     "CSV of observations: step,<quantity>,... (the input file's measured "
                     "salinities are included; a salinity column replaces them)")
        ->type_name("OBS.csv");
    AddRepeatedOption(command, "--weight", arguments.weights, "QUANTITY=W",
                      "weight of an observed quantity in the objective (default 1)");
}

CLI::Option* AddRepeatedOption(CLI::App* command, const std::string& name,
                               std::vector<std::string>& values, const std::string& typeName,
                               const std::string& help) {
    return command->add_option(name, values, help)
        ->type_name(typeName)
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

int SayWhatWasRefused(const CLI::ParseError& refusal, std::ostream& errors) {
    return WrongUsage(errors, refusal.what());
}

int Refused(std::ostream& errors, const std::string& message, int status) {
    errors << "halosoil-batch: " << message << '\n';
    return status;
}

void SetDrainSoilOf(std::vector<study::Parameter>& parameters, const std::string& drainSoil) {
    if (!drainSoil.empty()) study::SetDrainSoil(parameters, study::ParseDrainSoil(drainSoil));
}

std::vector<study::Parameter> ParsedParameters(const std::vector<std::string>& texts,
                                               const InputData& data,
                                               const std::string& drainSoil) {
    std::vector<study::Parameter> parameters;
    for (const std::string& text : texts) parameters.push_back(study::ParseParameter(text, data));
    SetDrainSoilOf(parameters, drainSoil);
    study::CheckParameterSet(parameters, data);
    return parameters;
}

study::Weights ParsedWeights(const std::vector<std::string>& texts, const InputData& data) {
    study::Weights weights;
    for (const std::string& text : texts) {
        const auto equals = text.find('=');
        if (equals == std::string::npos) throw HalosoilError("'" + text + "' is not QUANTITY=W");
        const std::string name = text.substr(0, equals);
        double weight = 0;
        try {
            weight = PointStringToFloat(text.substr(equals + 1));
        } catch (const ConversionError& error) {
            throw HalosoilError("Weight " + name + ": " + error.what());
        }
        weights.Set(name, weight, data);
    }
    return weights;
}

// A study that could not be done: a file it read is named with the line of its damage.
int StudyFailed(const HalosoilError& error, const std::string& file, std::ostream& errors) {
    errors << (error.File().empty() ? error.what() : WithFileAndLine(file, error)) << '\n';
    return kInputInvalid;
}

study::StudyOptions StudyOptionsOf(const StudyArguments& arguments) {
    study::StudyOptions options;
    options.threads = arguments.jobs;
    return options;
}

int WriteResult(const std::string& text, const std::string& path, const CommandStreams& streams) {
    if (path.empty()) {
        streams.out << text;
        return WrittenToStandardOutput(streams.out, streams.errors);
    }
    try {
        WriteFileAtomically(path, text);
    } catch (const FileError& error) {
        streams.errors << "Cannot create file \"" << path << "\". " << error.what() << '\n';
        return kInputInvalid;
    }
    return kOutputWritten;
}

}  // namespace halosoil
