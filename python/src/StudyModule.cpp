// The study library for the package: observations, the joint calibration, the sensitivity
// analysis and the ensembles. Each study runs with the interpreter's lock released.
//
// A study may also be split for a Dask cluster: its design is drawn here, its members run in
// chunks on the workers (member_targets, run_members) and its estimates are made here again
// from what the chunks gave, by the library's own functions, so that the numbers are those of
// the whole study run in one piece.

#include "StudyModule.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <gsl/gsl_errno.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <tuple>

#include "Calibration.h"
#include "Ensemble.h"
#include "EnsembleDraws.h"
#include "Errors.h"
#include "InputFile.h"
#include "MorrisEffects.h"
#include "Objective.h"
#include "Observations.h"
#include "Parameters.h"
#include "ProjectChecks.h"
#include "Quantities.h"
#include "RecordDict.h"
#include "ResultDict.h"
#include "RunEvaluator.h"
#include "Sensitivity.h"
#include "SobolIndices.h"
#include "TimeStepLimit.h"

namespace halosoil::python {

namespace py = pybind11;
using namespace halosoil::study;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The grid of Morris trajectories, as RunSensitivity lays it.
constexpr int kMorrisLevels = 4;

// The columns of an observations file as they cross to Python: per quantity with a column,
// its name, observed steps and values.
using ObservedColumn = std::tuple<std::string, std::vector<int>, std::vector<double>>;
using ObservedColumns = std::vector<ObservedColumn>;
using ParameterBounds = std::tuple<std::string, double, double>;

// The project a study starts from, as halosoil-batch reads it from a file: checked as the
// batch runner checks it, the spread irrigation prepared.
InputData StudyProject(const py::dict& record) {
    InputData data = RecordFromDict(record);
    CheckAsBatchRunner(data);
    PrepareIrrigSpread(data);
    return data;
}

// Observations read without a project are checked against the largest project: three layers
// and as many steps as a file may have.
InputData LargestProject() {
    InputData data;
    data.NrTst = kMaxTimeSteps;
    data.HydrRows = kMaxTimeSteps;
    data.NrLayers = 3;
    data.SetLayerFlags(3);
    return data;
}

ObservedColumns ColumnsOf(const Observations& observations) {
    ObservedColumns columns;
    for (const QuantityInfo& info : Quantities()) {
        if (!observations.columns[static_cast<std::size_t>(info.quantity)]) continue;
        std::vector<int> steps;
        std::vector<double> values;
        for (const Observed& observed : observations.Of(info.quantity)) {
            steps.push_back(observed.step);
            values.push_back(observed.value);
        }
        columns.emplace_back(info.name, std::move(steps), std::move(values));
    }
    return columns;
}

Observations ObservationsOf(const ObservedColumns& columns) {
    Observations observations;
    for (const auto& [name, steps, values] : columns) {
        const auto quantity = QuantityNamed(name);
        if (!quantity) throw HalosoilError("'" + name + "' is not a quantity");
        if (steps.size() != values.size())
            throw HalosoilError("The observations of " + name + " have " +
                                std::to_string(steps.size()) + " steps for " +
                                std::to_string(values.size()) + " values.");
        observations.columns[static_cast<std::size_t>(*quantity)] = true;
        for (std::size_t k = 0; k < steps.size(); ++k)
            observations.Of(*quantity).push_back({steps[k], values[k]});
    }
    return observations;
}

// The project's measured salinities with the columns of an observations file laid over them,
// as the study commands combine them.
Observations StudyObservations(const InputData& data,
                               const std::optional<ObservedColumns>& columns) {
    const Observations measured = MeasuredSalinities(data);
    if (!columns) return measured;
    return Combined(measured, ObservationsOf(*columns));
}

Weights WeightsOf(const std::map<std::string, double>& given, const InputData& data) {
    Weights weights;
    for (const auto& [name, weight] : given) weights.Set(name, weight, data);
    return weights;
}

std::vector<Parameter> ParametersOf(const std::vector<ParameterBounds>& given,
                                    const InputData& data) {
    std::vector<Parameter> parameters;
    for (const auto& [name, low, high] : given)
        parameters.push_back(MakeParameter(name, low, high, data));
    return parameters;
}

std::vector<Parameter> ParametersOf(const std::vector<std::string>& names,
                                    const std::vector<double>& lows,
                                    const std::vector<double>& highs, const InputData& data) {
    if (lows.size() != names.size() || highs.size() != names.size())
        throw HalosoilError("Every parameter needs a low and a high bound.");
    std::vector<Parameter> parameters;
    for (std::size_t j = 0; j < names.size(); ++j)
        parameters.push_back(MakeParameter(names[j], lows[j], highs[j], data));
    return parameters;
}

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

Design DesignOf(const std::string& design) {
    if (design == "lhs") return Design::LatinHypercube;
    if (design == "sobol") return Design::Sobol;
    throw HalosoilError("The design is lhs or sobol, not '" + design + "'.");
}

// members x columns of a C-ordered numpy array of numbers.
std::vector<double> RowsOf(const py::handle& object, std::size_t columns, const char* what) {
    const auto array =
        py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(object);
    if (!array || array.ndim() != 2 || static_cast<std::size_t>(array.shape(1)) != columns)
        throw py::type_error(std::string(what) + " must be a 2-D array of one column per " +
                             "parameter");
    return CopiedDoubles(array);
}

py::array_t<double> ArrayOf(const std::vector<double>& values, std::vector<py::ssize_t> shape) {
    py::array_t<double> array(shape);
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

py::array_t<int> ArrayOf(const std::vector<int>& values) {
    py::array_t<int> array(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

py::list NamesOf(const std::vector<Quantity>& quantities) {
    py::list names;
    for (Quantity quantity : quantities) names.append(InfoOf(quantity).name);
    return names;
}

// ---- Observations

ObservedColumns ReadObservations(const std::optional<py::dict>& record, const py::bytes& text,
                                 const std::string& fileName) {
    const InputData data = record ? StudyProject(*record) : LargestProject();
    std::istringstream in(std::string(text), std::ios::binary);
    return ColumnsOf(ReadObservationsCsv(in, data, fileName));
}

// ---- Calibration

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
    {
        py::gil_scoped_release release;
        result = Calibrate(data, settings);
        report = ReportJson(result);
    }
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

// ---- Sensitivity

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
    {
        py::gil_scoped_release release;
        result = RunSensitivity(input->data, input->settings);
    }
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
    const InputData data = StudyProject(record);
    const std::vector<Parameter> parameters = ParametersOf(names, lows, highs, data);
    const std::vector<Target> targets = TargetsOf(targetTexts, data);
    const std::vector<double> members = RowsOf(values, parameters.size(), "values");
    const std::size_t count = parameters.empty() ? 0 : members.size() / parameters.size();
    std::unique_ptr<Objective> objective;
    if (HasObjectiveTarget(targets))
        objective = std::make_unique<Objective>(StudyObservations(data, observations),
                                                WeightsOf(weights, data));
    std::vector<double> outputs(targets.size() * count, kNaN);
    long long failedRuns = 0;
    {
        py::gil_scoped_release release;
        StudyOptions options;
        options.threads = threads;
        std::atomic<long long> failed{0};
        RunMembers(data, parameters, members, options, [&](const MemberRun& run) {
            if (run.Failed()) {
                ++failed;
                return;
            }
            for (std::size_t t = 0; t < targets.size(); ++t)
                outputs[t * count + static_cast<std::size_t>(run.member)] =
                    TargetValue(targets[t], run.state, objective.get());
        });
        failedRuns = failed;
    }
    return py::make_tuple(ArrayOf(outputs, {static_cast<py::ssize_t>(targets.size()),
                                            static_cast<py::ssize_t>(count)}),
                          failedRuns);
}

// The indices from the targets' values of every design row (targets x rows).
py::dict SensitivityIndices(const py::dict& record, const std::vector<ParameterBounds>& parameters,
                            const std::vector<std::string>& targets, const std::string& method,
                            int samples, std::uint64_t seed, const py::handle& outputs,
                            long long failedRuns) {
    const auto input =
        SensitivityInputOf(record, parameters, targets, method, samples, seed, {}, {}, 0);
    const SensitivitySettings& settings = input->settings;
    const int dims = static_cast<int>(settings.parameters.size());
    const auto array =
        py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(outputs);
    if (!array || array.ndim() != 2 ||
        static_cast<std::size_t>(array.shape(0)) != settings.targets.size())
        throw py::type_error("outputs must be a 2-D array of one row per target");
    const std::size_t rows = static_cast<std::size_t>(array.shape(1));
    const std::vector<double> values = CopiedDoubles(array);
    const auto outputsOf = [&](std::size_t t) {
        return std::vector<double>(values.begin() + static_cast<std::ptrdiff_t>(t * rows),
                                   values.begin() + static_cast<std::ptrdiff_t>((t + 1) * rows));
    };
    SensitivityResult result;
    result.method = settings.method;
    result.failedRuns = failedRuns;
    gsl_set_error_handler_off();
    const auto addRow = [&](std::size_t t, int j, SensitivityRow row) {
        row.target = settings.targets[t].Name();
        row.parameter = settings.parameters[static_cast<std::size_t>(j)].Name();
        result.rows.push_back(row);
    };
    if (settings.method == SensitivityMethod::Sobol) {
        const SaltelliDesign design = MakeSaltelliDesign(settings.samples, dims);
        result.runs = design.points.count;
        for (std::size_t t = 0; t < settings.targets.size(); ++t) {
            const SobolResult indices =
                SobolIndices(design, outputsOf(t), settings.resamples, settings.seed);
            for (int j = 0; j < dims; ++j) {
                SensitivityRow row;
                row.first = indices.indices[static_cast<std::size_t>(j)].first;
                row.total = indices.indices[static_cast<std::size_t>(j)].total;
                addRow(t, j, row);
            }
        }
    } else {
        const MorrisDesign design =
            MakeMorrisDesign(settings.samples, dims, kMorrisLevels, settings.seed);
        result.runs = design.points.count;
        for (std::size_t t = 0; t < settings.targets.size(); ++t) {
            const std::vector<MorrisEffect> effects =
                MorrisEffects(design, outputsOf(t), settings.resamples, settings.seed);
            for (int j = 0; j < dims; ++j) {
                SensitivityRow row;
                row.muStar = effects[static_cast<std::size_t>(j)].muStar;
                row.sigma = effects[static_cast<std::size_t>(j)].sigma;
                addRow(t, j, row);
            }
        }
    }
    return RowsDict(result);
}

// ---- Ensembles

struct EnsembleInput {
    InputData data;
    EnsembleSettings settings;
};

// The distributions arrive as the command line's NAME=KIND:NUMBERS, the report as its JSON
// text and the name its refusals give it.
std::unique_ptr<EnsembleInput> EnsembleInputOf(
    const py::dict& record, const std::vector<std::string>& distributions,
    const std::optional<std::pair<std::string, std::string>>& report, int members,
    std::uint64_t seed, const std::string& design, int threads) {
    auto input = std::make_unique<EnsembleInput>();
    input->data = StudyProject(record);
    EnsembleSettings& settings = input->settings;
    for (const std::string& text : distributions) {
        auto [parameter, distribution] = ParseDistribution(text, input->data);
        settings.parameters.push_back(parameter);
        settings.distributions.push_back(distribution);
    }
    if (report)
        settings.fromReport = ParseReportEstimates(report->first, input->data, report->second);
    settings.members = members;
    settings.seed = seed;
    settings.design = DesignOf(design);
    settings.options.threads = threads;
    return input;
}

py::dict ParametersDict(const std::vector<Parameter>& parameters) {
    py::list names, units, lows, highs;
    for (const Parameter& parameter : parameters) {
        names.append(parameter.Name());
        units.append(parameter.Info().unit);
        lows.append(parameter.low);
        highs.append(parameter.high);
    }
    py::dict out;
    out["names"] = names;
    out["units"] = units;
    out["lows"] = lows;
    out["highs"] = highs;
    return out;
}

py::dict RunEnsembleStudy(const py::dict& record, const std::vector<std::string>& distributions,
                          const std::optional<std::pair<std::string, std::string>>& report,
                          int members, std::uint64_t seed, const std::string& design, int threads) {
    const auto input =
        EnsembleInputOf(record, distributions, report, members, seed, design, threads);
    EnsembleResult result;
    {
        py::gil_scoped_release release;
        result = RunEnsemble(input->data, input->settings);
    }
    py::dict out = ParametersDict(result.parameters);
    const py::ssize_t p = static_cast<py::ssize_t>(result.parameters.size());
    out["values"] = ArrayOf(result.values, {result.members, p});
    out["quantities"] = NamesOf(result.quantities);
    out["series"] =
        ArrayOf(result.series,
                {result.members, static_cast<py::ssize_t>(result.quantities.size()), result.steps});
    out["stopped_step"] = ArrayOf(result.stoppedStep);
    out["refusals"] = result.refusals;
    return out;
}

// The parameters and their members' values, refusing the settings RunEnsemble refuses, with
// its words.
py::dict EnsembleDraws(const py::dict& record, const std::vector<std::string>& distributions,
                       const std::optional<std::pair<std::string, std::string>>& report,
                       int members, std::uint64_t seed, const std::string& design) {
    gsl_set_error_handler_off();
    const auto input = EnsembleInputOf(record, distributions, report, members, seed, design, 0);
    const EnsembleSettings& settings = input->settings;
    if (settings.members < 2)
        throw HalosoilError("An ensemble needs at least 2 members, not " +
                            std::to_string(settings.members) + ".");
    const std::vector<Parameter> parameters =
        settings.fromReport ? settings.fromReport->parameters : settings.parameters;
    CheckParameterSet(parameters, input->data);
    const std::vector<double> values = DrawMembers(settings, parameters);
    py::dict out = ParametersDict(parameters);
    out["values"] =
        ArrayOf(values, {settings.members, static_cast<py::ssize_t>(parameters.size())});
    out["quantities"] = NamesOf(QuantitiesOf(input->data));
    return out;
}

// Runs a chunk of members: their series (members x quantities x steps, the project's
// quantities in order, NaN after a run stopped and for a refused project), the step each
// stopped at (0 ran through, -1 refused) and the refusals' texts.
py::tuple RunMemberChunk(const py::dict& record, const std::vector<std::string>& names,
                         const std::vector<double>& lows, const std::vector<double>& highs,
                         const py::handle& values, int threads) {
    const InputData data = StudyProject(record);
    const std::vector<Parameter> parameters = ParametersOf(names, lows, highs, data);
    const std::vector<double> members = RowsOf(values, parameters.size(), "values");
    const std::size_t count = parameters.empty() ? 0 : members.size() / parameters.size();
    const std::vector<Quantity> quantities = QuantitiesOf(data);
    const std::size_t q = quantities.size();
    const std::size_t steps = static_cast<std::size_t>(data.NrTst);
    std::vector<double> series(count * q * steps, kNaN);
    std::vector<int> stoppedStep(count, 0);
    std::vector<std::string> refusals(count);
    {
        py::gil_scoped_release release;
        StudyOptions options;
        options.threads = threads;
        // Kept as RunEnsemble keeps its members, so that a chunked ensemble is the same.
        RunMembers(data, parameters, members, options, [&](const MemberRun& run) {
            const std::size_t m = static_cast<std::size_t>(run.member);
            if (!run.refusal.empty()) {
                stoppedStep[m] = -1;
                refusals[m] = run.refusal;
                return;
            }
            if (run.state.RunStopped) stoppedStep[m] = run.state.StoppedStep;
            const std::size_t last =
                run.state.RunStopped
                    ? std::min<std::size_t>(
                          steps, static_cast<std::size_t>(std::max(0, run.state.StoppedStep)))
                    : steps;
            for (std::size_t k = 0; k < q; ++k) {
                const Series& values = SeriesOf(run.state, quantities[k]);
                double* out = series.data() + (m * q + k) * steps;
                for (std::size_t i = 0; i < last; ++i) out[i] = values[i + 1];
            }
        });
    }
    return py::make_tuple(
        ArrayOf(series, {static_cast<py::ssize_t>(count), static_cast<py::ssize_t>(q),
                         static_cast<py::ssize_t>(steps)}),
        ArrayOf(stoppedStep), refusals);
}

Threshold ThresholdOf(const std::string& text, const InputData& data) {
    return ParseThreshold(text, data);
}

void CheckThresholds(const py::dict& record, const std::vector<std::string>& texts) {
    const InputData data = StudyProject(record);
    for (const std::string& text : texts) ThresholdOf(text, data);
}

// The bands of an ensemble's members, as study::Bands gives them.
py::dict BandsOf(const std::vector<std::string>& quantityNames, const py::handle& seriesObject,
                 const std::vector<int>& stoppedStep, const std::vector<std::string>& thresholds) {
    EnsembleResult result;
    for (const std::string& name : quantityNames) {
        const auto quantity = QuantityNamed(name);
        if (!quantity) throw HalosoilError("'" + name + "' is not a quantity");
        result.quantities.push_back(*quantity);
    }
    const auto array =
        py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(seriesObject);
    if (!array || array.ndim() != 3 ||
        static_cast<std::size_t>(array.shape(1)) != result.quantities.size() ||
        static_cast<std::size_t>(array.shape(0)) != stoppedStep.size())
        throw py::type_error("series must be members x quantities x steps");
    result.members = static_cast<int>(array.shape(0));
    result.steps = static_cast<int>(array.shape(2));
    result.series = CopiedDoubles(array);
    result.stoppedStep = stoppedStep;
    const InputData largest = LargestProject();
    std::vector<Threshold> parsed;
    for (const std::string& text : thresholds) parsed.push_back(ThresholdOf(text, largest));
    std::vector<BandRow> rows;
    {
        py::gil_scoped_release release;
        rows = Bands(result, parsed);
    }
    const py::ssize_t n = static_cast<py::ssize_t>(rows.size());
    py::array_t<int> step(n);
    py::list quantity;
    std::array<py::array_t<double>, 7> columns{py::array_t<double>(n), py::array_t<double>(n),
                                               py::array_t<double>(n), py::array_t<double>(n),
                                               py::array_t<double>(n), py::array_t<double>(n),
                                               py::array_t<double>(n)};
    for (py::ssize_t k = 0; k < n; ++k) {
        const BandRow& row = rows[static_cast<std::size_t>(k)];
        step.mutable_data()[k] = row.step;
        quantity.append(InfoOf(row.quantity).name);
        const double cells[] = {row.mean, row.q05, row.q25, row.q50, row.q75, row.q95, row.pExceed};
        for (std::size_t c = 0; c < columns.size(); ++c) columns[c].mutable_data()[k] = cells[c];
    }
    py::dict out;
    out["step"] = step;
    out["quantity"] = quantity;
    const char* names[] = {"mean", "q05", "q25", "q50", "q75", "q95", "p_exceed"};
    for (std::size_t c = 0; c < columns.size(); ++c) out[names[c]] = columns[c];
    out["csv"] = BandsCsv(rows);
    return out;
}

py::list QuantityTable() {
    py::list table;
    for (const QuantityInfo& info : Quantities())
        table.append(py::make_tuple(info.name, info.unit, info.zone));
    return table;
}

}  // namespace

void AddStudyFunctions(py::module_& m) {
    m.def("quantities", &QuantityTable,
          "Every result quantity a study knows: (name, unit, zone), zone 0 for the water ones.");
    m.def("read_observations", &ReadObservations, py::arg("record"), py::arg("text"),
          py::arg("file_name"),
          "The columns of an observations CSV checked against the record (None: three layers "
          "of the most steps): [(quantity, steps, values)].");
    m.def("calibrate", &RunCalibration, py::arg("record"), py::arg("parameters"),
          py::arg("observations"), py::arg("weights"), py::arg("seed"), py::arg("threads"),
          "Calibrates the record's parameters (name, low, high) to the observations.");
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
          "Runs members and gives (targets x members values, failed runs).");
    m.def("sensitivity_indices", &SensitivityIndices, py::arg("record"), py::arg("parameters"),
          py::arg("targets"), py::arg("method"), py::arg("samples"), py::arg("seed"),
          py::arg("outputs"), py::arg("failed_runs"),
          "The indices from the targets' values of every row of the design.");
    m.def("ensemble", &RunEnsembleStudy, py::arg("record"), py::arg("distributions"),
          py::arg("report"), py::arg("members"), py::arg("seed"), py::arg("design"),
          py::arg("threads"), "Draws the members of an ensemble and runs them, in one piece.");
    m.def("ensemble_draws", &EnsembleDraws, py::arg("record"), py::arg("distributions"),
          py::arg("report"), py::arg("members"), py::arg("seed"), py::arg("design"),
          "The parameters of an ensemble and its members' values.");
    m.def("run_members", &RunMemberChunk, py::arg("record"), py::arg("parameter_names"),
          py::arg("lows"), py::arg("highs"), py::arg("values"), py::arg("threads") = 1,
          "Runs members: (series members x quantities x steps, stopped_step, refusals).");
    m.def("check_thresholds", &CheckThresholds, py::arg("record"), py::arg("thresholds"),
          "Refuses a threshold QUANTITY>VALUE or QUANTITY<VALUE the record cannot have.");
    m.def("bands", &BandsOf, py::arg("quantities"), py::arg("series"), py::arg("stopped_step"),
          py::arg("thresholds"), "The bands of an ensemble's members per step and quantity.");
}

}  // namespace halosoil::python
