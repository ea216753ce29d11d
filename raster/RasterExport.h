// The entry point of the raster export module, the one part of the batch runner that loads Qt.
// halosoil-batch opens the module only to write a PNG or BMP graph or map, so that its other
// commands start without Qt's libraries. The caller draws, the module owns the picture and the
// file.
#pragma once

#include <cstddef>

#include "Canvas.h"

extern "C" {

// Draws a graph or a map on canvas; context is what the caller passed along. It must not throw:
// the module is entered through C.
using HalosoilDraw = void (*)(halosoil::Canvas& canvas, void* context);

// Draws with draw on a white picture of width x height pixels and writes it as format ("PNG" or
// "BMP") to fileName, replacing the file as a whole. Returns true when written; otherwise false
// with the platform's reason in reason (cut to reasonSize bytes, terminated).
using HalosoilSaveRasterDrawing = bool (*)(int width, int height, HalosoilDraw draw, void* context,
                                           const char* fileName, const char* format, char* reason,
                                           std::size_t reasonSize);
}

namespace halosoil {

// The name under which the module exports its HalosoilSaveRasterDrawing.
inline constexpr const char* kSaveRasterDrawingSymbol = "halosoil_save_raster_drawing";

}  // namespace halosoil
