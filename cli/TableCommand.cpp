// halosoil-batch table salinity|hydrology OUTPUT.out [-o FILE.csv]
//
// The command line of table; the table itself is written by OutputCommands.cpp.
#include <CLI/CLI.hpp>
#include <string>

#include "BatchCommand.h"
#include "BatchUsage.h"
#include "ExportArguments.h"
#include "OutputCommands.h"

namespace halosoil {

namespace {

int Table(const ExportArguments& arguments, const CommandStreams& streams) {
    if (arguments.first != "salinity" && arguments.first != "hydrology")
        return WrongUsage(streams.errors,
                          "the table is salinity or hydrology, not " + arguments.first);
    const TableKind kind =
        arguments.first == "salinity" ? TableKind::Salinity : TableKind::Hydrology;
    return ExportTable(kind, arguments.outputFile, arguments.target, streams.out, streams.errors);
}

}  // namespace

BatchCommand AddTableCommand(CLI::App& app) {
    return AddExportCommand(
        app, "table", "Writes the salinity or the hydrology table of an output file as CSV.",
        {"TABLE", "salinity or hydrology", "FILE.csv",
         "the CSV file to write (default: standard output)",
         "The CSV is UTF-8, with commas and point decimals. The input file of the same name as\n"
         "OUTPUT.out supplies rainfall, irrigation, evaporation and measured salinities."},
        Table);
}

}  // namespace halosoil
