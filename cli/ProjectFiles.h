// The input files halosoil-batch reads and writes: a damage or a refusal is printed naming the
// file and its line, and the command goes on to its status.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "InputData.h"

namespace halosoil {

// Reads data.InputFileName, of any layout, into the record; says whether it was read.
bool ReadProjectFile(InputData& data, std::ostream& errors);

// Writes the record to data.InputFileName in the current layout; says whether it was written.
bool WriteProjectFile(const InputData& data, std::ostream& errors);

// The project at path as a run takes it: read, its values checked for plausibility and its
// irrigation spread.
std::optional<InputData> ReadProjectToRun(const std::string& path, std::ostream& errors);

// A file a study writes beside its input: field.inp with the ending "-calibration.json" gives
// field-calibration.json in the input's folder.
std::string BesideInput(const std::string& input, const std::string& ending);

}  // namespace halosoil
