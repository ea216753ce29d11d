// The drainage-capacity refinement: 200 trial capacities 0.001, 0.002, ..., 0.200, each
// obtained by adding 0.001 to the one before, run through the daily water balance; the first
// trial that brings the accumulated water-balance residual closest to zero at any step wins.
#pragma once

#include <vector>

#include "EngineOptions.h"
#include "RunInputs.h"
#include "RunState.h"

namespace halosoil {

// The 200 trial capacities, each the one before plus 0.001.
std::vector<double> RefinementCapacities();

// The accumulated residual after each step of one trial with capacity q, in residuals[1..NrTst].
// Leaves the trial's flows and depths in the state.
void RefinementTrial(const RunInputs& data, RunState& state, double q,
                     std::vector<double>& residuals);

// Sets QH1Used and QH1Refined. A winner at either end of the searched range (below 0.002 or
// above 0.199), or no residual below 100000, leaves the entered QH1 and QH1Refined false.
// Both the plain loop and the fast path leave the flows of the last trial in the state.
void RefineDrainageCapacity(const RunInputs& data, RunState& state, const EngineOptions& options);

// The flows and depths of the last trial, as the plain loop leaves them.
void LeaveLastRefinementTrial(const RunInputs& data, RunState& state);

}  // namespace halosoil
