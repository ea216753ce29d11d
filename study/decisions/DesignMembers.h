// The members of a design's candidate: each the base with the controls set beside its draws
// of the uncertain parameters, run plainly, giving the requirement's statistic (the least
// relative yield over its steps, or the last) and the goal (the irrigation, the drainage or a
// control). The same on this machine's cores and on a cluster's workers.
#pragma once

#include <vector>

#include "InputData.h"
#include "ManagementDesign.h"
#include "Parameters.h"
#include "RunState.h"

namespace halosoil::study {

// The statistic of a run; state null for a project the engine refused. A run that does not
// go through (stopped, refused) meets no requirement: it counts as 100 % below the yield
// required.
double MemberStatistic(const InputData& project, const RunState* state,
                       const DesignSettings& settings);

// The goal of a run (mm over all steps for irrigation and drainage); state null for a refused
// project, which drains nothing; controls holds the controls' values in their order.
double GoalOf(const DesignSettings& settings, const InputData& project, const RunState* state,
              const double* controls);

// The parameters of a design's members: the controls, then the uncertain parameters (those of
// the report when the members are drawn from one).
std::vector<Parameter> DesignMemberParameters(const DesignSettings& settings);

// Runs members of values (members x parameters, row-major, parameters as
// DesignMemberParameters gives them) on settings.options' threads. Throws StudyCancelled.
MemberOutcomes RunDesignMembers(const InputData& base, const DesignSettings& settings,
                                const std::vector<Parameter>& parameters,
                                const std::vector<double>& values);

}  // namespace halosoil::study
