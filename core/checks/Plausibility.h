// Values that no soil or climate can have: a porosity beyond 0..100 % or an effective porosity
// above the total, a negative thickness, rainfall, irrigation, evaporation or salinity, a
// leaching efficiency beyond 0..100 %, a negative drainage reaction factor. Such a value comes
// from a slip of the hand in a panel, a script or an edited file, and a run would answer it
// with plausible-looking numbers. The window (at "Save all - Run"), the batch runner and the
// Python package refuse it before anything is written or run.
//
// What real projects hold stays accepted: a water table above the surface, steps of any
// length, an efficiency of 0, and the -1 that the soil panels store for a leaching efficiency
// or initial salinity left empty where they allow it.
#pragma once

#include "InputData.h"

namespace halosoil {

// Throws HalosoilError naming the first implausible value, the zone or time step it belongs
// to, and what it must be; zone by zone top down, then the conditions, the drains and the
// series step by step. Values that are not numbers and steps beyond a short series are left
// to the checks before a run, which name them in their own words.
void CheckPlausible(const InputData& data);

}  // namespace halosoil
