// A project's rain and evaporation replaced by a station record's steps: its step count becomes
// the steps covered, and the other series (irrigation, irrigation salinity, measured
// salinities) are kept, or cut to that count with a message. Series cannot be extended from
// the record (guessing an irrigation would mislead): a record that covers more steps than the
// project holds fills the project's steps, with a message.
#pragma once

#include <string>
#include <vector>

#include "InputData.h"
#include "TimeSteps.h"

namespace halosoil::weather {

// Applies the steps to the record; returns the messages of what was cut or left out. Throws
// HalosoilError when the step lengths differ.
std::vector<std::string> ApplyWeather(InputData& data, const std::vector<WeatherStep>& steps,
                                      int tstLength);

}  // namespace halosoil::weather
