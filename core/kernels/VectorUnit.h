// Which vector unit this processor offers, found at run time, so that one binary serves
// every x86-64 machine.
#pragma once

#include <vector>

#include "EngineOptions.h"

namespace halosoil {

// The widest unit of the processor.
VectorUnit DetectedVectorUnit();

// The units of the processor, narrowest first; Baseline always.
std::vector<VectorUnit> AvailableVectorUnits();

// The unit a run uses: the narrower of the allowed one and the detected one.
VectorUnit ChosenVectorUnit(VectorUnit widestAllowed);

const char* VectorUnitName(VectorUnit unit);

}  // namespace halosoil
