// What this machine allows at most: the rate of the engine's two building blocks, the zone
// update of the salt balance and the water-balance day, with many independent members
// interleaved in the lanes of the widest vector unit, so that neither the latency of a
// division nor a branch holds them up. A figure of the engine divided by the time this rate
// gives for its work tells how far it is from the machine's limit.
#pragma once

#include <benchmark/benchmark.h>

#include "InputData.h"
#include "RunInputs.h"
#include "TrialLanes.h"
#include "VectorUnit.h"
#include "WaterBalanceDay.h"
#include "ZoneUpdate.h"

namespace halosoil::bench {

// Groups of lanes worked on in turn: enough to cover a division's latency.
inline constexpr int kProbeGroups = 8;

template <class V>
HALOSOIL_LANES_INLINE double ZoneUpdateRounds(long rounds) {
    V s[kProbeGroups], w[kProbeGroups];
    for (int g = 0; g < kProbeGroups; ++g) {
        s[g] = lanes::Splat<V>(5 + g);
        w[g] = lanes::Splat<V>(100 + g);
    }
    const V in = lanes::Splat<V>(12), out = lanes::Splat<V>(3);
    // The inflow follows the salinity, as a zone's inflow follows those of its neighbours, so
    // that its division cannot leave the loop; the outflow is the same every day, as within a
    // step.
    for (long r = 0; r < rounds; ++r)
        for (int g = 0; g < kProbeGroups; ++g)
            s[g] = UpdateZone<V>(s[g], in + 0.01 * s[g], out, w[g], SaltFloor::BelowZero);
    double sum = 0;
    for (int g = 0; g < kProbeGroups; ++g) sum += lanes::Lane(s[g], 0);
    return sum;
}

template <class V>
HALOSOIL_LANES_INLINE double WaterBalanceDayRounds(const RunInputs& d, long rounds, bool ten) {
    DayConstants<V> c[kProbeGroups];
    DayCarry<V> carry[kProbeGroups];
    V depth[kProbeGroups];
    const double rootThick = d.Thick[Layer1] + d.Thick[Layer2];
    for (int g = 0; g < kProbeGroups; ++g) {
        c[g] = DayConstantsOf<V>(d, rootThick, 0, 0, 0, lanes::Splat<V>(ten ? 0.05 : 0.01));
        depth[g] = lanes::Splat<V>(d.WTdepth);
    }
    const V evap = lanes::Splat<V>(6), wr = lanes::Splat<V>(5);
    for (long r = 0; r < rounds; ++r) {
        if (!ten) {
            for (int g = 0; g < kProbeGroups; ++g) {
                const DayFlows<V> f = RootZoneDay<V>(c[g], carry[g], depth[g], evap, wr);
                depth[g] = MoveWaterTable<V>(c[g], f, depth[g], false).depth;
            }
            continue;
        }
        // Sub-step by sub-step over the groups, as the refinement goes, so that the groups'
        // chains of divisions overlap.
        SubStepMove<V> move[kProbeGroups];
        for (int g = 0; g < kProbeGroups; ++g)
            move[g] =
                SubStepsStart<V>(RootZoneDay<V>(c[g], carry[g], depth[g], evap, wr), depth[g]);
        for (int k = 0; k < kSubSteps; ++k)
            for (int g = 0; g < kProbeGroups; ++g) SubStep<V>(c[g], move[g]);
        for (int g = 0; g < kProbeGroups; ++g) depth[g] = move[g].depth;
    }
    double sum = 0;
    for (int g = 0; g < kProbeGroups; ++g) sum += lanes::Lane(depth[g], 0);
    return sum;
}

#if defined(__x86_64__)
// On AVX-512 the engine works in eight lanes and in four (where divisions rule): the probe
// does the same number of members either way, as eight groups of eight lanes or twice eight
// groups of four, and the faster is the limit.
[[gnu::target("avx512f,avx512dq,avx512vl")]] inline double ZoneUpdatesAvx512(long rounds,
                                                                             bool narrow) {
    if (narrow) return ZoneUpdateRounds<lanes::V4>(rounds) + ZoneUpdateRounds<lanes::V4>(rounds);
    return ZoneUpdateRounds<lanes::V8>(rounds);
}
[[gnu::target("avx2")]] inline double ZoneUpdatesAvx2(long rounds) {
    return ZoneUpdateRounds<lanes::V4>(rounds);
}
[[gnu::target("avx512f,avx512dq,avx512vl")]] inline double DaysAvx512(const RunInputs& d,
                                                                      long rounds, bool ten,
                                                                      bool narrow) {
    if (narrow)
        return WaterBalanceDayRounds<lanes::V4>(d, rounds, ten) +
               WaterBalanceDayRounds<lanes::V4>(d, rounds, ten);
    return WaterBalanceDayRounds<lanes::V8>(d, rounds, ten);
}
[[gnu::target("avx2")]] inline double DaysAvx2(const RunInputs& d, long rounds, bool ten) {
    return WaterBalanceDayRounds<lanes::V4>(d, rounds, ten);
}
#endif

inline int LanesOf(VectorUnit unit) {
    return unit == VectorUnit::AVX512 ? 8 : unit == VectorUnit::AVX2 ? 4 : 2;
}

// Zone updates of kProbeGroups x lanes members, `rounds` each, on the widest unit (in
// 256-bit lanes on AVX-512 when `narrow`).
inline double ProbeZoneUpdates(long rounds, bool narrow) {
#if defined(__x86_64__)
    switch (DetectedVectorUnit()) {
        case VectorUnit::AVX512:
            return ZoneUpdatesAvx512(rounds, narrow);
        case VectorUnit::AVX2:
            return ZoneUpdatesAvx2(rounds);
        default:
            break;
    }
#endif
    return ZoneUpdateRounds<lanes::V2>(rounds);
}

// Water-balance days (ten sub-steps or one move) of kProbeGroups x lanes members, as above.
inline double ProbeWaterBalanceDays(const RunInputs& d, long rounds, bool ten, bool narrow) {
#if defined(__x86_64__)
    switch (DetectedVectorUnit()) {
        case VectorUnit::AVX512:
            return DaysAvx512(d, rounds, ten, narrow);
        case VectorUnit::AVX2:
            return DaysAvx2(d, rounds, ten);
        default:
            break;
    }
#endif
    return WaterBalanceDayRounds<lanes::V2>(d, rounds, ten);
}

}  // namespace halosoil::bench
