#include "BatchCommandLine.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "BatchCommand.h"
#include "BatchUsage.h"
#include "ProjectInfo.h"

namespace halosoil {

namespace {

using AddCommand = BatchCommand (*)(CLI::App& app);

// Every command of halosoil-batch, in the order of the usage.
constexpr AddCommand kCommands[] = {AddRunCommand,      AddConvertCommand,   AddTableCommand,
                                    AddGraphCommand,    AddCalibrateCommand, AddSensitivityCommand,
                                    AddEnsembleCommand, AddWeatherCommand,   AddRegionCommand,
                                    AddMapCommand,      AddYieldCommand,     AddDrainsCommand,
                                    AddDesignCommand};

// The command named on the line, also when the rest of the line was refused; null without one.
const BatchCommand* NamedCommand(const std::vector<BatchCommand>& commands, const CLI::App& app) {
    for (const CLI::App* named : app.get_subcommands())
        for (const BatchCommand& command : commands)
            if (command.command == named) return &command;
    return nullptr;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& errors) {
    CLI::App app("Runs Halosoil projects and exports their results without a window.",
                 "halosoil-batch");
    // The commands take -h/--help from the app as they are added. The app's own goes after
    // them: the help of the program as a whole is BatchHelp(), written by hand.
    app.set_help_flag("-h,--help", "print this help and exit");
    std::vector<BatchCommand> commands;
    for (const AddCommand add : kCommands) commands.push_back(add(app));
    app.set_help_flag();
    CLI::Option* help = app.add_flag("-h,--help")->disable_flag_override();
    CLI::Option* version = app.add_flag("--version")->disable_flag_override();
    // One command a line: after it, the name of another is one of its words ("run table" runs
    // the project named table).
    app.require_subcommand(0, 1);

    try {
        // CLI11 takes the arguments last first.
        app.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend()));
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return WrittenToStandardOutput(out, errors);
    } catch (const CLI::ParseError& refusal) {
        const BatchCommand* command = NamedCommand(commands, app);
        if (command != nullptr && command->refused) return command->refused(refusal, errors);
        return WrongUsage(errors);
    }
    // --help and --version stand alone.
    if (help->count() + version->count() > 0) {
        if (arguments.size() != 1) return WrongUsage(errors);
        if (help->count() > 0)
            out << BatchHelp();
        else
            out << "halosoil-batch " << kVersion << '\n';
        return WrittenToStandardOutput(out, errors);
    }
    const BatchCommand* command = NamedCommand(commands, app);
    if (command == nullptr) return WrongUsage(errors);
    return command->run({out, errors});
}

}  // namespace halosoil
