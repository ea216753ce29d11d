// The twelve optimisation members, written once over a lane type: each member with its own
// terms, as the search has always had them, with a trial efficiency and a working efficiency
// of the searched zone per lane. A plain double is one trial: the plain loop itself.
//
// Each day updates one zone in every group of lanes before the next zone, so the groups'
// independent updates fill the pipeline instead of waiting on each other's divisions; a zone
// whose outflow does not depend on the trial solves its divisor once for all lanes.

#pragma once

#include "TrialLanes.h"
#include "ZoneUpdate.h"

namespace halosoil::members {

// Written in the lanes' terms.
using namespace lanes;

// A zone's salinity and its day average in one group of lanes.
template <class V>
struct LaneZone {
    V s, avg;

    // The outflow weighed by an efficiency that differs per trial.
    HALOSOIL_LANES_INLINE void Update(V in, V weightedOut, double w, SaltFloor floor) {
        const V sNew = UpdateZone<V>(s, in, weightedOut, Splat<V>(w), floor);
        avg = (s + sNew) / 2;
        s = sNew;
    }

    // The outflow the same in every trial: h is half of it, dv the divisor.
    HALOSOIL_LANES_INLINE void Update(V in, double h, double dv, double w, SaltFloor floor) {
        const V sNew = SolvedSalinity<V>(s, in, Splat<V>(h), Splat<V>(dv), Splat<V>(w), floor);
        avg = (s + sNew) / 2;
        s = sNew;
    }
};

template <class V>
struct Trials {
    static constexpr int kMostGroups = kMostTrialsAtOnce / kWidth<V>;
    const RunInputs& d;
    const RunState& st;
    const ZoneValues& le;
    int zone;
    int groups;             // groups still computed; order[0..groups-1] are their indices
    SumBound bound;         // a group whose every sum is past it stops
    bool absolute = false;  // sums of absolute differences instead of squares
    int order[kMostGroups]{};
    V e[kMostGroups]{};    // the trial efficiencies
    V leS[kMostGroups]{};  // the working efficiency of the searched zone each trial sees
    V sse[kMostGroups]{};
    LaneZone<V> z[kZoneCount + 1][kMostGroups]{};

    // Updates `zone` in every group. Its outflow is `water` weighed by the trial efficiency
    // when `trial` is set, else by the efficiency `efficiency`; in(g) is its salt inflow.
    template <class In>
    HALOSOIL_LANES_INLINE void Update(int updated, bool trial, double efficiency, double water,
                                      double w, SaltFloor floor, const In& in) {
        LaneZone<V>* lanes = z[updated];
        if (trial) {
            for (int a = 0; a < groups; ++a) {
                const int g = order[a];
                lanes[g].Update(in(g), e[g] * water, w, floor);
            }
        } else {
            const double h = 0.5 * (efficiency * water);
            const double dv = ZoneDivisor<double>(h, w);
            for (int a = 0; a < groups; ++a) {
                const int g = order[a];
                lanes[g].Update(in(g), h, dv, w, floor);
            }
        }
    }

    // The difference of the searched zone on the last day of a step with a measurement,
    // right after its update.
    HALOSOIL_LANES_INLINE void Measure(int updated, int i, int j) {
        if (updated != zone || j != d.TstLength) return;
        const double measured = d.MeasSalt[zone][i];
        if (!(measured > 0)) return;
        for (int a = 0; a < groups;) {
            const int g = order[a];
            const V difference = z[zone][g].s - measured;
            V sum = sse[g] + (absolute ? Abs(difference) : difference * difference);
            sse[g] = Select<V>(sum > kSumCap, Splat<V>(kSumCap), sum);
            const bool stops = bound.stopOnReaching ? lanes::All<V>(sse[g] >= bound.value)
                                                    : lanes::All<V>(sse[g] > bound.value);
            if (stops)
                order[a] = order[--groups];  // stops; the last group takes its place
            else
                ++a;
        }
    }
};

// Members 1 to 3. With one layer the aquifer's lateral inflow and outflow of salt are taken
// TstLength times on every day, and the transition-zone member uses the single irrigation
// salinity; the members for the transition zone and the aquifer leave layer 1 unbounded.
template <class V>
HALOSOIL_LANES_INLINE void OneLayerBody(Trials<V>& t) {
    const RunInputs& d = t.d;
    const RunState& st = t.st;
    const ZoneValues& le = t.le;
    const bool searchRoot = t.zone == Layer1;
    const bool searchTrans = t.zone == Trans;
    const bool searchAquif = t.zone == Aquif;
    const SaltFloor layerFloor = searchRoot ? SaltFloor::AtZero : SaltFloor::None;
    const double tstLength = d.TstLength;
    LaneZone<V>* z1 = t.z[Layer1];
    LaneZone<V>* zt = t.z[Trans];
    LaneZone<V>* za = t.z[Aquif];
    const double waterA = tstLength * d.GrwtOut + st.Up;
    const double lateralSalt = d.GrwtInf * d.SalInf * tstLength;
    for (int i = 1; i <= d.NrTst; ++i) {
        const double irrigationSalinity = searchTrans ? d.SaltIrrig : d.IrrSal[i];
        const double irrigSalt = d.IrrigSpread[i] * irrigationSalinity;
        const double transWater = st.Drain[i] + st.Down;
        for (int j = 1; j <= d.TstLength; ++j) {
            const double perc1 = st.DayPerc1(i, j);
            const double cap1 = st.DayCap1(i, j);
            t.Update(Layer1, searchRoot, le[Layer1], perc1, st.W1, layerFloor,
                     [&](int g) HALOSOIL_LANE_LAMBDA { return irrigSalt + cap1 * zt[g].s; });
            t.Measure(Layer1, i, j);
            t.Update(Trans, searchTrans, le[Trans], transWater, st.Wt, SaltFloor::BelowZero,
                     [&](int g) HALOSOIL_LANE_LAMBDA {
                         const V leachate = searchRoot ? t.e[g] * perc1 * z1[g].avg
                                                       : le[Layer1] * perc1 * z1[g].avg;
                         return leachate + st.Up * za[g].s;
                     });
            t.Measure(Trans, i, j);
            t.Update(Aquif, searchAquif, le[Aquif], waterA, st.Wa, SaltFloor::BelowZero,
                     [&](int g) HALOSOIL_LANE_LAMBDA {
                         const V leachate = searchTrans ? t.e[g] * st.Down * zt[g].avg
                                                        : le[Trans] * st.Down * zt[g].avg;
                         return leachate + lateralSalt;
                     });
            t.Measure(Aquif, i, j);
        }
    }
}

// Members 4 to 7. The layer-1 member also tries its efficiency on layer 2's outflow and on
// the leachate into the transition zone; the aquifer member weighs the upward seepage into
// the transition zone with the aquifer's efficiency; only the layer-2 member weighs the
// transition zone's leachate into the aquifer.
template <class V>
HALOSOIL_LANES_INLINE void TwoLayerBody(Trials<V>& t) {
    const RunInputs& d = t.d;
    const RunState& st = t.st;
    const ZoneValues& le = t.le;
    const bool search1 = t.zone == Layer1;
    const bool search2 = t.zone == Layer2;
    const bool searchTrans = t.zone == Trans;
    const bool searchAquif = t.zone == Aquif;
    LaneZone<V>* z1 = t.z[Layer1];
    LaneZone<V>* z2 = t.z[Layer2];
    LaneZone<V>* zt = t.z[Trans];
    LaneZone<V>* za = t.z[Aquif];
    const double waterA = d.GrwtOut + st.Up;
    const double lateralSalt = d.GrwtInf * d.SalInf;
    for (int i = 1; i <= d.NrTst; ++i) {
        const double irrigSalt = d.IrrigSpread[i] * d.IrrSal[i];
        const double transWater = st.Drain[i] + st.Down;
        for (int j = 1; j <= d.TstLength; ++j) {
            const double perc1 = st.DayPerc1(i, j);
            const double perc2 = st.DayPerc2(i, j);
            const double cap1 = st.DayCap1(i, j);
            const double cap2 = st.DayCap2(i, j);
            t.Update(Layer1, search1, le[Layer1], perc1, st.W1, SaltFloor::AtZero,
                     [&](int g) HALOSOIL_LANE_LAMBDA { return irrigSalt + cap1 * z2[g].s; });
            t.Measure(Layer1, i, j);
            // The layer-1 member also tries its efficiency on layer 2's outflow, yet weighs
            // the leachate into layer 2 with layer 1's working efficiency.
            t.Update(Layer2, search1 || search2, le[Layer2], perc2 + cap1, st.W2, SaltFloor::AtZero,
                     [&](int g) HALOSOIL_LANE_LAMBDA {
                         const V leachate = search1 ? t.leS[g] * perc1 * z1[g].avg
                                                    : le[Layer1] * perc1 * z1[g].avg;
                         return leachate + cap2 * zt[g].s;
                     });
            t.Measure(Layer2, i, j);
            // The aquifer member weighs the upward seepage with the aquifer's working
            // efficiency; the layer-2 member the leachate with layer 2's.
            t.Update(Trans, searchTrans, le[Trans], transWater, st.Wt, SaltFloor::BelowZero,
                     [&](int g) HALOSOIL_LANE_LAMBDA {
                         const V seepage =
                             searchAquif ? t.leS[g] * st.Up * za[g].s : st.Up * za[g].s;
                         const V leachate = search1   ? t.e[g] * perc2 * z2[g].avg
                                            : search2 ? t.leS[g] * perc2 * z2[g].avg
                                                      : le[Layer2] * perc2 * z2[g].avg;
                         return leachate + seepage;
                     });
            t.Measure(Trans, i, j);
            t.Update(Aquif, searchAquif, le[Aquif], waterA, st.Wa, SaltFloor::BelowZero,
                     [&](int g) HALOSOIL_LANE_LAMBDA {
                         const V leachate =
                             search2 ? le[Trans] * st.Down * zt[g].avg : st.Down * zt[g].avg;
                         return leachate + lateralSalt;
                     });
            t.Measure(Aquif, i, j);
        }
    }
}

// Members 8 to 12. The layer-1 member also tries its efficiency on the leachate into layer 2
// and sums absolute differences; the layer-3 member also on the leachate into the transition
// zone; the aquifer takes the transition zone's leachate unweighted.
template <class V>
HALOSOIL_LANES_INLINE void ThreeLayerBody(Trials<V>& t) {
    const RunInputs& d = t.d;
    const RunState& st = t.st;
    const ZoneValues& le = t.le;
    const bool search1 = t.zone == Layer1;
    const bool search2 = t.zone == Layer2;
    const bool search3 = t.zone == Layer3;
    const bool searchTrans = t.zone == Trans;
    const bool searchAquif = t.zone == Aquif;
    t.absolute = search1;
    LaneZone<V>* z1 = t.z[Layer1];
    LaneZone<V>* z2 = t.z[Layer2];
    LaneZone<V>* z3 = t.z[Layer3];
    LaneZone<V>* zt = t.z[Trans];
    LaneZone<V>* za = t.z[Aquif];
    const double waterA = d.GrwtOut + st.Up;
    const double lateralSalt = d.GrwtInf * d.SalInf;
    for (int i = 1; i <= d.NrTst; ++i) {
        const double irrigSalt = d.IrrigSpread[i] * d.IrrSal[i];
        const double transWater = st.Drain[i] + st.Down;
        for (int j = 1; j <= d.TstLength; ++j) {
            const double perc1 = st.DayPerc1(i, j);
            const double perc2 = st.DayPerc2(i, j);
            const double perc3 = st.DayPerc3(i, j);
            const double cap1 = st.DayCap1(i, j);
            const double cap2 = st.DayCap2(i, j);
            const double cap3 = st.DayCap3(i, j);
            t.Update(Layer1, search1, le[Layer1], perc1, st.W1, SaltFloor::AtZero,
                     [&](int g) HALOSOIL_LANE_LAMBDA { return irrigSalt + cap1 * z2[g].s; });
            t.Measure(Layer1, i, j);
            t.Update(Layer2, search2, le[Layer2], perc2 + cap1, st.W2, SaltFloor::AtZero,
                     [&](int g) HALOSOIL_LANE_LAMBDA {
                         const V leachate =
                             search1 ? t.e[g] * perc1 * z1[g].avg : le[Layer1] * perc1 * z1[g].avg;
                         return leachate + cap2 * z3[g].s;
                     });
            t.Measure(Layer2, i, j);
            // The layer-2 member weighs the leachate into layer 3 with its zone's working
            // efficiency, not its trial's.
            t.Update(Layer3, search3, le[Layer3], perc3 + cap2, st.W3, SaltFloor::BelowZero,
                     [&](int g) HALOSOIL_LANE_LAMBDA {
                         const V leachate = search2 ? t.leS[g] * perc2 * z2[g].avg
                                                    : le[Layer2] * perc2 * z2[g].avg;
                         return leachate + cap3 * zt[g].s;
                     });
            t.Measure(Layer3, i, j);
            t.Update(Trans, searchTrans, le[Trans], transWater, st.Wt, SaltFloor::BelowZero,
                     [&](int g) HALOSOIL_LANE_LAMBDA {
                         const V leachate =
                             search3 ? t.e[g] * perc3 * z3[g].avg : le[Layer3] * perc3 * z3[g].avg;
                         return leachate + st.Up * za[g].s;
                     });
            t.Measure(Trans, i, j);
            t.Update(Aquif, searchAquif, le[Aquif], waterA, st.Wa, SaltFloor::BelowZero,
                     [&](int g) HALOSOIL_LANE_LAMBDA { return st.Down * zt[g].avg + lateralSalt; });
            t.Measure(Aquif, i, j);
        }
    }
}

template <class V>
HALOSOIL_LANES_INLINE void MemberBody(const RunInputs& d, const RunState& st, const ZoneValues& le,
                                      int zone, const double* e, const double* leSearched,
                                      double* sse, int trials, SumBound bound) {
    const int groups = trials / kWidth<V>;
    Trials<V> t{d, st, le, zone, groups, bound};
    for (int g = 0; g < groups; ++g) {
        t.order[g] = g;
        t.e[g] = Load<V>(e + g * kWidth<V>);
        t.leS[g] = Load<V>(leSearched + g * kWidth<V>);
        t.sse[g] = Splat<V>(0);
        for (int k = Layer1; k <= Aquif; ++k) t.z[k][g] = {Splat<V>(d.InitSalt[k]), Splat<V>(0)};
    }
    if (d.Layers == 1)
        OneLayerBody(t);
    else if (d.Layers == 2)
        TwoLayerBody(t);
    else
        ThreeLayerBody(t);
    for (int g = 0; g < groups; ++g) Store(t.sse[g], sse + g * kWidth<V>);
}

}  // namespace halosoil::members
