// A step of the water balance over a lane type, as the plain run, the runs side by side and
// the refinement's trials all take it: the step's day (WaterBalanceDay.h) and its sums, the
// residual the refinement weighs it by, and what a lane's step leaves in its run's state.
#pragma once

#include "RunInputs.h"
#include "RunState.h"
#include "TrialLanes.h"
#include "WaterBalanceDay.h"

namespace halosoil {

// The depth of the aquifer's bottom, below which a run's water table may not fall.
inline double AquiferBottom(const RunInputs& d, double rootThick) {
    return rootThick + d.Thick[Trans] + d.Thick[Aquif];
}

// A step of the water balance: its day's flows and move, and the step's four sums.
template <class V>
struct StepFlows {
    DayFlows<V> f;
    TableMove<V> move;
    V drain, actEvap, percol, capRise;
};

// The step that starts with the water table at depth, with evap and wr (rain plus spread
// irrigation) per day; each lane moves in sub-steps where subSteps says so.
template <class V>
HALOSOIL_LANES_INLINE StepFlows<V> StepOf(const DayConstants<V>& c, DayCarry<V>& carry, V depth,
                                          V evap, V wr, lanes::MaskOf<V> subSteps, int tstLength) {
    using lanes::Splat;
    const DayFlows<V> f = RootZoneDay<V>(c, carry, depth, evap, wr);
    StepFlows<V> step{f,           MoveEachWaterTable<V>(c, f, depth, subSteps),
                      Splat<V>(0), Splat<V>(0),
                      Splat<V>(0), Splat<V>(0)};
    // Every day of the step adds the same flows, as often as the step has days.
    for (int j = 1; j <= tstLength; ++j) {
        step.drain = step.drain + step.move.discharge;
        step.actEvap = step.actEvap + f.evapA;
        step.percol = step.percol + f.perc;
        step.capRise = step.capRise + f.capT;
    }
    return step;
}

// What the refinement weighs a step by: the sum over its days of what percolates less what
// rises and drains, the net inflow of groundwater over the step (mm), and the water the
// table's move from depthBefore took or gave.
template <class V>
HALOSOIL_LANES_INLINE V StepResidual(const DayFlows<V>& f, const TableMove<V>& move, V depthBefore,
                                     double netInflow, int tstLength) {
    const V flow = (f.perc - f.capT) - move.discharge;
    V sum = lanes::Splat<V>(0);
    for (int j = 1; j <= tstLength; ++j) sum = sum + flow;
    return sum + netInflow + 1000 * move.porosity * (move.depth - depthBefore);
}

// The flows of lane k's day into the state's tables, for every day of step i.
template <class V>
HALOSOIL_LANES_INLINE void StoreDayFlows(RunState& s, int i, int layers, const DayFlows<V>& f,
                                         int k) {
    using lanes::Lane;
    switch (layers) {
        case 3:
            s.DayPerc3(i, 1) = Lane(f.perc3, k);
            s.DayCap3(i, 1) = Lane(f.cap3, k);
            [[fallthrough]];
        case 2:
            s.DayPerc2(i, 1) = Lane(f.perc2, k);
            s.DayCap2(i, 1) = Lane(f.cap2, k);
            [[fallthrough]];
        default:
            s.DayPerc1(i, 1) = Lane(f.perc1, k);
            s.DayCap1(i, 1) = Lane(f.cap1, k);
    }
}

// Lane k's step i into its run's state: the moisture store of one-day steps, the depth, the
// day flows and, unless the water table fell below bottom, the four sums. Returns false when
// it fell below.
template <class V>
HALOSOIL_LANES_INLINE bool StoreStep(RunState& s, int i, const DayConstants<V>& c,
                                     const DayCarry<V>& carry, const StepFlows<V>& step, int k,
                                     double bottom) {
    using lanes::Lane;
    if (c.daily) {
        s.SoilMoist[i] = Lane(carry.moist, k);
        s.MoistChange[i] = Lane(carry.change, k);
    }
    const double depth = Lane(step.move.depth, k);
    s.DepthWT[i] = depth;
    StoreDayFlows<V>(s, i, c.layers, step.f, k);
    if (depth > bottom) return false;
    s.Drain[i] = Lane(step.drain, k);
    s.ActEvap[i] = Lane(step.actEvap, k);
    s.Percol[i] = Lane(step.percol, k);
    s.CapRise[i] = Lane(step.capRise, k);
    return true;
}

}  // namespace halosoil
