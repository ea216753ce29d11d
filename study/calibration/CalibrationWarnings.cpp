#include "CalibrationWarnings.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace halosoil::study {

namespace {

// Estimates that correlate beyond this are not told apart by the data.
constexpr double kStrongCorrelation = 0.95;

// Six significant digits: what a reader compares, not what a program reads back.
std::string Rounded(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return buffer;
}

std::string IntervalText(double low, double high) {
    return Rounded(low) + " to " + Rounded(high);
}

std::string Decimals(int decimals) {
    return std::to_string(decimals) + (decimals == 1 ? " decimal" : " decimals");
}

// What the input file keeps of the parameter, in words.
std::string KeptInFile(const Parameter& parameter) {
    const int decimals = parameter.Info().decimalsInFile;
    if (IsFactor(parameter.kind))
        return "the input file keeps each step of the series it multiplies with " +
               Decimals(decimals);
    return "the input file keeps it with " + Decimals(decimals);
}

void AddEstimateWarnings(const ParameterEstimate& estimate, std::vector<std::string>& warnings) {
    const Parameter& parameter = estimate.parameter;
    const std::string name = parameter.Name();
    if (estimate.start < parameter.low || estimate.start > parameter.high)
        warnings.push_back(
            "The start of " + name + " (" + Rounded(estimate.start) +
            ") lies outside its bounds (" + IntervalText(parameter.low, parameter.high) +
            "): the search started from " +
            Rounded(estimate.start < parameter.low ? parameter.low : parameter.high) +
            ", and the objective before is the given project's.");
    if (estimate.fixed) {
        warnings.push_back(name + " is fixed at " + Rounded(estimate.value) +
                           " by its equal bounds: it was held there, not calibrated.");
        return;
    }
    if (std::isinf(estimate.standardError)) {
        warnings.push_back(name +
                           " is not determined by these data: the runs do not change with it "
                           "near the optimum.");
    } else if (estimate.ciHigh - estimate.ciLow > parameter.high - parameter.low) {
        warnings.push_back(name + " is not determined by these data: its 95 % interval (" +
                           IntervalText(estimate.ciLow, estimate.ciHigh) +
                           ") is wider than its bounds (" +
                           IntervalText(parameter.low, parameter.high) + ").");
    }
    if (estimate.atBound)
        warnings.push_back(name + " lies at a bound (" + Rounded(estimate.value) +
                           "); its best value may lie beyond.");
}

void AddCorrelationWarnings(const CalibrationResult& result, std::vector<std::string>& warnings) {
    const std::size_t p = result.estimates.size();
    for (std::size_t a = 0; a < p; ++a)
        for (std::size_t b = a + 1; b < p; ++b) {
            const double r = result.correlation[a][b];
            if (std::abs(r) > kStrongCorrelation)
                warnings.push_back(result.estimates[a].parameter.Name() + " and " +
                                   result.estimates[b].parameter.Name() +
                                   " are not determined by these data: they correlate at " +
                                   Rounded(std::round(r * 1000) / 1000) + ".");
        }
}

// How many standard errors the written value lies from the estimate; NaN where it cannot be
// told (no standard error, no written value).
double WrittenOffBy(const ParameterEstimate& estimate) {
    if (estimate.fixed || !std::isfinite(estimate.standardError) || !(estimate.standardError > 0) ||
        !std::isfinite(estimate.written))
        return std::nan("");
    return std::abs(estimate.written - estimate.value) / estimate.standardError;
}

std::string TwoDigits(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2g", value);
    return buffer;
}

void AddWrittenWarnings(const CalibrationResult& result, std::vector<std::string>& warnings) {
    if (!result.writtenRefusal.empty()) {
        warnings.push_back("The calibrated project as its file holds it is refused: " +
                           result.writtenRefusal);
        return;
    }
    if (result.writtenStoppedStep > 0)
        warnings.push_back("The calibrated project as its file holds it stops early at step " +
                           std::to_string(result.writtenStoppedStep) +
                           ": the water table falls below the aquifer.");
    bool moved = false;
    for (const ParameterEstimate& estimate : result.estimates) {
        const double off = WrittenOffBy(estimate);
        if (!(off > kWrittenOffBy)) continue;
        moved = true;
        warnings.push_back(estimate.parameter.Name() +
                           " is written into the calibrated project as " +
                           Rounded(estimate.written) + ", " + TwoDigits(off) +
                           " standard errors from its estimate " + Rounded(estimate.value) + ": " +
                           KeptInFile(estimate.parameter) + ".");
    }
    if (moved)
        warnings.push_back("The calibrated project as its file holds it has the objective " +
                           Rounded(result.objectiveWritten) + " where the optimum has " +
                           Rounded(result.objectiveEnd) + "; the report's fit_written is its fit.");
}

}  // namespace

void AddWarnings(CalibrationResult& result, int observations) {
    std::vector<std::string>& warnings = result.warnings;
    if (result.state.RunStopped)
        warnings.push_back("The calibrated project's run stopped early at step " +
                           std::to_string(result.state.StoppedStep) +
                           ": the water table fell below the aquifer.");
    int free = 0;
    for (const ParameterEstimate& estimate : result.estimates) free += estimate.fixed ? 0 : 1;
    if (free > 0 && observations <= free)
        warnings.push_back("There are " + std::to_string(observations) + " observations for " +
                           std::to_string(free) +
                           " parameters: too few to tell how well they are determined.");
    for (const ParameterEstimate& estimate : result.estimates)
        AddEstimateWarnings(estimate, warnings);
    AddCorrelationWarnings(result, warnings);
    AddWrittenWarnings(result, result.writtenWarnings);
    warnings.insert(warnings.end(), result.writtenWarnings.begin(), result.writtenWarnings.end());
}

}  // namespace halosoil::study
