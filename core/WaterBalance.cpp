#include "WaterBalance.h"

namespace halosoil {

WaterBalance::WaterBalance(const RunInputs& data, RunState& state) : d_(data), s_(state) {}

void WaterBalance::Start() {
    double held = 0;
    for (int z = Layer1; z <= Layer3; ++z)
        if (d_.ZoneExists(z)) held = held + (d_.TotPor[z] - d_.EffPor[z]) * d_.Thick[z];
    moistCap_ = 1000 * held;
    s_.MoistChange[0] = 0;
    s_.SoilMoist[0] = d_.Moist * moistCap_ / 100;
    s_.DepthWT[0] = d_.WTdepth;
    evapA_ = 0;
    capT_ = 0;
}

double WaterBalance::BottomOfAquifer() const {
    return s_.RootThick + d_.Thick[Trans] + d_.Thick[Aquif];
}

double WaterBalance::PorosityAt(double depth) const {
    if (depth <= 0) return 1.0;
    if (d_.OneLayer) {
        if (depth <= s_.RootThick) return d_.EffPor[Layer1];
    } else {
        if (depth <= d_.Thick[Layer1]) return d_.EffPor[Layer1];
        if (depth <= d_.Thick[Layer1] + d_.Thick[Layer2]) return d_.EffPor[Layer2];
        if (d_.ThreeLayers && depth <= s_.RootThick) return d_.EffPor[Layer3];
    }
    if (depth <= s_.RootThick + d_.Thick[Trans]) return d_.EffPor[Trans];
    return d_.EffPor[Aquif];
}

// The drain discharge for a water table at the given depth; divisor 1 for a whole day,
// 10 for one of its sub-steps. Water standing 0.1 m or more above the surface doubles the
// flow above drain level.
double WaterBalance::Discharge(double depth, double qh1, double divisor) const {
    const double headDrain = d_.DrainDepth - depth;
    if (headDrain <= 0 || !d_.DrainPresent) return 0;
    double drainAbove = 1000 * d_.QH2 * (headDrain * headDrain);
    if (divisor != 1) drainAbove = drainAbove / divisor;
    if (depth <= -0.1) drainAbove = drainAbove * 2;
    double drainBelow = 1000 * qh1 * headDrain;
    if (divisor != 1) drainBelow = drainBelow / divisor;
    const double discharge = drainAbove + drainBelow;
    return discharge < 0 ? 0 : discharge;
}

DayFlows WaterBalance::Day(int i, int j, double qh1) {
    const double depthBefore = s_.DepthWT[i - 1];
    const double rain = d_.Rain[i];
    const double evap = d_.Evap[i];
    const double irrEff = d_.IrrEff;

    // 1. Capillary rise factor.
    double cf = 1;
    const double l = d_.CritDepth - 0.5 * s_.RootThick;
    if (l > 0) {
        cf = (d_.CritDepth - depthBefore) / l;
        if (cf < 0) cf = 0;
        if (cf > 1) cf = 1;
    }

    // 2. Evapotranspiration and capillary rise.
    const double wr = rain + d_.IrrigSpread[i];
    if (irrEff > 0) {
        if (evap / irrEff <= wr) {
            evapA_ = evap;
            capT_ = 0;
        } else {
            evapA_ = irrEff * wr + cf * (evap - irrEff * wr);
            capT_ = evapA_ - wr;
            if (capT_ < 0) capT_ = 0;
        }
    }
    if (evapA_ > evap) evapA_ = evap;
    const double evapA = evapA_;
    double capT = capT_;

    // 3. Root-zone percolation; daily runs pass the surplus through the moisture store.
    double perc;
    if (d_.TstLength == 1) {
        double& change = s_.MoistChange[i];
        double& moist = s_.SoilMoist[i];
        const double changeBefore = s_.MoistChange[i - 1];
        change = wr - evapA;
        if (change + changeBefore > moistCap_) change = moistCap_ - changeBefore;
        moist = s_.SoilMoist[i - 1] + change;
        if (moist < 0) moist = 0;
        if (change < 0) change = 0;
        if (moist > moistCap_) {
            moist = moistCap_;
            change = 0;
        }
        perc = wr - evapA - change;
        if (perc < 0) perc = 0;
        if (perc > capT) {
            perc = perc - capT;
            capT = 0;
        } else {
            capT = capT - perc;
            perc = 0;
        }
        capT_ = capT;  // a day without irrigation efficiency keeps the netted value
    } else {
        perc = wr - evapA;
    }

    // 4. Flows per layer.
    if (d_.OneLayer) {
        s_.DayPerc1(i, j) = perc;
        s_.DayCap1(i, j) = capT;
    } else if (d_.TwoLayers) {
        const double evap1 = (2.0 / 3.0 + s_.R1) * evapA;
        const double evap2 = (1.0 / 3.0 + s_.R2) * evapA;
        const double perc1 = wr / irrEff - evap1;
        double perc2 = perc1 - evap2;
        if (perc2 < 0) perc2 = 0;
        const double cap2 = capT;
        double cap1 = cap2 - evap2;
        if (cap1 < 0) cap1 = 0;
        s_.DayPerc1(i, j) = perc1;
        s_.DayPerc2(i, j) = perc2;
        s_.DayCap1(i, j) = cap1;
        s_.DayCap2(i, j) = cap2;
    } else {
        const auto raised = [](double value) { return value < 0 ? 0.0 : value; };
        const double evap1 = (1.0 / 2.0 + s_.R1) * evapA;
        const double evap2 = (1.0 / 3.0 + s_.R2) * evapA;
        const double evap3 = (1.0 / 6.0 + s_.R3) * evapA;
        const double perc1 = raised(wr / irrEff - evap1);
        const double perc2 = raised(perc1 - evap2);
        const double perc3 = raised(perc2 - evap3);
        const double cap3 = raised(capT);
        const double cap2 = raised(cap3 - evap3);
        const double cap1 = raised(cap2 - evap2);
        s_.DayPerc1(i, j) = perc1;
        s_.DayPerc2(i, j) = perc2;
        s_.DayPerc3(i, j) = perc3;
        s_.DayCap1(i, j) = cap1;
        s_.DayCap2(i, j) = cap2;
        s_.DayCap3(i, j) = cap3;
    }

    // 5, 6. The water table: one step per day below a capacity of 0.02, ten sub-steps from
    // 0.02 on.
    DayFlows flows;
    flows.Perc = perc;
    flows.CapT = capT;
    if (qh1 < 0.02) {
        flows.discharge = Discharge(depthBefore, qh1, 1);
        flows.PorWT = PorosityAt(depthBefore);
        s_.DepthWT[i] = depthBefore - (perc - capT - flows.discharge + d_.GrwtInf - d_.GrwtOut) /
                                          (1000 * flows.PorWT);
    } else {
        double workDepth = depthBefore;
        for (int k = 0; k < 10; ++k) {
            const double subDischarge = Discharge(workDepth, qh1, 10);
            flows.discharge = flows.discharge + subDischarge;
            flows.PorWT = PorosityAt(workDepth);
            workDepth = workDepth -
                        (perc / 10 - capT / 10 - subDischarge + d_.GrwtInf / 10 - d_.GrwtOut / 10) /
                            (1000 * flows.PorWT);
        }
        s_.DepthWT[i] = workDepth;
    }
    return flows;
}

bool WaterBalance::Step(int i, double qh1, bool checkBottom, double* residual, double* porWT) {
    double drain = 0, actEvap = 0, percol = 0, capRise = 0;
    double sum = 0;
    for (int j = 1; j <= d_.TstLength; ++j) {
        const DayFlows flows = Day(i, j, qh1);
        if (checkBottom && s_.DepthWT[i] > BottomOfAquifer()) return false;
        drain = drain + flows.discharge;
        actEvap = actEvap + evapA_;
        percol = percol + flows.Perc;
        capRise = capRise + flows.CapT;
        sum = sum + ((flows.Perc - flows.CapT) - flows.discharge);
        if (porWT) *porWT = flows.PorWT;
    }
    s_.Drain[i] = drain;
    s_.ActEvap[i] = actEvap;
    s_.Percol[i] = percol;
    s_.CapRise[i] = capRise;
    if (residual) *residual = sum;
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

}  // namespace halosoil
