// Many projects run at once, for a study: the records are read while the interpreter's lock is
// held, the runs go on threads of their own without it, each project on one thread as
// halosoil-batch run runs a file, and the outcomes come back in the projects' order.
#pragma once

#include <pybind11/pybind11.h>

namespace halosoil::python {

// projects: the attributes of consistent Projects (see RecordDict.h). Per project a result
// dict (ResultDict.h), or the tuple (message, step) of a run the water table stopped (step 0
// for a project refused before the run, with the refusal's text).
pybind11::list RunMany(const pybind11::list& projects, bool refine, bool optimise, int threads);

}  // namespace halosoil::python
