// The observations in halosoil._core: the quantities a study knows and the columns of an
// observations file.

#include <pybind11/stl.h>

#include <sstream>

#include "Quantities.h"
#include "StudyArguments.h"
#include "StudyBindings.h"

namespace halosoil::python {

namespace py = pybind11;
using namespace halosoil::study;

namespace {

ObservedColumns ColumnsOf(const Observations& observations) {
    ObservedColumns columns;
    for (const QuantityInfo& info : Quantities()) {
        if (!observations.columns[static_cast<std::size_t>(info.quantity)]) continue;
        std::vector<int> steps;
        std::vector<double> values;
        for (const Observed& observed : observations.Of(info.quantity)) {
            steps.push_back(observed.step);
            values.push_back(observed.value);
        }
        columns.emplace_back(info.name, std::move(steps), std::move(values));
    }
    return columns;
}

ObservedColumns ReadObservations(const std::optional<py::dict>& record, const py::bytes& text,
                                 const std::string& fileName) {
    const InputData data = record ? StudyProject(*record) : LargestProject();
    std::istringstream in(std::string(text), std::ios::binary);
    return ColumnsOf(ReadObservationsCsv(in, data, fileName));
}

py::list QuantityTable() {
    py::list table;
    for (const QuantityInfo& info : Quantities())
        table.append(py::make_tuple(info.name, info.unit, info.zone));
    return table;
}

}  // namespace

void AddObservationBindings(py::module_& m) {
    m.def("quantities", &QuantityTable,
          "Every result quantity a study knows: (name, unit, zone), zone 0 for the water ones.");
    m.def("read_observations", &ReadObservations, py::arg("record"), py::arg("text"),
          py::arg("file_name"),
          "The columns of an observations CSV checked against the record (None: three layers "
          "of the most steps): [(quantity, steps, values)].");
}

}  // namespace halosoil::python
