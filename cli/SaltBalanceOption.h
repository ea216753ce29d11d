// --salt-balance specified|conserving, shared by run, the studies and region; and the
// warnings of a run's salt budget on standard error.
#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <string>

#include "InputData.h"
#include "RunState.h"

namespace halosoil {

// Adds the option to command; the kind chosen lands in kind (specified when not given), and
// given, when there, is set once the option is on the line.
void AddSaltBalanceOption(CLI::App* command, SaltBalanceKind& kind, bool* given = nullptr);

// Prints "INPUT: warning: ..." for each warning of the run's salt budget. data is the
// project as it was run, state the run's (which went through).
void WarnOfSaltBudget(const std::string& input, const InputData& data, const RunState& state,
                      std::ostream& errors);

}  // namespace halosoil
