// The results of a run as the Python package hands them across: the attributes of a Result
// (its __dict__), under the names of the field table (Fields.h). Per-step series of the steps
// 1..NrTst as numpy arrays, the salinities as a dict keyed by the zones of the layer count;
// the drainage capacity; per zone the leaching efficiency used and the coefficient of
// determination in percent, as the project gives efficiencies, and whether it was optimised.
// "_header" keeps the output header's values as the run left them (fractions), so that the
// output file written again has the bytes of the run's own.
#pragma once

#include <pybind11/pybind11.h>

#include "InputData.h"
#include "OutputFile.h"
#include "RunState.h"

namespace halosoil::python {

pybind11::dict DictFromRun(const InputData& data, const RunState& state);

pybind11::dict DictFromOutputFile(const InputData& data, const RunState& state,
                                  const OutputReadBack& readBack);

// The record's header fields and the run state that the output writer reads.
void RunFromDict(const pybind11::dict& result, InputData& data, RunState& state);

}  // namespace halosoil::python
