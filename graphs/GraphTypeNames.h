// Names of the nine graph types that a person can type on a command line, beside the
// captions of the Graphs page's radio buttons.
#pragma once

#include <optional>
#include <string>

#include "GraphType.h"

namespace halosoil {

struct GraphTypeName {
    GraphType type;
    const char* name;     // e.g. "water-table"
    const char* caption;  // the radio button's caption
};

inline constexpr GraphTypeName kGraphTypeNames[kGraphTypeCount] = {
    {GraphType::AllHydrology, "hydrology", "All hydrological flow factors"},
    {GraphType::SurfaceHydrology, "surface-hydrology", "Surface hydrology factors"},
    {GraphType::SubsurfaceHydrology, "subsurface-hydrology", "Subsurface hydrology factors"},
    {GraphType::WaterTable, "water-table", "Depth of the water table"},
    {GraphType::SalinityAllLayers, "salinity", "Salinity in all soil layers"},
    {GraphType::SalinityFirstLayer, "salinity-layer1", "Salinity in first root zone layer"},
    {GraphType::SalinitySecondLayer, "salinity-layer2", "Salinity second root zone layer"},
    {GraphType::SalinityThirdLayer, "salinity-layer3", "Salinty in third root zone layer"},
    {GraphType::SalinityBelow, "salinity-below", "Salinity below root zone"},
};

inline std::optional<GraphType> GraphTypeNamed(const std::string& name) {
    for (const GraphTypeName& entry : kGraphTypeNames)
        if (name == entry.name) return entry.type;
    return std::nullopt;
}

// The root-zone layers a type needs: the second and third layer graphs exist only for outputs
// of that many layers, as on the Graphs page.
constexpr int LayersNeeded(GraphType type) {
    if (type == GraphType::SalinitySecondLayer) return 2;
    if (type == GraphType::SalinityThirdLayer) return 3;
    return 1;
}

}  // namespace halosoil
