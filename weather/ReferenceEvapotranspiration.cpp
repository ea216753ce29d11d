#include "ReferenceEvapotranspiration.h"

#include <array>

#include "CsvText.h"
#include "Errors.h"
#include "Fao56.h"

namespace halosoil::weather {

namespace {

// The station's sun on each day of the year (index J, 1..366): Ra (eq. 21) and N (eq. 34).
struct SolarYear {
    std::array<double, 367> ra{};
    std::array<double, 367> daylight{};

    explicit SolarYear(double latitudeDegrees) {
        const double latitude = fao56::Radians(latitudeDegrees);
        for (int j = 1; j <= 366; ++j) {
            ra[static_cast<std::size_t>(j)] = fao56::ExtraterrestrialRadiation(latitude, j);
            daylight[static_cast<std::size_t>(j)] = fao56::DaylightHours(latitude, j);
        }
    }
};

struct StationTerms {
    double gamma;      // eq. 8 at the pressure of eq. 7
    double kRs;        // of eq. 50
    double windScale;  // eq. 47's factor from the station's height to 2 m
};

// The actual vapour pressure of a day by the order of preference; flags an estimate.
double VapourPressure(const Day& day, unsigned& estimated) {
    const double tmax = day[Variable::Tmax], tmin = day[Variable::Tmin];
    if (Has(day[Variable::Ea])) return day[Variable::Ea];
    if (Has(day[Variable::Tdew])) return fao56::VapourPressureFromDewPoint(day[Variable::Tdew]);
    if (Has(day[Variable::RhMax]) && Has(day[Variable::RhMin]))
        return fao56::VapourPressureFromRhExtremes(tmax, tmin, day[Variable::RhMax],
                                                   day[Variable::RhMin]);
    if (Has(day[Variable::RhMean]))
        return fao56::VapourPressureFromRhMean(tmax, tmin, day[Variable::RhMean]);
    if (Has(day[Variable::RhMax]))
        return fao56::VapourPressureFromRhMax(tmin, day[Variable::RhMax]);
    estimated |= kHumidityEstimated;
    return fao56::VapourPressureFromDewPoint(tmin);
}

double SolarRadiation(const StationRecord& record, const Day& day, double ra, double daylight,
                      double kRs, unsigned& estimated) {
    const double measured = day[Variable::Radiation];
    if (Has(measured)) {
        if (measured > ra)
            throw HalosoilError(PlaceOf(record, day, Variable::Radiation) + ": radiation " +
                                NumberText(measured) + " MJ m-2 day-1 is more than the " +
                                NumberText(ra, "%.2f") +
                                " that reach the top of the atmosphere on " + IsoText(day.date));
        return measured;
    }
    const double sunshine = day[Variable::Sunshine];
    if (Has(sunshine)) return fao56::SolarRadiationFromSunshine(sunshine, daylight, ra);
    estimated |= kRadiationEstimated;
    return fao56::SolarRadiationFromTemperature(day[Variable::Tmax], day[Variable::Tmin], ra, kRs);
}

DayEt0 PenmanMonteithDay(const StationRecord& record, const Day& day, const StationTerms& terms,
                         double ra, double daylight, double elevation) {
    DayEt0 result;
    result.tmax = day[Variable::Tmax];
    result.tmin = day[Variable::Tmin];
    const double tmean = (result.tmax + result.tmin) / 2.0;  // eq. 9
    const double es = fao56::MeanSaturationVapourPressure(result.tmax, result.tmin);
    result.ea = VapourPressure(day, result.estimated);
    if (Has(day[Variable::Wind])) {
        result.wind = day[Variable::Wind] * terms.windScale;
    } else {
        result.wind = fao56::kDefaultWind;
        result.estimated |= kWindEstimated;
    }
    result.radiation = SolarRadiation(record, day, ra, daylight, terms.kRs, result.estimated);
    const double rso = fao56::ClearSkyRadiation(elevation, ra);
    const double rn = fao56::NetShortwaveRadiation(result.radiation) -
                      fao56::NetLongwaveRadiation(result.tmax, result.tmin, result.ea,
                                                  result.radiation, rso);  // eq. 40
    const double delta = fao56::SlopeOfVapourPressureCurve(tmean);
    result.et0 =
        fao56::PenmanMonteith(delta, rn, 0.0, terms.gamma, tmean, result.wind, es, result.ea);
    return result;
}

}  // namespace

void CheckStation(const Station& station) {
    if (!(station.latitude >= -90.0 && station.latitude <= 90.0))
        throw HalosoilError("latitude " + NumberText(station.latitude) +
                            " lies outside -90 to 90 degrees");
    if (!(station.elevation >= -500.0 && station.elevation <= 9000.0))
        throw HalosoilError("elevation " + NumberText(station.elevation) +
                            " m lies outside -500 to 9000 m");
    if (!(station.windHeight >= 0.5 && station.windHeight <= 100.0))
        throw HalosoilError("wind height " + NumberText(station.windHeight) +
                            " m lies outside 0.5 to 100 m");
}

const std::vector<EstimateName>& EstimateNames() {
    static const std::vector<EstimateName> kNames = {
        {kDayFilled, "day"},      {kTmaxFilled, "tmax"},
        {kTminFilled, "tmin"},    {kRainFilled, "rain"},
        {kEt0Filled, "et0"},      {kHumidityEstimated, "humidity"},
        {kWindEstimated, "wind"}, {kRadiationEstimated, "radiation"},
    };
    return kNames;
}

std::string EstimatedText(unsigned estimated) {
    std::string text;
    for (const EstimateName& name : EstimateNames()) {
        if ((estimated & name.flag) == 0) continue;
        if (!text.empty()) text += ' ';
        text += name.name;
    }
    return text;
}

std::vector<DayEt0> ReferenceEvapotranspiration(const StationRecord& record,
                                                const Station& station) {
    CheckStation(station);
    const SolarYear sun(station.latitude);
    const StationTerms terms{
        fao56::PsychrometricConstant(fao56::AtmosphericPressure(station.elevation)),
        station.coastal ? fao56::kHargreavesCoastal : fao56::kHargreavesInland,
        fao56::WindAtTwoMetres(1.0, station.windHeight)};
    std::vector<DayEt0> results;
    results.reserve(record.days.size());
    for (const Day& day : record.days) {
        const auto j = static_cast<std::size_t>(DayOfYear(day.date));
        const double ra = sun.ra[j];
        const double daylight = sun.daylight[j];
        const double sunshine = day[Variable::Sunshine];
        if (Has(sunshine) && sunshine > daylight + 0.05)
            throw HalosoilError(PlaceOf(record, day, Variable::Sunshine) + ": sunshine " +
                                NumberText(sunshine) + " h is more than the day length of " +
                                NumberText(daylight, "%.1f") + " h at latitude " +
                                NumberText(station.latitude) + " on " + IsoText(day.date));
        DayEt0 result;
        if (Has(day[Variable::Et0])) {
            result.et0 = day[Variable::Et0];
            result.tmax = day[Variable::Tmax];
            result.tmin = day[Variable::Tmin];
        } else if (station.method == Method::Hargreaves) {
            result.tmax = day[Variable::Tmax];
            result.tmin = day[Variable::Tmin];
            result.et0 = fao56::Hargreaves(result.tmax, result.tmin, ra);
        } else {
            result = PenmanMonteithDay(record, day, terms, ra, daylight, station.elevation);
        }
        if (result.et0 < 0.0) result.et0 = 0.0;
        result.date = day.date;
        result.rain = day[Variable::Rain];
        result.estimated |= day.filled;
        results.push_back(result);
    }
    return results;
}

}  // namespace halosoil::weather
