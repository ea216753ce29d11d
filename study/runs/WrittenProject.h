// The calibrated project as its file holds it. The input file keeps each number with the
// fixed decimals of its column (ParameterInfo::decimalsInFile), so the project a calibration
// writes is not quite the optimum it found: a porosity of 48.69 % is written as 49. What the
// user gets is that file, so it is written, read back as `run` reads it and run, and its
// values and objective are set beside the optimum's.
#pragma once

#include <string>
#include <vector>

#include "InputData.h"
#include "Objective.h"
#include "Parameters.h"
#include "RunState.h"

namespace halosoil::study {

struct WrittenProject {
    // The project as read back from its text, prepared as `run` prepares it.
    InputData project;
    RunState state;
    // Why the written project cannot be written or run (a value too wide for its column, an
    // implausible value, the engine's refusal), or empty.
    std::string refusal;
    double objective = 0;  // the objective of its run; kFailedRunObjective when it failed
    std::vector<QuantityFit> fit;
};

// Writes the project's text, reads it back, runs it and fits it to the observations.
WrittenProject RunAsWritten(const InputData& project, const Objective& objective);

// The parameter's value in the written project. A factor is not in the file, which holds the
// series it multiplied: its written value is the written series' sum over the base's, NaN
// where the base's series sums to 0.
double WrittenValue(const InputData& written, const InputData& base, const Parameter& parameter);

}  // namespace halosoil::study
