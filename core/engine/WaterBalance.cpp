#include "WaterBalance.h"

#include "KernelTable.h"

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
    return s_.RootThick + d_.Thick[Trans] + d_.Thick[Aquif];
}

bool WaterBalance::Step(int i, double qh1, bool checkBottom, double* residual, double* porWT) {
    c_.qh1k = 1000 * qh1;
    if (c_.daily) {
        carry_.moist = s_.SoilMoist[i - 1];
        carry_.change = s_.MoistChange[i - 1];
    }
    const double depthBefore = s_.DepthWT[i - 1];
    const DayFlows<double> f =
        RootZoneDay<double>(c_, carry_, depthBefore, d_.Evap[i], d_.Rain[i] + d_.IrrigSpread[i]);
    const TableMove<double> move =
        MoveWaterTable<double>(c_, f, depthBefore, !(qh1 < kSubStepCapacity));
    if (c_.daily) {
        s_.SoilMoist[i] = carry_.moist;
        s_.MoistChange[i] = carry_.change;
    }
    s_.DepthWT[i] = move.depth;

    StoreDayFlows<double>(s_, i, d_.Layers, f, 0);

    double drain = 0, actEvap = 0, percol = 0, capRise = 0;
    double sum = 0;
    for (int j = 1; j <= d_.TstLength; ++j) {
        if (checkBottom && move.depth > BottomOfAquifer()) return false;
        drain = drain + move.discharge;
        actEvap = actEvap + f.evapA;
        percol = percol + f.perc;
        capRise = capRise + f.capT;
        sum = sum + ((f.perc - f.capT) - move.discharge);
    }
    s_.Drain[i] = drain;
    s_.ActEvap[i] = actEvap;
    s_.Percol[i] = percol;
    s_.CapRise[i] = capRise;
    if (residual) *residual = sum;
    if (porWT) *porWT = move.porosity;
    return true;
}

bool RunWaterBalance(const RunInputs& data, RunState& state) {
    WaterBalance balance(data, state);
    balance.Start();
    state.StoppedStep = 0;
    for (int i = 1; i <= data.NrTst; ++i) {
        if (!balance.Step(i, state.QH1Used, true)) {
            state.StoppedStep = i;
            return false;
        }
    }
    return true;
}

// Many runs side by side, in the kernels of the run's vector unit.
void RunWaterBalances(const RunInputs* const* data, RunState* const* states, int count,
                      VectorUnit unit) {
    KernelsFor(unit).waterBalances(data, states, count);
}

}  // namespace halosoil
