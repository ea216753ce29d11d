// Stand-in until the record's own layer count arrives from the core.
#pragma once

#include "InputData.h"

namespace halosoil {

inline int LayerCount(const InputData& data) {
    if (data.FlaggedLayers() != 0) return data.FlaggedLayers();
    return data.NrLayers >= 1 && data.NrLayers <= 3 ? data.NrLayers : 1;
}

}  // namespace halosoil
