// Climate-change scenarios by delta change: per variable a change added in its unit
// ("tmax=+2", deg C) or a percentage ("rain=-10%"), for the whole record or per calendar month
// (a file of `month,variable,change` rows), applied to the daily record before its
// evapotranspiration is calculated.
#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "StationRecord.h"

namespace halosoil::weather {

struct Delta {
    Variable variable = Variable::Tmax;
    double change = 0;
    bool percent = false;
    int month = 0;  // 1 to 12, or 0 for every month
};

// "tmax=+2", "rain=-10%"; throws HalosoilError naming the text.
Delta ParseDelta(const std::string& text);
// The change part alone ("+2", "-10%") for a variable.
Delta ParseChange(Variable variable, const std::string& change);

// A file of `month,variable,change` rows after that header; throws naming file, line, column.
std::vector<Delta> ReadDeltaCsv(std::istream& in, const std::string& fileName);
std::vector<Delta> ReadDeltaFile(const std::string& path);

// Applies the deltas to the record; every changed day is checked as the reader checks it. A
// variable with both a delta of every month and one of the day's month takes both.
void ApplyDeltas(StationRecord& record, const std::vector<Delta>& deltas);

// "tmax +2 deg C; rain -10 %" for the summary.
std::string DeltaText(const std::vector<Delta>& deltas);

}  // namespace halosoil::weather
