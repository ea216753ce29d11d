// The command line that table and graph share: two words, the second the output file, and
// "-o FILE", in any order.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "BatchCommand.h"

namespace halosoil {

struct ExportArguments {
    std::string first;       // the table, or the graph type
    std::string outputFile;  // the output file exported
    std::string target;      // the file of -o; empty without it
};

// How the help of a command names and describes its first word and its -o file, and what it
// says after its options.
struct ExportHelp {
    const char* firstName;  // e.g. "TABLE"
    const char* firstHelp;
    const char* targetName;  // e.g. "FILE.csv"
    const char* targetHelp;
    std::string footer;
};

// What is wrong with the command line read so far, the first fault a reader of the line meets:
// an unknown option, then -o without its file name, then other than two words. Nothing when
// the line is right. refusal is the error that stopped the reading, if there was one.
std::optional<std::string> ExportComplaint(const CLI::App& command, const CLI::ParseError* refusal);

// The work of an export command once its line is read and found right.
using ExportWork =
    std::function<int(const ExportArguments& arguments, const CommandStreams& streams)>;

// Adds the export command name with its description, its two words and -o, bound to work; a
// line with a complaint is refused with it and the usage on standard error.
BatchCommand AddExportCommand(CLI::App& app, const char* name, const char* description,
                              const ExportHelp& help, ExportWork work);

}  // namespace halosoil
