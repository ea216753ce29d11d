#include "SaltBudgetArray.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <string>

#include "SaltBudget.h"

namespace halosoil::python {

namespace py = pybind11;

namespace {

// Each column's name and member, in the order of the rows a table shows.
struct BudgetColumn {
    const char* name;
    double ZoneSaltBudget::*member;
};

constexpr BudgetColumn kColumns[] = {
    {"in_irrigation", &ZoneSaltBudget::irrigation},
    {"in_rain", &ZoneSaltBudget::rain},
    {"in_percolation", &ZoneSaltBudget::percolationIn},
    {"in_capillary_rise", &ZoneSaltBudget::capillaryRiseIn},
    {"in_seepage", &ZoneSaltBudget::seepageIn},
    {"in_groundwater", &ZoneSaltBudget::groundwaterInflow},
    {"out_drainage", &ZoneSaltBudget::drainage},
    {"out_percolation", &ZoneSaltBudget::percolationOut},
    {"out_capillary_rise", &ZoneSaltBudget::capillaryRiseOut},
    {"out_seepage", &ZoneSaltBudget::seepageOut},
    {"out_groundwater", &ZoneSaltBudget::groundwaterOutflow},
    {"storage_change", &ZoneSaltBudget::storageChange},
};
constexpr py::ssize_t kColumnCount = std::size(kColumns) + 1;  // and the imbalance

}  // namespace

py::list SaltBudgetColumns() {
    py::list names;
    for (const BudgetColumn& column : kColumns) names.append(column.name);
    names.append("imbalance");
    return names;
}

void AddSaltBudget(py::dict& result, const InputData& data, const RunState& state) {
    const std::vector<StepSaltBudget> budget = SaltBudgetOf(data, state);
    const py::ssize_t steps = data.NrTst;
    py::array_t<double> array({steps, static_cast<py::ssize_t>(kZoneCount), kColumnCount});
    auto cells = array.mutable_unchecked<3>();
    for (py::ssize_t i = 0; i < steps; ++i)
        for (int zone = Layer1; zone <= Aquif; ++zone) {
            const ZoneSaltBudget& of = budget[static_cast<std::size_t>(i) + 1][zone];
            for (py::ssize_t c = 0; c + 1 < kColumnCount; ++c)
                cells(i, zone - 1, c) = of.*kColumns[c].member;
            cells(i, zone - 1, kColumnCount - 1) = of.Imbalance();
        }
    result["_salt_budget"] = array;
    result["_salt_warnings"] = py::cast(SaltBudgetWarnings(TotalsOf(budget, state, data)));
    result["_salt_balance"] = std::string(SaltBalanceName(data.SaltBalance));
}

}  // namespace halosoil::python
