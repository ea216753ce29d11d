// The joint calibration: the parameters' values within their bounds that make the runs match
// the observations best, and how well the observations determine them. A global
// derivative-free search (NLopt's controlled random search, reproducible for a seed) is
// followed by local searches (BOBYQA) from its best distinct points, side by side on the
// cores; standard errors come from the Jacobian of the weighted residuals at the optimum, as
// inverse-modelling tools report them. Every evaluation is a plain run of the project, and a
// candidate that `run` would refuse scores as a failed run. Parameters with equal bounds are
// held at their value. The calibrated project is then written as its file holds it, read
// back and run again, since the file's decimals move it off the optimum.
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
    double start = 0;  // the given project's value, even where it lies outside the bounds
    double value = 0;
    // NaN where the data cannot tell (fewer observations than parameters, or a parameter
    // without effect); infinite where the value is not determined at all; 0 for a fixed one.
    double standardError = 0;
    double ciLow = 0, ciHigh = 0;
    bool atBound = false;
    bool fixed = false;  // equal bounds held it at their value
    // The value as the written project holds it (see WrittenValue); NaN where the project
    // could not be written or run.
    double written = 0;
};

struct CalibrationResult {
    std::vector<ParameterEstimate> estimates;
    // Correlation of the estimates, parameters x parameters; NaN where undefined.
    std::vector<std::vector<double>> correlation;
    std::vector<QuantityFit> fit;
    double objectiveStart = 0;  // of the given project
    double objectiveEnd = 0;    // of the optimum
    // The written project's objective and fit, its refusal (empty when it ran) and the step
    // its run stopped at (0 when it went through).
    double objectiveWritten = 0;
    std::vector<QuantityFit> fitWritten;
    std::string writtenRefusal;
    int writtenStoppedStep = 0;
    long long runs = 0;
    double seconds = 0;
    std::vector<std::string> warnings;
    // Those of the warnings that tell how the written project differs from the optimum.
    std::vector<std::string> writtenWarnings;
    // The calibrated project and its run.
    InputData project;
    RunState state;
};

// Calibrates the project; throws HalosoilError for a set of parameters or observations that
// cannot be calibrated, StudyCancelled when cancelled.
CalibrationResult Calibrate(const InputData& base, const CalibrationSettings& settings);

// The calibration's report as JSON: parameters (with their written values and the decimals
// the file keeps of them), correlation, fit, objective, the written project's objective and
// fit, runs, seconds, warnings.
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
