// Graphs and maps as bitmaps without a display. The window's own bitmap canvas draws them, so a PNG
// or BMP file holds the very pixels the Graphs page shows; it lives in the raster export module,
// which is opened only here, so that every other command starts without Qt.
#pragma once

#include <functional>
#include <string>

#include "DrawGraph.h"
#include "GraphType.h"
#include "RasterExport.h"

namespace halosoil {

// Empty when bitmaps can be drawn; otherwise why not, as the user is told.
std::string RasterGraphsUnavailable();

// The raster module's entry itself, for a drawing made in another module (the maps of the
// region module); null when bitmaps cannot be drawn.
HalosoilSaveRasterDrawing RasterDrawingEntry();

// Draws with draw on a white picture of width x height pixels and writes it as format ("PNG" or
// "BMP") to fileName, replacing the file as a whole. Throws FileError with the platform's reason
// when it cannot be written, HalosoilError when bitmaps cannot be drawn, and what draw threw.
void SaveRasterDrawing(int width, int height, const std::function<void(Canvas&)>& draw,
                       const std::string& fileName, const char* format);

// Draws the graph and writes it as format ("PNG" or "BMP") to fileName, replacing the file as
// a whole. Throws FileError with the platform's reason when it cannot be written.
void SaveRasterGraph(GraphType type, const GraphSource& source, const std::string& fileName,
                     const char* format);

}  // namespace halosoil
