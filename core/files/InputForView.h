// Reading the input file that belongs to an opened output file. Only what the tables and
// graphs need is taken from it: the titles, the layer count, the rainfall, irrigation and
// evaporation of every step and the measured salinities. Reads the current layout and the
// layout of earlier versions, whose initial-data heading is "    Initial data" alone.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "InputData.h"
#include "RunState.h"

namespace halosoil {

// Reads fileName for viewing, with data.NrTst as read from the output file. Sizes Rain,
// Irrig, IrrigSpread, Evap, the five MeasSalt series and, when state is given, the two
// soil-moisture series to NrTst + 1. Throws HalosoilError with CouldNotOpenMessage when the
// file cannot be opened, and a HalosoilError naming the file, the line and the characters
// when a chunk holds no number. What was read before a failure stays in the record.
void ReadInputForView(const std::string& fileName, InputData& data, RunState* state = nullptr);
void ReadInputForView(std::istream& in, InputData& data, RunState* state = nullptr);
// The same for the text of a file, already in memory.
void ReadInputTextForView(std::string_view text, InputData& data, RunState* state = nullptr);

}  // namespace halosoil
