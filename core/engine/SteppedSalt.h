// One step of a SteppedRun as the salt balance's days read it, and where the step's
// salinities go: for the steps one by one (SteppedRun.cpp) and side by side in the lanes of
// the vector unit (SteppedSaltLanes.cpp).
#pragma once

#include "RunInputs.h"
#include "RunState.h"
#include "SteppedRun.h"

namespace halosoil {

// One step of a run as the salt balance's days read it: a run of one step that starts from
// the salinities the steps before left, with the step's groundwater.
struct StepSaltInputs {
    const RunInputs& d;
    const RunState& st;
    const ZoneValues& start;  // read before the step's salinities replace it
    int i;
    StepGroundwater extra;

    bool Added() const { return extra.inflow != 0 || extra.outflow != 0; }
    double TotalInflow() const { return d.GrwtInf + extra.inflow; }
    double TotalOutflow() const { return d.GrwtOut + extra.outflow; }

    int NrTst() const { return 1; }
    int TstLength() const { return d.TstLength; }
    int Layers() const { return d.OneLayer ? 1 : d.TwoLayers ? 2 : 3; }
    double InitSalt(int zone) const { return start[zone]; }
    double LeachEff(int zone) const { return st.LeachEff[zone]; }
    double W(int zone) const {
        return zone == Layer1   ? st.W1
               : zone == Layer2 ? st.W2
               : zone == Layer3 ? st.W3
               : zone == Trans  ? st.Wt
                                : st.Wa;
    }
    double IrrigSalt(int) const { return d.IrrigSpread[i] * d.IrrSal[i]; }
    double Drain(int) const { return st.Drain[i]; }
    // The project's own values where the step adds nothing, so that such a step keeps the
    // plain run's bits.
    double Up() const {
        if (!Added()) return st.Up;
        return TotalInflow() - TotalOutflow() > 0 ? TotalInflow() - TotalOutflow() : 0;
    }
    double Down() const {
        if (!Added()) return st.Down;
        return TotalOutflow() - TotalInflow() > 0 ? TotalOutflow() - TotalInflow() : 0;
    }
    double GrwtOut() const { return extra.outflow != 0 ? TotalOutflow() : d.GrwtOut; }
    // The inflows mixed by flow: the project's at its salinity, the added at its own.
    double LateralSalt() const {
        const double own = d.GrwtInf * d.SalInf;
        return extra.inflow != 0 ? own + extra.inflow * extra.salinity : own;
    }
    double Perc(int layer, int, int j) const {
        return layer == 1 ? st.DayPerc1(i, j) : layer == 2 ? st.DayPerc2(i, j) : st.DayPerc3(i, j);
    }
    double Cap(int layer, int, int j) const {
        return layer == 1 ? st.DayCap1(i, j) : layer == 2 ? st.DayCap2(i, j) : st.DayCap3(i, j);
    }
    double Measured(int zone, int) const { return d.MeasSalt[zone][i]; }
};

struct StepSaltResults {
    RunState& st;
    ZoneValues& carried;
    double (&sse)[kZoneCount + 1];
    int i;

    // Each step adds at most one squared difference per zone, to a sum that starts at 0: the
    // sums grow as the whole pass adds them.
    void AddSquares(int zone, double squares) { sse[zone] = sse[zone] + squares; }

    void Salinities(int, const double (&s)[kZoneCount + 1]) {
        st.SalRoot1[i] = s[Layer1];
        st.SalRoot2[i] = s[Layer2];
        st.SalRoot3[i] = s[Layer3];
        st.SalTrans[i] = s[Trans];
        st.SalAquif[i] = s[Aquif];
        for (int zone = 0; zone <= kZoneCount; ++zone) carried[zone] = s[zone];
    }
};

// The salt steps of runs of one shape (the same step length and layers) side by side, run k
// from inputs[k] into results[k]; Baseline in the lanes of SSE2, Avx2 in those of AVX2.
void SteppedSaltBaseline(const StepSaltInputs* inputs, StepSaltResults* results, int count);
void SteppedSaltAvx2(const StepSaltInputs* inputs, StepSaltResults* results, int count);

}  // namespace halosoil
