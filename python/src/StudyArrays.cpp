#include "StudyArrays.h"

#include <algorithm>
#include <string>

#include "RecordDict.h"

namespace halosoil::python {

namespace py = pybind11;

std::vector<double> RowsOf(const py::handle& object, std::size_t columns, const char* what) {
    const auto array =
        py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(object);
    if (!array || array.ndim() != 2 || static_cast<std::size_t>(array.shape(1)) != columns)
        throw py::type_error(std::string(what) + " must be a 2-D array of one column per " +
                             "parameter");
    return CopiedDoubles(array);
}

py::array_t<double> ArrayOf(const std::vector<double>& values, std::vector<py::ssize_t> shape) {
    py::array_t<double> array(shape);
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

py::array_t<int> ArrayOf(const std::vector<int>& values) {
    py::array_t<int> array(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

}  // namespace halosoil::python
