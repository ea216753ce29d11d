// The rules that turn the data range of a graph into axis ends, tick counts and label
// decimals: one for the hydrological flows, one for the water table, one for salinities, and
// the horizontal axis they share.
#pragma once

#include <vector>

#include "AxisState.h"
#include "GraphType.h"
#include "InputData.h"

namespace halosoil {

// The horizontal axis from NrTst; the water-table and salinity families refine the tick count.
void ScaleHorizontalAxis(AxisState& axis, int nrTst, GraphFamily family);

// Flows shown, over steps 1 to nrTst; allFlows for "All hydrological flow factors", which
// leaves more room above the lines for its longer legend.
AxisState ScaleHydrologyGraph(const std::vector<const Series*>& flows, int nrTst, bool allFlows);

// Depth of the water table in m below the surface; the axis shows its level (the negative).
AxisState ScaleWaterTableGraph(const Series& depthWT, int nrTst);

// Calculated and measured salinities of the zones shown; a measured value of 0 or less is no
// measurement for the lower end. oneLayerAllZones for "Salinity in all soil layers" with one
// root-zone layer, whose five legends need more room at the top.
AxisState ScaleSalinityGraph(const std::vector<const Series*>& calculated,
                             const std::vector<const Series*>& measured, int nrTst,
                             bool oneLayerAllZones);

// Element i of a series, or fallback when the series is shorter (a record that no longer
// matches the results read back).
inline double ValueAt(const Series& series, int i, double fallback = 0.0) {
    return i >= 0 && static_cast<std::size_t>(i) < series.size() ? series[i] : fallback;
}

}  // namespace halosoil
