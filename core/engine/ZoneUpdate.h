// The daily salt update of one zone: the outflow of salt is the leaching efficiency times the
// outflowing water times the average of the old and the new salinity, solved for the new
// salinity.
#pragma once

#include <type_traits>

#include "InputData.h"
#include "TrialLanes.h"

namespace halosoil {

// How a zone's new salinity is kept positive: layers 1 and 2 at zero or below, the deeper
// zones only below zero; two of the optimisation members leave layer 1 unbounded.
enum class SaltFloor { AtZero, BelowZero, None };

// The new salinity kept positive as the floor says.
template <class V>
HALOSOIL_LANES_INLINE V FlooredSalinity(V s, SaltFloor floor) {
    using lanes::Select;
    using lanes::Splat;
    if (floor == SaltFloor::AtZero) return Select<V>(s <= 0, Splat<V>(0.1), s);
    if (floor == SaltFloor::BelowZero) return Select<V>(s < 0, Splat<V>(0.1), s);
    return s;
}

// The divisor of the update, from half the weighted outflow h and the stored water w.
template <class V>
HALOSOIL_LANES_INLINE V ZoneDivisor(V h, V w) {
    const V dv = 1 + h / w;
    return lanes::Select<V>(dv < 0.001, lanes::Splat<V>(0.001), dv);
}

// The update solved with half the weighted outflow h and its divisor dv: a search whose
// outflow is the same in every trial solves the divisor once for all of them.
template <class V>
HALOSOIL_LANES_INLINE V SolvedSalinity(V s, V in, V h, V dv, V w, SaltFloor floor) {
    return FlooredSalinity<V>((s + in / w - h * s / w) / dv, floor);
}

// s: salinity at the start of the day; in: salt inflow (mm x dS/m per day); weightedOut: the
// efficiency times the outflowing water (mm/day); w: the stored water (mm). V is double for
// one run or trial, or a vector of doubles whose every lane does the same operations.
// The lane type is named, never deduced, so that a call with numbers of other types takes the
// one-run form below.
template <class V>
HALOSOIL_LANES_INLINE V UpdateZone(std::type_identity_t<V> s, std::type_identity_t<V> in,
                                   std::type_identity_t<V> weightedOut, std::type_identity_t<V> w,
                                   SaltFloor floor) {
    const V h = 0.5 * weightedOut;
    return SolvedSalinity<V>(s, in, h, ZoneDivisor<V>(h, w), w, floor);
}

inline double UpdateZone(double s, double in, double weightedOut, double w, SaltFloor floor) {
    return UpdateZone<double>(s, in, weightedOut, w, floor);
}

// The salinities of the five zones through a salt balance: each zone's update reads the
// start-of-day salinities of the zones below it, and its day average is what its percolating
// water carries down on the same day.
struct ZoneSalinities {
    ZoneValues s{};    // current salinity per zone
    ZoneValues avg{};  // the day average of the zone's last update

    void Update(int zone, double in, double weightedOut, double w, SaltFloor floor) {
        const double start = s[zone];
        s[zone] = UpdateZone(start, in, weightedOut, w, floor);
        avg[zone] = (start + s[zone]) / 2;
    }
};

}  // namespace halosoil
