// The engine: one run from the project record to the output file. Prepares the run state,
// asks whether to refine the drainage capacity, runs the water balance, offers the
// optimisation of leaching efficiencies, runs the final salt balance, writes the output file
// and returns the record to the values the user entered.
#pragma once

#include <string>

#include "InputData.h"
#include "RunHost.h"
#include "RunState.h"

namespace halosoil {

inline constexpr const char* kRefineQuestion =
    "Halosoil can refine the water balance by selecting a fitting drainage capacity. Do you "
    "wish to do the refinement?";
inline constexpr const char* kOptimiseQuestion =
    "There are one or more soil layers with enough data on measured salinity to optimize the "
    "leaching efficiency. Do you want to do the optimization?";
inline constexpr const char* kWaterTableStopMessage =
    "The water table is below the bottom of the aquifer. Calculations stopped.  Please adjust "
    "data.";

// The output file of an input file: the same name with the extension ".out".
std::string OutputFileNameFor(const std::string& inputFileName);

// The most time steps the window's grids hold, and the most days a run may cover: that many
// years of 360 days.
inline constexpr int kMaxTimeSteps = 50000;
inline constexpr long long kMostRunDays = kMaxTimeSteps * 360LL;

// Refuses a project the engine cannot run soundly (no time steps, a step shorter than a
// day, more days than the memory holds, a series too short, a value that is not finite, a
// zero effective porosity where the water table can be): throws HalosoilError naming the
// value.
void CheckRunnable(const InputData& data);

class Engine {
public:
    // One complete run. Writes the output file outputFileName (by default the input file's
    // name with ".out"); sets State().RunStopped when the water table fell below the aquifer.
    // Throws HalosoilError when the project cannot be run or the output file not written; the
    // record then holds the entered values again.
    void Run(InputData& data, RunHost& host, const std::string& outputFileName = "");

    RunState& State() { return state_; }
    const RunState& State() const { return state_; }

private:
    RunState state_;
};

}  // namespace halosoil
