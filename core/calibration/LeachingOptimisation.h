// The search of a zone's leaching efficiency against its measured salinities: every
// efficiency from 0.11 to 1.90 in steps of 0.01 is tried by simulating the salt balance of all
// zones, and the first with the smallest sum of differences wins. There is one member per
// layer count and zone, twelve in all, and each keeps the terms of its own salt balance.
#pragma once

#include <vector>

#include "EngineOptions.h"
#include "RunInputs.h"
#include "RunState.h"

namespace halosoil {

// The sum of one trial with efficiency e for the zone searched by the member of the run's
// layer count and zone, reading the working efficiencies le. Capped at 1000.
double LeachingTrial(const RunInputs& data, const RunState& state, const ZoneValues& le, int zone,
                     double e);

// The 180 trial efficiencies, each the one before plus 0.01.
std::vector<double> TrialEfficiencies();

// Whether the member's terms read the working efficiency of the zone it searches, which
// changes as soon as a trial improves, so that its trials depend on the ones before.
bool ReadsSearchedEfficiency(int layers, int zone);

// The zones searched, in the order of the search; with three layers the transition zone and
// the aquifer are searched a second time with what the others found.
std::vector<int> OptimisationOrder(int layers);

// Runs the member of the run's layer count and zone: the working efficiency le[zone] becomes
// the first trial efficiency that reached the smallest sum. Later trials see it at once.
// The plain loop and the fast path give the same efficiency. A run that keeps the conserving
// salt balance is searched with that balance instead (ConservingOptimisation.h).
void OptimiseLeachEff(const RunInputs& data, const RunState& state, ZoneValues& le, int zone,
                      const EngineOptions& options);

}  // namespace halosoil
