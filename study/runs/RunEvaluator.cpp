#include "RunEvaluator.h"

#include <algorithm>
#include <limits>

#include "MemberRuns.h"

namespace halosoil::study {

namespace {

EngineOptions OneThread() {
    EngineOptions options;
    options.threads = 1;
    return options;
}

}  // namespace

std::vector<double> ValuesAt(const std::vector<Parameter>& parameters, const double* unit) {
    std::vector<double> values(parameters.size());
    for (std::size_t j = 0; j < parameters.size(); ++j) {
        const double u = std::clamp(unit[j], 0.0, 1.0);
        values[j] = parameters[j].low + u * (parameters[j].high - parameters[j].low);
    }
    return values;
}

std::vector<double> UnitOf(const std::vector<Parameter>& parameters,
                           const std::vector<double>& values) {
    std::vector<double> unit(parameters.size());
    for (std::size_t j = 0; j < parameters.size(); ++j) {
        const double range = parameters[j].high - parameters[j].low;
        unit[j] = range > 0 ? std::clamp((values[j] - parameters[j].low) / range, 0.0, 1.0) : 0.5;
    }
    return unit;
}

ProjectRun RunProject(const InputData& project) {
    ProjectRun run;
    run.refusal = ImplausibilityOf(project);
    if (!run.refusal.empty()) {
        run.state.RunStopped = true;
        return run;
    }
    Engine engine(OneThread());
    engine.ComputePlain(project, run.refusal);
    run.state = engine.State();
    return run;
}

RunEvaluator::RunEvaluator(const InputData& base, const std::vector<Parameter>& parameters,
                           const Objective& objective, RunCounter& runs,
                           const std::atomic<bool>* cancel)
    : base_(base),
      parameters_(parameters),
      objective_(objective),
      runs_(runs),
      cancel_(cancel),
      engine_(OneThread()),
      bestValue_(std::numeric_limits<double>::infinity()) {}

double RunEvaluator::operator()(const std::vector<double>& unit) {
    if (cancel_ && *cancel_) throw StudyCancelled();
    const std::vector<double> values = ValuesAt(parameters_, unit.data());
    MakeVariant(base_, parameters_, values.data(), project_);
    // A candidate that `run` would refuse is as bad as a run that fails, and is not run.
    const bool plausible = ImplausibilityOf(project_).empty();
    if (plausible) engine_.ComputePlain(project_, refusal_);
    runs_.Add(1);
    const double value = plausible ? objective_.Value(engine_.State()) : kFailedRunObjective;
    // The first of equal values stays the best, so that the outcome does not hang on the
    // order of later ties.
    if (value < bestValue_) {
        bestValue_ = value;
        bestUnit_ = unit;
    }
    if (keepHistory_) {
        tried_.push_back(unit);
        triedValues_.push_back(value);
    }
    return value;
}

}  // namespace halosoil::study
