// halosoil-batch graph TYPE OUTPUT.out -o FILE.svg|png|bmp
//
// The command line of graph; the graph itself is drawn by OutputCommands.cpp.
#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "BatchCommand.h"
#include "BatchUsage.h"
#include "ExportArguments.h"
#include "GraphTypeNames.h"
#include "OutputCommands.h"

namespace halosoil {

namespace {

int Graph(const ExportArguments& arguments, const CommandStreams& streams) {
    const std::optional<GraphType> type = GraphTypeNamed(arguments.first);
    if (!type)
        return WrongUsage(streams.errors, "unknown graph type " + arguments.first +
                                              " (halosoil-batch --help lists them)");
    if (arguments.target.empty())
        return WrongUsage(streams.errors, "graph needs -o FILE.svg|png|bmp");
    const std::optional<GraphFormat> format = GraphFormatOf(arguments.target);
    if (!format) return WrongUsage(streams.errors, "the graph file ends in .svg, .png or .bmp");
    return ExportGraph(*type, arguments.first, arguments.outputFile, arguments.target, *format,
                       streams.errors);
}

}  // namespace

BatchCommand AddGraphCommand(CLI::App& app) {
    return AddExportCommand(app, "graph",
                            "Draws one graph of an output file as the Graphs page draws it.",
                            {"TYPE", "the graph, one of the types below", "FILE.svg|png|bmp",
                             "the file to draw; its extension chooses SVG, PNG or BMP (required)",
                             "Graph types:\n" + GraphTypeLines()},
                            Graph);
}

}  // namespace halosoil
