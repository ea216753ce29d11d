// From salinity to decisions in halosoil._core: the crop table, a run's relative yield and
// leaching requirement per step, and the drainage reaction factors of a drain spacing, all
// worked out by the library the batch runner uses.

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <string>
#include <tuple>

#include <atomic>
#include <optional>

#include "Calibration.h"
#include "CropTolerance.h"
#include "Ensemble.h"
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

// A design as halosoil-batch design runs it: the controls as NAME=LOW:HIGH, the uncertainty
// as the command line's distributions or a report's JSON text with the name its refusals give.
py::dict RunDesignStudy(const py::dict& record, const std::string& cropText,
                        const std::string& cropsPath, double eceFactor,
                        const std::vector<std::string>& controls, const std::string& requirement,
                        std::optional<double> probability,
                        const std::vector<std::string>& distributions,
                        const std::optional<std::pair<std::string, std::string>>& report,
                        int members, std::uint64_t seed, const std::string& minimise,
                        const std::string& drainSoil, int threads) {
    const InputData data = StudyProject(record);
    DesignSettings settings;
    for (const std::string& text : controls)
        settings.controls.push_back(ParseParameter(text, data));
    if (!drainSoil.empty()) SetDrainSoil(settings.controls, ParseDrainSoil(drainSoil));
    CheckEceFactor(eceFactor);
    settings.crop = ChosenCrop(TableAt(cropsPath), cropText);
    settings.eceFactor = eceFactor;
    settings.requirement = ParseRequirement(requirement);
    SetGoal(settings, minimise);
    if (probability) {
        CheckProbability(*probability);
        settings.probability = probability;
    }
    for (const std::string& text : distributions) {
        auto [parameter, distribution] = ParseDistribution(text, data);
        settings.uncertain.push_back(parameter);
        settings.distributions.push_back(distribution);
    }
    if (!drainSoil.empty() && !settings.uncertain.empty())
        SetDrainSoil(settings.uncertain, ParseDrainSoil(drainSoil));
    if (report) settings.fromReport = ParseReportEstimates(report->first, data, report->second);
    settings.members = members;
    settings.seed = seed;
    settings.options.threads = threads;
    std::atomic<bool> cancel{false};
    settings.options.cancel = &cancel;
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

}  // namespace

void AddDecisionBindings(py::module_& m) {
    m.def("design", &RunDesignStudy, py::arg("record"), py::arg("crop"), py::arg("crops"),
          py::arg("ece_factor"), py::arg("controls"), py::arg("requirement"),
          py::arg("probability"), py::arg("distributions"), py::arg("report"), py::arg("members"),
          py::arg("seed"), py::arg("minimise"), py::arg("drain_soil"), py::arg("threads"),
          "Runs a management design as halosoil-batch design does.");
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
