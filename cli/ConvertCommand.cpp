// halosoil-batch convert INPUT.inp OUTPUT.inp
//
// The command line of convert; the conversion itself is in BatchRunner.cpp.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

#include "BatchCommand.h"
#include "BatchRunner.h"
#include "BatchUsage.h"

namespace halosoil {

namespace {

// CLI11 does not know the file names, read as they come (see AddConvertCommand), so the help
// names them here.
class ConvertHelp : public CLI::Formatter {
public:
    std::string make_usage(const CLI::App*, std::string name) const override {
        return "Usage: " + name + " [OPTIONS] INPUT.inp OUTPUT.inp\n";
    }
    std::string make_positionals(const CLI::App*) const override {
        return "\nPositionals:\n"
               "  INPUT.inp REQUIRED          the input file to read, of any layout\n"
               "  OUTPUT.inp REQUIRED         the input file to write\n";
    }
};

}  // namespace

BatchCommand AddConvertCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "convert",
        "Reads INPUT.inp, of any layout, and writes it to OUTPUT.inp in the current one.");
    // The two file names are taken as they come, even one that begins with '-', as convert has
    // always taken them: from the first name on nothing is read as an option, so
    // "convert a.inp -h" writes the file -h. Before it, --help prints the help.
    command->prefix_command();
    command->formatter(std::make_shared<ConvertHelp>());
    return {command, [command](const CommandStreams& streams) {
                const std::vector<std::string> files = command->remaining();
                if (files.size() != 2) return WrongUsage(streams.errors);
                return ConvertInputFile(files[0], files[1], streams.errors);
            }};
}

}  // namespace halosoil
