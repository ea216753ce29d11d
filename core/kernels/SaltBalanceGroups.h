// The final salt balances of several runs side by side: run k in lane k of a vector of the
// unit's width, each lane doing the one-run balance's operations in its order. The runs'
// updates are independent, so their divisions overlap instead of each waiting on the one
// before, which is what bounds a single balance.

#pragma once

#include "SaltBalance.h"
#include "SaltBalanceDays.h"

namespace halosoil::saltbalance {

using lanes::kWidth;

// What the balance reads of the runs of one group, lane k from run k; lanes beyond the
// group's runs repeat its first run and are never stored.
template <class V>
struct LaneSaltInputs {
    const RunInputs* d[kWidth<V>];
    const RunState* st[kWidth<V>];

    // Lane k of each value read from run k.
    template <class OfRun>
    HALOSOIL_LANES_INLINE V Gathered(const OfRun& ofRun) const {
        V v{};  // every lane is set below; the braces spare -O1 a false warning
        for (int k = 0; k < kWidth<V>; ++k) v[k] = ofRun(k);
        return v;
    }

    HALOSOIL_LANES_INLINE int NrTst() const { return d[0]->NrTst; }
    HALOSOIL_LANES_INLINE int TstLength() const { return d[0]->TstLength; }
    HALOSOIL_LANES_INLINE int Layers() const {
        return d[0]->OneLayer ? 1 : d[0]->TwoLayers ? 2 : 3;
    }
    HALOSOIL_LANES_INLINE V InitSalt(int zone) const {
        return Gathered([&](int k) HALOSOIL_LANE_LAMBDA { return d[k]->InitSalt[zone]; });
    }
    HALOSOIL_LANES_INLINE V LeachEff(int zone) const {
        return Gathered([&](int k) HALOSOIL_LANE_LAMBDA { return st[k]->LeachEff[zone]; });
    }
    HALOSOIL_LANES_INLINE V W(int zone) const {
        return Gathered([&](int k) HALOSOIL_LANE_LAMBDA {
            const RunState& s = *st[k];
            return zone == Layer1   ? s.W1
                   : zone == Layer2 ? s.W2
                   : zone == Layer3 ? s.W3
                   : zone == Trans  ? s.Wt
                                    : s.Wa;
        });
    }
    HALOSOIL_LANES_INLINE V IrrigSalt(int i) const {
        return Gathered(
            [&](int k) HALOSOIL_LANE_LAMBDA { return d[k]->IrrigSpread[i] * d[k]->IrrSal[i]; });
    }
    HALOSOIL_LANES_INLINE V Drain(int i) const {
        return Gathered([&](int k) HALOSOIL_LANE_LAMBDA { return st[k]->Drain[i]; });
    }
    HALOSOIL_LANES_INLINE V Up() const {
        return Gathered([&](int k) HALOSOIL_LANE_LAMBDA { return st[k]->Up; });
    }
    HALOSOIL_LANES_INLINE V Down() const {
        return Gathered([&](int k) HALOSOIL_LANE_LAMBDA { return st[k]->Down; });
    }
    HALOSOIL_LANES_INLINE V GrwtOut() const {
        return Gathered([&](int k) HALOSOIL_LANE_LAMBDA { return d[k]->GrwtOut; });
    }
    HALOSOIL_LANES_INLINE V LateralSalt() const {
        return Gathered([&](int k) HALOSOIL_LANE_LAMBDA { return d[k]->GrwtInf * d[k]->SalInf; });
    }
    HALOSOIL_LANES_INLINE V Perc(int layer, int i, int j) const {
        return Gathered([&](int k) HALOSOIL_LANE_LAMBDA {
            const RunState& s = *st[k];
            return layer == 1 ? s.DayPerc1(i, j) : layer == 2 ? s.DayPerc2(i, j) : s.DayPerc3(i, j);
        });
    }
    HALOSOIL_LANES_INLINE V Cap(int layer, int i, int j) const {
        return Gathered([&](int k) HALOSOIL_LANE_LAMBDA {
            const RunState& s = *st[k];
            return layer == 1 ? s.DayCap1(i, j) : layer == 2 ? s.DayCap2(i, j) : s.DayCap3(i, j);
        });
    }
    HALOSOIL_LANES_INLINE V Measured(int zone, int i) const {
        return Gathered([&](int k) HALOSOIL_LANE_LAMBDA { return d[k]->MeasSalt[zone][i]; });
    }
};

template <class V>
struct LaneSaltResults {
    RunState* st[kWidth<V>];
    int runs;

    // The five stores of each lane named one by one rather than through the catalogue of
    // results (QuantityCatalogue.h): the kernel stores them at every step of every lane.
    HALOSOIL_LANES_INLINE void Salinities(int i, const V (&s)[kZoneCount + 1]) {
        for (int k = 0; k < runs; ++k) {
            RunState& state = *st[k];
            state.SalRoot1[i] = s[Layer1][k];
            state.SalRoot2[i] = s[Layer2][k];
            state.SalRoot3[i] = s[Layer3][k];
            state.SalTrans[i] = s[Trans][k];
            state.SalAquif[i] = s[Aquif][k];
        }
    }
};

template <class V>
HALOSOIL_LANES_INLINE void BalanceGroups(const RunInputs* const* data, RunState* const* states,
                                         int count) {
    for (int first = 0; first < count; first += kWidth<V>) {
        const int runs = count - first < kWidth<V> ? count - first : kWidth<V>;
        LaneSaltInputs<V> inputs;
        LaneSaltResults<V> results;
        results.runs = runs;
        for (int k = 0; k < kWidth<V>; ++k) {
            const int run = first + (k < runs ? k : 0);
            inputs.d[k] = data[run];
            inputs.st[k] = states[run];
            results.st[k] = states[run];
        }
        V sse[kZoneCount + 1];
        // The runs of a group are of one shape, which includes their kind of balance.
        if (data[first]->SaltBalance == SaltBalanceKind::Conserving)
            SaltBalanceDays<V, SaltBalanceKind::Conserving>(inputs, results, sse);
        else
            SaltBalanceDays<V, SaltBalanceKind::Specified>(inputs, results, sse);
        for (int k = 0; k < runs; ++k) {
            double runSse[kZoneCount + 1];
            for (int zone = 0; zone <= kZoneCount; ++zone) runSse[zone] = sse[zone][k];
            FinishSaltFit(*data[first + k], *states[first + k], runSse);
        }
    }
}

}  // namespace halosoil::saltbalance
