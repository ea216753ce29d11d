// The ten per-step results of a run, each once: its name in scripts, files and the batch
// runner (the output table's column: `depth_water_table`, `salinity_layer1`, ...), the
// member of RunState that holds it, its zone, unit and meaning. Listed in the order of the
// output file's columns, which is also the order ResultSeries gives.
#pragma once

#include <array>

#include "RunState.h"

namespace halosoil {

struct ResultQuantity {
    const char* name;
    Series RunState::*member;
    int zone;  // the zone (1..5) of a salinity, 0 for the water balance's results
    const char* unit;
    const char* meaning;
};

inline constexpr int kResultCount = 10;

// The same ten in the same order on every call.
const std::array<ResultQuantity, kResultCount>& ResultQuantities();

// The result series of a run's state, in the catalogue's order.
std::array<Series*, kResultCount> ResultSeries(RunState& state);
std::array<const Series*, kResultCount> ResultSeries(const RunState& state);

// Sizes the ten per-step results to nrTst + 1 values.
void SizeResultSeries(RunState& state, int nrTst);

}  // namespace halosoil
