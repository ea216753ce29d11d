// The final salt balance: the salinity of every zone day by day from the water flows, with
// the working leaching efficiencies, and the fit of simulated to measured salinities.
#pragma once

#include "EngineOptions.h"
#include "RunInputs.h"
#include "RunState.h"

namespace halosoil {

// Fills SalRoot1..SalAquif, CoefDet and FitNA (and clears LeachEffOptimized of zones with
// fewer than four measurements), with the working efficiencies state.LeachEff.
void RunSaltBalance(const RunInputs& data, RunState& state);

// The fit of the balance's salinities to the measurements from the sums of squared
// differences per zone: CoefDet and FitNA, and LeachEffOptimized cleared where fewer than four
// salinities were measured.
void FinishSaltFit(const RunInputs& data, RunState& state, const double (&sse)[kZoneCount + 1]);

// The balances of several runs of projects of one shape (the same steps, step length and
// layers) side by side in the lanes of the vector unit: each state as RunSaltBalance leaves
// it, to the bit.
void RunSaltBalances(const RunInputs* const* data, RunState* const* states, int count,
                     VectorUnit unit);

}  // namespace halosoil
