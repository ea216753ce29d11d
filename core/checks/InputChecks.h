// The checks the input panels make on what they store, as functions of the record alone, so
// that the window and scripts that build a project without it refuse the same values with the
// same words.
#pragma once

#include <string>

#include "InputData.h"

namespace halosoil {

// The first zone, top down, of a three-layer project whose thickness or porosities are
// missing (-1), with the message that names it; nullptr when every zone is complete.
const char* IncompleteSoilZoneMessage(const InputData& data);

// What is wrong with the drains of a project that has them, in the order the drainage panel
// checks.
enum class DrainageFault {
    None,
    DepthInvalid,
    DepthWithinRootZone,
    DepthBelowTransitionZone,
    NoReactionFactor,
};

// rootThickness: the summed thickness of the root-zone layers in use.
DrainageFault CheckDrainage(const InputData& data, double rootThickness);
const char* DrainageFaultText(DrainageFault fault);

// Every check the window makes of a project before it is written and run: those of the
// panels, group by group in the window's order, then the plausibility of its values and the
// engine's checks. A value that
// is not a number (NaN) stands for a field or cell left empty. Throws HalosoilError with the
// text the program shows.
void CheckProject(const InputData& data);

}  // namespace halosoil
