#include "WaterBalance.h"

#include <limits>

#include "KernelTable.h"
#include "WaterBalanceGroups.h"

namespace halosoil {

WaterBalance::WaterBalance(const RunInputs& data, RunState& state) : d_(data), s_(state) {}

void WaterBalance::Start() {
    // The capacity is set per step; the rest holds for the whole pass.
    c_ = DayConstantsOf<double>(d_, s_.RootThick, s_.R1, s_.R2, s_.R3, 0.0);
    s_.MoistChange[0] = 0;
    s_.SoilMoist[0] = d_.Moist * c_.moistCap / 100;
    s_.DepthWT[0] = d_.WTdepth;
    carry_ = {};
}

void WaterBalance::SetGroundwater(double inflow, double outflow) {
    // As DayConstantsOf sets them from the project's values.
    c_.grwtInf = inflow;
    c_.grwtOut = outflow;
    c_.inflowTenth = inflow / kSubSteps;
    c_.outflowTenth = outflow / kSubSteps;
}

double WaterBalance::BottomOfAquifer() const {
    return AquiferBottom(d_, s_.RootThick);
}

bool WaterBalance::Step(int i, double qh1, bool checkBottom, double* residual) {
    c_.qh1k = 1000 * qh1;
    if (c_.daily) {
        carry_.moist = s_.SoilMoist[i - 1];
        carry_.change = s_.MoistChange[i - 1];
    }
    const double depthBefore = s_.DepthWT[i - 1];
    const StepFlows<double> step =
        StepOf<double>(c_, carry_, depthBefore, d_.Evap[i], d_.Rain[i] + d_.IrrigSpread[i],
                       !(qh1 < kSubStepCapacity), d_.TstLength);
    const double bottom = checkBottom ? BottomOfAquifer() : std::numeric_limits<double>::infinity();
    if (!StoreStep<double>(s_, i, c_, carry_, step, 0, bottom)) return false;
    if (residual)
        *residual = StepResidual<double>(step.f, step.move, depthBefore,
                                         (d_.GrwtInf - d_.GrwtOut) * d_.TstLength, d_.TstLength);
    return true;
}

bool RunWaterBalance(const RunInputs& data, RunState& state) {
    const RunInputs* runs[] = {&data};
    RunState* states[] = {&state};
    waterbalance::WaterBalanceGroup<double>(runs, states, 1);
    return state.StoppedStep == 0;
}

// Many runs side by side, in the kernels of the run's vector unit.
void RunWaterBalances(const RunInputs* const* data, RunState* const* states, int count,
                      VectorUnit unit) {
    KernelsFor(unit).waterBalances(data, states, count);
}

}  // namespace halosoil
