// The salt budget of a run for the Python side: one array of the steps, zones and quantities,
// and the warnings it gives.
#pragma once

#include <pybind11/pybind11.h>

#include "InputData.h"
#include "RunState.h"

namespace halosoil::python {

// The names of the budget's quantities, in the order of the array's last axis.
pybind11::list SaltBudgetColumns();

// Adds to a run's result dict "_salt_budget" (an array of steps x 5 zones x the columns, mm x
// dS/m; zones that do not exist hold zeros), "_salt_warnings" (the budget's warnings) and
// "_salt_balance" (the balance's name).
void AddSaltBudget(pybind11::dict& result, const InputData& data, const RunState& state);

}  // namespace halosoil::python
