// The daily water balance: evapotranspiration, capillary rise, percolation per layer, drain
// discharge and the depth of the water table. The depth at the end of a step is the depth
// at its start moved by one day's net flow, while the flows are summed over all its days.
#pragma once

#include "EngineOptions.h"
#include "RunInputs.h"
#include "RunState.h"
#include "WaterBalanceDay.h"
#include "WaterBalanceStep.h"

namespace halosoil {

class WaterBalance {
public:
    // state holds RootThick, R1..R3 and is sized.
    WaterBalance(const RunInputs& data, RunState& state);

    // MoistCap, SoilMoist(0), MoistChange(0) and DepthWT(0) before the first step.
    void Start();

    // The groundwater inflow and outflow (mm/day) of the steps from here on, in place of the
    // project's: a field whose aquifer its neighbours share. The project's own values hold
    // until it is called.
    void SetGroundwater(double inflow, double outflow);

    // Days 1..TstLength of step i with capacity qh1: writes the per-day flows and DepthWT(i)
    // and, unless a day's water table falls below the aquifer, the step's four sums.
    // Returns false when that happened (checkBottom) and the step was abandoned.
    // residual, when given, receives the step's residual as the refinement weighs it
    // (StepResidual).
    bool Step(int i, double qh1, bool checkBottom, double* residual = nullptr);

    double BottomOfAquifer() const;

private:
    const RunInputs& d_;
    RunState& s_;
    DayConstants<double> c_{};
    DayCarry<double> carry_{};
};

// The whole water-balance pass with QH1Used: the passes side by side below, at the width of
// one run. Returns false, leaving the steps from the one that failed onward as they were,
// when the water table falls below the aquifer.
bool RunWaterBalance(const RunInputs& data, RunState& state);

// The passes of several runs of one shape (the same steps, step length and layers, drains in
// all or none) side by side in the lanes of the vector unit, each with its QH1Used: each
// state as RunWaterBalance leaves it, to the bit, StoppedStep telling where its water table
// fell below the aquifer (0 when it did not).
void RunWaterBalances(const RunInputs* const* data, RunState* const* states, int count,
                      VectorUnit unit);

}  // namespace halosoil
