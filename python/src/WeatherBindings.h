// The weather library's functions in halosoil._core: station records to reference
// evapotranspiration and time steps.
#pragma once

#include <pybind11/pybind11.h>

namespace halosoil::python {

void AddWeatherBindings(pybind11::module_& m);

}  // namespace halosoil::python
