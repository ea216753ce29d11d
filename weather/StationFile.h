// The station file: CSV in UTF-8 with commas and point decimals (a byte-order mark and CR LF
// line ends accepted), a header naming its columns in any order from `date` and the variables
// of StationRecord.h, one day a row in ascending order of date. An empty cell, "NA" or "NaN"
// is a value the station lacks. Columns of other names are ignored with a warning.
//
// Refused with the file, line and column: a letter in a number, a date that is not after the
// one before it, a value no weather has (a Tmin above the Tmax, a relative humidity outside
// 0 to 100, a negative rain or wind, ...), a required column missing (date, rain, and tmax
// with tmin unless the file gives et0).
#pragma once

#include <iosfwd>
#include <string>

#include "StationRecord.h"

namespace halosoil::weather {

StationRecord ReadStationCsv(std::istream& in, const std::string& fileName);
StationRecord ReadStationFile(const std::string& path);

// The checks of one day's values against each other and the limits of weather, as the reader
// makes them; for records made otherwise (Python's frames, a gridded product) and after a
// delta change. Throws HalosoilError naming the place (PlaceOf) of the first value refused.
void CheckDay(const StationRecord& record, const Day& day);
// CheckDay of every day, the dates in ascending order, none twice, and at least one day.
void CheckRecord(const StationRecord& record);

}  // namespace halosoil::weather
