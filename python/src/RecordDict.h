// The project record as the Python package hands it across: a dict with the record's own
// field names, per-zone values as lists indexed 0..5 (0 unused) and per-step series as numpy
// arrays of the steps 1..NrTst. A missing measured salinity is NaN on the Python side and -1
// in the record. Titles cross as bytes, 8-bit text as the files hold it.
#pragma once

#include <pybind11/pybind11.h>

#include "InputData.h"

namespace halosoil::python {

InputData RecordFromDict(const pybind11::dict& fields);
pybind11::dict DictFromRecord(const InputData& data);

// The steps 1..count of a series as a numpy array, and back (element 0 stays 0).
pybind11::object ArrayOfSteps(const Series& series, int count);
Series SeriesOfSteps(const pybind11::handle& array);

}  // namespace halosoil::python
