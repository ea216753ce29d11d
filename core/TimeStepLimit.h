// The largest number of time steps the window's grids hold: well beyond a century of daily
// steps, far below what would exhaust the memory with a row of cells per step.
#pragma once

#include <string>

#include "Errors.h"
#include "Ucalc.h"

namespace halosoil {

inline std::string TimeStepLimitText(int nrTst) {
    return "The number of time steps is " + std::to_string(nrTst) + ". It can be at most " +
           std::to_string(kMaxTimeSteps) + ".";
}

inline void CheckTimeStepLimit(int nrTst) {
    if (nrTst > kMaxTimeSteps) throw HalosoilError(TimeStepLimitText(nrTst));
}

}  // namespace halosoil
