// One step of a SteppedRun as the salt balance's days read it, and where the step's
// salinities go: for the steps one by one (SteppedRun.cpp) and side by side in the lanes of
// the vector unit (SteppedSaltLanes.cpp).
#pragma once

#include "RunInputs.h"
#include "RunSaltInputs.h"
#include "RunState.h"
#include "SteppedRun.h"

namespace halosoil {

// One step of a run as the salt balance's days read it: a run of one step that starts from
// the salinities the steps before left, with the step's groundwater. What the step adds
// nothing to it reads as the whole run does.
struct StepSaltInputs : RunSaltInputs {
    const ZoneValues& start;  // read before the step's salinities replace it
    int i;
    StepGroundwater extra;

    bool Added() const { return extra.inflow != 0 || extra.outflow != 0; }
    double TotalInflow() const { return d.GrwtInf + extra.inflow; }
    double TotalOutflow() const { return d.GrwtOut + extra.outflow; }

    int NrTst() const { return 1; }
    double InitSalt(int zone) const { return start[zone]; }
    double IrrigSalt(int) const { return RunSaltInputs::IrrigSalt(i); }
    double Drain(int) const { return RunSaltInputs::Drain(i); }
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
        const double own = RunSaltInputs::LateralSalt();
        return extra.inflow != 0 ? own + extra.inflow * extra.salinity : own;
    }
    double Perc(int layer, int, int j) const { return RunSaltInputs::Perc(layer, i, j); }
    double Cap(int layer, int, int j) const { return RunSaltInputs::Cap(layer, i, j); }
    double Measured(int zone, int) const { return RunSaltInputs::Measured(zone, i); }
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
        RunSaltResults{st}.Salinities(i, s);
        for (int zone = 0; zone <= kZoneCount; ++zone) carried[zone] = s[zone];
    }
};

// The salt steps of runs of one shape (the same step length and layers) side by side, run k
// from inputs[k] into results[k]; Baseline in the lanes of SSE2, Avx2 in those of AVX2.
void SteppedSaltBaseline(const StepSaltInputs* inputs, StepSaltResults* results, int count);
void SteppedSaltAvx2(const StepSaltInputs* inputs, StepSaltResults* results, int count);

}  // namespace halosoil
