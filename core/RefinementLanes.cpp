// The refinement's trials side by side. Every day of a step starts from the depth at the end
// of the step before and reads the same rain, irrigation and evaporation, so all days of a
// step give the same flows: a step computes its day once and adds its flow as often as it has
// days, which is what the plain loop's sums come to, bit for bit.

#include <limits>

#include "TrialLanes.h"

namespace halosoil {

namespace {

using lanes::Abs;
using lanes::kWidth;
using lanes::Load;
using lanes::MaskOf;
using lanes::Select;
using lanes::Splat;
using lanes::Store;

// The profile's constants, as the plain water balance computes them, in every lane.
template <class V>
struct Profile {
    V t1, t12, root, rootTrans;
    V eff1, eff2, eff3, effT, effA;
    bool oneLayer, threeLayers;
};

template <class V>
HALOSOIL_LANES_INLINE V PorosityAt(const Profile<V>& p, V depth) {
    V por = p.effA;
    por = Select<V>(depth <= p.rootTrans, p.effT, por);
    if (p.oneLayer) {
        por = Select<V>(depth <= p.root, p.eff1, por);
    } else {
        if (p.threeLayers) por = Select<V>(depth <= p.root, p.eff3, por);
        por = Select<V>(depth <= p.t12, p.eff2, por);
        por = Select<V>(depth <= p.t1, p.eff1, por);
    }
    return Select<V>(depth <= 0, Splat<V>(1.0), por);
}

// The drain discharge of a day (tenth false) or of one of its ten sub-steps.
template <class V>
HALOSOIL_LANES_INLINE V Discharge(const RunInputs& d, double qh2k, V qk, V depth, bool tenth) {
    if (!d.DrainPresent) return Splat<V>(0);
    const V head = d.DrainDepth - depth;
    V above = qh2k * (head * head);
    if (tenth) above = above / 10;
    above = Select<V>(depth <= -0.1, above * 2, above);
    V below = qk * head;
    if (tenth) below = below / 10;
    V discharge = above + below;
    discharge = Select<V>(discharge < 0, Splat<V>(0), discharge);
    return Select<V>(head <= 0, Splat<V>(0), discharge);
}

// The state one group of trials carries from step to step.
template <class V>
struct TrialGroup {
    V qk;  // 1000 x the capacity
    V depth, evapA, capT, moist, change, accumulated, smallest;
};

template <class V>
HALOSOIL_LANES_INLINE void RefinementBody(const RunInputs& d, const RunState& st,
                                          const double* qValues, int trials, bool ten,
                                          double* smallestOut) {
    double held = 0;
    for (int z = Layer1; z <= Layer3; ++z)
        if (d.ZoneExists(z)) held = held + (d.TotPor[z] - d.EffPor[z]) * d.Thick[z];
    const double moistCap = 1000 * held;
    const Profile<V> p{Splat<V>(d.Thick[Layer1]),
                       Splat<V>(d.Thick[Layer1] + d.Thick[Layer2]),
                       Splat<V>(st.RootThick),
                       Splat<V>(st.RootThick + d.Thick[Trans]),
                       Splat<V>(d.EffPor[Layer1]),
                       Splat<V>(d.EffPor[Layer2]),
                       Splat<V>(d.EffPor[Layer3]),
                       Splat<V>(d.EffPor[Trans]),
                       Splat<V>(d.EffPor[Aquif]),
                       d.OneLayer,
                       d.ThreeLayers};
    const double l = d.CritDepth - 0.5 * st.RootThick;
    const double qh2k = 1000 * d.QH2;
    const double netInflow = (d.GrwtInf - d.GrwtOut) * d.TstLength;
    const double inflowTenth = d.GrwtInf / 10;
    const double outflowTenth = d.GrwtOut / 10;
    const double irrEff = d.IrrEff;

    const int groups = trials / kWidth<V>;
    TrialGroup<V> group[kMostTrialsAtOnce / kWidth<V>];
    for (int g = 0; g < groups; ++g)
        group[g] = {1000 * Load<V>(qValues + g * kWidth<V>),
                    Splat<V>(d.WTdepth),
                    Splat<V>(0),
                    Splat<V>(0),
                    Splat<V>(d.Moist * moistCap / 100),
                    Splat<V>(0),
                    Splat<V>(0),
                    Splat<V>(std::numeric_limits<double>::infinity())};

    for (int i = 1; i <= d.NrTst; ++i) {
        const double evap = d.Evap[i];
        const double wr = d.Rain[i] + d.IrrigSpread[i];
        // The groups are independent: while one waits on a division the next one computes.
        for (int g = 0; g < groups; ++g) {
            TrialGroup<V>& t = group[g];
            const V depth = t.depth;
            V cf = Splat<V>(1);
            if (l > 0) {
                cf = (d.CritDepth - depth) / l;
                cf = Select<V>(cf < 0, Splat<V>(0), cf);
                cf = Select<V>(cf > 1, Splat<V>(1), cf);
            }
            V evapA = t.evapA, capT = t.capT;
            if (irrEff > 0) {
                if (evap / irrEff <= wr) {
                    evapA = Splat<V>(evap);
                    capT = Splat<V>(0);
                } else {
                    evapA = irrEff * wr + cf * (evap - irrEff * wr);
                    capT = evapA - wr;
                    capT = Select<V>(capT < 0, Splat<V>(0), capT);
                }
            }
            evapA = Select<V>(evapA > evap, Splat<V>(evap), evapA);
            V ct = capT;
            V perc;
            if (d.TstLength == 1) {
                V ch = wr - evapA;
                ch = Select<V>(ch + t.change > moistCap, moistCap - t.change, ch);
                V m = t.moist + ch;
                m = Select<V>(m < 0, Splat<V>(0), m);
                ch = Select<V>(ch < 0, Splat<V>(0), ch);
                const MaskOf<V> full = m > moistCap;
                m = Select<V>(full, Splat<V>(moistCap), m);
                ch = Select<V>(full, Splat<V>(0), ch);
                perc = wr - evapA - ch;
                perc = Select<V>(perc < 0, Splat<V>(0), perc);
                const MaskOf<V> surplus = perc > ct;
                const V netPerc = Select<V>(surplus, perc - ct, Splat<V>(0));
                ct = Select<V>(surplus, Splat<V>(0), ct - perc);
                perc = netPerc;
                capT = ct;
                t.change = ch;
                t.moist = m;
            } else {
                perc = wr - evapA;
            }
            t.evapA = evapA;
            t.capT = capT;

            V discharge, por, newDepth;
            if (!ten) {
                discharge = Discharge<V>(d, qh2k, t.qk, depth, false);
                por = PorosityAt<V>(p, depth);
                newDepth = depth - (perc - ct - discharge + d.GrwtInf - d.GrwtOut) / (1000 * por);
            } else {
                const V percTenth = perc / 10, capTenth = ct / 10;
                V work = depth;
                discharge = Splat<V>(0);
                for (int k = 0; k < 10; ++k) {
                    const V sub = Discharge<V>(d, qh2k, t.qk, work, true);
                    discharge = discharge + sub;
                    por = PorosityAt<V>(p, work);
                    work = work -
                           (percTenth - capTenth - sub + inflowTenth - outflowTenth) / (1000 * por);
                }
                newDepth = work;
            }

            const V flow = (perc - ct) - discharge;
            V sum = Splat<V>(0);
            for (int j = 1; j <= d.TstLength; ++j) sum = sum + flow;
            const V residual = sum + netInflow + 1000 * por * (newDepth - depth);
            t.accumulated = t.accumulated + residual;
            const V size = Abs(t.accumulated);
            t.smallest = Select<V>(size < t.smallest, size, t.smallest);
            t.depth = newDepth;
        }
    }
    for (int g = 0; g < groups; ++g) Store(group[g].smallest, smallestOut + g * kWidth<V>);
}

#if defined(__x86_64__)
[[gnu::target("avx512f,avx512dq,avx512vl")]] void RefinementAvx512(const RunInputs& d,
                                                                   const RunState& st,
                                                                   const double* q, int trials,
                                                                   bool ten, double* smallest) {
    RefinementBody<lanes::V8>(d, st, q, trials, ten, smallest);
}
[[gnu::target("avx2")]] void RefinementAvx2(const RunInputs& d, const RunState& st, const double* q,
                                            int trials, bool ten, double* smallest) {
    RefinementBody<lanes::V4>(d, st, q, trials, ten, smallest);
}
#endif
void RefinementBaseline(const RunInputs& d, const RunState& st, const double* q, int trials,
                        bool ten, double* smallest) {
    RefinementBody<lanes::V2>(d, st, q, trials, ten, smallest);
}

}  // namespace

void RefinementLanes(const RunInputs& data, const RunState& state, const double* q, int trials,
                     bool tenSubSteps, double* smallest, VectorUnit unit) {
#if defined(__x86_64__)
    if (unit == VectorUnit::AVX512)
        return RefinementAvx512(data, state, q, trials, tenSubSteps, smallest);
    if (unit == VectorUnit::AVX2)
        return RefinementAvx2(data, state, q, trials, tenSubSteps, smallest);
#endif
    (void)unit;
    RefinementBaseline(data, state, q, trials, tenSubSteps, smallest);
}

}  // namespace halosoil
