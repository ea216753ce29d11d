// The joint calibration in halosoil._core, run with the interpreter's lock released.

#include <pybind11/stl.h>

#include "Calibration.h"
#include "Interruptible.h"
#include "RecordDict.h"
#include "ResultDict.h"
#include "StudyArguments.h"
#include "StudyBindings.h"

namespace halosoil::python {

namespace py = pybind11;
using namespace halosoil::study;

namespace {

py::dict FitDict(const QuantityFit& fit) {
    py::dict row;
    row["quantity"] = InfoOf(fit.quantity).name;
    row["n"] = fit.n;
    row["rmse"] = fit.rmse;
    row["bias"] = fit.bias;
    row["nse"] = fit.nse;
    row["r2"] = fit.r2;
    return row;
}

py::dict RunCalibration(const py::dict& record, const std::vector<ParameterBounds>& parameters,
                        const std::optional<ObservedColumns>& observations,
                        const std::map<std::string, double>& weights, std::uint64_t seed,
                        int threads) {
    const InputData data = StudyProject(record);
    CalibrationSettings settings;
    settings.parameters = ParametersOf(parameters, data);
    settings.weights = WeightsOf(weights, data);
    settings.observations = StudyObservations(data, observations);
    settings.seed = seed;
    settings.options.threads = threads;
    CalibrationResult result;
    std::string report;
    std::atomic<bool> cancel{false};
    settings.options.cancel = &cancel;
    RunInterruptibly(cancel, [&] {
        result = Calibrate(data, settings);
        report = ReportJson(result);
    });
    py::list estimates;
    for (const ParameterEstimate& estimate : result.estimates) {
        py::dict row;
        row["name"] = estimate.parameter.Name();
        row["unit"] = estimate.parameter.Info().unit;
        row["start"] = estimate.start;
        row["low"] = estimate.parameter.low;
        row["high"] = estimate.parameter.high;
        row["value"] = estimate.value;
        row["standard_error"] = estimate.standardError;
        row["ci95_low"] = estimate.ciLow;
        row["ci95_high"] = estimate.ciHigh;
        row["at_bound"] = estimate.atBound;
        estimates.append(row);
    }
    py::list fit;
    for (const QuantityFit& quantityFit : result.fit) fit.append(FitDict(quantityFit));
    py::dict out;
    out["parameters"] = estimates;
    out["correlation"] = result.correlation;
    out["fit"] = fit;
    out["objective_start"] = result.objectiveStart;
    out["objective_end"] = result.objectiveEnd;
    out["runs"] = result.runs;
    out["seconds"] = result.seconds;
    out["warnings"] = result.warnings;
    out["report"] = report;
    out["project"] = DictFromRecord(result.project);
    out["run"] = result.state.RunStopped ? py::object(py::none())
                                         : py::object(DictFromRun(result.project, result.state));
    out["stopped_step"] = result.state.RunStopped ? result.state.StoppedStep : 0;
    return out;
}

}  // namespace

void AddCalibrationBindings(py::module_& m) {
    m.def("calibrate", &RunCalibration, py::arg("record"), py::arg("parameters"),
          py::arg("observations"), py::arg("weights"), py::arg("seed"), py::arg("threads"),
          "Calibrates the record's parameters (name, low, high) to the observations.");
}

}  // namespace halosoil::python
