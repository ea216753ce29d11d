// halosoil-batch table salt-budget: the salt budget of a run of an input file as CSV.
#pragma once

#include <iosfwd>
#include <string>

#include "SaltBalanceKind.h"

namespace halosoil {

// How the input file is run for its budget, both questions of a run answered No.
struct SaltBudgetRun {
    SaltBalanceKind saltBalance = SaltBalanceKind::Specified;
    bool saltBalanceGiven = false;
};

// Runs the input file as run does (without writing its output file) and writes the budget, one
// row per step and zone that exists, to target (standard output when empty); the budget's
// warnings go to errors. Yields the batch status.
int ExportSaltBudget(const std::string& inputFile, const SaltBudgetRun& how,
                     const std::string& target, std::ostream& out, std::ostream& errors);

}  // namespace halosoil
