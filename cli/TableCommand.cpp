// halosoil-batch table salinity|hydrology OUTPUT.out [-o FILE.csv]
// halosoil-batch table salt-budget INPUT.inp [--salt-balance KIND] [-o FILE.csv]
//
// The command line of table; the tables themselves are written by OutputCommands.cpp and
// SaltBudgetTable.cpp.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "BatchCommand.h"
#include "BatchUsage.h"
#include "ExportArguments.h"
#include "OutputCommands.h"
#include "SaltBalanceOption.h"
#include "SaltBudgetTable.h"

namespace halosoil {

namespace {

int Table(const ExportArguments& arguments, const SaltBudgetRun& budgetRun,
          const CommandStreams& streams) {
    if (arguments.first == "salt-budget")
        return ExportSaltBudget(arguments.outputFile, budgetRun, arguments.target, streams.out,
                                streams.errors);
    if (budgetRun.saltBalanceGiven)
        return WrongUsage(streams.errors, "--salt-balance belongs to the salt-budget table");
    // The complaint names the tables of an output file, which the line gives.
    if (arguments.first != "salinity" && arguments.first != "hydrology")
        return WrongUsage(streams.errors,
                          "the table is salinity or hydrology, not " + arguments.first);
    const TableKind kind =
        arguments.first == "salinity" ? TableKind::Salinity : TableKind::Hydrology;
    return ExportTable(kind, arguments.outputFile, arguments.target, streams.out, streams.errors);
}

}  // namespace

BatchCommand AddTableCommand(CLI::App& app) {
    const auto budgetRun = std::make_shared<SaltBudgetRun>();
    BatchCommand table = AddExportCommand(
        app, "table",
        "Writes the salinity or the hydrology table of an output file, or the salt budget of a "
        "run, as CSV.",
        {"TABLE", "salinity or hydrology (of OUTPUT.out), or salt-budget (of INPUT.inp)",
         "FILE.csv", "the CSV file to write (default: standard output)",
         "The CSV is UTF-8, with commas and point decimals. The input file of the same name as\n"
         "OUTPUT.out supplies rainfall, irrigation, evaporation and measured salinities.\n"
         "\n"
         "salt-budget takes the input file INPUT.inp in place of OUTPUT.out and runs it, as\n"
         "the budget needs each day's salinities, which no output file holds; both questions\n"
         "of a run are answered No, --salt-balance as for run, and the output file is not\n"
         "written. It gives\n"
         "per step and zone the salt in with irrigation, rain, percolation, capillary rise,\n"
         "seepage and groundwater inflow, out with drainage, percolation, capillary rise,\n"
         "seepage and groundwater outflow, the change in storage and the imbalance (mm x dS/m)."},
        [budgetRun](const ExportArguments& arguments, const CommandStreams& streams) {
            return Table(arguments, *budgetRun, streams);
        });
    CLI::App* command = table.command;
    AddSaltBalanceOption(command, budgetRun->saltBalance, &budgetRun->saltBalanceGiven);
    return table;
}

}  // namespace halosoil
