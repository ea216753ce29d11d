// The engine: one run from the project record to the output file. Builds the run's own
// inputs from the record, asks whether to refine the drainage capacity, runs the water
// balance, offers the optimisation of leaching efficiencies and runs the final salt balance;
// writing the output file is a step of its own. The record is only read, so two engines may
// run on two records at once.
#pragma once

#include <string>

#include "EngineOptions.h"
#include "InputData.h"
#include "RunHost.h"
#include "RunInputs.h"
#include "RunState.h"

namespace halosoil {

class Engine {
public:
    Engine() = default;
    explicit Engine(EngineOptions options) : options_(options) {}

    // The calculations of a run, up to and including the final salt balance; fills State().
    // Sets State().RunStopped when the water table fell below the aquifer. Throws
    // HalosoilError when the project cannot be run.
    void Compute(const InputData& data, RunHost& host);

    // Writes the output file of the computed run to outputFileName (by default the input
    // file's name with ".out"), replacing an earlier file only when the new one is whole.
    // Throws HalosoilError when it cannot be written.
    void WriteOutput(const InputData& data, RunHost& host,
                     const std::string& outputFileName = "") const;

    // Compute, then, unless the run stopped early, WriteOutput.
    void Run(const InputData& data, RunHost& host, const std::string& outputFileName = "");

    // One plain run: both questions answered No, no messages, through the same code as
    // ComputePlainRuns. A project the engine refuses leaves its message in refusal and counts
    // as stopped (RunStopped set, StoppedStep 0); refusal is emptied otherwise.
    void ComputePlain(const InputData& data, std::string& refusal);

    // The last run's results. Only the engine's own runs change them: whoever shows results
    // read back from a file keeps a copy of its own.
    const RunState& State() const { return state_; }
    const EngineOptions& Options() const { return options_; }

private:
    EngineOptions options_;
    RunState state_;
};

// Plain runs (both questions answered No, no messages) of count projects at once, as
// Engine::Compute on a fresh engine leaves its state, to the bit. The final salt balances of
// the projects of one shape go side by side in the lanes of the vector unit. A project the
// engine refuses leaves its message in refusals[k] and counts as stopped (RunStopped set,
// StoppedStep 0); refusals[k] is emptied otherwise.
void ComputePlainRuns(const InputData* const* projects, RunState* const* states,
                      std::string* refusals, int count, VectorUnit unit);

// The two ends of a plain run, for a caller that drives its passes itself (the stepped runs
// of SteppedRun.h): StartPlainRun clears the state as a fresh engine's, checks the project
// and builds the run's inputs; false, with the engine's refusal, when the project cannot run
// (the state then as ComputePlainRuns leaves a refused project). FinishPlainRun completes a
// run that went through.
bool StartPlainRun(const InputData& data, RunInputs& inputs, RunState& state, std::string& refusal);
void FinishPlainRun(RunState& state);

}  // namespace halosoil
