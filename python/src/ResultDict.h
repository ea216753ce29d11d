// The results of a run as the Python package hands them across: the per-step series of the
// steps 1..NrTst as numpy arrays, the drainage capacity and, per zone (lists indexed 0..5),
// the working leaching efficiency (fraction), whether it was optimised, the coefficient of
// determination (fraction) and whether the fit is not available. With the sizes and titles
// that the output file's header shows, the dict is enough to write that file again.
#pragma once

#include <pybind11/pybind11.h>

#include <array>
#include <string>

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
