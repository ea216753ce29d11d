// What a region keeps of one field's run until its rows are written: the status, the
// message, and the ten per-step series of the quantities its project has.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "InputData.h"
#include "Quantities.h"
#include "RunState.h"

namespace halosoil::region {

enum class FieldStatus { Ok, Stopped, Refused };

const char* StatusName(FieldStatus status);  // "ok", "stopped", "refused"

struct FieldResult {
    FieldStatus status = FieldStatus::Refused;
    std::string message;
    // Per quantity, in the order of study::Quantities(): the series 0..NrTst, empty where the
    // project lacks the zone or the field did not run through.
    std::array<std::vector<double>, study::kQuantityCount> series;
    // A region whose fields share their groundwater: per step (0..NrTst) the lateral inflow and
    // outflow (mm/day), the inflow's salinity (dS/m) and the head at the step's end (m); empty
    // otherwise.
    std::vector<double> lateralInflow, lateralOutflow, lateralSalinity, head;
    // With a crop: its relative yield (%) per step (0..NrTst, element 0 unused); empty without.
    std::vector<double> relativeYield;

    // The number of steps (0 when the field did not run through).
    int Steps() const;
};

// The result of a field whose run went through, its series copied from the state.
FieldResult ResultOfRun(const InputData& project, const RunState& state);

}  // namespace halosoil::region
