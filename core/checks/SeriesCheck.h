// Every series must hold the steps 1..NrTst that the writer and the engine read; a series
// left short by a changed number of time steps is refused with a message that names it.
#pragma once

#include "InputData.h"

namespace halosoil {

// Throws HalosoilError naming the first series with fewer than NrTst + 1 elements.
void CheckSeriesLengths(const InputData& data);

}  // namespace halosoil
