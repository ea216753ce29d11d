// Daily reference evapotranspiration ET0 of a station record, by FAO-56 Penman-Monteith
// (eq. 6) or Hargreaves (eq. 52), with FAO-56's rules for what the record lacks:
//   - the actual vapour pressure from, in this order, the given ea, the dew point (eq. 14),
//     RHmax with RHmin (eq. 17), RHmean (eq. 19), RHmax alone (eq. 18), or else Tmin taken as
//     the dew point (eq. 48, estimated);
//   - wind at the station's height brought to 2 m (eq. 47), or 2 m/s (estimated);
//   - solar radiation as measured, from the hours of sunshine (eq. 35), or else from the
//     temperature range (eq. 50, estimated);
//   - no soil heat flux for days (G = 0).
// A day with a given et0 takes it as it is. A negative result (dew on a cold clear night of
// winter) is taken as 0: evaporation in the project is never negative.
#pragma once

#include <string>
#include <vector>

#include "StationRecord.h"

namespace halosoil::weather {

enum class Method { PenmanMonteith, Hargreaves };

struct Station {
    double latitude = 0;    // degrees, south negative
    double elevation = 0;   // m above sea level
    double windHeight = 2;  // m above the ground
    bool coastal = false;   // k_Rs 0.19 instead of 0.16 in eq. 50
    Method method = Method::PenmanMonteith;
};

// Refuses a latitude outside -90..90, an elevation outside -500..9000 m, a wind height below
// 0.5 m or above 100 m, naming the value.
void CheckStation(const Station& station);

// What a day's value rests on beside the record's own values: the filling of gaps (the
// FilledFlag bits of StationRecord.h) and FAO-56's estimates.
enum EstimateFlag : unsigned {
    kHumidityEstimated = 1u << 5,   // ea from Tmin (eq. 48)
    kWindEstimated = 1u << 6,       // 2 m/s
    kRadiationEstimated = 1u << 7,  // Rs from the temperature range (eq. 50)
};
// The estimated inputs' names, "day tmax humidity" ("" for none).
std::string EstimatedText(unsigned estimated);
// The inputs that can be estimated, in the order of their bits, for the summary.
struct EstimateName {
    unsigned flag;
    const char* name;
};
const std::vector<EstimateName>& EstimateNames();

struct DayEt0 {
    Date date{};
    double et0 = 0;  // mm/day
    double tmax = kNoValue;
    double tmin = kNoValue;
    double ea = kNoValue;         // kPa, as used
    double wind = kNoValue;       // m/s at 2 m, as used
    double radiation = kNoValue;  // Rs, MJ m-2 day-1, as used
    double rain = 0;              // mm
    unsigned estimated = 0;
};

// ET0 of every day of a complete record (CompleteRecord); throws HalosoilError naming the place
// of a value that the station's sun refutes (sunshine above the day length, radiation above
// the extraterrestrial).
std::vector<DayEt0> ReferenceEvapotranspiration(const StationRecord& record,
                                                const Station& station);

}  // namespace halosoil::weather
