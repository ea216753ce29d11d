// The command line that table and graph share: two words, the second the output file, and
// "-o FILE", in any order.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

namespace halosoil {

struct ExportArguments {
    std::string first;       // the table, or the graph type
    std::string outputFile;  // the output file exported
    std::string target;      // the file of -o; empty without it
};

// How the help of a command names and describes its first word and its -o file.
struct ExportHelp {
    const char* firstName;  // e.g. "TABLE"
    const char* firstHelp;
    const char* targetName;  // e.g. "FILE.csv"
    const char* targetHelp;
};

// Adds the two words and -o to command, read into arguments.
void AddExportArguments(CLI::App& command, ExportArguments& arguments, const ExportHelp& help);

// What is wrong with the command line read so far, the first fault a reader of the line meets:
// an unknown option, then -o without its file name, then other than two words. Nothing when
// the line is right. refusal is the error that stopped the reading, if there was one.
std::optional<std::string> ExportComplaint(const CLI::App& command, const CLI::ParseError* refusal);

// The complaint about a refused command line and the usage, on errors; yields kWrongUsage.
int RefusedExport(const CLI::App& command, const CLI::ParseError& refusal, std::ostream& errors);

}  // namespace halosoil
