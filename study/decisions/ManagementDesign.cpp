#include "ManagementDesign.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <nlopt.hpp>

#include "DesignMembers.h"
#include "Ensemble.h"
#include "EnsembleDraws.h"
#include "Errors.h"
#include "RunEvaluator.h"
#include "ShortestText.h"
#include "StringToFloat.h"

namespace halosoil::study {

namespace {

constexpr double kUnitTolerance = 1e-6;
// The requirement is active within this much yield (%) of its bound.
constexpr double kActiveMargin = 0.05;

// What a candidate gives: the objective, the constraint's margin (>= 0 when met), the share
// of members meeting the requirement and the statistic.
struct Outcome {
    double objective = 0;
    double margin = 0;
    double share = 0;
    double statistic = 0;
};

class DesignEvaluator {
public:
    DesignEvaluator(const InputData& base, const DesignSettings& settings)
        : base_(base), settings_(settings) {
        if (!settings.probability) return;
        EnsembleSettings draws;
        draws.parameters = settings.uncertain;
        draws.distributions = settings.distributions;
        draws.fromReport = settings.fromReport;
        draws.members = settings.members;
        draws.seed = settings.seed;
        uncertain_ = settings.fromReport ? settings.fromReport->parameters : settings.uncertain;
        draws_ = DrawMembers(draws, uncertain_);
        parameters_ = DesignMemberParameters(settings);
    }

    Outcome operator()(const std::vector<double>& unit) {
        if (settings_.options.cancel && settings_.options.cancel->load()) throw StudyCancelled();
        if (unit == lastUnit_) return last_;
        const std::vector<double> values = ValuesAt(settings_.controls, unit.data());
        last_ = settings_.probability ? OverMembers(values) : OfProject(values);
        lastUnit_ = unit;
        if (last_.margin >= 0 && last_.objective < bestObjective_) {
            bestObjective_ = last_.objective;
            bestUnit_ = unit;
        }
        if (last_.margin > bestMargin_) {
            bestMargin_ = last_.margin;
            bestMarginUnit_ = unit;
            bestStatistic_ = last_.statistic;
        }
        return last_;
    }

    bool FoundFeasible() const { return !bestUnit_.empty(); }
    const std::vector<double>& BestUnit() const { return bestUnit_; }
    const std::vector<double>& BestMarginUnit() const { return bestMarginUnit_; }
    double BestStatistic() const { return bestStatistic_; }
    long long Runs() const { return runs_; }

private:
    Outcome OfProject(const std::vector<double>& values) {
        const InputData project = Variant(base_, settings_.controls, values.data());
        const ProjectRun run = RunProject(project);
        ++runs_;
        Outcome outcome;
        outcome.statistic =
            MemberStatistic(project, run.refusal.empty() ? &run.state : nullptr, settings_);
        outcome.margin = outcome.statistic - settings_.requirement.minimumYield;
        outcome.share = outcome.margin >= 0 ? 1 : 0;
        outcome.objective =
            GoalOf(settings_, project, run.refusal.empty() ? &run.state : nullptr, values.data());
        return outcome;
    }

    Outcome OverMembers(const std::vector<double>& controls) {
        const std::size_t members = static_cast<std::size_t>(settings_.members);
        const std::size_t width = parameters_.size(), c = controls.size();
        std::vector<double> values(members * width);
        for (std::size_t m = 0; m < members; ++m) {
            std::copy(controls.begin(), controls.end(), values.begin() + m * width);
            std::copy(draws_.begin() + m * (width - c), draws_.begin() + (m + 1) * (width - c),
                      values.begin() + m * width + c);
        }
        MemberOutcomes outcomes = settings_.runMembers
                                      ? settings_.runMembers(parameters_, values)
                                      : RunDesignMembers(base_, settings_, parameters_, values);
        if (outcomes.statistics.size() != members || outcomes.goals.size() != members)
            throw HalosoilError("The design's members came back " +
                                std::to_string(outcomes.statistics.size()) + " where " +
                                std::to_string(members) + " were sent.");
        std::vector<double>& statistics = outcomes.statistics;
        const std::vector<double>& goals = outcomes.goals;
        runs_ += static_cast<long long>(members);
        Outcome outcome;
        double sum = 0;
        int meeting = 0;
        for (std::size_t m = 0; m < members; ++m) {
            sum += goals[m];
            meeting += statistics[m] >= settings_.requirement.minimumYield ? 1 : 0;
        }
        outcome.objective = sum / static_cast<double>(members);
        outcome.share = meeting / static_cast<double>(members);
        // The requirement holds with the probability when the members below the probability's
        // order still meet it: the order statistic at the share allowed to fail.
        std::sort(statistics.begin(), statistics.end());
        const std::size_t needed = static_cast<std::size_t>(
            std::ceil(*settings_.probability * static_cast<double>(members) - 1e-9));
        const std::size_t order = members - std::min(std::max<std::size_t>(needed, 1), members);
        outcome.statistic = statistics[order];
        outcome.margin = outcome.statistic - settings_.requirement.minimumYield;
        return outcome;
    }

    const InputData& base_;
    const DesignSettings& settings_;
    std::vector<Parameter> uncertain_, parameters_;
    std::vector<double> draws_;
    std::vector<double> lastUnit_;
    Outcome last_;
    double bestObjective_ = std::numeric_limits<double>::infinity();
    std::vector<double> bestUnit_;
    double bestMargin_ = -std::numeric_limits<double>::infinity();
    std::vector<double> bestMarginUnit_;
    double bestStatistic_ = 0;
    long long runs_ = 0;
};

struct Problem {
    DesignEvaluator* evaluator;
    double scale;
    std::exception_ptr failure;
};

template <class Value>
double Guarded(const std::vector<double>& unit, void* data, Value value) {
    auto* problem = static_cast<Problem*>(data);
    try {
        return value(*problem, (*problem->evaluator)(unit));
    } catch (...) {
        if (!problem->failure) problem->failure = std::current_exception();
        throw nlopt::forced_stop();
    }
}

double ObjectiveOf(const std::vector<double>& unit, std::vector<double>&, void* data) {
    return Guarded(unit, data,
                   [](const Problem& p, const Outcome& o) { return o.objective / p.scale; });
}

// COBYLA keeps the constraint at or below 0: the requirement's margin, negated.
double ConstraintOf(const std::vector<double>& unit, std::vector<double>&, void* data) {
    return Guarded(unit, data, [](const Problem&, const Outcome& o) { return -o.margin; });
}

double NegatedMargin(const std::vector<double>& unit, std::vector<double>&, void* data) {
    return Guarded(unit, data, [](const Problem&, const Outcome& o) { return -o.margin; });
}

void Search(nlopt::opt& search, Problem& problem, std::vector<double> start, int evaluations) {
    const unsigned dims = search.get_dimension();
    search.set_lower_bounds(std::vector<double>(dims, 0.0));
    search.set_upper_bounds(std::vector<double>(dims, 1.0));
    search.set_xtol_abs(kUnitTolerance);
    search.set_initial_step(0.25);
    search.set_maxeval(evaluations);
    double value = 0;
    try {
        search.optimize(start, value);
    } catch (const std::exception&) {
        // A search that ends on rounding or its budget leaves the best the evaluator kept.
    }
    if (problem.failure) std::rethrow_exception(problem.failure);
}

void CheckSettings(const InputData& base, const DesignSettings& settings) {
    if (settings.controls.empty()) throw HalosoilError("Name at least one control to move.");
    CheckParameterSet(settings.controls, base);
    for (const Parameter& control : settings.controls)
        if (control.Fixed())
            throw HalosoilError("Control " + control.Name() + ": its bounds " +
                                ShortestText(control.low) + ":" + ShortestText(control.high) +
                                " leave it nothing to move");
    if (!settings.probability) return;
    CheckProbability(*settings.probability);
    if (settings.uncertain.empty() && !settings.fromReport)
        throw HalosoilError(
            "A probability needs the uncertain parameters: --from REPORT.json or --parameter "
            "NAME=DISTRIBUTION");
    if (settings.members < 2)
        throw HalosoilError("An ensemble needs at least 2 members, not " +
                            std::to_string(settings.members) + ".");
    const std::vector<Parameter>& uncertain =
        settings.fromReport ? settings.fromReport->parameters : settings.uncertain;
    for (const Parameter& control : settings.controls)
        for (const Parameter& parameter : uncertain)
            if (parameter.kind == control.kind && parameter.zone == control.zone)
                throw HalosoilError("Parameter " + control.Name() +
                                    " is both a control and uncertain");
}

std::vector<std::string> ActiveConstraints(const DesignSettings& settings,
                                           const std::vector<double>& unit, double margin) {
    std::vector<std::string> active;
    if (std::abs(margin) <= kActiveMargin) active.push_back(settings.requirement.Text());
    for (std::size_t j = 0; j < unit.size(); ++j) {
        if (unit[j] <= kUnitTolerance * 10)
            active.push_back(settings.controls[j].Name() + " at its lower bound");
        else if (unit[j] >= 1 - kUnitTolerance * 10)
            active.push_back(settings.controls[j].Name() + " at its upper bound");
    }
    return active;
}

}  // namespace

std::string Requirement::Text() const {
    return "relative_yield>=" + ShortestText(minimumYield) + (atFinal ? "@final" : "");
}

Requirement ParseRequirement(std::string_view text) {
    const std::string given(text);
    const auto sign = given.find(">=");
    const std::string name = given.substr(0, std::min(given.find_first_of("<>="), given.size()));
    if (name != "relative_yield")
        throw HalosoilError("Requirement " + given + ": '" + name +
                            "' is not a quantity a requirement can be on; the one there is is "
                            "relative_yield (relative_yield>=90, or relative_yield>=90@final)");
    if (sign == std::string::npos || sign != name.size())
        throw HalosoilError("Requirement " + given +
                            ": a requirement is relative_yield>=VALUE, at every step, or "
                            "relative_yield>=VALUE@final");
    Requirement requirement;
    std::string value = given.substr(sign + 2);
    if (value.size() >= 6 && value.substr(value.size() - 6) == "@final") {
        requirement.atFinal = true;
        value.resize(value.size() - 6);
    }
    try {
        requirement.minimumYield = PointStringToFloat(value);
    } catch (const ConversionError& error) {
        throw HalosoilError("Requirement " + given + ": " + error.what());
    }
    if (!(requirement.minimumYield >= 0 && requirement.minimumYield <= 100))
        throw HalosoilError("Requirement " + given + ": the yield is a percentage from 0 to 100");
    return requirement;
}

void SetGoal(DesignSettings& settings, std::string_view name) {
    if (name == "irrigation") {
        settings.goal = DesignGoal::Irrigation;
        return;
    }
    if (name == "drainage") {
        settings.goal = DesignGoal::Drainage;
        return;
    }
    for (std::size_t j = 0; j < settings.controls.size(); ++j)
        if (settings.controls[j].Name() == name) {
            settings.goal = DesignGoal::Control;
            settings.goalControl = static_cast<int>(j);
            return;
        }
    throw HalosoilError("--minimise " + std::string(name) +
                        ": minimise irrigation, drainage or one of the controls");
}

void CheckProbability(double probability) {
    if (!(probability >= 0 && probability <= 1))
        throw HalosoilError("--probability " + ShortestText(probability) +
                            ": a probability lies from 0 to 1");
}

DesignResult RunDesign(const InputData& base, const DesignSettings& settings) {
    const auto started = std::chrono::steady_clock::now();
    CheckSettings(base, settings);
    const unsigned dims = static_cast<unsigned>(settings.controls.size());
    DesignEvaluator evaluator(base, settings);
    const std::vector<double> upper(dims, 1.0);
    // The goal's size at the upper corner scales the objective near 1 for the search.
    const Outcome corner = evaluator(upper);
    Problem problem{&evaluator, std::abs(corner.objective) > 0 ? std::abs(corner.objective) : 1,
                    nullptr};
    nlopt::opt search(nlopt::LN_COBYLA, dims);
    search.set_min_objective(ObjectiveOf, &problem);
    search.add_inequality_constraint(ConstraintOf, &problem, 1e-9);
    Search(search, problem, std::vector<double>(dims, 0.5), settings.maxEvaluations);

    DesignResult result;
    std::vector<double> unit;
    if (evaluator.FoundFeasible()) {
        unit = evaluator.BestUnit();
        result.feasible = true;
    } else {
        // No candidate met it: how near do the controls come?
        nlopt::opt reach(nlopt::LN_COBYLA, dims);
        reach.set_min_objective(NegatedMargin, &problem);
        Search(reach, problem, evaluator.BestMarginUnit(), settings.maxEvaluations);
        unit = evaluator.FoundFeasible() ? evaluator.BestUnit() : evaluator.BestMarginUnit();
        result.feasible = evaluator.FoundFeasible();
    }
    const Outcome outcome = evaluator(unit);
    result.values = ValuesAt(settings.controls, unit.data());
    result.objective = outcome.objective;
    result.margin = outcome.margin;
    result.achievedProbability = outcome.share;
    result.bestReachableYield = evaluator.BestStatistic();
    result.activeConstraints = ActiveConstraints(settings, unit, outcome.margin);
    result.runs = evaluator.Runs();
    result.project = Variant(base, settings.controls, result.values.data());
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
}

std::string DesignReportJson(const DesignSettings& settings, const DesignResult& result) {
    nlohmann::ordered_json report;
    nlohmann::ordered_json controls;
    for (std::size_t j = 0; j < settings.controls.size(); ++j) {
        const Parameter& control = settings.controls[j];
        controls[control.Name()] = {{"value", result.values[j]},
                                    {"low", control.low},
                                    {"high", control.high},
                                    {"unit", control.Info().unit}};
    }
    report["controls"] = controls;
    const std::string goal =
        settings.goal == DesignGoal::Irrigation ? "irrigation"
        : settings.goal == DesignGoal::Drainage
            ? "drainage"
            : settings.controls[static_cast<std::size_t>(settings.goalControl)].Name();
    report["objective"] = {
        {"minimised", goal},
        {"value", result.objective},
        {"unit", settings.goal == DesignGoal::Control
                     ? settings.controls[static_cast<std::size_t>(settings.goalControl)].Info().unit
                     : "mm over all steps"}};
    report["requirement"] = settings.requirement.Text();
    report["feasible"] = result.feasible;
    report["margin"] = result.margin;
    if (!result.feasible) report["best_reachable_yield"] = result.bestReachableYield;
    if (settings.probability) {
        report["probability"] = {{"required", *settings.probability},
                                 {"achieved", result.achievedProbability},
                                 {"members", settings.members},
                                 {"seed", settings.seed}};
    }
    report["active_constraints"] = result.activeConstraints;
    report["crop"] = {{"name", settings.crop.name},
                      {"threshold", settings.crop.threshold},
                      {"slope", settings.crop.slope},
                      {"source", settings.crop.source}};
    report["ece_factor"] = settings.eceFactor;
    report["runs"] = result.runs;
    report["seconds"] = result.seconds;
    return report.dump(2) + "\n";
}

}  // namespace halosoil::study
