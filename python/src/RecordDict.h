// The project record as the Python package hands it across: the attributes of a Project (its
// __dict__), under the names of the field table (Fields.h), with file_name and
// measured_salinity. Per-zone values are dicts keyed by the zones of the layer count, per-step
// series numpy arrays of the steps 1..NrTst. A missing measured salinity is NaN on the Python
// side and -1 in the record. Titles are str; the files hold them as 8-bit text, so a character
// beyond Latin-1 becomes "?", as in the window.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <vector>

#include "InputData.h"

namespace halosoil::python {

// The attributes must have passed the Project's own consistency checks (types, zone keys,
// series lengths).
InputData RecordFromDict(const pybind11::dict& attributes);
pybind11::dict DictFromRecord(const InputData& data);

// The steps 1..count of a series as a numpy array, and back (element 0 stays 0).
pybind11::object ArrayOfSteps(const Series& series, int count);
Series SeriesOfSteps(const pybind11::handle& array);

// The numbers of a numpy array of doubles, copied byte by byte: an array unpickled from a
// buffer (as Dask hands arrays over) need not be aligned for loads of doubles.
std::vector<double> CopiedDoubles(const pybind11::array_t<double>& array);

// The Python string of a dict key, made once for each name and kept for the module's life: a
// key made anew from the C text for every look-up costs more than the look-up itself. Call
// with the interpreter's lock held.
pybind11::handle Key(const char* name);

// Python text to the files' 8-bit text and back.
std::string EightBitText(const pybind11::handle& text);
pybind11::str TextOfEightBit(const std::string& text);

// The table of fields for the Python classes: (name, kind, unit, meaning) per field.
pybind11::list ProjectFieldTable();
pybind11::list ResultFieldTable();
// The keys of the five zones, top down.
pybind11::tuple ZoneKeyTable();

}  // namespace halosoil::python
