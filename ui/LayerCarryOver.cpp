#include "LayerCarryOver.h"

#include <algorithm>

#include "InputData.h"
#include "InputPanels.h"
#include "StringGrid.h"

namespace halosoil {

namespace {

// The old zone whose data fill a zone of the new layer count.
int SourceZone(int oldLayers, int newLayers, int zone) {
    if (zone == Trans || zone == Aquif) return zone;
    return SourceLayer(oldLayers, newLayers, zone);
}

}  // namespace

int SourceLayer(int oldLayers, int newLayers, int newLayer) {
    if (newLayers <= oldLayers) return newLayer;
    const int repeats = newLayers - oldLayers + 1;
    return newLayer <= repeats ? 1 : newLayer - repeats + 1;
}

int SoilRowOf(int zone, int layers) {
    if (zone == Trans) return layers;
    if (zone == Aquif) return layers + 1;
    return zone - 1;
}

int SaltColumnOf(int zone, int layers) {
    return SoilRowOf(zone, layers) + 1;
}

void CarrySoilGrid(const StringGrid& from, int oldLayers, StringGrid& to, int newLayers) {
    for (int zone : ZonesOf(newLayers)) {
        const int source = SoilRowOf(SourceZone(oldLayers, newLayers, zone), oldLayers);
        const int target = SoilRowOf(zone, newLayers);
        for (int col = 0; col < 5; ++col) to.SetCell(col, target, from.Cell(col, source));
    }
}

void CarrySalinityGrid(const StringGrid& from, int oldLayers, StringGrid& to, int newLayers,
                       int nrTst) {
    for (int zone : ZonesOf(newLayers)) {
        const int source = SaltColumnOf(SourceZone(oldLayers, newLayers, zone), oldLayers);
        const int target = SaltColumnOf(zone, newLayers);
        for (int row = 1; row <= nrTst; ++row) to.SetCell(target, row, from.Cell(source, row));
    }
}

// More layers repeat the old first layer, fewer drop the deeper ones.
void CarryOverToNewLayerCount(const InputPanels& panels, int oldLayers, int newLayers, int nrTst) {
    if (oldLayers < 1 || oldLayers > 3) return;
    CarrySoilGrid(*panels.SoilGrid(oldLayers), oldLayers, *panels.SoilGrid(newLayers), newLayers);
    StringGrid& salinity = *panels.SaltGrid(newLayers);
    CarrySalinityGrid(*panels.SaltGrid(oldLayers), oldLayers, salinity, newLayers, nrTst);
    salinity.SetRowCount(std::max(nrTst, 0) + 1);
}

}  // namespace halosoil
