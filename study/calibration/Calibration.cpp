#include "Calibration.h"

#include <gsl/gsl_errno.h>

#include <algorithm>
#include <chrono>
#include <limits>

#include "CalibrationSearch.h"
#include "CalibrationStatistics.h"
#include "CalibrationWarnings.h"
#include "Errors.h"
#include "RunEvaluator.h"
#include "WrittenProject.h"

namespace halosoil::study {

namespace {

// The Jacobian's step: this share of each parameter's range, central where both sides lie
// within the bounds.
constexpr double kJacobianStep = 1e-3;
// A value this close to a bound, as a share of the range, lies at the bound.
constexpr double kAtBound = 1e-4;

struct Sides {
    double below, above;
};

Sides JacobianSides(const Parameter& parameter, double value) {
    const double step = kJacobianStep * (parameter.high - parameter.low);
    return {std::max(parameter.low, value - step), std::min(parameter.high, value + step)};
}

// The parameters the search moves: those whose bounds are not equal.
std::vector<std::size_t> FreeParameters(const std::vector<Parameter>& parameters) {
    std::vector<std::size_t> free;
    for (std::size_t j = 0; j < parameters.size(); ++j)
        if (!parameters[j].Fixed()) free.push_back(j);
    return free;
}

// The Jacobian of the weighted residuals at values in the free parameters: two runs a free
// parameter, all of them side by side.
std::vector<double> JacobianAt(const InputData& base, const CalibrationSettings& settings,
                               const Objective& objective, const std::vector<double>& values,
                               const std::vector<std::size_t>& free, RunCounter& runs) {
    const std::vector<Parameter>& parameters = settings.parameters;
    const std::size_t f = free.size();
    std::vector<double> members;
    for (const std::size_t j : free)
        for (const bool above : {false, true}) {
            std::vector<double> member = values;
            const Sides sides = JacobianSides(parameters[j], values[j]);
            member[j] = above ? sides.above : sides.below;
            members.insert(members.end(), member.begin(), member.end());
        }
    std::vector<std::vector<double>> residuals(2 * f);
    StudyOptions options = settings.options;
    options.progress = nullptr;
    RunMembers(base, parameters, members, options, [&](const MemberRun& run) {
        // A refused member has no state to take residuals from.
        if (!run.Failed())
            objective.Residuals(run.state, residuals[static_cast<std::size_t>(run.member)]);
    });
    runs.Add(static_cast<long long>(2 * f));

    const std::size_t m = static_cast<std::size_t>(objective.ObservationCount());
    std::vector<double> jacobian(m * f, 0.0);
    for (std::size_t k = 0; k < f; ++k) {
        const std::vector<double>& below = residuals[2 * k];
        const std::vector<double>& above = residuals[2 * k + 1];
        const Sides sides = JacobianSides(parameters[free[k]], values[free[k]]);
        const double width = sides.above - sides.below;
        // A side that stopped early or was refused tells nothing: its column stays 0.
        if (below.size() != m || above.size() != m || !(width > 0)) continue;
        for (std::size_t i = 0; i < m; ++i) jacobian[i * f + k] = (above[i] - below[i]) / width;
    }
    return jacobian;
}

// The estimates, their intervals and correlation from the Jacobian of the free parameters at
// the optimum; a fixed parameter keeps its value with no spread and correlates with nothing.
void AddEstimates(const InputData& base, const CalibrationSettings& settings,
                  const Objective& objective, const std::vector<double>& startValues,
                  const std::vector<double>& values, RunCounter& runs, CalibrationResult& result) {
    const std::vector<Parameter>& parameters = settings.parameters;
    const std::size_t p = parameters.size();
    const std::vector<std::size_t> free = FreeParameters(parameters);
    EstimateStatistics statistics;
    if (!free.empty()) {
        std::vector<double> residuals;
        objective.Residuals(result.state, residuals);
        statistics = StatisticsOf(JacobianAt(base, settings, objective, values, free, runs),
                                  residuals, static_cast<int>(free.size()));
    }
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    result.correlation.assign(p, std::vector<double>(p, kNaN));
    for (std::size_t j = 0; j < p; ++j) {
        result.correlation[j][j] = 1;
        ParameterEstimate estimate;
        estimate.parameter = parameters[j];
        estimate.start = startValues[j];
        estimate.value = values[j];
        estimate.fixed = parameters[j].Fixed();
        estimate.ciLow = estimate.ciHigh = values[j];
        result.estimates.push_back(estimate);
    }
    for (std::size_t k = 0; k < free.size(); ++k) {
        ParameterEstimate& estimate = result.estimates[free[k]];
        const Parameter& parameter = parameters[free[k]];
        estimate.standardError = statistics.standardErrors[k];
        estimate.ciLow = estimate.value - statistics.halfWidths[k];
        estimate.ciHigh = estimate.value + statistics.halfWidths[k];
        const double margin = kAtBound * (parameter.high - parameter.low);
        estimate.atBound =
            estimate.value <= parameter.low + margin || estimate.value >= parameter.high - margin;
        for (std::size_t l = 0; l < free.size(); ++l)
            result.correlation[free[k]][free[l]] = statistics.correlation[k][l];
    }
}

// The calibrated project as its file holds it, with each parameter's written value.
void AddWritten(const InputData& base, const Objective& objective, CalibrationResult& result) {
    const WrittenProject written = RunAsWritten(result.project, objective);
    result.objectiveWritten = written.objective;
    result.fitWritten = written.fit;
    result.writtenRefusal = written.refusal;
    result.writtenStoppedStep = written.state.RunStopped ? written.state.StoppedStep : 0;
    for (ParameterEstimate& estimate : result.estimates)
        estimate.written = written.refusal.empty()
                               ? WrittenValue(written.project, base, estimate.parameter)
                               : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

CalibrationResult Calibrate(const InputData& base, const CalibrationSettings& settings) {
    gsl_set_error_handler_off();
    const auto started = std::chrono::steady_clock::now();
    const std::vector<Parameter>& parameters = settings.parameters;
    CheckParameterSet(parameters, base);
    const Objective objective(settings.observations, settings.weights);

    std::vector<double> startValues;
    for (const Parameter& parameter : parameters) startValues.push_back(ValueIn(base, parameter));
    // A start outside the bounds is moved onto the nearest bound for the search; the
    // objective before is still the given project's.
    const std::vector<double> startUnit = UnitOf(parameters, startValues);

    // The given project, the searches, the calibrated run, the Jacobian's two runs a
    // parameter and the written project's run.
    const int dims = static_cast<int>(parameters.size());
    RunCounter runs(1 + MostSearchRuns(dims) + 1 + 2LL * dims + 1, settings.options.progress);
    CalibrationResult result;
    result.objectiveStart =
        objective.Value(RunProject(Variant(base, parameters, startValues.data())).state);
    runs.Add(1);
    const SearchOutcome best =
        SearchBest(base, parameters, objective, startUnit, settings.seed, settings.options, runs);
    const std::vector<double> values = ValuesAt(parameters, best.bestUnit.data());

    result.project = Variant(base, parameters, values.data());
    {
        ProjectRun run = RunProject(result.project);
        runs.Add(1);
        if (!run.refusal.empty())
            throw HalosoilError("No values within the bounds give a project that can be run: " +
                                run.refusal);
        result.state = std::move(run.state);
    }
    result.objectiveEnd = objective.Value(result.state);
    result.fit = FitOf(settings.observations, result.state);
    AddEstimates(base, settings, objective, startValues, values, runs, result);
    AddWritten(base, objective, result);
    runs.Add(1);
    AddWarnings(result, objective.ObservationCount());
    result.runs = runs.Runs();
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
}

}  // namespace halosoil::study
