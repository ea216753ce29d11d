#include "Calibration.h"

#include <gsl/gsl_errno.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>

#include "CalibrationSearch.h"
#include "CalibrationStatistics.h"
#include "Errors.h"
#include "RunEvaluator.h"
#include "ShortestText.h"

namespace halosoil::study {

namespace {

// The Jacobian's step: this share of each parameter's range, central where both sides lie
// within the bounds.
constexpr double kJacobianStep = 1e-3;
// A value this close to a bound, as a share of the range, lies at the bound.
constexpr double kAtBound = 1e-4;
// Estimates that correlate beyond this are not told apart by the data.
constexpr double kStrongCorrelation = 0.95;

struct Sides {
    double below, above;
};

Sides JacobianSides(const Parameter& parameter, double value) {
    const double step = kJacobianStep * (parameter.high - parameter.low);
    return {std::max(parameter.low, value - step), std::min(parameter.high, value + step)};
}

// The Jacobian of the weighted residuals at values: two runs a parameter, all of them side by
// side.
std::vector<double> JacobianAt(const InputData& base, const CalibrationSettings& settings,
                               const Objective& objective, const std::vector<double>& values,
                               RunCounter& runs) {
    const std::vector<Parameter>& parameters = settings.parameters;
    const std::size_t p = parameters.size();
    std::vector<double> members;
    for (std::size_t j = 0; j < p; ++j)
        for (const bool above : {false, true}) {
            std::vector<double> member = values;
            const Sides sides = JacobianSides(parameters[j], values[j]);
            member[j] = above ? sides.above : sides.below;
            members.insert(members.end(), member.begin(), member.end());
        }
    std::vector<std::vector<double>> residuals(2 * p);
    StudyOptions options = settings.options;
    options.progress = nullptr;
    RunMembers(base, parameters, members, options, [&](const MemberRun& run) {
        objective.Residuals(run.state, residuals[static_cast<std::size_t>(run.member)]);
        if (run.Failed()) residuals[static_cast<std::size_t>(run.member)].clear();
    });
    runs.Add(static_cast<long long>(2 * p));

    const std::size_t m = static_cast<std::size_t>(objective.ObservationCount());
    std::vector<double> jacobian(m * p, 0.0);
    for (std::size_t j = 0; j < p; ++j) {
        const std::vector<double>& below = residuals[2 * j];
        const std::vector<double>& above = residuals[2 * j + 1];
        const Sides sides = JacobianSides(parameters[j], values[j]);
        const double width = sides.above - sides.below;
        if (below.size() != m || above.size() != m || !(width > 0)) {
            // A side that stopped early or a parameter without a range tells nothing.
            for (std::size_t i = 0; i < m; ++i) jacobian[i * p + j] = 0;
            continue;
        }
        for (std::size_t i = 0; i < m; ++i) jacobian[i * p + j] = (above[i] - below[i]) / width;
    }
    return jacobian;
}

// Six significant digits: what a reader compares, not what a program reads back.
std::string Rounded(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return buffer;
}

std::string Interval(double low, double high) {
    return Rounded(low) + " to " + Rounded(high);
}

void AddWarnings(CalibrationResult& result, int observations) {
    const std::size_t p = result.estimates.size();
    if (observations <= static_cast<int>(p))
        result.warnings.push_back("There are " + std::to_string(observations) +
                                  " observations for " + std::to_string(p) +
                                  " parameters: too few to tell how well they are determined.");
    for (const ParameterEstimate& estimate : result.estimates) {
        const Parameter& parameter = estimate.parameter;
        if (std::isinf(estimate.standardError)) {
            result.warnings.push_back(parameter.Name() +
                                      " is not determined by these data: the runs do not "
                                      "change with it near the optimum.");
        } else if (estimate.ciHigh - estimate.ciLow > parameter.high - parameter.low) {
            result.warnings.push_back(
                parameter.Name() + " is not determined by these data: its 95 % interval (" +
                Interval(estimate.ciLow, estimate.ciHigh) + ") is wider than its bounds (" +
                Interval(parameter.low, parameter.high) + ").");
        }
        if (estimate.atBound)
            result.warnings.push_back(parameter.Name() + " lies at a bound (" +
                                      Rounded(estimate.value) +
                                      "); its best value may lie beyond.");
    }
    for (std::size_t a = 0; a < p; ++a)
        for (std::size_t b = a + 1; b < p; ++b) {
            const double r = result.correlation[a][b];
            if (std::abs(r) > kStrongCorrelation)
                result.warnings.push_back(result.estimates[a].parameter.Name() + " and " +
                                          result.estimates[b].parameter.Name() +
                                          " are not determined by these data: they correlate "
                                          "at " +
                                          Rounded(std::round(r * 1000) / 1000) + ".");
        }
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
    const std::vector<double> startUnit = UnitOf(parameters, startValues);

    // The start, the searches, the calibrated run and the Jacobian's two runs a parameter.
    const int dims = static_cast<int>(parameters.size());
    RunCounter runs(1 + MostSearchRuns(dims) + 1 + 2LL * dims, settings.options.progress);
    CalibrationResult result;
    {
        RunEvaluator start(base, parameters, objective, runs, settings.options.cancel);
        result.objectiveStart = start(startUnit);
    }
    const SearchOutcome best =
        SearchBest(base, parameters, objective, startUnit, settings.seed, settings.options, runs);
    const std::vector<double> values = ValuesAt(parameters, best.bestUnit.data());

    result.project = Variant(base, parameters, values.data());
    {
        Engine engine;
        std::string refusal;
        engine.ComputePlain(result.project, refusal);
        runs.Add(1);
        result.state = engine.State();
        if (!refusal.empty()) throw HalosoilError(refusal);
    }
    result.objectiveEnd = objective.Value(result.state);
    result.fit = FitOf(settings.observations, result.state);

    std::vector<double> residuals;
    objective.Residuals(result.state, residuals);
    const EstimateStatistics statistics =
        StatisticsOf(JacobianAt(base, settings, objective, values, runs), residuals,
                     static_cast<int>(parameters.size()));
    for (std::size_t j = 0; j < parameters.size(); ++j) {
        ParameterEstimate estimate;
        estimate.parameter = parameters[j];
        estimate.start = startValues[j];
        estimate.value = values[j];
        estimate.standardError = statistics.standardErrors[j];
        estimate.ciLow = values[j] - statistics.halfWidths[j];
        estimate.ciHigh = values[j] + statistics.halfWidths[j];
        const double margin = kAtBound * (parameters[j].high - parameters[j].low);
        estimate.atBound =
            values[j] <= parameters[j].low + margin || values[j] >= parameters[j].high - margin;
        result.estimates.push_back(estimate);
    }
    result.correlation = statistics.correlation;
    if (result.state.RunStopped)
        result.warnings.push_back("The calibrated project's run stopped early at step " +
                                  std::to_string(result.state.StoppedStep) +
                                  ": the water table fell below the aquifer.");
    AddWarnings(result, objective.ObservationCount());
    result.runs = runs.Runs();
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
}

}  // namespace halosoil::study
