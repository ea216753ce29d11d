// One command of halosoil-batch as its command line sees it: the subcommand that reads the
// command's arguments and the work done once they are read. BatchCommandLine.h tells how a
// command is added.
#pragma once

#include <functional>
#include <iosfwd>

#include "BatchStatus.h"

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

namespace halosoil {

// Where a command writes: what it makes (a table without -o) and its messages.
struct CommandStreams {
    std::ostream& out;
    std::ostream& errors;
};

struct BatchCommand {
    // The subcommand, as added to the command line.
    CLI::App* command = nullptr;
    // Does the work once the command line is read; yields the exit status.
    std::function<int(const CommandStreams& streams)> run;
    // What a command line refused while it was read prints on errors; yields kWrongUsage.
    // Unset, the usage alone is printed.
    std::function<int(const CLI::ParseError& refusal, std::ostream& errors)> refused = nullptr;
};

// Flushes what a command printed on out; a failure, a full disk say, is told on errors and
// yields kInputInvalid.
int WrittenToStandardOutput(std::ostream& out, std::ostream& errors);

// The commands, each in a file of its name: RunCommand.cpp, ConvertCommand.cpp, ...
BatchCommand AddRunCommand(CLI::App& app);
BatchCommand AddConvertCommand(CLI::App& app);
BatchCommand AddTableCommand(CLI::App& app);
BatchCommand AddGraphCommand(CLI::App& app);
BatchCommand AddCalibrateCommand(CLI::App& app);
BatchCommand AddSensitivityCommand(CLI::App& app);
BatchCommand AddEnsembleCommand(CLI::App& app);
BatchCommand AddWeatherCommand(CLI::App& app);
BatchCommand AddRegionCommand(CLI::App& app);
BatchCommand AddMapCommand(CLI::App& app);
BatchCommand AddYieldCommand(CLI::App& app);
BatchCommand AddDrainsCommand(CLI::App& app);
BatchCommand AddDesignCommand(CLI::App& app);

}  // namespace halosoil
