// The example layer of the region command: a block of fields over the yearly two-layer
// project.
#pragma once

#include <string>

namespace halosoil::examples {

// The layer as GeoJSON text: 36 fields of 200 m by 200 m in UTM zone 43 N, each with its plot
// name, soil, drainage capacity, irrigation factor and initial salinity of the first layer.
std::string RegionExampleText();

void WriteRegionExample(const char* name);

}  // namespace halosoil::examples
