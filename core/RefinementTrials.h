// The refinement's trials side by side, each lane a trial capacity through the water-balance
// day of the plain run.

#pragma once

#include <limits>

#include "TrialLanes.h"
#include "WaterBalanceDay.h"

namespace halosoil::refinement {

// Written in the lanes' terms.
using namespace lanes;

// The state one group of trials carries from step to step.
template <class V>
struct TrialGroup {
    DayConstants<V> c;  // the run's, with the group's capacities
    DayCarry<V> carry;
    V depth, accumulated, smallest;
};

template <class V>
HALOSOIL_LANES_INLINE void RefinementBody(const RunInputs& d, const RunState& st,
                                          const double* qValues, int trials, bool ten,
                                          double* smallestOut) {
    const double netInflow = (d.GrwtInf - d.GrwtOut) * d.TstLength;
    const int groups = trials / kWidth<V>;
    TrialGroup<V> group[kMostTrialsAtOnce / kWidth<V>];
    for (int g = 0; g < groups; ++g) {
        TrialGroup<V>& t = group[g];
        t.c = DayConstantsOf<V>(d, st.RootThick, st.R1, st.R2, st.R3,
                                Load<V>(qValues + g * kWidth<V>));
        t.carry = {Splat<V>(0), Splat<V>(0), Splat<V>(d.Moist * MoistureCapacity(d) / 100),
                   Splat<V>(0)};
        t.depth = Splat<V>(d.WTdepth);
        t.accumulated = Splat<V>(0);
        t.smallest = Splat<V>(std::numeric_limits<double>::infinity());
    }

    for (int i = 1; i <= d.NrTst; ++i) {
        const V evap = Splat<V>(d.Evap[i]);
        const V wr = Splat<V>(d.Rain[i] + d.IrrigSpread[i]);
        // The groups are independent: while one waits on a division the next one computes.
        for (int g = 0; g < groups; ++g) {
            TrialGroup<V>& t = group[g];
            const V depth = t.depth;
            const DayFlows<V> f = RootZoneDay<V>(t.c, t.carry, depth, evap, wr);
            const TableMove<V> move = MoveWaterTable<V>(t.c, f, depth, ten);
            const V flow = (f.perc - f.capT) - move.discharge;
            V sum = Splat<V>(0);
            for (int j = 1; j <= d.TstLength; ++j) sum = sum + flow;
            const V residual = sum + netInflow + 1000 * move.porosity * (move.depth - depth);
            t.accumulated = t.accumulated + residual;
            const V size = Abs(t.accumulated);
            t.smallest = Select<V>(size < t.smallest, size, t.smallest);
            t.depth = move.depth;
        }
    }
    for (int g = 0; g < groups; ++g) Store(group[g].smallest, smallestOut + g * kWidth<V>);
}

}  // namespace halosoil::refinement
