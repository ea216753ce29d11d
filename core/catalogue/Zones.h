// The five zones under the two names people see: the key a script, a parameter or a column
// of a GIS layer carries ("layer1" .. "aquifer"), and the words a message names a zone with
// ("the 1st layer", "the transition zone"), worded as the program's own labels.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "InputData.h"

namespace halosoil {

// The key of zone 1..5 (Layer1 .. Aquif), "" for any other number.
const char* ZoneKey(int zone);
// The five keys, top down.
const std::array<const char*, kZoneCount>& ZoneKeys();
// The zone (1..5) a key names, 0 for a text that is no key.
int ZoneOfKey(std::string_view key);

// The zone as a message names it, after "of": "the 1st layer" .. "the 3rd layer", "the
// transition zone", "the aquifer"; with one layer its layer is the whole root zone, "the root
// zone".
std::string ZoneName(int zone, int layers);

}  // namespace halosoil
