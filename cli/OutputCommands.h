// The work of halosoil-batch table and graph: the tables of an output file as CSV and its
// graphs as SVG, PNG or BMP. Their command lines are in TableCommand.cpp and GraphCommand.cpp.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "BatchStatus.h"
#include "GraphType.h"

namespace halosoil {

enum class TableKind { Salinity, Hydrology };

// Writes the table of outputFile as CSV to target, or to out when target is empty.
int ExportTable(TableKind kind, const std::string& outputFile, const std::string& target,
                std::ostream& out, std::ostream& errors);

enum class GraphFormat { Svg, Png, Bmp };

// The format the extension of a graph file names, in any case: .svg, .png or .bmp.
std::optional<GraphFormat> GraphFormatOf(const std::string& fileName);

// Draws the graph of outputFile into target; typeName is the type as the command line gave it.
int ExportGraph(GraphType type, const std::string& typeName, const std::string& outputFile,
                const std::string& target, GraphFormat format, std::ostream& errors);

}  // namespace halosoil
