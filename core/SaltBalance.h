// The final salt balance: the salinity of every zone day by day from the water flows, with
// the working leaching efficiencies, and the fit of simulated to measured salinities.
#pragma once

#include "RunInputs.h"
#include "RunState.h"

namespace halosoil {

// Fills SalRoot1..SalAquif, CoefDet and FitNA (and clears LeachEffOptimized of zones with
// fewer than four measurements), with the working efficiencies state.LeachEff.
void RunSaltBalance(const RunInputs& data, RunState& state);

}  // namespace halosoil
