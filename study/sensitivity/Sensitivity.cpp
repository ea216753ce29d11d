#include "Sensitivity.h"

#include <gsl/gsl_errno.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <memory>

#include "Errors.h"
#include "MorrisEffects.h"
#include "NotANumber.h"
#include "RunEvaluator.h"
#include "ShortestText.h"
#include "SobolIndices.h"

namespace halosoil::study {

namespace {

// Morris trajectories move on a grid of this many levels.
constexpr int kMorrisLevels = 4;

const char* StatisticName(Statistic statistic) {
    switch (statistic) {
        case Statistic::Final:
            return "final";
        case Statistic::Mean:
            return "mean";
        case Statistic::Max:
            return "max";
        case Statistic::Min:
            return "min";
    }
    return "";
}

struct FailedRuns {
    long long failed = 0, stopped = 0;
};

// The model values of every target for every design row: targets x rows, NaN for a run that
// did not go through (but for the target stopped).
std::vector<std::vector<double>> TargetValues(const InputData& base,
                                              const SensitivitySettings& settings,
                                              const UnitPoints& design, const Objective* objective,
                                              FailedRuns& failedRuns) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(design.count) * settings.parameters.size());
    for (int k = 0; k < design.count; ++k) {
        const std::vector<double> member = ValuesAt(
            settings.parameters, design.values.data() + static_cast<std::size_t>(k) *
                                                            static_cast<std::size_t>(design.dims));
        values.insert(values.end(), member.begin(), member.end());
    }
    std::vector<std::vector<double>> outputs(
        settings.targets.size(), std::vector<double>(static_cast<std::size_t>(design.count), kNaN));
    std::atomic<long long> failed{0}, stopped{0};
    RunMembers(base, settings.parameters, values, settings.options, [&](const MemberRun& run) {
        if (run.Failed()) ++failed;
        if (run.Failed() && !run.Refused()) ++stopped;
        for (std::size_t t = 0; t < settings.targets.size(); ++t)
            outputs[t][static_cast<std::size_t>(run.member)] =
                TargetValue(settings.targets[t], run, objective);
    });
    failedRuns = {failed, stopped};
    return outputs;
}

std::string Percent(double share) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3g", 100 * share);
    return buffer;
}

std::string Rounded(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3g", value);
    return buffer;
}

// Left out, the failed runs take with them what decides them: a parameter that makes the
// water table fall below the aquifer shows no influence on any other target.
void WarnOfFailedRuns(SensitivityResult& result) {
    if (result.failedRuns == 0) return;
    const long long refused = result.failedRuns - result.stoppedRuns;
    result.warnings.push_back(
        std::to_string(result.failedRuns) + " of " + std::to_string(result.runs) + " runs (" +
        Percent(static_cast<double>(result.failedRuns) / static_cast<double>(result.runs)) +
        " %) did not go through: " + std::to_string(result.stoppedRuns) +
        " stopped early (the water table fell below the aquifer), " + std::to_string(refused) +
        " were refused (values no run accepts). Their samples are left out of every target but "
        "stopped, so a parameter that decides the failures can show no influence there; the "
        "target stopped tells which parameters make runs stop.");
}

void WarnOfRounding(const Target& target, const SobolResult& indices,
                    std::vector<std::string>& warnings) {
    if (!indices.undetermined) return;
    warnings.push_back(target.Name() +
                       " varies by no more than the rounding of the runs (standard "
                       "deviation " +
                       Rounded(indices.spread) + " on a mean of " + Rounded(indices.mean) +
                       "): its indices are undetermined and left empty.");
}

// The indices of one target; a target whose failed runs leave too few whole samples has none,
// and the other targets keep theirs (the target stopped has a value in every run).
SobolResult IndicesOrNone(const SaltelliDesign& design, const std::vector<double>& outputs,
                          const SensitivitySettings& settings, const Target& target,
                          std::vector<std::string>& warnings) {
    try {
        SobolResult indices = SobolIndices(design, outputs, settings.resamples, settings.seed);
        WarnOfRounding(target, indices, warnings);
        return indices;
    } catch (const HalosoilError& error) {
        warnings.push_back(target.Name() + " has no indices (left empty): " + error.what());
        const Interval none{kNaN, kNaN, kNaN};
        SobolResult indices;
        indices.indices.assign(static_cast<std::size_t>(design.dims), SobolIndex{none, none});
        indices.undetermined = true;
        return indices;
    }
}

}  // namespace

std::string Target::Name() const {
    if (objective) return "objective";
    if (stopped) return "stopped";
    if (relativeYield) return std::string("relative_yield:") + StatisticName(statistic);
    return std::string(InfoOf(quantity).name) + ":" + StatisticName(statistic);
}

namespace {

Statistic StatisticNamed(const std::string& statistic) {
    return statistic == "final"  ? Statistic::Final
           : statistic == "mean" ? Statistic::Mean
           : statistic == "max"  ? Statistic::Max
                                 : Statistic::Min;
}

double StatisticUpTo(const Series& series, std::size_t last, Statistic statistic) {
    if (last == 0) return kNaN;
    switch (statistic) {
        case Statistic::Final:
            return series[last];
        case Statistic::Mean: {
            double sum = 0;
            for (std::size_t i = 1; i <= last; ++i) sum += series[i];
            return sum / static_cast<double>(last);
        }
        case Statistic::Max:
            return *std::max_element(series.begin() + 1, series.begin() + last + 1);
        case Statistic::Min:
            return *std::min_element(series.begin() + 1, series.begin() + last + 1);
    }
    return kNaN;
}

}  // namespace

Target ParseTarget(std::string_view text, const InputData& data, const Crop* crop,
                   double eceFactor) {
    Target target;
    if (text.substr(0, text.find(':')) == "relative_yield") {
        const std::string statistic(
            text.find(':') == std::string_view::npos ? "" : text.substr(text.find(':') + 1));
        if (statistic != "final" && statistic != "mean" && statistic != "max" && statistic != "min")
            throw HalosoilError("'" + std::string(text) +
                                "' is not a target: relative_yield:final, relative_yield:mean, "
                                "relative_yield:max or relative_yield:min");
        if (!crop)
            throw HalosoilError("Target " + std::string(text) +
                                ": name the crop whose yield it is (--crop NAME)");
        target.relativeYield = true;
        target.statistic = StatisticNamed(statistic);
        target.crop = *crop;
        target.eceFactor = eceFactor;
        return target;
    }
    if (text == "objective") {
        target.objective = true;
        return target;
    }
    if (text == "stopped") {
        target.stopped = true;
        return target;
    }
    const auto colon = text.find(':');
    const std::string name(text.substr(0, colon));
    const std::string statistic(colon == std::string_view::npos ? "" : text.substr(colon + 1));
    const auto quantity = QuantityNamed(name);
    const bool known =
        statistic == "final" || statistic == "mean" || statistic == "max" || statistic == "min";
    if (!quantity || !known)
        throw HalosoilError("'" + std::string(text) +
                            "' is not a target: QUANTITY:final, QUANTITY:mean, QUANTITY:max, "
                            "QUANTITY:min, objective or stopped");
    if (!ProjectHas(data, *quantity))
        throw HalosoilError("Target " + std::string(text) + ": the project has no " + name);
    target.quantity = *quantity;
    target.statistic = StatisticNamed(statistic);
    return target;
}

double TargetValue(const Target& target, const MemberRun& run, const Objective* objective) {
    if (run.Refused()) return kNaN;
    if (target.stopped) return run.state.RunStopped ? 1 : 0;
    return run.Failed() ? kNaN : TargetValue(target, run.state, objective, &run.project);
}

double TargetValue(const Target& target, const RunState& state, const Objective* objective,
                   const InputData* project) {
    if (target.stopped) return state.RunStopped ? 1 : 0;
    if (target.objective) return objective ? objective->Value(state) : kNaN;
    if (target.relativeYield) {
        if (!project) return kNaN;
        const Series yield = RelativeYieldSeries(*project, state, target.crop, target.eceFactor);
        return StatisticOf(yield, target.statistic);
    }
    return StatisticOf(SeriesOf(state, target.quantity), target.statistic);
}

double StatisticOf(const Series& series, Statistic statistic) {
    return StatisticUpTo(series, series.size() - 1, statistic);
}

SensitivityResult RunSensitivity(const InputData& base, const SensitivitySettings& settings) {
    gsl_set_error_handler_off();
    CheckParameterSet(settings.parameters, base);
    if (settings.targets.empty()) throw HalosoilError("Name at least one target.");
    std::unique_ptr<Objective> objective;
    if (std::any_of(settings.targets.begin(), settings.targets.end(),
                    [](const Target& t) { return t.objective; }))
        objective = std::make_unique<Objective>(settings.observations, settings.weights);
    const int dims = static_cast<int>(settings.parameters.size());

    FailedRuns failed;
    if (settings.method == SensitivityMethod::Sobol) {
        const SaltelliDesign design = MakeSaltelliDesign(settings.samples, dims);
        const auto outputs = TargetValues(base, settings, design.points, objective.get(), failed);
        return SensitivityOf(settings, outputs, failed.failed, failed.stopped);
    }
    const MorrisDesign design =
        MakeMorrisDesign(settings.samples, dims, kMorrisLevels, settings.seed);
    const auto outputs = TargetValues(base, settings, design.points, objective.get(), failed);
    return SensitivityOf(settings, outputs, failed.failed, failed.stopped);
}

SensitivityResult SensitivityOf(const SensitivitySettings& settings,
                                const std::vector<std::vector<double>>& outputs,
                                long long failedRuns, long long stoppedRuns) {
    gsl_set_error_handler_off();
    const int dims = static_cast<int>(settings.parameters.size());
    SensitivityResult result;
    result.method = settings.method;
    result.failedRuns = failedRuns;
    result.stoppedRuns = stoppedRuns;
    if (settings.method == SensitivityMethod::Sobol) {
        const SaltelliDesign design = MakeSaltelliDesign(settings.samples, dims);
        result.runs = design.points.count;
        WarnOfFailedRuns(result);
        for (std::size_t t = 0; t < settings.targets.size(); ++t) {
            const SobolResult indices =
                IndicesOrNone(design, outputs[t], settings, settings.targets[t], result.warnings);
            for (int j = 0; j < dims; ++j) {
                SensitivityRow row;
                row.target = settings.targets[t].Name();
                row.parameter = settings.parameters[static_cast<std::size_t>(j)].Name();
                row.first = indices.indices[static_cast<std::size_t>(j)].first;
                row.total = indices.indices[static_cast<std::size_t>(j)].total;
                result.rows.push_back(row);
            }
        }
        return result;
    }
    const MorrisDesign design =
        MakeMorrisDesign(settings.samples, dims, kMorrisLevels, settings.seed);
    result.runs = design.points.count;
    WarnOfFailedRuns(result);
    for (std::size_t t = 0; t < settings.targets.size(); ++t) {
        const std::vector<MorrisEffect> effects =
            MorrisEffects(design, outputs[t], settings.resamples, settings.seed);
        for (int j = 0; j < dims; ++j) {
            SensitivityRow row;
            row.target = settings.targets[t].Name();
            row.parameter = settings.parameters[static_cast<std::size_t>(j)].Name();
            row.muStar = effects[static_cast<std::size_t>(j)].muStar;
            row.sigma = effects[static_cast<std::size_t>(j)].sigma;
            result.rows.push_back(row);
        }
    }
    return result;
}

std::string SensitivityCsv(const SensitivityResult& result) {
    const bool sobol = result.method == SensitivityMethod::Sobol;
    std::string text = sobol ? "target,parameter,S1,S1_low,S1_high,ST,ST_low,ST_high\n"
                             : "target,parameter,mu_star,mu_star_low,mu_star_high,sigma\n";
    for (const SensitivityRow& row : result.rows) {
        text += row.target + "," + row.parameter;
        const std::vector<double> cells =
            sobol
                ? std::vector<double>{row.first.value, row.first.low, row.first.high,
                                      row.total.value, row.total.low, row.total.high}
                : std::vector<double>{row.muStar.value, row.muStar.low, row.muStar.high, row.sigma};
        for (double cell : cells) {
            text += ',';
            text += ShortestText(cell);
        }
        text += '\n';
    }
    return text;
}

}  // namespace halosoil::study
