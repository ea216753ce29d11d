// Fields that share their groundwater: every field's water balance advanced one step, then the
// flows between neighbours from their heads at that step's end, which become each field's
// lateral inflow and outflow in the step after; then the salt balances step by step, the
// lateral inflow carrying its sources' aquifer salinity. Each field computes as a one-field
// run of its project with those per-step flows (ComputeWithGroundwater) would.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "ExchangeCells.h"
#include "InputData.h"
#include "Neighbours.h"
#include "RunState.h"

namespace halosoil::region {

// A field as the exchange takes it: its project (null for a field refused before it could
// run), its cells and, from the network, its area and neighbours.
struct ExchangeField {
    const InputData* project = nullptr;
    ExchangeCells cells;
};

struct ExchangeOutcome {
    RunState state;
    std::string refusal;  // the engine's, or why the field could not join the exchange
    // Per step (index 0..NrTst, 0 at step 0 but the head) what ResultsWriter writes.
    std::vector<double> lateralInflow, lateralOutflow, lateralSalinity, head;
    // Said once: the step in which its exchange with a neighbour was first limited.
    std::string limited;
};

// Runs the fields together; threads 0 means one per core. ids name the fields in the notes.
// cancel, when set from another thread, stops the run between two steps with RegionCancelled.
std::vector<ExchangeOutcome> RunExchange(const std::vector<ExchangeField>& fields,
                                         const FieldNetwork& network,
                                         const std::vector<std::string>& ids, int threads,
                                         const std::atomic<bool>* cancel = nullptr);

}  // namespace halosoil::region
