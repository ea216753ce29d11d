#include "SaltBalanceOption.h"

#include <ostream>

#include "SaltBudget.h"

namespace halosoil {

void AddSaltBalanceOption(CLI::App* command, SaltBalanceKind& kind, bool* given) {
    command
        ->add_option_function<std::string>(
            "--salt-balance",
            [&kind, given](const std::string& name) {
                kind = *SaltBalanceNamed(name);
                if (given != nullptr) *given = true;
            },
            "specified (default: the earlier program's, to the byte) or conserving (every "
            "upward flow takes its salt out of the zone it leaves, the transition zone drains "
            "a day's share of the step's discharge a day)")
        ->type_name("KIND")
        ->check(CLI::IsMember({"specified", "conserving"}))
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

void WarnOfSaltBudget(const std::string& input, const InputData& data, const RunState& state,
                      std::ostream& errors) {
    const auto budget = SaltBudgetOf(data, state);
    for (const std::string& warning : SaltBudgetWarnings(TotalsOf(budget, state, data)))
        errors << input << ": warning: " << warning << '\n';
}

}  // namespace halosoil
