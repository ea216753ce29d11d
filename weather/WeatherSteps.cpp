#include "WeatherSteps.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "Errors.h"

namespace halosoil::weather {

namespace {

std::string Shortest(double value) {
    if (!std::isfinite(value)) return {};
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

WeatherResult ComputeWeather(const StationRecord& record, const WeatherOptions& options) {
    CheckStation(options.station);
    if (record.days.empty()) throw HalosoilError(record.fileName + ": the record holds no day");
    WeatherResult result;
    result.fileName = record.fileName;
    result.daysRead = static_cast<int>(record.days.size());
    // A record that is complete and unchanged is used as it is: copying thirty years of days
    // costs more than their evapotranspiration.
    std::optional<StationRecord> changed;
    if (!IsComplete(record)) changed = CompleteRecord(record, options.fill);
    if (!options.deltas.empty()) {
        if (!changed) changed = record;
        ApplyDeltas(*changed, options.deltas);
    }
    result.days = ReferenceEvapotranspiration(changed ? *changed : record, options.station);
    result.steps = ToTimeSteps(result.days, options.steps, record.fileName);
    return result;
}

std::string StepsCsvText(const std::vector<WeatherStep>& steps) {
    std::string text = "step,start,end,days,rain,et0,kc,evap,estimated_days\n";
    for (const WeatherStep& step : steps) {
        text += std::to_string(step.step) + ',' + IsoText(step.start) + ',' + IsoText(step.end) +
                ',' + std::to_string(step.days) + ',' + Shortest(step.rain) + ',' +
                Shortest(step.et0) + ',' + Shortest(step.kc) + ',' + Shortest(step.evap) + ',' +
                std::to_string(step.estimatedDays) + '\n';
    }
    return text;
}

std::string DaysCsvText(const std::vector<DayEt0>& days) {
    std::string text = "date,et0,tmax,tmin,ea,wind,radiation,rain,estimated\n";
    for (const DayEt0& day : days) {
        text += IsoText(day.date) + ',' + Shortest(day.et0) + ',' + Shortest(day.tmax) + ',' +
                Shortest(day.tmin) + ',' + Shortest(day.ea) + ',' + Shortest(day.wind) + ',' +
                Shortest(day.radiation) + ',' + Shortest(day.rain) + ',' +
                EstimatedText(day.estimated) + '\n';
    }
    return text;
}

std::vector<int> EstimatedCounts(const std::vector<DayEt0>& days) {
    const auto& names = EstimateNames();
    std::vector<int> counts(names.size(), 0);
    for (const DayEt0& day : days)
        for (std::size_t k = 0; k < names.size(); ++k)
            if ((day.estimated & names[k].flag) != 0) ++counts[k];
    return counts;
}

std::string WeatherSummary(const WeatherResult& result, const WeatherOptions& options) {
    std::string text = result.fileName + ": " + std::to_string(result.daysRead) + " days read";
    const std::vector<int> counts = EstimatedCounts(result.days);
    std::string estimated;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        if (counts[k] == 0) continue;
        if (!estimated.empty()) estimated += ", ";
        estimated += std::string(EstimateNames()[k].name) + " " + std::to_string(counts[k]) +
                     (counts[k] == 1 ? " day" : " days");
    }
    text += "; estimated: " + (estimated.empty() ? std::string("nothing") : estimated);
    if (!options.deltas.empty()) text += "; delta change: " + DeltaText(options.deltas);
    const std::size_t n = result.steps.size();
    text += "; " + std::to_string(n) + " " + StepLengthName(options.steps.tstLength) +
            (n == 1 ? " step" : " steps");
    if (n > 0)
        text += " from " + IsoText(result.steps.front().start) + " to " +
                IsoText(result.steps.back().end);
    return text + "\n";
}

}  // namespace halosoil::weather
