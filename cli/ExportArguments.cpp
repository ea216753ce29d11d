#include "ExportArguments.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <vector>

#include "BatchUsage.h"

namespace halosoil {

namespace {

// "-" alone is a word (a file of that name); anything longer that begins with '-' is an option.
bool LooksLikeOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-';
}

// Adds the two words and -o to command, read into arguments.
void AddExportArguments(CLI::App& command, ExportArguments& arguments, const ExportHelp& help) {
    // The words are required for the help to say so; a missing one is told by ExportComplaint.
    command.add_option(help.firstName, arguments.first, help.firstHelp)->type_name("")->required();
    command.add_option("OUTPUT.out", arguments.outputFile, "the output file of a run")
        ->type_name("")
        ->required();
    // -o takes the next argument whatever it is, even one that begins with '-'; given twice,
    // the last counts.
    command.add_option("-o", arguments.target, help.targetHelp)
        ->type_name(help.targetName)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    // Unknown options and words beyond two are kept, to be named by ExportComplaint.
    command.allow_extras();
}

}  // namespace

std::optional<std::string> ExportComplaint(const CLI::App& command,
                                           const CLI::ParseError* refusal) {
    std::vector<std::string> words;
    for (const CLI::Option* positional :
         command.get_options([](const CLI::Option* option) { return option->get_positional(); }))
        for (const std::string& word : positional->results()) words.push_back(word);
    for (const std::string& word : command.remaining()) words.push_back(word);
    for (const std::string& word : words)
        if (LooksLikeOption(word)) return "unknown option " + word;
    // The only argument CLI11 can miss is the file name of an -o that ends the line.
    if (dynamic_cast<const CLI::ArgumentMismatch*>(refusal) != nullptr)
        return std::string("-o needs a file name");
    if (words.size() != 2) return command.get_name() + " needs two arguments";
    return std::nullopt;
}

BatchCommand AddExportCommand(CLI::App& app, const char* name, const char* description,
                              const ExportHelp& help, ExportWork work) {
    const auto arguments = std::make_shared<ExportArguments>();
    CLI::App* command = app.add_subcommand(name, description);
    AddExportArguments(*command, *arguments, help);
    command->footer(help.footer);
    return {command,
            [command, arguments, work](const CommandStreams& streams) {
                if (const auto complaint = ExportComplaint(*command, nullptr))
                    return WrongUsage(streams.errors, *complaint);
                return work(*arguments, streams);
            },
            [command](const CLI::ParseError& refusal, std::ostream& errors) {
                if (const auto complaint = ExportComplaint(*command, &refusal))
                    return WrongUsage(errors, *complaint);
                return WrongUsage(errors);
            }};
}

}  // namespace halosoil
