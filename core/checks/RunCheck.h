// The check before a run: a project the engine could only answer with a crash or a silent
// wrong result is refused with a message that names the value.
#pragma once

#include "InputData.h"
#include "TimeStepLimit.h"

namespace halosoil {

// The most days a run may cover: the most time steps, each a year of 360 days.
inline constexpr long long kMostRunDays = kMaxTimeSteps * 360LL;

// Refuses a project the engine cannot run soundly (no time steps, a step shorter than a
// day, more days than the memory holds, a series too short, a value that is not finite, a
// zero effective porosity where the water table can be): throws HalosoilError naming the
// value.
void CheckRunnable(const InputData& data);

}  // namespace halosoil
