// A map of a region's results as one HTML page that works offline: Leaflet inlined, the fields
// in WGS 84, coloured by their class, a slider through the chosen summary and every step, a
// tooltip with each field's id and values, and the legend.
#pragma once

#include <string>

#include "MapClasses.h"
#include "MapDrawing.h"
#include "ResultsLayer.h"

namespace halosoil::region {

// The page of the layer, whose shapes must be in WGS 84 (InWgs84). The classes are those of the
// choice and stay the same at every step, so that colours compare across the slider.
std::string MapPage(const ResultsLayer& wgs84, const MapClasses& classes, const MapStyle& style);

// Leaflet's script and style sheet, as the build found them.
const char* LeafletScript();
const char* LeafletStyle();

}  // namespace halosoil::region
