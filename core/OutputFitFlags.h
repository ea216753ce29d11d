// Which zones of an output file have no coefficient of determination: their efficiency line
// ends in "n.a." (fewer than 4 measured salinities in that run) or is absent. The salinity
// graphs take this from the file on display rather than from the last run, so that an
// output opened from disk shows its own fit and not that of another project.
#pragma once

#include <array>
#include <iosfwd>
#include <string>

#include "InputData.h"

namespace halosoil {

using FitFlags = std::array<bool, kZoneCount + 1>;

FitFlags FitNotAvailable(std::istream& outputFile);
// Nothing when the file cannot be opened.
bool FitNotAvailable(const std::string& outputFileName, FitFlags& flags);

}  // namespace halosoil
