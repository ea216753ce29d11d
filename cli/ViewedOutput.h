// An output file read for viewing without a window, as "Open output" reads it: the results
// from the output file, rainfall, irrigation, evaporation and measured salinities from the
// input file of the same name.
#pragma once

#include <string>

#include "InputData.h"
#include "OutputFile.h"
#include "RunState.h"

namespace halosoil {

struct ViewedOutput {
    InputData data;
    RunState state;
    OutputReadBack readBack;
};

// The name with its extension replaced by ".inp" (added when it has none).
std::string ViewedInputFileName(const std::string& outputFileName);

// Throws HalosoilError whose text names the file that failed.
void ReadViewedOutput(const std::string& outputFileName, ViewedOutput& viewed);

}  // namespace halosoil
