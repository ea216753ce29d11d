// Graphs as bitmaps without a display: the window's own bitmap canvas on Qt's offscreen
// platform, so a PNG or BMP file holds the very pixels the Graphs page shows.
#pragma once

#include <string>

#include "DrawGraph.h"
#include "GraphType.h"

namespace halosoil {

// Whether this build can draw bitmaps (it needs Qt).
bool CanDrawRasterGraphs();

// Draws the graph and writes it as format ("PNG" or "BMP") to fileName, replacing the file as
// a whole. Throws FileError with the platform's reason when it cannot be written.
void SaveRasterGraph(GraphType type, const GraphSource& source, const std::string& fileName,
                     const char* format);

}  // namespace halosoil
