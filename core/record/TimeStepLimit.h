// The largest number of time steps the window's grids hold: well beyond a century of daily
// steps, far below what would exhaust the memory with a row of cells per step.
#pragma once

#include <string>

#include "Errors.h"

namespace halosoil {

// Also the bound of the file readers, which refuse a larger count as a damage.
inline constexpr int kMaxTimeSteps = 50000;

inline std::string TimeStepLimitText(int nrTst) {
    return "The number of time steps is " + std::to_string(nrTst) + ". It can be at most " +
           std::to_string(kMaxTimeSteps) + ".";
}

inline void CheckTimeStepLimit(int nrTst) {
    if (nrTst > kMaxTimeSteps) throw HalosoilError(TimeStepLimitText(nrTst));
}

}  // namespace halosoil
