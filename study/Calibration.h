// The joint calibration: the parameters' values within their bounds that make the runs match
// the observations best, and how well the observations determine them. A global
// derivative-free search (NLopt's controlled random search, reproducible for a seed) is
// followed by local searches (BOBYQA) from its best distinct points, side by side on the
// cores; standard errors come from the Jacobian of the weighted residuals at the optimum, as
// inverse-modelling tools report them. Every evaluation is a plain run of the project.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "InputData.h"
#include "MemberRuns.h"
#include "Objective.h"
#include "Observations.h"
#include "Parameters.h"
#include "RunState.h"

namespace halosoil::study {

struct CalibrationSettings {
    std::vector<Parameter> parameters;
    Observations observations;
    Weights weights;
    std::uint64_t seed = 0;
    StudyOptions options;
};

struct ParameterEstimate {
    Parameter parameter;
    double start = 0;
    double value = 0;
    // NaN where the data cannot tell (fewer observations than parameters, or a parameter
    // without effect); infinite where the value is not determined at all.
    double standardError = 0;
    double ciLow = 0, ciHigh = 0;
    bool atBound = false;
};

struct CalibrationResult {
    std::vector<ParameterEstimate> estimates;
    // Correlation of the estimates, parameters x parameters; NaN where undefined.
    std::vector<std::vector<double>> correlation;
    std::vector<QuantityFit> fit;
    double objectiveStart = 0;
    double objectiveEnd = 0;
    long long runs = 0;
    double seconds = 0;
    std::vector<std::string> warnings;
    // The calibrated project and its run.
    InputData project;
    RunState state;
};

// Calibrates the project; throws HalosoilError for a set of parameters or observations that
// cannot be calibrated, StudyCancelled when cancelled.
CalibrationResult Calibrate(const InputData& base, const CalibrationSettings& settings);

// The calibration's report as JSON: parameters, correlation, fit, objective, runs, seconds,
// warnings.
std::string ReportJson(const CalibrationResult& result);

// What an ensemble needs of a report: the parameters with their bounds, estimates, standard
// errors and correlation. Throws HalosoilError naming the file for a report it cannot use.
struct ReportEstimates {
    std::vector<Parameter> parameters;
    std::vector<double> values;
    std::vector<double> standardErrors;
    std::vector<std::vector<double>> correlation;
};
ReportEstimates ReadReportEstimates(const std::string& path, const InputData& data);
ReportEstimates ParseReportEstimates(const std::string& json, const InputData& data,
                                     const std::string& fileName);

}  // namespace halosoil::study
