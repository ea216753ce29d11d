// From salinity to decisions in halosoil._core: the crop table, a run's relative yield and
// leaching requirement per step, and the drainage reaction factors of a drain spacing, all
// worked out by the library the batch runner uses.

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <string>
#include <tuple>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>

#include "Calibration.h"
#include "CropTolerance.h"
#include "DesignMembers.h"
#include "Ensemble.h"
#include "Errors.h"
#include "Hooghoudt.h"
#include "Interruptible.h"
#include "ManagementDesign.h"
#include "RecordDict.h"
#include "RelativeYield.h"
#include "ResultDict.h"
#include "StudyArguments.h"
#include "StudyBindings.h"

namespace halosoil::python {

namespace py = pybind11;
using namespace halosoil::study;

namespace {

using CropRow = std::tuple<std::string, double, double, std::string, std::string>;

CropRow RowOf(const Crop& crop) {
    return {crop.name, crop.threshold, crop.slope, crop.toleranceClass, crop.source};
}

CropTable TableAt(const std::string& path) {
    return path.empty() ? ShippedCrops() : ReadCropFile(path);
}

std::vector<CropRow> CropRows(const std::string& path) {
    std::vector<CropRow> rows;
    for (const Crop& crop : TableAt(path)) rows.push_back(RowOf(crop));
    return rows;
}

CropRow ChosenCropRow(const std::string& text, const std::string& path) {
    if (text.find('=') != std::string::npos) return RowOf(ParseOwnCrop(text));
    return RowOf(CropNamed(TableAt(path), text));
}

// step, ece, relative_yield, leaching_requirement and irrigation_needed of every step with
// results, as numpy arrays.
py::dict YieldStepsOf(const py::dict& record, const py::dict& result, double threshold,
                      double slope, double eceFactor) {
    CheckEceFactor(eceFactor);
    const InputData project = RecordFromDict(record);
    InputData resultData;
    RunState state;
    RunFromDict(result, resultData, state);
    const Crop crop{"", threshold, slope, "", ""};
    const std::vector<YieldStep> steps = YieldSteps(project, state, crop, eceFactor);
    const auto column = [&](auto member) {
        py::array_t<double> values(static_cast<py::ssize_t>(steps.size()));
        auto out = values.mutable_unchecked<1>();
        for (std::size_t k = 0; k < steps.size(); ++k)
            out(static_cast<py::ssize_t>(k)) = static_cast<double>(steps[k].*member);
        return values;
    };
    py::dict columns;
    columns["step"] = column(&YieldStep::step);
    columns["ece"] = column(&YieldStep::ece);
    columns["relative_yield"] = column(&YieldStep::relativeYield);
    columns["leaching_requirement"] = column(&YieldStep::leachingRequirement);
    columns["irrigation_needed"] = column(&YieldStep::irrigationNeeded);
    return columns;
}

DrainSoil SoilOf(double kAbove, double kBelow, double impervious, double radius) {
    const DrainSoil soil{kAbove, kBelow, impervious, radius};
    CheckDrainSoil(soil);
    return soil;
}

std::tuple<double, double, double> FactorsOf(double spacing, double kAbove, double kBelow,
                                             double impervious, double radius) {
    const DrainSoil soil = SoilOf(kAbove, kBelow, impervious, radius);
    CheckSpacing(soil, spacing);
    const DrainageFactors factors = FactorsOfSpacing(soil, spacing);
    return {factors.qh1, factors.qh2, factors.equivalentDepth};
}

double SpacingOf(double qh1, double kAbove, double kBelow, double impervious, double radius) {
    return SpacingOfQh1(SoilOf(kAbove, kBelow, impervious, radius), qh1);
}

// A design's settings as halosoil-batch design takes them: the controls as NAME=LOW:HIGH, the
// uncertainty as the command line's distributions or a report's JSON text with the name its
// refusals give.
struct DesignArguments {
    std::string crop, crops;
    double eceFactor = kDefaultEceFactor;
    std::vector<std::string> controls;
    std::string requirement;
    std::optional<double> probability;
    std::vector<std::string> distributions;
    std::optional<std::pair<std::string, std::string>> report;
    int members = 0;
    std::uint64_t seed = 0;
    std::string minimise, drainSoil;
};

DesignSettings SettingsOf(const DesignArguments& arguments, const InputData& data) {
    DesignSettings settings;
    for (const std::string& text : arguments.controls)
        settings.controls.push_back(ParseParameter(text, data));
    if (!arguments.drainSoil.empty())
        SetDrainSoil(settings.controls, ParseDrainSoil(arguments.drainSoil));
    CheckEceFactor(arguments.eceFactor);
    settings.crop = ChosenCrop(TableAt(arguments.crops), arguments.crop);
    settings.eceFactor = arguments.eceFactor;
    settings.requirement = ParseRequirement(arguments.requirement);
    SetGoal(settings, arguments.minimise);
    if (arguments.probability) {
        CheckProbability(*arguments.probability);
        settings.probability = arguments.probability;
    }
    for (const std::string& text : arguments.distributions) {
        auto [parameter, distribution] = ParseDistribution(text, data);
        settings.uncertain.push_back(parameter);
        settings.distributions.push_back(distribution);
    }
    if (!arguments.drainSoil.empty() && !settings.uncertain.empty())
        SetDrainSoil(settings.uncertain, ParseDrainSoil(arguments.drainSoil));
    if (arguments.report)
        settings.fromReport =
            ParseReportEstimates(arguments.report->first, data, arguments.report->second);
    settings.members = arguments.members;
    settings.seed = arguments.seed;
    return settings;
}

// The members' values as numpy's members x parameters array.
py::array_t<double> MemberArray(const std::vector<double>& values, std::size_t width) {
    const auto rows = static_cast<py::ssize_t>(values.size() / std::max<std::size_t>(width, 1));
    py::array_t<double> array({rows, static_cast<py::ssize_t>(width)});
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

std::vector<double> VectorOf(const py::handle& values) {
    const auto array =
        py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(values);
    if (!array) throw HalosoilError("The design's members came back as no array of numbers.");
    return std::vector<double>(array.data(), array.data() + array.size());
}

// The members of each candidate handed to runMembers(values), which gives back the members'
// statistics and goals (a cluster's workers run them); called from the design's thread.
DesignMemberRunner MembersThrough(py::object runMembers) {
    auto shared = std::make_shared<py::object>(std::move(runMembers));
    return [shared](const std::vector<Parameter>& parameters, const std::vector<double>& values) {
        py::gil_scoped_acquire acquire;
        const py::tuple outcome = (*shared)(MemberArray(values, parameters.size()));
        MemberOutcomes outcomes;
        outcomes.statistics = VectorOf(outcome[0]);
        outcomes.goals = VectorOf(outcome[1]);
        return outcomes;
    };
}

// A design as halosoil-batch design runs it; with run_members, each candidate's members go
// through it rather than to this machine's cores.
py::dict RunDesignStudy(const py::dict& record, const DesignArguments& arguments, int threads,
                        py::object runMembers) {
    const InputData data = StudyProject(record);
    DesignSettings settings = SettingsOf(arguments, data);
    settings.options.threads = threads;
    std::atomic<bool> cancel{false};
    settings.options.cancel = &cancel;
    if (!runMembers.is_none()) settings.runMembers = MembersThrough(std::move(runMembers));
    DesignResult result;
    RunInterruptibly(cancel, [&] { result = RunDesign(data, settings); });
    py::dict out;
    py::list names, units, lows, highs;
    for (const Parameter& control : settings.controls) {
        names.append(control.Name());
        units.append(control.Info().unit);
        lows.append(control.low);
        highs.append(control.high);
    }
    out["names"] = names;
    out["units"] = units;
    out["lows"] = lows;
    out["highs"] = highs;
    out["values"] = result.values;
    out["objective"] = result.objective;
    out["margin"] = result.margin;
    out["achieved_probability"] = result.achievedProbability;
    out["feasible"] = result.feasible;
    out["best_reachable_yield"] = result.bestReachableYield;
    out["active_constraints"] = result.activeConstraints;
    out["runs"] = result.runs;
    out["seconds"] = result.seconds;
    out["report"] = DesignReportJson(settings, result);
    out["project"] = DictFromRecord(result.project);
    return out;
}

// The statistics and goals of a design's members (values: members x parameters, the controls
// then the uncertain parameters), as the design on the client's machine would run them.
std::pair<std::vector<double>, std::vector<double>> DesignMembersOf(
    const py::dict& record, const DesignArguments& arguments, const py::array_t<double>& values,
    int threads) {
    const InputData data = StudyProject(record);
    DesignSettings settings = SettingsOf(arguments, data);
    settings.options.threads = threads;
    const std::vector<Parameter> parameters = DesignMemberParameters(settings);
    const std::vector<double> rows = VectorOf(values);
    if (rows.size() % std::max<std::size_t>(parameters.size(), 1) != 0)
        throw HalosoilError("The design's members hold " + std::to_string(rows.size()) +
                            " values, not a whole number of rows of " +
                            std::to_string(parameters.size()) + ".");
    MemberOutcomes outcomes;
    {
        py::gil_scoped_release release;
        outcomes = RunDesignMembers(data, settings, parameters, rows);
    }
    return {std::move(outcomes.statistics), std::move(outcomes.goals)};
}

DesignArguments ArgumentsOf(const std::string& crop, const std::string& crops, double eceFactor,
                            const std::vector<std::string>& controls,
                            const std::string& requirement, std::optional<double> probability,
                            const std::vector<std::string>& distributions,
                            const std::optional<std::pair<std::string, std::string>>& report,
                            int members, std::uint64_t seed, const std::string& minimise,
                            const std::string& drainSoil) {
    return {crop,          crops,  eceFactor, controls, requirement, probability,
            distributions, report, members,   seed,     minimise,    drainSoil};
}

}  // namespace

void AddDecisionBindings(py::module_& m) {
    py::class_<DesignArguments>(m, "DesignArguments",
                                "A design's settings as halosoil-batch design takes them.")
        .def(py::init(&ArgumentsOf), py::arg("crop"), py::arg("crops"), py::arg("ece_factor"),
             py::arg("controls"), py::arg("requirement"), py::arg("probability"),
             py::arg("distributions"), py::arg("report"), py::arg("members"), py::arg("seed"),
             py::arg("minimise"), py::arg("drain_soil"));
    m.def("design", &RunDesignStudy, py::arg("record"), py::arg("arguments"), py::arg("threads"),
          py::arg("run_members") = py::none(),
          "Runs a management design as halosoil-batch design does; with run_members, each "
          "candidate's members go through it.");
    m.def("design_members", &DesignMembersOf, py::arg("record"), py::arg("arguments"),
          py::arg("values"), py::arg("threads") = 0,
          "The requirement's statistics and the goals of a design's members (a worker's part).");
    m.def("crop_table", &CropRows, py::arg("path") = "",
          "The crop table (shipped, or of the CSV at path) as (name, threshold, slope, class, "
          "source) rows.");
    m.def("chosen_crop", &ChosenCropRow, py::arg("text"), py::arg("path") = "",
          "The crop named, or given as threshold=T,slope=B, as a row of the table.");
    m.def("yield_steps", &YieldStepsOf, py::arg("record"), py::arg("result"), py::arg("threshold"),
          py::arg("slope"), py::arg("ece_factor"),
          "ECe, relative yield, leaching requirement and the irrigation it implies per step.");
    m.def("leaching_requirement", &LeachingRequirement, py::arg("irrigation_salinity"),
          py::arg("threshold"), "ECw / (5 ECe_t - ECw); NaN where ECw reaches 2.5 ECe_t.");
    m.def("irrigation_for_leaching", &IrrigationForLeaching, py::arg("evaporation"),
          py::arg("leaching_requirement"), "ET / (1 - LR).");
    m.def("drainage_factors", &FactorsOf, py::arg("spacing"), py::arg("k_above"),
          py::arg("k_below"), py::arg("impervious"), py::arg("radius"),
          "(QH1, QH2, equivalent depth) of a drain spacing by Hooghoudt and Moody.");
    m.def("drain_spacing", &SpacingOf, py::arg("qh1"), py::arg("k_above"), py::arg("k_below"),
          py::arg("impervious"), py::arg("radius"), "The drain spacing whose QH1 is qh1.");
}

}  // namespace halosoil::python
