#include "DrawGraph.h"

namespace halosoil {

AxisState DrawGraph(Canvas& canvas, GraphType type, const GraphSource& source) {
    switch (FamilyOf(type)) {
        case GraphFamily::Hydrology:
            return DrawHydrologyGraph(canvas, type, source);
        case GraphFamily::WaterTable:
            return DrawWaterTableGraph(canvas, source);
        case GraphFamily::Salinity:
            break;
    }
    return DrawSalinityGraph(canvas, type, source);
}

SalinityZones ZonesShown(GraphType type, int layers) {
    SalinityZones zones;
    switch (type) {
        case GraphType::SalinityAllLayers:
            // With one layer the root zone and what lies below it; with more, the layers.
            zones.layer1 = true;
            zones.layer2 = layers >= 2;
            zones.layer3 = layers >= 3;
            zones.below = layers == 1;
            break;
        case GraphType::SalinityFirstLayer:
            zones.layer1 = true;
            break;
        case GraphType::SalinitySecondLayer:
            zones.layer2 = layers >= 2;
            break;
        case GraphType::SalinityThirdLayer:
            zones.layer3 = layers >= 3;
            break;
        case GraphType::SalinityBelow:
            zones.below = true;
            break;
        default:
            break;
    }
    return zones;
}

}  // namespace halosoil
