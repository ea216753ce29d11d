// The refinement's trials side by side, each lane a trial capacity through the water-balance
// day of the plain run.

#pragma once

#include <limits>

#include "TrialLanes.h"
#include "WaterBalanceDay.h"
#include "WaterBalanceStep.h"

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

// The day's ten sub-steps of every group, sub-step by sub-step: the groups' chains of
// divisions are independent and overlap.
template <class V>
HALOSOIL_LANES_INLINE void MoveInSubSteps(const TrialGroup<V>* group, const DayFlows<V>* flows,
                                          int groups, TableMove<V>* moves) {
    SubStepMove<V> move[kMostTrialsAtOnce / kWidth<V>];
    for (int g = 0; g < groups; ++g) move[g] = SubStepsStart<V>(flows[g], group[g].depth);
    for (int k = 0; k < kSubSteps; ++k)
        for (int g = 0; g < groups; ++g) SubStep<V>(group[g].c, move[g]);
    for (int g = 0; g < groups; ++g)
        moves[g] = {move[g].discharge, move[g].porosity, move[g].depth};
}

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

    DayFlows<V> flows[kMostTrialsAtOnce / kWidth<V>];
    TableMove<V> moves[kMostTrialsAtOnce / kWidth<V>];
    for (int i = 1; i <= d.NrTst; ++i) {
        const V evap = Splat<V>(d.Evap[i]);
        const V wr = Splat<V>(d.Rain[i] + d.IrrigSpread[i]);
        // The groups are independent: each part of the day is done for all of them in turn,
        // so that while one waits on a division the next ones compute.
        for (int g = 0; g < groups; ++g)
            flows[g] = RootZoneDay<V>(group[g].c, group[g].carry, group[g].depth, evap, wr);
        if (ten)
            MoveInSubSteps(group, flows, groups, moves);
        else
            for (int g = 0; g < groups; ++g)
                moves[g] = MoveWaterTable<V>(group[g].c, flows[g], group[g].depth, false);
        for (int g = 0; g < groups; ++g) {
            TrialGroup<V>& t = group[g];
            const DayFlows<V>& f = flows[g];
            const TableMove<V>& move = moves[g];
            const V residual = StepResidual<V>(f, move, t.depth, netInflow, d.TstLength);
            t.accumulated = t.accumulated + residual;
            const V size = Abs(t.accumulated);
            t.smallest = Select<V>(size < t.smallest, size, t.smallest);
            t.depth = move.depth;
        }
    }
    for (int g = 0; g < groups; ++g) Store(group[g].smallest, smallestOut + g * kWidth<V>);
}

}  // namespace halosoil::refinement
