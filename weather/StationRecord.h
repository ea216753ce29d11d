// A station's daily weather as its file gives it: one Day per date, the variables it lacks
// held as NaN, and where each came from (the line of the file, the column of each variable),
// so that a value refused later, a sunshine above the day length say, is named as a reader
// names it.
#pragma once

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CalendarDate.h"

namespace halosoil::weather {

// The variables of a station file, in the order of its column names below.
enum class Variable : int {
    Tmax,       // deg C
    Tmin,       // deg C
    Tmean,      // deg C; checked, but the day's mean is (Tmax + Tmin) / 2 (FAO-56 eq. 9)
    RhMax,      // percent
    RhMin,      // percent
    RhMean,     // percent
    Tdew,       // deg C
    Ea,         // kPa
    Wind,       // m/s at the station's wind height
    Sunshine,   // hours
    Radiation,  // MJ m-2 day-1
    Rain,       // mm
    Et0,        // mm, taken as given
};
inline constexpr int kVariableCount = 13;

struct VariableInfo {
    Variable variable;
    const char* name;  // the column's name in a station file
    const char* unit;
};

// Every variable, in the order of the enumeration.
const std::array<VariableInfo, kVariableCount>& Variables();
const VariableInfo& InfoOf(Variable variable);
std::optional<Variable> VariableNamed(std::string_view name);
// "tmax, tmin, ..., et0".
std::string VariableNames();

inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
inline bool Has(double value) {
    return !std::isnan(value);
}

// What gap filling estimated for a day (Estimate flags in ReferenceEvapotranspiration.h name
// what the calculation estimated).
enum FilledFlag : unsigned {
    kDayFilled = 1u << 0,   // the date was missing from the record altogether
    kTmaxFilled = 1u << 1,  // linear in time between the neighbouring days
    kTminFilled = 1u << 2,
    kRainFilled = 1u << 3,
    kEt0Filled = 1u << 4,  // in a record that gives ET0 and no temperatures
};

struct Day {
    Date date{};
    // Per variable, NaN where the record has no value.
    std::array<double, kVariableCount> values;
    // The line of the file (from 1), 0 for a day that gap filling made.
    int line = 0;
    unsigned filled = 0;

    Day() { values.fill(kNoValue); }
    double operator[](Variable v) const { return values[static_cast<std::size_t>(v)]; }
    double& operator[](Variable v) { return values[static_cast<std::size_t>(v)]; }
};

struct StationRecord {
    // The file's name as messages give it.
    std::string fileName;
    // Days in ascending order of date, none twice.
    std::vector<Day> days;
    // Per variable, its column in the file (from 1), 0 when the file has none.
    std::array<int, kVariableCount> columns{};
    // Columns of names the reader does not know, ignored: "station.csv: column 5 'pressure' is
    // not a weather variable and is ignored".
    std::vector<std::string> warnings;

    bool HasColumn(Variable v) const { return columns[static_cast<std::size_t>(v)] != 0; }
    int ColumnOf(Variable v) const { return columns[static_cast<std::size_t>(v)]; }
};

// "station.csv, line 4, column 2: <what>"; without a line (a day gap filling made) the date
// names the place: "station.csv, 2001-03-04, tmax: <what>".
std::string PlaceOf(const StationRecord& record, const Day& day, Variable variable);

}  // namespace halosoil::weather
