// The calibration report reader on any bytes, against a project of one layer and one of three:
// a refusal that names the file, or estimates an ensemble can draw from. Those have a value,
// a standard error and finite bounds, low to high, per parameter, and a square correlation
// with ones on its diagonal. Members drawn from them either are refused with a message (a
// standard error the calibration did not determine) or lie within the bounds.
#include <gsl/gsl_errno.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "Calibration.h"
#include "Ensemble.h"
#include "EnsembleDraws.h"
#include "Errors.h"
#include "FuzzCheck.h"
#include "Parameters.h"
#include "StudyFileProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

constexpr const char* kFileName = "fuzz.json";
constexpr int kMembers = 16;

bool Read(const std::string& text, const InputData& data, ReportEstimates& estimates) {
    try {
        estimates = ParseReportEstimates(text, data, kFileName);
        return true;
    } catch (const HalosoilError& error) {
        const std::string message = error.what();
        fuzz::Require(message.rfind(std::string(kFileName) + ": ", 0) == 0 ||
                          message.rfind(std::string(kFileName) + ", line ", 0) == 0,
                      "a refusal names the file");
        return false;
    }
}

void CheckEstimates(const ReportEstimates& estimates) {
    const std::size_t p = estimates.parameters.size();
    fuzz::Require(estimates.values.size() == p && estimates.standardErrors.size() == p,
                  "a value and a standard error per parameter");
    fuzz::Require(estimates.correlation.size() == p, "a correlation row per parameter");
    for (std::size_t a = 0; a < p; ++a) {
        const Parameter& parameter = estimates.parameters[a];
        fuzz::Require(std::isfinite(parameter.low) && std::isfinite(parameter.high) &&
                          parameter.low <= parameter.high,
                      "finite bounds, low to high");
        fuzz::Require(std::isfinite(estimates.values[a]), "a finite value");
        fuzz::Require(estimates.correlation[a].size() == p, "a square correlation");
        fuzz::Require(estimates.correlation[a][a] == 1, "ones on the diagonal");
    }
}

// The draws of an ensemble from the estimates, after the checks of its parameters.
void CheckDraws(const ReportEstimates& estimates, const InputData& data) {
    try {
        CheckParameterSet(estimates.parameters, data);
    } catch (const HalosoilError&) {
        return;
    }
    EnsembleSettings settings;
    settings.parameters = estimates.parameters;
    settings.fromReport = estimates;
    settings.members = kMembers;
    settings.seed = 1;
    std::vector<double> values;
    try {
        values = DrawMembers(settings, settings.parameters);
    } catch (const HalosoilError&) {
        return;
    }
    const std::size_t p = estimates.parameters.size();
    fuzz::Require(values.size() == p * kMembers, "every member has every parameter");
    for (std::size_t k = 0; k < values.size(); ++k) {
        const Parameter& parameter = estimates.parameters[k % p];
        fuzz::Require(values[k] >= parameter.low && values[k] <= parameter.high,
                      "every member within the bounds");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    // As every ensemble does before it draws: a correlation that is not positive definite is
    // GSL's status to look at, not its abort.
    gsl_set_error_handler_off();
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    for (const InputData& data : fuzz::StudyProjects()) {
        ReportEstimates estimates;
        if (!Read(text, data, estimates)) continue;
        CheckEstimates(estimates);
        if (!estimates.parameters.empty()) CheckDraws(estimates, data);
    }
    return 0;
}
