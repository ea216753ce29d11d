// The nine graph types of the Graphs page, in the order of their radio buttons.
#pragma once

namespace halosoil {

enum class GraphType {
    AllHydrology,         // "All hydrological flow factors"
    SurfaceHydrology,     // "Surface hydrology factors"
    SubsurfaceHydrology,  // "Subsurface hydrology factors"
    WaterTable,           // "Depth of the water table"
    SalinityAllLayers,    // "Salinity in all soil layers"
    SalinityFirstLayer,   // "Salinity in first root zone layer"
    SalinitySecondLayer,  // "Salinity second root zone layer"
    SalinityThirdLayer,   // "Salinty in third root zone layer"
    SalinityBelow,        // "Salinity below root zone"
};

inline constexpr int kGraphTypeCount = 9;

// The family whose scaling and drawing serve a type.
enum class GraphFamily { Hydrology, WaterTable, Salinity };

constexpr GraphFamily FamilyOf(GraphType type) {
    switch (type) {
        case GraphType::AllHydrology:
        case GraphType::SurfaceHydrology:
        case GraphType::SubsurfaceHydrology:
            return GraphFamily::Hydrology;
        case GraphType::WaterTable:
            return GraphFamily::WaterTable;
        default:
            return GraphFamily::Salinity;
    }
}

}  // namespace halosoil
