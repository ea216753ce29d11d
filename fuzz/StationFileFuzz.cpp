// The station file reader on any bytes: a clear refusal or a record. A record read is carried
// through gap filling, FAO-56 and the grouping into day and month steps; each either refuses
// with a message or gives finite, non-negative evapotranspiration whose steps hold every day.
// The same bytes go to the readers of the Kc and delta files beside it, which refuse or give
// values within their limits.
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "Errors.h"
#include "FuzzCheck.h"
#include "StationFile.h"
#include "WeatherSteps.h"

namespace {

using namespace halosoil;
using namespace halosoil::weather;

void Through(const StationRecord& record, int tstLength) {
    WeatherOptions options;
    options.station.latitude = 45;
    options.station.elevation = 100;
    options.fill.linear = true;
    options.steps.tstLength = tstLength;
    WeatherResult result;
    try {
        result = ComputeWeather(record, options);
    } catch (const HalosoilError&) {
        return;
    }
    int days = 0;
    for (const DayEt0& day : result.days)
        fuzz::Require(std::isfinite(day.et0) && day.et0 >= 0.0, "ET0 finite and not negative");
    for (const WeatherStep& step : result.steps) {
        fuzz::Require(std::isfinite(step.evap) && step.evap >= 0.0, "evaporation not negative");
        fuzz::Require(std::isfinite(step.rain) && step.rain >= 0.0, "rain not negative");
        days += step.days;
    }
    if (tstLength == 1)
        fuzz::Require(days == static_cast<int>(result.days.size()), "day steps hold every day");
}

void SideFiles(const std::string& text) {
    try {
        std::istringstream in(text);
        const KcSchedule kc = ReadKcCsv(in, "kc.csv");
        for (double value : kc.monthly) fuzz::Require(value >= 0.0 && value <= 2.0, "Kc 0 to 2");
        for (double value : kc.perStep) fuzz::Require(value >= 0.0 && value <= 2.0, "Kc 0 to 2");
    } catch (const HalosoilError&) {
    }
    try {
        std::istringstream in(text);
        for (const Delta& delta : ReadDeltaCsv(in, "deltas.csv"))
            fuzz::Require(delta.month >= 1 && delta.month <= 12 && std::isfinite(delta.change),
                          "a delta of a month");
    } catch (const HalosoilError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    SideFiles(text);
    std::istringstream in(text);
    StationRecord record;
    try {
        record = ReadStationCsv(in, "fuzz.csv");
    } catch (const HalosoilError&) {
        return 0;
    }
    fuzz::Require(!record.days.empty(), "a record read holds a day");
    // Long records are cut: the fuzzer looks for damage, not for years.
    if (record.days.size() > 800) record.days.resize(800);
    Through(record, 1);
    Through(record, 30);
    return 0;
}
