// Each study's functions in halosoil._core, added in the order the module lists them.
#pragma once

#include <pybind11/pybind11.h>

namespace halosoil::python {

void AddObservationBindings(pybind11::module_& m);
void AddCalibrationBindings(pybind11::module_& m);
void AddSensitivityBindings(pybind11::module_& m);
void AddEnsembleBindings(pybind11::module_& m);
void AddDecisionBindings(pybind11::module_& m);

}  // namespace halosoil::python
