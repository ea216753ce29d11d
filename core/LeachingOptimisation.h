// The search of a zone's leaching efficiency against its measured salinities: every
// efficiency from 0.11 to 1.90 in steps of 0.01 is tried by simulating the salt balance of all
// zones, and the first with the smallest sum of differences wins. There is one member per
// layer count and zone, twelve in all, and each keeps the terms of its own salt balance.
#pragma once

#include <vector>

#include "InputData.h"
#include "RunState.h"

namespace halosoil {

// The sum of one trial with efficiency e for the zone searched by the member of (layers,
// zone), reading the working efficiencies le of the other zones. Capped at 1000.
double LeachingTrial(const InputData& data, const RunState& state, const ZoneValues& le, int layers,
                     int zone, double e);

// The zones searched, in the order of the search; with three layers the transition zone and
// the aquifer are searched a second time with what the others found.
std::vector<int> OptimisationOrder(int layers);

// Runs the member of (layers, zone): the working efficiency le[zone] becomes the first trial
// efficiency that reached the smallest sum. Later trials see it at once.
void OptimiseLeachEff(const InputData& data, const RunState& state, ZoneValues& le, int layers,
                      int zone);

}  // namespace halosoil
