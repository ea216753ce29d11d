// What a calibration's report warns of: estimates the data do not determine, parameters held
// by equal bounds or started outside them, and a written project that is not the optimum.
#pragma once

#include "Calibration.h"

namespace halosoil::study {

// A written value further than this many standard errors from its estimate is named.
inline constexpr double kWrittenOffBy = 0.1;

// Adds the warnings of the result, whose estimates, correlation, runs and written project
// are in place (those of the written project to writtenWarnings too); observations counts
// those fitted.
void AddWarnings(CalibrationResult& result, int observations);

}  // namespace halosoil::study
