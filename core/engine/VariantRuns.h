// Plain runs of many variants of one project: the members of an ensemble, of a sensitivity
// design or of a calibration's search. The members go in groups as wide as the widest vector
// unit's lanes, the groups across the cores; each member's state is, to the bit, what a plain
// run of its project on a fresh engine leaves.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "EngineOptions.h"
#include "InputData.h"
#include "RunState.h"

namespace halosoil {

struct VariantRunOptions {
    // Threads for the members; 0 means one per core.
    int threads = 0;
    VectorUnit widestVectorUnit = VectorUnit::AVX512;
    // Set from another thread to stop taking new members.
    const std::atomic<bool>* cancel = nullptr;
};

// One member's outcome: its project, its state (RunStopped and StoppedStep tell whether and
// where its water table fell below the aquifer) and the message of a project the engine
// refused (empty otherwise; a refused member counts as stopped at step 0).
struct VariantRun {
    long long member;
    const InputData& project;
    const RunState& state;
    const std::string& refusal;
};

// Runs members 0..count-1: make(member, project) fills the member's project into a record
// whose storage it may reuse, visit(run) receives each outcome on the thread that ran it,
// each member once. A throw from make or visit stops the other threads after their group and
// is thrown again here.
void ComputeVariantRuns(long long count, const std::function<void(long long, InputData&)>& make,
                        const std::function<void(const VariantRun&)>& visit,
                        const VariantRunOptions& options);

}  // namespace halosoil
