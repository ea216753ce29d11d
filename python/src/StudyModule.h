// The study library's functions in halosoil._core: observations, calibration, sensitivity,
// ensembles, and the pieces a Dask cluster runs of the latter two.
#pragma once

#include <pybind11/pybind11.h>

namespace halosoil::python {

void AddStudyFunctions(pybind11::module_& m);

}  // namespace halosoil::python
