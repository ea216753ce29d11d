// The texts a run shows: its two Yes/No questions and the message of a run that stopped
// because the water table fell below the aquifer.
#pragma once

#include "RunHost.h"

namespace halosoil {

inline constexpr const char* kRefineQuestion =
    "Halosoil can refine the water balance by selecting a fitting drainage capacity. Do you "
    "wish to do the refinement?";
inline constexpr const char* kOptimiseQuestion =
    "There are one or more soil layers with enough data on measured salinity to optimize the "
    "leaching efficiency. Do you want to do the optimization?";
// Two blanks before "Please", as the program has always shown it.
inline constexpr const char* kWaterTableStopMessage =
    "The water table is below the bottom of the aquifer. Calculations stopped.  Please adjust "
    "data.";

}  // namespace halosoil
