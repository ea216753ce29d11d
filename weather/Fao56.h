// The equations of FAO Irrigation and Drainage Paper 56 (Allen, Pereira, Raes and Smith 1998,
// "Crop evapotranspiration") for daily reference evapotranspiration, each under its number in
// the publication. Units are the publication's: temperatures in deg C, pressures in kPa,
// radiation in MJ m-2 day-1, wind in m/s, latitude in radians, elevation in m.
#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>

namespace halosoil::weather::fao56 {

inline constexpr double kSolarConstant = 0.0820;      // Gsc, MJ m-2 min-1
inline constexpr double kStefanBoltzmann = 4.903e-9;  // sigma, MJ K-4 m-2 day-1
inline constexpr double kAlbedo = 0.23;               // of the grass reference crop
inline constexpr double kAngstromA = 0.25;            // a_s, where no calibration exists
inline constexpr double kAngstromB = 0.50;            // b_s
inline constexpr double kHargreavesInland = 0.16;     // k_Rs of eq. 50
inline constexpr double kHargreavesCoastal = 0.19;
inline constexpr double kDefaultWind = 2.0;  // m/s at 2 m, where no wind was measured
// MJ m-2 day-1 to mm/day of evaporation (1 / lambda, lambda = 2.45 MJ/kg).
inline constexpr double kRadiationToEvaporation = 0.408;

// Eq. 7: atmospheric pressure at elevation z.
inline double AtmosphericPressure(double z) {
    return 101.3 * std::pow((293.0 - 0.0065 * z) / 293.0, 5.26);
}

// Eq. 8: the psychrometric constant gamma from the pressure.
inline double PsychrometricConstant(double pressure) {
    return 0.665e-3 * pressure;
}

// Eq. 11: the saturation vapour pressure at temperature t.
inline double SaturationVapourPressure(double t) {
    return 0.6108 * std::exp(17.27 * t / (t + 237.3));
}

// Eq. 12: the mean saturation vapour pressure of a day.
inline double MeanSaturationVapourPressure(double tmax, double tmin) {
    return (SaturationVapourPressure(tmax) + SaturationVapourPressure(tmin)) / 2.0;
}

// Eq. 13: the slope Delta of the saturation vapour pressure curve at the mean temperature.
inline double SlopeOfVapourPressureCurve(double tmean) {
    return 4098.0 * (0.6108 * std::exp(17.27 * tmean / (tmean + 237.3))) /
           ((tmean + 237.3) * (tmean + 237.3));
}

// Eq. 14 (and eq. 48 with Tmin as the dew point): the actual vapour pressure from the dew point.
inline double VapourPressureFromDewPoint(double tdew) {
    return SaturationVapourPressure(tdew);
}

// Eq. 17: from the day's highest and lowest relative humidity, in percent.
inline double VapourPressureFromRhExtremes(double tmax, double tmin, double rhMax, double rhMin) {
    return (SaturationVapourPressure(tmin) * rhMax / 100.0 +
            SaturationVapourPressure(tmax) * rhMin / 100.0) /
           2.0;
}

// Eq. 18: from the highest relative humidity alone.
inline double VapourPressureFromRhMax(double tmin, double rhMax) {
    return SaturationVapourPressure(tmin) * rhMax / 100.0;
}

// Eq. 19: from the mean relative humidity.
inline double VapourPressureFromRhMean(double tmax, double tmin, double rhMean) {
    return rhMean / 100.0 *
           ((SaturationVapourPressure(tmax) + SaturationVapourPressure(tmin)) / 2.0);
}

// Eq. 22: degrees to radians.
inline double Radians(double degrees) {
    return std::numbers::pi / 180.0 * degrees;
}

// Eq. 23: the inverse relative distance Earth-Sun on day j of the year.
inline double InverseRelativeDistance(int j) {
    return 1.0 + 0.033 * std::cos(2.0 * std::numbers::pi / 365.0 * j);
}

// Eq. 24: the solar declination.
inline double SolarDeclination(int j) {
    return 0.409 * std::sin(2.0 * std::numbers::pi / 365.0 * j - 1.39);
}

// Eq. 25: the sunset hour angle. Beyond the polar circles the sun may not set or rise: the
// argument is kept within -1..1 (a day of 24 or of 0 hours).
inline double SunsetHourAngle(double latitude, double declination) {
    const double x = -std::tan(latitude) * std::tan(declination);
    return std::acos(std::clamp(x, -1.0, 1.0));
}

// Eq. 21: extraterrestrial radiation Ra.
inline double ExtraterrestrialRadiation(double latitude, int j) {
    const double dr = InverseRelativeDistance(j);
    const double declination = SolarDeclination(j);
    const double ws = SunsetHourAngle(latitude, declination);
    return 24.0 * 60.0 / std::numbers::pi * kSolarConstant * dr *
           (ws * std::sin(latitude) * std::sin(declination) +
            std::cos(latitude) * std::cos(declination) * std::sin(ws));
}

// Eq. 34: the daylight hours N.
inline double DaylightHours(double latitude, int j) {
    return 24.0 / std::numbers::pi * SunsetHourAngle(latitude, SolarDeclination(j));
}

// Eq. 35: solar radiation Rs from the hours of sunshine n (Angstrom). In the polar night N is
// 0, and so are Ra and Rs.
inline double SolarRadiationFromSunshine(double n, double daylightHours, double ra) {
    if (!(daylightHours > 0.0)) return 0.0;
    return (kAngstromA + kAngstromB * n / daylightHours) * ra;
}

// Eq. 37: clear-sky solar radiation Rso where a_s and b_s are not calibrated.
inline double ClearSkyRadiation(double z, double ra) {
    return (0.75 + 2e-5 * z) * ra;
}

// Eq. 38: net shortwave radiation.
inline double NetShortwaveRadiation(double rs) {
    return (1.0 - kAlbedo) * rs;
}

// Eq. 39: net longwave radiation; Rs/Rso is at most 1.
inline double NetLongwaveRadiation(double tmax, double tmin, double ea, double rs, double rso) {
    const double tmaxK = tmax + 273.16;
    const double tminK = tmin + 273.16;
    const double relative = rso > 0.0 ? std::min(rs / rso, 1.0) : 1.0;
    return kStefanBoltzmann *
           ((tmaxK * tmaxK * tmaxK * tmaxK + tminK * tminK * tminK * tminK) / 2.0) *
           (0.34 - 0.14 * std::sqrt(ea)) * (1.35 * relative - 0.35);
}

// Eq. 47: wind speed at 2 m from a measurement at height z.
inline double WindAtTwoMetres(double uz, double z) {
    return uz * 4.87 / std::log(67.8 * z - 5.42);
}

// Eq. 50: solar radiation from the temperature range (Hargreaves' radiation formula).
inline double SolarRadiationFromTemperature(double tmax, double tmin, double ra, double kRs) {
    return kRs * std::sqrt(tmax - tmin) * ra;
}

// Eq. 6: FAO Penman-Monteith reference evapotranspiration, mm/day.
inline double PenmanMonteith(double delta, double rn, double g, double gamma, double tmean,
                             double u2, double es, double ea) {
    return (0.408 * delta * (rn - g) + gamma * (900.0 / (tmean + 273.0)) * u2 * (es - ea)) /
           (delta + gamma * (1.0 + 0.34 * u2));
}

// Eq. 52: Hargreaves' reference evapotranspiration, mm/day, Ra in MJ m-2 day-1.
inline double Hargreaves(double tmax, double tmin, double ra) {
    return 0.0023 * ((tmax + tmin) / 2.0 + 17.8) * std::sqrt(tmax - tmin) *
           (kRadiationToEvaporation * ra);
}

}  // namespace halosoil::weather::fao56
