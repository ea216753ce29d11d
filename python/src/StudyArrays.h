// The numpy arrays the study functions take and give.
#pragma once

#include <pybind11/numpy.h>

#include <cstddef>
#include <vector>

namespace halosoil::python {

// members x columns of a C-ordered numpy array of numbers.
std::vector<double> RowsOf(const pybind11::handle& object, std::size_t columns, const char* what);

pybind11::array_t<double> ArrayOf(const std::vector<double>& values,
                                  std::vector<pybind11::ssize_t> shape);
pybind11::array_t<int> ArrayOf(const std::vector<int>& values);

}  // namespace halosoil::python
