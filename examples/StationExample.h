// The example station record of the weather command.
#pragma once

namespace halosoil::examples {

void WriteStationExample(const char* name);

}  // namespace halosoil::examples
