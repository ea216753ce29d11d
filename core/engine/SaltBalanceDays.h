// The days of the final salt balance, written once for one run and for several runs side by
// side in the lanes of a vector (the members of an ensemble). V is double for one run, or a
// vector of doubles, lane k one run; every lane does the operations of the one-run balance in
// its order, so each gives that balance's bits. Inputs supplies, as V, what the balance reads
// of the runs: their working efficiencies, stored water, step and day flows.
#pragma once

#include "SaltBalanceKind.h"
#include "TrialLanes.h"
#include "ZoneUpdate.h"

namespace halosoil {

// The salinities of the five zones and each zone's day average, per lane.
template <class V>
struct LaneSalinities {
    V s[kZoneCount + 1]{};
    V avg[kZoneCount + 1]{};

    HALOSOIL_LANES_INLINE void Update(int zone, V in, V weightedOut, V w, SaltFloor floor) {
        const V start = s[zone];
        s[zone] = UpdateZone<V>(start, in, weightedOut, w, floor);
        avg[zone] = (start + s[zone]) / 2;
    }
};

// What a balance that only computes salinities does with each day: nothing.
struct NoSaltDays {
    template <class V>
    HALOSOIL_LANES_INLINE void Day(int, const V (&)[kZoneCount + 1], const LaneSalinities<V>&) {}
};

// Runs the balance over every step and day. Inputs has NrTst(), TstLength(), Layers() and, as
// V: InitSalt(zone), LeachEff(zone), W(zone), IrrigSalt(i) (the applied irrigation times its
// salinity), Drain(i), Up(), Down(), GrwtOut(), LateralSalt() (the inflow times its salinity),
// Perc(layer, i, j), Cap(layer, i, j), Measured(zone, i) (0 or less where nothing was
// measured). Results receives Salinities(i, s) after each step; sse[zone] sums the squared
// differences from the measurements on the last day of their steps. Days receives Day(i,
// start, z) after each day: the salinities at its start and the zones as the day left them.
//
// The conserving kind takes the salt of each upward flow (the capillary rise of the layers
// and the transition zone, the upward seepage out of the aquifer) out of the zone it leaves,
// at that zone's start salinity, which is what the zone above receives, and drains the
// transition zone with a day's share of the step's drain discharge; the specified kind leaves
// the transition zone's rise out of its outflow, takes the others with the zone's leaching
// efficiency and day average, and drains the step's whole discharge on each of its days. The
// kind is a template argument, so the specified balance keeps its operations and its speed.
template <class V, SaltBalanceKind kKind, class Inputs, class Results, class Days>
HALOSOIL_LANES_INLINE void SaltBalanceDays(const Inputs& in, Results& results,
                                           V (&sse)[kZoneCount + 1], Days& days) {
    using lanes::Select;
    using lanes::Splat;
    constexpr bool kConserving = kKind == SaltBalanceKind::Conserving;
    LaneSalinities<V> z;
    for (int zone = Layer1; zone <= Aquif; ++zone) z.s[zone] = in.InitSalt(zone);
    for (int zone = Layer1; zone <= Aquif; ++zone) sse[zone] = Splat<V>(0);
    const int layers = in.Layers();
    const V le1 = in.LeachEff(Layer1), le2 = in.LeachEff(Layer2), le3 = in.LeachEff(Layer3);
    const V leT = in.LeachEff(Trans), leA = in.LeachEff(Aquif);
    const V w1 = in.W(Layer1), w2 = in.W(Layer2), w3 = in.W(Layer3);
    const V wt = in.W(Trans), wa = in.W(Aquif);
    const V up = in.Up(), down = in.Down();
    const V aquiferOut = kConserving ? leA * in.GrwtOut() : leA * (in.GrwtOut() + up);

    for (int i = 1; i <= in.NrTst(); ++i) {
        const V irrigSalt = in.IrrigSalt(i);
        // The drain discharge is an amount of the whole step; the specified balance takes it
        // out of the transition zone on every day of the step, the conserving one a day's share.
        const V transOut =
            kConserving ? leT * (in.Drain(i) / in.TstLength() + down) : leT * (in.Drain(i) + down);
        for (int j = 1; j <= in.TstLength(); ++j) {
            V start[kZoneCount + 1];
            for (int zone = Layer1; zone <= Aquif; ++zone) start[zone] = z.s[zone];
            const bool lastDay = j == in.TstLength();
            const auto measure = [&](int zone) HALOSOIL_LANE_LAMBDA {
                if (!lastDay) return;
                const V measured = in.Measured(zone, i);
                const V difference = z.s[zone] - measured;
                // Adding 0 leaves a sum of squares, which is never -0, as it is.
                sse[zone] =
                    sse[zone] + Select<V>(measured > 0, difference * difference, Splat<V>(0));
            };
            // Root-zone layers, top down: each passes its leachate to the one below and takes
            // the capillary rise of the one below at that zone's start salinity.
            const V perc1 = in.Perc(1, i, j), cap1 = in.Cap(1, i, j);
            const int below1 = layers == 1 ? Trans : Layer2;
            z.Update(Layer1, irrigSalt + cap1 * z.s[below1], le1 * perc1, w1, SaltFloor::AtZero);
            measure(Layer1);
            V leachate = le1 * perc1 * z.avg[Layer1];
            // The rise out of the lowest layer, into the layer above it.
            [[maybe_unused]] V riseOut = cap1;
            if (layers >= 2) {
                const V perc2 = in.Perc(2, i, j), cap2 = in.Cap(2, i, j);
                const int below2 = layers == 2 ? Trans : Layer3;
                if constexpr (kConserving)
                    z.Update(Layer2,
                             le1 * perc1 * z.avg[Layer1] + cap2 * z.s[below2] - cap1 * z.s[Layer2],
                             le2 * perc2, w2, SaltFloor::AtZero);
                else
                    z.Update(Layer2, le1 * perc1 * z.avg[Layer1] + cap2 * z.s[below2],
                             le2 * (perc2 + cap1), w2, SaltFloor::AtZero);
                measure(Layer2);
                leachate = le2 * perc2 * z.avg[Layer2];
                riseOut = cap2;
                if (layers == 3) {
                    const V perc3 = in.Perc(3, i, j), cap3 = in.Cap(3, i, j);
                    if constexpr (kConserving)
                        z.Update(
                            Layer3,
                            le2 * perc2 * z.avg[Layer2] + cap3 * z.s[Trans] - cap2 * z.s[Layer3],
                            le3 * perc3, w3, SaltFloor::BelowZero);
                    else
                        z.Update(Layer3, le2 * perc2 * z.avg[Layer2] + cap3 * z.s[Trans],
                                 le3 * (perc3 + cap2), w3, SaltFloor::BelowZero);
                    measure(Layer3);
                    leachate = le3 * perc3 * z.avg[Layer3];
                    riseOut = cap3;
                }
            }
            if constexpr (kConserving)
                z.Update(Trans, leachate + up * z.s[Aquif] - riseOut * z.s[Trans], transOut, wt,
                         SaltFloor::BelowZero);
            else
                z.Update(Trans, leachate + up * z.s[Aquif], transOut, wt, SaltFloor::BelowZero);
            measure(Trans);
            if constexpr (kConserving)
                z.Update(Aquif, leT * down * z.avg[Trans] + in.LateralSalt() - up * z.s[Aquif],
                         aquiferOut, wa, SaltFloor::BelowZero);
            else
                z.Update(Aquif, leT * down * z.avg[Trans] + in.LateralSalt(), aquiferOut, wa,
                         SaltFloor::BelowZero);
            measure(Aquif);
            days.Day(i, start, z);
        }
        results.Salinities(i, z.s);
    }
}

// The balance of the kind, with nothing done per day.
template <class V, SaltBalanceKind kKind, class Inputs, class Results>
HALOSOIL_LANES_INLINE void SaltBalanceDays(const Inputs& in, Results& results,
                                           V (&sse)[kZoneCount + 1]) {
    NoSaltDays days;
    SaltBalanceDays<V, kKind>(in, results, sse, days);
}

}  // namespace halosoil
