// Days a station record lacks: a date missing altogether, or a day without its Tmax, Tmin or
// rain (the values every calculation needs). Without filling such a day is refused naming its
// date; with linear filling each gap of at most maxGap days is filled linearly in time between
// the known days on either side, and the filled values are flagged as estimated. Other
// variables of a missing date stay missing, for FAO-56's rules to estimate.
#pragma once

#include "StationRecord.h"

namespace halosoil::weather {

struct FillOptions {
    bool linear = false;
    int maxGap = 3;  // days
};

// Whether the record has every date from its first to its last day and every required value.
bool IsComplete(const StationRecord& record);

// The record with every date from its first to its last day and every required value, or a
// HalosoilError naming the first date it cannot give.
StationRecord CompleteRecord(const StationRecord& record, const FillOptions& options);

}  // namespace halosoil::weather
