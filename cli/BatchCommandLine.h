// The command line of halosoil-batch: one CLI11 subcommand per command, read by one CLI::App
// and dispatched to the command named.
//
// Adding a command, say calibrate:
//   1. cli/CalibrateCommand.cpp defines BatchCommand AddCalibrateCommand(CLI::App& app), which
//      adds the subcommand with a one-line description and its options, bound to variables in
//      a shared_ptr that the returned run function captures. run does the work (kept in a file
//      of its own when it is more than a call) and yields a BatchStatus. A command that must
//      say more than the usage about a refused line sets refused too.
//   2. BatchCommand.h declares AddCalibrateCommand; kCommands in BatchCommandLine.cpp lists it.
//   3. Its usage line goes into kBatchUsage (BatchUsage.h), its paragraph into BatchHelp().
//   4. Nothing in CMake: every .cpp file of cli/ is part of the program.
// The dispatcher gives every command -h/--help, prints its help, and turns a refused line into
// the usage on standard error with status 2.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace halosoil {

// halosoil-batch with its arguments (without the program's name): --help and --version, or a
// command. Help, versions and tables without -o go to out, messages to errors. Yields the
// exit status.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& errors);

}  // namespace halosoil
