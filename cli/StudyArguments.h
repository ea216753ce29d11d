// What the study commands (calibrate, sensitivity, ensemble) share: the project read as run
// reads it, the parameters, weights and observations of their command lines, and where their
// tables go.
#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BatchCommand.h"
#include "Errors.h"
#include "InputData.h"
#include "MemberRuns.h"
#include "Objective.h"
#include "Observations.h"
#include "Parameters.h"
#include "ProjectFiles.h"

namespace halosoil {

// The options every study command has.
struct StudyArguments {
    std::string input;
    std::string observations;
    std::vector<std::string> weights;
    std::uint64_t seed = 0;
    int jobs = 0;
    std::string output;
    // The soil a drain_spacing works in: k_above=K1,k_below=K2,impervious=D,radius=r.
    std::string drainSoil;
    SaltBalanceKind saltBalance = SaltBalanceKind::Specified;
};

// Adds INPUT.inp, --seed, -j, --drain-soil, --salt-balance and -o (described by outputHelp) to a
// study command.
void AddStudyOptions(CLI::App* command, StudyArguments& arguments, const std::string& outputHelp);
// A study command as the command line adds it: its subcommand with INPUT.inp, --seed, -j and
// -o, and its Arguments (which hold a StudyArguments study), kept by the work the command does.
template <class Arguments>
struct StudyCommand {
    StudyCommand(CLI::App& app, const std::string& name, const std::string& description,
                 const std::string& outputHelp)
        : command(app.add_subcommand(name, description)) {
        AddStudyOptions(command, arguments->study, outputHelp);
    }

    // The command that does work with its arguments once they are read.
    BatchCommand Doing(int (*work)(const Arguments&, const CommandStreams&)) const {
        return {command, [arguments = arguments, work](const CommandStreams& streams) {
                    return work(*arguments, streams);
                }};
    }

    std::shared_ptr<Arguments> arguments = std::make_shared<Arguments>();
    CLI::App* command;
};

// Adds --observations and --weight.
void AddObservationOptions(CLI::App* command, StudyArguments& arguments);
// An option that may be given many times, one value each time.
CLI::Option* AddRepeatedOption(CLI::App* command, const std::string& name,
                               std::vector<std::string>& values, const std::string& typeName,
                               const std::string& help);

// A value the command line could not take ("Could not convert: --spacing = abc") named before
// the usage; yields kWrongUsage. For BatchCommand::refused.
int SayWhatWasRefused(const CLI::ParseError& refusal, std::ostream& errors);

// "halosoil-batch: <message>" on errors; yields status.
int Refused(std::ostream& errors, const std::string& message, int status);

// The parameters of NAME=LOW:HIGH texts, a drain_spacing given the soil of drainSoil.
std::vector<study::Parameter> ParsedParameters(const std::vector<std::string>& texts,
                                               const InputData& data,
                                               const std::string& drainSoil = {});
// Gives the drain_spacing of parameters the soil of drainSoil, when it is given.
void SetDrainSoilOf(std::vector<study::Parameter>& parameters, const std::string& drainSoil);
study::Weights ParsedWeights(const std::vector<std::string>& texts, const InputData& data);
study::StudyOptions StudyOptionsOf(const StudyArguments& arguments);
// Prints a study's failure, naming file (the observations or the report read) when the
// failure is one of opening it; yields kInputInvalid.
int StudyFailed(const HalosoilError& error, const std::string& file, std::ostream& errors);

// The text to the file named (replacing it only when whole) or, without a name, to out.
int WriteResult(const std::string& text, const std::string& path, const CommandStreams& streams);

}  // namespace halosoil
