// The refinement's trials side by side. Every day of a step starts from the depth at the end
// of the step before and reads the same rain, irrigation and evaporation, so all days of a
// step give the same flows: a step computes its day once and adds its flow as often as it has
// days, which is what the plain loop's sums come to, bit for bit.

#include <limits>

#include "TrialLanes.h"

namespace halosoil {

namespace {

using lanes::Abs;
using lanes::Load;
using lanes::Mask;
using lanes::Select;
using lanes::Splat;
using lanes::Store;
using lanes::V;

// The profile's constants, as the plain water balance computes them.
struct Profile {
    double t1, t12, root, rootTrans;
    double eff1, eff2, eff3, effT, effA;
    bool oneLayer, threeLayers;
};

HALOSOIL_LANES_INLINE V PorosityAt(const Profile& p, V depth) {
    V por = Splat(p.effA);
    por = Select(depth <= p.rootTrans, Splat(p.effT), por);
    if (p.oneLayer) {
        por = Select(depth <= p.root, Splat(p.eff1), por);
    } else {
        if (p.threeLayers) por = Select(depth <= p.root, Splat(p.eff3), por);
        por = Select(depth <= p.t12, Splat(p.eff2), por);
        por = Select(depth <= p.t1, Splat(p.eff1), por);
    }
    return Select(depth <= 0, Splat(1.0), por);
}

// The drain discharge of a day (tenth false) or of one of its ten sub-steps.
HALOSOIL_LANES_INLINE V Discharge(const RunInputs& d, double qh2k, V qk, V depth, bool tenth) {
    if (!d.DrainPresent) return Splat(0);
    const V head = d.DrainDepth - depth;
    V above = qh2k * (head * head);
    if (tenth) above = above / 10;
    above = Select(depth <= -0.1, above * 2, above);
    V below = qk * head;
    if (tenth) below = below / 10;
    V discharge = above + below;
    discharge = Select(discharge < 0, Splat(0), discharge);
    return Select(head <= 0, Splat(0), discharge);
}

constexpr int kMostGroups = kMostTrialsAtOnce / kTrialLanes;

// The state one group of trials carries from step to step.
struct TrialGroup {
    V qk;  // 1000 x the capacity
    V depth, evapA, capT, moist, change, accumulated, smallest;
};

HALOSOIL_LANES_INLINE void RefinementBody(const RunInputs& d, const RunState& st,
                                          const double* qValues, int trials, bool ten,
                                          double* smallestOut) {
    double held = 0;
    for (int z = Layer1; z <= Layer3; ++z)
        if (d.ZoneExists(z)) held = held + (d.TotPor[z] - d.EffPor[z]) * d.Thick[z];
    const double moistCap = 1000 * held;
    const Profile p{d.Thick[Layer1],  d.Thick[Layer1] + d.Thick[Layer2],
                    st.RootThick,     st.RootThick + d.Thick[Trans],
                    d.EffPor[Layer1], d.EffPor[Layer2],
                    d.EffPor[Layer3], d.EffPor[Trans],
                    d.EffPor[Aquif],  d.OneLayer,
                    d.ThreeLayers};
    const double l = d.CritDepth - 0.5 * st.RootThick;
    const double qh2k = 1000 * d.QH2;
    const double netInflow = (d.GrwtInf - d.GrwtOut) * d.TstLength;
    const double inflowTenth = d.GrwtInf / 10;
    const double outflowTenth = d.GrwtOut / 10;
    const double irrEff = d.IrrEff;

    const int groups = trials / kTrialLanes;
    TrialGroup group[kMostGroups];
    for (int g = 0; g < groups; ++g)
        group[g] = {1000 * Load(qValues + g * kTrialLanes),
                    Splat(d.WTdepth),
                    Splat(0),
                    Splat(0),
                    Splat(d.Moist * moistCap / 100),
                    Splat(0),
                    Splat(0),
                    Splat(std::numeric_limits<double>::infinity())};

    for (int i = 1; i <= d.NrTst; ++i) {
        const double evap = d.Evap[i];
        const double wr = d.Rain[i] + d.IrrigSpread[i];
        // The groups are independent: while one waits on a division the next one computes.
        for (int g = 0; g < groups; ++g) {
            TrialGroup& t = group[g];
            const V depth = t.depth;
            V cf = Splat(1);
            if (l > 0) {
                cf = (d.CritDepth - depth) / l;
                cf = Select(cf < 0, Splat(0), cf);
                cf = Select(cf > 1, Splat(1), cf);
            }
            V evapA = t.evapA, capT = t.capT;
            if (irrEff > 0) {
                if (evap / irrEff <= wr) {
                    evapA = Splat(evap);
                    capT = Splat(0);
                } else {
                    evapA = irrEff * wr + cf * (evap - irrEff * wr);
                    capT = evapA - wr;
                    capT = Select(capT < 0, Splat(0), capT);
                }
            }
            evapA = Select(evapA > evap, Splat(evap), evapA);
            V ct = capT;
            V perc;
            if (d.TstLength == 1) {
                V ch = wr - evapA;
                ch = Select(ch + t.change > moistCap, moistCap - t.change, ch);
                V m = t.moist + ch;
                m = Select(m < 0, Splat(0), m);
                ch = Select(ch < 0, Splat(0), ch);
                const Mask full = m > moistCap;
                m = Select(full, Splat(moistCap), m);
                ch = Select(full, Splat(0), ch);
                perc = wr - evapA - ch;
                perc = Select(perc < 0, Splat(0), perc);
                const Mask surplus = perc > ct;
                const V netPerc = Select(surplus, perc - ct, Splat(0));
                ct = Select(surplus, Splat(0), ct - perc);
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
                discharge = Discharge(d, qh2k, t.qk, depth, false);
                por = PorosityAt(p, depth);
                newDepth = depth - (perc - ct - discharge + d.GrwtInf - d.GrwtOut) / (1000 * por);
            } else {
                const V percTenth = perc / 10, capTenth = ct / 10;
                V work = depth;
                discharge = Splat(0);
                for (int k = 0; k < 10; ++k) {
                    const V sub = Discharge(d, qh2k, t.qk, work, true);
                    discharge = discharge + sub;
                    por = PorosityAt(p, work);
                    work = work -
                           (percTenth - capTenth - sub + inflowTenth - outflowTenth) / (1000 * por);
                }
                newDepth = work;
            }

            const V flow = (perc - ct) - discharge;
            V sum = Splat(0);
            for (int j = 1; j <= d.TstLength; ++j) sum = sum + flow;
            const V residual = sum + netInflow + 1000 * por * (newDepth - depth);
            t.accumulated = t.accumulated + residual;
            const V size = Abs(t.accumulated);
            t.smallest = Select(size < t.smallest, size, t.smallest);
            t.depth = newDepth;
        }
    }
    for (int g = 0; g < groups; ++g) Store(group[g].smallest, smallestOut + g * kTrialLanes);
}

#if defined(__x86_64__)
[[gnu::target("avx512f")]] void RefinementAvx512(const RunInputs& d, const RunState& st,
                                                 const double* q, int trials, bool ten,
                                                 double* smallest) {
    RefinementBody(d, st, q, trials, ten, smallest);
}
[[gnu::target("avx2")]] void RefinementAvx2(const RunInputs& d, const RunState& st, const double* q,
                                            int trials, bool ten, double* smallest) {
    RefinementBody(d, st, q, trials, ten, smallest);
}
#endif
void RefinementBaseline(const RunInputs& d, const RunState& st, const double* q, int trials,
                        bool ten, double* smallest) {
    RefinementBody(d, st, q, trials, ten, smallest);
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
