// The sensitivity analysis in halosoil._core: in one piece, or split for a Dask cluster into
// its design, the members' targets run in chunks on the workers, and the indices made here
// again from what the chunks gave, by the library's own functions, so that the numbers are
// those of the whole study run in one piece. Each run releases the interpreter's lock.

#include <pybind11/stl.h>

#include <gsl/gsl_errno.h>

#include <algorithm>
#include <atomic>
#include <memory>

#include "Errors.h"
#include "Interruptible.h"
#include "MorrisEffects.h"
#include "RecordDict.h"
#include "RunEvaluator.h"
#include "Sensitivity.h"
#include "SobolIndices.h"
#include "StudyArguments.h"
#include "StudyArrays.h"
#include "StudyBindings.h"

namespace halosoil::python {

namespace py = pybind11;
using namespace halosoil::study;

namespace {

// The grid of Morris trajectories, as RunSensitivity lays it.
constexpr int kMorrisLevels = 4;

std::vector<Target> TargetsOf(const std::vector<std::string>& texts, const InputData& data) {
    std::vector<Target> targets;
    for (const std::string& text : texts) targets.push_back(ParseTarget(text, data));
    return targets;
}

SensitivityMethod MethodOf(const std::string& method) {
    if (method == "sobol") return SensitivityMethod::Sobol;
    if (method == "morris") return SensitivityMethod::Morris;
    throw HalosoilError("The method is sobol or morris, not '" + method + "'.");
}

struct SensitivityInput {
    InputData data;
    SensitivitySettings settings;
};

std::unique_ptr<SensitivityInput> SensitivityInputOf(
    const py::dict& record, const std::vector<ParameterBounds>& parameters,
    const std::vector<std::string>& targets, const std::string& method, int samples,
    std::uint64_t seed, const std::optional<ObservedColumns>& observations,
    const std::map<std::string, double>& weights, int threads) {
    auto input = std::make_unique<SensitivityInput>();
    input->data = StudyProject(record);
    SensitivitySettings& settings = input->settings;
    settings.parameters = ParametersOf(parameters, input->data);
    settings.targets = TargetsOf(targets, input->data);
    settings.method = MethodOf(method);
    settings.samples = samples;
    settings.seed = seed;
    settings.observations = StudyObservations(input->data, observations);
    settings.weights = WeightsOf(weights, input->data);
    settings.options.threads = threads;
    return input;
}

bool HasObjectiveTarget(const std::vector<Target>& targets) {
    return std::any_of(targets.begin(), targets.end(), [](const Target& t) { return t.objective; });
}

py::dict RowsDict(const SensitivityResult& result) {
    py::list rows;
    for (const SensitivityRow& row : result.rows) {
        if (result.method == SensitivityMethod::Sobol)
            rows.append(py::make_tuple(row.target, row.parameter, row.first.value, row.first.low,
                                       row.first.high, row.total.value, row.total.low,
                                       row.total.high));
        else
            rows.append(py::make_tuple(row.target, row.parameter, row.muStar.value, row.muStar.low,
                                       row.muStar.high, row.sigma));
    }
    py::dict out;
    out["rows"] = rows;
    out["runs"] = result.runs;
    out["failed_runs"] = result.failedRuns;
    out["stopped_runs"] = result.stoppedRuns;
    out["warnings"] = result.warnings;
    out["csv"] = SensitivityCsv(result);
    return out;
}

py::dict RunSensitivityStudy(const py::dict& record, const std::vector<ParameterBounds>& parameters,
                             const std::vector<std::string>& targets, const std::string& method,
                             int samples, std::uint64_t seed,
                             const std::optional<ObservedColumns>& observations,
                             const std::map<std::string, double>& weights, int threads) {
    const auto input = SensitivityInputOf(record, parameters, targets, method, samples, seed,
                                          observations, weights, threads);
    SensitivityResult result;
    std::atomic<bool> cancel{false};
    input->settings.options.cancel = &cancel;
    RunInterruptibly(cancel, [&] { result = RunSensitivity(input->data, input->settings); });
    return RowsDict(result);
}

// The unit design of the study, Saltelli's or Morris's.
UnitPoints SensitivityPoints(const SensitivitySettings& settings) {
    const int dims = static_cast<int>(settings.parameters.size());
    if (settings.method == SensitivityMethod::Sobol)
        return MakeSaltelliDesign(settings.samples, dims).points;
    return MakeMorrisDesign(settings.samples, dims, kMorrisLevels, settings.seed).points;
}

// The members' values of a sensitivity design (runs x parameters), refusing the settings
// RunSensitivity refuses, with its words.
py::array_t<double> SensitivityDesign(const py::dict& record,
                                      const std::vector<ParameterBounds>& parameters,
                                      const std::vector<std::string>& targets,
                                      const std::string& method, int samples, std::uint64_t seed,
                                      const std::optional<ObservedColumns>& observations,
                                      const std::map<std::string, double>& weights) {
    gsl_set_error_handler_off();
    const auto input = SensitivityInputOf(record, parameters, targets, method, samples, seed,
                                          observations, weights, 0);
    const SensitivitySettings& settings = input->settings;
    CheckParameterSet(settings.parameters, input->data);
    if (settings.targets.empty()) throw HalosoilError("Name at least one target.");
    if (HasObjectiveTarget(settings.targets)) {
        const Objective refusesWhatItCannotFit(settings.observations, settings.weights);
    }
    const UnitPoints points = SensitivityPoints(settings);
    std::vector<double> values;
    values.reserve(points.values.size());
    for (int k = 0; k < points.count; ++k) {
        const std::vector<double> member = ValuesAt(
            settings.parameters, points.values.data() + static_cast<std::size_t>(k) * points.dims);
        values.insert(values.end(), member.begin(), member.end());
    }
    return ArrayOf(values, {points.count, points.dims});
}

// Runs a chunk of members and gives each target's value per member (targets x members, NaN
// for a run that did not go through) and the count of such runs.
py::tuple MemberTargets(const py::dict& record, const std::vector<std::string>& names,
                        const std::vector<double>& lows, const std::vector<double>& highs,
                        const py::handle& values, const std::vector<std::string>& targetTexts,
                        const std::optional<ObservedColumns>& observations,
                        const std::map<std::string, double>& weights, int threads) {
    MemberChunk chunk(record, names, lows, highs);
    const std::vector<Target> targets = TargetsOf(targetTexts, chunk.data);
    chunk.ReadMembers(values);
    const std::size_t count = chunk.count;
    std::unique_ptr<Objective> objective;
    if (HasObjectiveTarget(targets))
        objective = std::make_unique<Objective>(StudyObservations(chunk.data, observations),
                                                WeightsOf(weights, chunk.data));
    std::vector<double> outputs(targets.size() * count, kNaN);
    std::atomic<long long> failed{0}, stopped{0};
    {
        py::gil_scoped_release release;
        chunk.Run(threads, [&](const MemberRun& run) {
            if (run.Failed()) ++failed;
            if (run.Failed() && !run.Refused()) ++stopped;
            for (std::size_t t = 0; t < targets.size(); ++t)
                outputs[t * count + static_cast<std::size_t>(run.member)] =
                    TargetValue(targets[t], run, objective.get());
        });
    }
    return py::make_tuple(ArrayOf(outputs, {static_cast<py::ssize_t>(targets.size()),
                                            static_cast<py::ssize_t>(count)}),
                          failed.load(), stopped.load());
}

// The indices from the targets' values of every design row (targets x rows).
py::dict SensitivityIndices(const py::dict& record, const std::vector<ParameterBounds>& parameters,
                            const std::vector<std::string>& targets, const std::string& method,
                            int samples, std::uint64_t seed, const py::handle& outputs,
                            long long failedRuns, long long stoppedRuns) {
    const auto input =
        SensitivityInputOf(record, parameters, targets, method, samples, seed, {}, {}, 0);
    const SensitivitySettings& settings = input->settings;
    const auto array =
        py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(outputs);
    if (!array || array.ndim() != 2 ||
        static_cast<std::size_t>(array.shape(0)) != settings.targets.size())
        throw py::type_error("outputs must be a 2-D array of one row per target");
    const std::size_t rows = static_cast<std::size_t>(array.shape(1));
    const std::vector<double> values = CopiedDoubles(array);
    std::vector<std::vector<double>> perTarget;
    for (std::size_t t = 0; t < settings.targets.size(); ++t)
        perTarget.emplace_back(values.begin() + static_cast<std::ptrdiff_t>(t * rows),
                               values.begin() + static_cast<std::ptrdiff_t>((t + 1) * rows));
    // The same indices and warnings as the study of one piece gives.
    return RowsDict(SensitivityOf(settings, perTarget, failedRuns, stoppedRuns));
}

}  // namespace

void AddSensitivityBindings(py::module_& m) {
    m.def("sensitivity", &RunSensitivityStudy, py::arg("record"), py::arg("parameters"),
          py::arg("targets"), py::arg("method"), py::arg("samples"), py::arg("seed"),
          py::arg("observations"), py::arg("weights"), py::arg("threads"),
          "The sensitivity analysis of the targets to the parameters, in one piece.");
    m.def("sensitivity_design", &SensitivityDesign, py::arg("record"), py::arg("parameters"),
          py::arg("targets"), py::arg("method"), py::arg("samples"), py::arg("seed"),
          py::arg("observations"), py::arg("weights"),
          "The members' values (runs x parameters) of a sensitivity design.");
    m.def("member_targets", &MemberTargets, py::arg("record"), py::arg("parameter_names"),
          py::arg("lows"), py::arg("highs"), py::arg("values"), py::arg("targets"),
          py::arg("observations"), py::arg("weights"), py::arg("threads") = 1,
          "Runs members and gives (targets x members values, failed runs, stopped runs).");
    m.def("sensitivity_indices", &SensitivityIndices, py::arg("record"), py::arg("parameters"),
          py::arg("targets"), py::arg("method"), py::arg("samples"), py::arg("seed"),
          py::arg("outputs"), py::arg("failed_runs"), py::arg("stopped_runs"),
          "The indices from the targets' values of every row of the design.");
}

}  // namespace halosoil::python
