// The graph drawing module: the nine graph types drawn on a canvas from the results of the
// output file on display. Three drawings serve them all: the hydrological flows (three
// variants), the water table, and the salinities (five variants). Each draws the frame, its
// titles and legends, the data, and last the axes.
//
// The drawings are pure functions of what they are given: the project record (NrTst and
// NrLayers as read back from the output file, the titles, rainfall, irrigation and measured
// salinities), the run state (the result series), what the reading of the output file kept
// of the efficiencies and coefficients, and per zone whether a coefficient exists at all.
#pragma once

#include <array>

#include "AxisState.h"
#include "Canvas.h"
#include "GraphType.h"
#include "InputData.h"
#include "OutputFile.h"
#include "RunState.h"

namespace halosoil {

struct GraphSource {
    const InputData& data;
    const RunState& state;
    const OutputReadBack& readBack;
};

// Draws the graph of the type; returns the axis state it used.
AxisState DrawGraph(Canvas& canvas, GraphType type, const GraphSource& source);

AxisState DrawHydrologyGraph(Canvas& canvas, GraphType type, const GraphSource& source);
AxisState DrawWaterTableGraph(Canvas& canvas, const GraphSource& source);
AxisState DrawSalinityGraph(Canvas& canvas, GraphType type, const GraphSource& source);

// The zones a salinity graph shows: root-zone layers 1 to 3 (each only where it exists) and
// "below", the transition zone and the aquifer together.
struct SalinityZones {
    bool layer1 = false;
    bool layer2 = false;
    bool layer3 = false;
    bool below = false;
};
SalinityZones ZonesShown(GraphType type, int layers);

}  // namespace halosoil
