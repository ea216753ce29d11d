// halosoil-batch run [--refine] [--optimise] [--salt-balance KIND] [-j N] [-o OUTPUT.out]
// INPUT.inp...
//
// The command line of run; the runs themselves are in BatchRunner.cpp.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "BatchCommand.h"
#include "BatchRunner.h"
#include "BatchUsage.h"
#include "SaltBalanceOption.h"

namespace halosoil {

namespace {

struct RunArguments {
    RunOptions options;
    std::string jobs;  // as typed, checked by ValidJobs
};

// A thread count is digits only, at least 1, and short enough to stay an int.
std::string ValidJobs(const std::string& text) {
    if (text.empty() || text.size() > 6 ||
        text.find_first_not_of("0123456789") != std::string::npos || std::stoi(text) < 1)
        return "N is a whole number from 1";
    return "";
}

int Run(const RunArguments& arguments, const CommandStreams& streams) {
    RunOptions options = arguments.options;
    // A name that begins with '-' is an option misspelt ("-" alone too), not a project.
    for (const std::string& input : options.inputs)
        if (!input.empty() && input[0] == '-') return WrongUsage(streams.errors);
    // One output name cannot serve several inputs.
    if (!options.output.empty() && options.inputs.size() > 1) return WrongUsage(streams.errors);
    if (!arguments.jobs.empty()) options.jobs = std::stoi(arguments.jobs);
    // The progress line goes only to a terminal, never into a file of messages.
    const bool showProgress = &streams.errors == &std::cerr && isatty(STDERR_FILENO);
    return RunProjects(options, streams.errors, showProgress);
}

}  // namespace

BatchCommand AddRunCommand(CLI::App& app) {
    const auto arguments = std::make_shared<RunArguments>();
    RunOptions& options = arguments->options;
    CLI::App* command = app.add_subcommand("run", "Runs projects and writes their output files.");
    // Given twice, an option counts once (the last -o or -j wins), as it always has.
    command->add_flag("--refine", options.refine, "answer Yes to refining the drainage capacity")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->disable_flag_override();
    command
        ->add_flag("--optimise,--optimize", options.optimise,
                   "answer Yes to optimising the leaching efficiencies")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->disable_flag_override();
    AddSaltBalanceOption(command, options.saltBalance);
    command->add_option("-j", arguments->jobs, "threads for several inputs (default: one per core)")
        ->type_name("N")
        ->check(CLI::Validator(ValidJobs, "", "jobs"))
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    command
        ->add_option("-o", options.output, "the output file of a single input (default: INPUT.out)")
        ->type_name("OUTPUT.out")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    command->add_option("INPUT.inp", options.inputs, "the projects to run")
        ->type_name("")
        ->required();
    return {command,
            [arguments](const CommandStreams& streams) { return Run(*arguments, streams); }};
}

}  // namespace halosoil
