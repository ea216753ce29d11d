// The whole road of a station record to time steps: gaps filled (or refused), the delta change
// applied, ET0 of every day, the days grouped into steps; with the tables the batch runner
// writes and the summary it prints.
#pragma once

#include <string>
#include <vector>

#include "DeltaChange.h"
#include "GapFilling.h"
#include "ReferenceEvapotranspiration.h"
#include "StationRecord.h"
#include "TimeSteps.h"

namespace halosoil::weather {

struct WeatherOptions {
    Station station;
    FillOptions fill;
    std::vector<Delta> deltas;
    StepOptions steps;
};

struct WeatherResult {
    std::string fileName;  // the record's
    int daysRead = 0;
    std::vector<DayEt0> days;  // every day from the record's first to its last
    std::vector<WeatherStep> steps;
};

WeatherResult ComputeWeather(const StationRecord& record, const WeatherOptions& options);

// `step,start,end,days,rain,et0,kc,evap,estimated_days`, one row a step.
std::string StepsCsvText(const std::vector<WeatherStep>& steps);
// `date,et0,tmax,tmin,ea,wind,radiation,rain,estimated`: the inputs a day's ET0 used (ea in
// kPa, wind at 2 m, radiation Rs) and the names of what was estimated, space-separated.
std::string DaysCsvText(const std::vector<DayEt0>& days);

// Per estimated input the number of days it was estimated on, in EstimateNames' order.
std::vector<int> EstimatedCounts(const std::vector<DayEt0>& days);

// "station.csv: 730 days read; estimated: humidity 730 days, radiation 730 days; 24 month steps
// from 2001-01-01 to 2002-12-31", and the deltas when there are any.
std::string WeatherSummary(const WeatherResult& result, const WeatherOptions& options);

}  // namespace halosoil::weather
