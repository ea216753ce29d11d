// Management under uncertainty: the controls of a project (any movable parameters: the
// irrigation factor, the drains' depth and spacing, ...) that minimise the irrigation, the
// drainage or a control itself, subject to a crop's relative yield meeting a requirement at
// every step (or at the last), for the project as it is or with a probability over an
// ensemble of uncertain parameters. Every candidate runs the same members (common random
// numbers), so that the search sees a smooth function of the controls.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Calibration.h"
#include "CropTolerance.h"
#include "Distributions.h"
#include "InputData.h"
#include "MemberRuns.h"
#include "Parameters.h"
#include "RelativeYield.h"

namespace halosoil::study {

// relative_yield>=VALUE, at every step or, with "@final", at the last.
struct Requirement {
    double minimumYield = 90;
    bool atFinal = false;

    std::string Text() const;
};
// Throws HalosoilError naming the text for a quantity other than relative_yield, a sign other
// than >= or a value that is not a number from 0 to 100.
Requirement ParseRequirement(std::string_view text);

enum class DesignGoal { Irrigation, Drainage, Control };

// What the members of a candidate give, one value each: the requirement's statistic (the
// least relative yield over the steps, or the last, %) and the goal (mm, or the control).
struct MemberOutcomes {
    std::vector<double> statistics;
    std::vector<double> goals;
};
// Runs members of values (members x parameters, row-major: the controls, then the uncertain
// parameters); a cluster's workers, say, instead of this machine's cores.
using DesignMemberRunner = std::function<MemberOutcomes(const std::vector<Parameter>& parameters,
                                                        const std::vector<double>& values)>;

struct DesignSettings {
    std::vector<Parameter> controls;
    Crop crop;
    double eceFactor = kDefaultEceFactor;
    Requirement requirement;
    // The share of members that must meet the requirement, 0..1; without it the project as
    // it is must.
    std::optional<double> probability;
    std::vector<Parameter> uncertain;
    std::vector<Distribution> distributions;
    std::optional<ReportEstimates> fromReport;
    int members = 100;
    std::uint64_t seed = 0;
    DesignGoal goal = DesignGoal::Irrigation;
    int goalControl = 0;  // the control minimised for DesignGoal::Control
    int maxEvaluations = 200;
    StudyOptions options;
    // Where a candidate's members run; unset, on options.threads here (RunDesignMembers).
    DesignMemberRunner runMembers;
};

// The goal named on a command line: irrigation, drainage or the name of a control; throws
// HalosoilError for any other.
void SetGoal(DesignSettings& settings, std::string_view name);
// Throws HalosoilError for a probability outside 0..1 (naming it).
void CheckProbability(double probability);

struct DesignResult {
    std::vector<double> values;  // one per control
    double objective = 0;        // mm over all steps for irrigation and drainage
    // The requirement's statistic less the yield required, % (with a probability: that of the
    // member at the probability's order).
    double margin = 0;
    double achievedProbability = 1;
    bool feasible = false;
    // The most the controls reach of the requirement's statistic (%), when infeasible.
    double bestReachableYield = 0;
    std::vector<std::string> activeConstraints;
    long long runs = 0;
    double seconds = 0;
    InputData project;  // the base with the controls set
};

DesignResult RunDesign(const InputData& base, const DesignSettings& settings);

// The report as JSON: each control under its parameter name with its value and bounds, the
// objective, the requirement, margin and probabilities, the active constraints, the runs and
// seconds, the crop and the ECe factor.
std::string DesignReportJson(const DesignSettings& settings, const DesignResult& result);

}  // namespace halosoil::study
