#include "DesignMembers.h"

#include <algorithm>

#include "MemberRuns.h"
#include "RelativeYield.h"

namespace halosoil::study {

namespace {

constexpr double kFailedMargin = -100;

double Total(const Series& series) {
    double sum = 0;
    for (std::size_t i = 1; i < series.size(); ++i) sum += series[i];
    return sum;
}

}  // namespace

double MemberStatistic(const InputData& project, const RunState* state,
                       const DesignSettings& settings) {
    const double failed = kFailedMargin + settings.requirement.minimumYield;
    if (!state || state->RunStopped) return failed;
    const Series yield = RelativeYieldSeries(project, *state, settings.crop, settings.eceFactor);
    if (yield.size() < 2) return failed;
    if (settings.requirement.atFinal) return yield.back();
    return *std::min_element(yield.begin() + 1, yield.end());
}

double GoalOf(const DesignSettings& settings, const InputData& project, const RunState* state,
              const double* controls) {
    switch (settings.goal) {
        case DesignGoal::Irrigation:
            return Total(project.Irrig);
        case DesignGoal::Drainage:
            return state ? Total(state->Drain) : 0;
        case DesignGoal::Control:
            return controls[settings.goalControl];
    }
    return 0;
}

std::vector<Parameter> DesignMemberParameters(const DesignSettings& settings) {
    std::vector<Parameter> parameters = settings.controls;
    const std::vector<Parameter>& uncertain =
        settings.fromReport ? settings.fromReport->parameters : settings.uncertain;
    parameters.insert(parameters.end(), uncertain.begin(), uncertain.end());
    return parameters;
}

MemberOutcomes RunDesignMembers(const InputData& base, const DesignSettings& settings,
                                const std::vector<Parameter>& parameters,
                                const std::vector<double>& values) {
    const std::size_t width = std::max<std::size_t>(1, parameters.size());
    const std::size_t members = values.size() / width;
    MemberOutcomes outcomes;
    outcomes.statistics.assign(members, kFailedMargin);
    outcomes.goals.assign(members, 0);
    RunMembers(base, parameters, values, settings.options, [&](const MemberRun& run) {
        const std::size_t m = static_cast<std::size_t>(run.member);
        const RunState* state = run.Refused() ? nullptr : &run.state;
        outcomes.statistics[m] = MemberStatistic(run.project, state, settings);
        outcomes.goals[m] = GoalOf(settings, run.project, state, run.values);
    });
    return outcomes;
}

}  // namespace halosoil::study
