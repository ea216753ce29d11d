// The ensembles in halosoil._core: in one piece, or split for a Dask cluster into the draws,
// the members run in chunks on the workers, and the bands made here again from what the
// chunks gave. Each run releases the interpreter's lock.

#include <pybind11/stl.h>

#include <gsl/gsl_errno.h>

#include <algorithm>
#include <array>
#include <memory>

#include "Ensemble.h"
#include "EnsembleDraws.h"
#include "Errors.h"
#include "Interruptible.h"
#include "RecordDict.h"
#include "StudyArguments.h"
#include "StudyArrays.h"
#include "StudyBindings.h"

namespace halosoil::python {

namespace py = pybind11;
using namespace halosoil::study;

namespace {

Design DesignOf(const std::string& design) {
    if (design == "lhs") return Design::LatinHypercube;
    if (design == "sobol") return Design::Sobol;
    throw HalosoilError("The design is lhs or sobol, not '" + design + "'.");
}

py::list NamesOf(const std::vector<Quantity>& quantities) {
    py::list names;
    for (Quantity quantity : quantities) names.append(InfoOf(quantity).name);
    return names;
}

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
    std::atomic<bool> cancel{false};
    input->settings.options.cancel = &cancel;
    RunInterruptibly(cancel, [&] { result = RunEnsemble(input->data, input->settings); });
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
    MemberChunk chunk(record, names, lows, highs);
    chunk.ReadMembers(values);
    const std::size_t count = chunk.count;
    const std::vector<Quantity> quantities = QuantitiesOf(chunk.data);
    const std::size_t q = quantities.size();
    const std::size_t steps = static_cast<std::size_t>(chunk.data.NrTst);
    std::vector<double> series(count * q * steps, kNaN);
    std::vector<int> stoppedStep(count, 0);
    std::vector<std::string> refusals(count);
    {
        py::gil_scoped_release release;
        // Kept as RunEnsemble keeps its members, so that a chunked ensemble is the same.
        chunk.Run(threads, [&](const MemberRun& run) {
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
    for (const std::string& name : quantityNames) result.quantities.push_back(QuantityOf(name));
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
    std::array<py::array_t<double>, 8> columns{py::array_t<double>(n), py::array_t<double>(n),
                                               py::array_t<double>(n), py::array_t<double>(n),
                                               py::array_t<double>(n), py::array_t<double>(n),
                                               py::array_t<double>(n), py::array_t<double>(n)};
    for (py::ssize_t k = 0; k < n; ++k) {
        const BandRow& row = rows[static_cast<std::size_t>(k)];
        step.mutable_data()[k] = row.step;
        quantity.append(InfoOf(row.quantity).name);
        const double cells[] = {row.mean, row.q05, row.q25,     row.q50,
                                row.q75,  row.q95, row.pExceed, row.pStopped};
        for (std::size_t c = 0; c < columns.size(); ++c) columns[c].mutable_data()[k] = cells[c];
    }
    py::dict out;
    out["step"] = step;
    out["quantity"] = quantity;
    const char* names[] = {"mean", "q05", "q25", "q50", "q75", "q95", "p_exceed", "p_stopped"};
    for (std::size_t c = 0; c < columns.size(); ++c) out[names[c]] = columns[c];
    out["csv"] = BandsCsv(rows);
    return out;
}

}  // namespace

void AddEnsembleBindings(py::module_& m) {
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
