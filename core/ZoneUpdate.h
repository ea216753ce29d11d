// The daily salt update of one zone: the outflow of salt is the leaching efficiency times the
// outflowing water times the average of the old and the new salinity, solved for the new
// salinity.
#pragma once

namespace halosoil {

// How a zone's new salinity is kept positive: layers 1 and 2 at zero or below, the deeper
// zones only below zero; two of the optimisation members leave layer 1 unbounded.
enum class SaltFloor { AtZero, BelowZero, None };

// s: salinity at the start of the day; in: salt inflow (mm x dS/m per day); weightedOut: the
// efficiency times the outflowing water (mm/day); w: the stored water (mm).
inline double UpdateZone(double s, double in, double weightedOut, double w, SaltFloor floor) {
    double dv = 1 + 0.5 * weightedOut / w;
    if (dv < 0.001) dv = 0.001;
    double sNew = (s + in / w - 0.5 * weightedOut * s / w) / dv;
    if (floor == SaltFloor::AtZero && sNew <= 0) sNew = 0.1;
    if (floor == SaltFloor::BelowZero && sNew < 0) sNew = 0.1;
    return sNew;
}

}  // namespace halosoil
