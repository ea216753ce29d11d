// The water-balance passes of several runs side by side: run k in lane k, each lane doing the
// one-run pass's operations in its order (WaterBalanceDay.h), so that every state ends as
// RunWaterBalance leaves it, to the bit. The runs share their shape (steps, step length,
// layers and whether drains are present); each has its own numbers, capacity and series. A run
// whose water table falls below the aquifer keeps what its last step wrote, as the one-run
// pass leaves it, while the others go on.
#pragma once

#include "RunInputs.h"
#include "RunState.h"
#include "TrialLanes.h"
#include "WaterBalance.h"
#include "WaterBalanceDay.h"
#include "WaterBalanceStep.h"

namespace halosoil::waterbalance {

using lanes::kWidth;
using lanes::Splat;

// Lane k of a value from run k.
template <class V, class Of>
HALOSOIL_LANES_INLINE V Gather(const Of& of) {
    if constexpr (lanes::kOneLane<V>) {
        return of(0);
    } else {
        V v{};  // every lane is set below; the braces spare -O1 a false warning
        for (int k = 0; k < kWidth<V>; ++k) v[k] = of(k);
        return v;
    }
}

// Where lane k's run moves its water table in sub-steps.
template <class V>
HALOSOIL_LANES_INLINE lanes::MaskOf<V> SubStepLanes(RunState* const* st) {
    if constexpr (lanes::kOneLane<V>) {
        return !(st[0]->QH1Used < kSubStepCapacity);
    } else {
        lanes::MaskOf<V> subSteps{};
        for (int k = 0; k < kWidth<V>; ++k)
            subSteps[k] = st[k]->QH1Used < kSubStepCapacity ? 0 : -1;
        return subSteps;
    }
}

// The one-run pass's constants of each lane's run, lane by lane.
template <class V>
HALOSOIL_LANES_INLINE DayConstants<V> LaneConstants(const RunInputs* const* d,
                                                    const RunState* const* st) {
    DayConstants<double> one[kWidth<V>];
    for (int k = 0; k < kWidth<V>; ++k)
        one[k] = DayConstantsOf<double>(*d[k], st[k]->RootThick, st[k]->R1, st[k]->R2, st[k]->R3,
                                        st[k]->QH1Used);
    const auto lane = [&](auto field) HALOSOIL_LANE_LAMBDA {
        return Gather<V>([&](int k) HALOSOIL_LANE_LAMBDA { return one[k].*field; });
    };
    const auto soil = [&](auto field) HALOSOIL_LANE_LAMBDA {
        return Gather<V>([&](int k) HALOSOIL_LANE_LAMBDA { return one[k].profile.*field; });
    };
    using C = DayConstants<double>;
    using P = SoilProfile<double>;
    return {{soil(&P::t1), soil(&P::t12), soil(&P::root), soil(&P::rootTrans), soil(&P::eff1),
             soil(&P::eff2), soil(&P::eff3), soil(&P::effT), soil(&P::effA),
             one[0].profile.oneLayer, one[0].profile.threeLayers},
            lane(&C::critDepth),
            lane(&C::reach),
            lane(&C::irrEff),
            lane(&C::r1),
            lane(&C::r2),
            lane(&C::r3),
            lane(&C::moistCap),
            lane(&C::drainDepth),
            lane(&C::qh2k),
            lane(&C::qh1k),
            lane(&C::grwtInf),
            lane(&C::grwtOut),
            lane(&C::inflowTenth),
            lane(&C::outflowTenth),
            one[0].layers,
            one[0].daily,
            one[0].drainPresent};
}

// Runs 0..runs-1 of one shape; lanes beyond them repeat run 0 and write nothing. Sets
// StoppedStep of each state (0 when the pass went through) and returns nothing else: the
// caller marks the stopped runs. At the width of one run (V double) this is the plain pass.
template <class V>
HALOSOIL_LANES_INLINE void WaterBalanceGroup(const RunInputs* const* data, RunState* const* states,
                                             int runs) {
    constexpr int W = kWidth<V>;
    const RunInputs* d[W];
    RunState* st[W];
    bool going[W];
    double bottom[W];
    for (int k = 0; k < W; ++k) {
        d[k] = data[k < runs ? k : 0];
        st[k] = states[k < runs ? k : 0];
        going[k] = k < runs;
        bottom[k] = AquiferBottom(*d[k], st[k]->RootThick);
    }
    const RunInputs& shape = *d[0];
    const DayConstants<V> c = LaneConstants<V>(d, st);
    const lanes::MaskOf<V> subSteps = SubStepLanes<V>(st);

    DayCarry<V> carry{Splat<V>(0), Splat<V>(0), Splat<V>(0), Splat<V>(0)};
    carry.moist = Gather<V>(
        [&](int k) HALOSOIL_LANE_LAMBDA { return d[k]->Moist * lanes::Lane(c.moistCap, k) / 100; });
    V depth = Gather<V>([&](int k) HALOSOIL_LANE_LAMBDA { return d[k]->WTdepth; });
    for (int k = 0; k < runs; ++k) {
        RunState& s = *st[k];
        s.MoistChange[0] = 0;
        s.SoilMoist[0] = lanes::Lane(carry.moist, k);
        s.DepthWT[0] = lanes::Lane(depth, k);
        s.StoppedStep = 0;
    }

    int left = runs;
    for (int i = 1; i <= shape.NrTst && left > 0; ++i) {
        const V evap = Gather<V>([&](int k) HALOSOIL_LANE_LAMBDA { return d[k]->Evap[i]; });
        const V wr = Gather<V>(
            [&](int k) HALOSOIL_LANE_LAMBDA { return d[k]->Rain[i] + d[k]->IrrigSpread[i]; });
        const StepFlows<V> step = StepOf<V>(c, carry, depth, evap, wr, subSteps, shape.TstLength);
        for (int k = 0; k < runs; ++k) {
            if (!going[k]) continue;
            if (!StoreStep<V>(*st[k], i, c, carry, step, k, bottom[k])) {
                st[k]->StoppedStep = i;
                going[k] = false;
                --left;
            }
        }
        depth = step.move.depth;
    }
}

// Every run in groups of the unit's width.
template <class V>
HALOSOIL_LANES_INLINE void WaterBalanceGroups(const RunInputs* const* data, RunState* const* states,
                                              int count) {
    for (int first = 0; first < count; first += kWidth<V>) {
        const int runs = count - first < kWidth<V> ? count - first : kWidth<V>;
        WaterBalanceGroup<V>(data + first, states + first, runs);
    }
}

}  // namespace halosoil::waterbalance
