// Which parameters matter for a result: variance-based indices (Sobol's first-order and total
// indices on a Saltelli design) or elementary effects (Morris), for targets such as the final
// salinity of the first layer or the mean depth of the water table, each parameter drawn
// uniformly within its bounds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "InputData.h"
#include "Interval.h"
#include "MemberRuns.h"
#include "Objective.h"
#include "Observations.h"
#include "Parameters.h"
#include "Quantities.h"
#include "RelativeYield.h"

namespace halosoil::study {

enum class Statistic { Final, Mean, Max, Min };

// A number per run: a statistic over the steps of a quantity ("salinity_layer1:final"), the
// calibration's objective ("objective"), or whether the run stopped early ("stopped": 1 when
// the water table fell below the aquifer, 0 when the run went through), the one target a
// stopped run has; or a statistic of a crop's relative yield ("relative_yield:min", %).
struct Target {
    bool objective = false;
    bool stopped = false;
    bool relativeYield = false;
    Quantity quantity = Quantity::DepthWaterTable;
    Statistic statistic = Statistic::Final;
    // The crop and the ECe factor of relative_yield.
    Crop crop;
    double eceFactor = kDefaultEceFactor;

    std::string Name() const;
};

// The statistic of a per-step series (index 0..N) over its steps 1..N; NaN without steps.
double StatisticOf(const Series& series, Statistic statistic);

// The targets of relative_yield need the crop, which the others ignore.
Target ParseTarget(std::string_view text, const InputData& data, const Crop* crop = nullptr,
                   double eceFactor = kDefaultEceFactor);
// The target's value of a run that went through; relative_yield also needs the project run.
double TargetValue(const Target& target, const RunState& state, const Objective* objective,
                   const InputData* project = nullptr);
// The target's value of any member's run: NaN for a refused member, and for a stopped one but
// for the target stopped.
double TargetValue(const Target& target, const MemberRun& run, const Objective* objective);

enum class SensitivityMethod { Sobol, Morris };

struct SensitivitySettings {
    std::vector<Parameter> parameters;
    std::vector<Target> targets;
    SensitivityMethod method = SensitivityMethod::Sobol;
    // Sobol: the base samples N (N (d + 2) runs); Morris: the trajectories (r (d + 1) runs).
    int samples = 1024;
    std::uint64_t seed = 0;
    // For the target "objective".
    Observations observations;
    Weights weights;
    int resamples = 1000;
    StudyOptions options;
};

struct SensitivityRow {
    std::string target;
    std::string parameter;
    Interval first, total;  // Sobol
    Interval muStar;        // Morris
    double sigma = 0;       // Morris
};

struct SensitivityResult {
    SensitivityMethod method = SensitivityMethod::Sobol;
    std::vector<SensitivityRow> rows;
    long long runs = 0;
    // Runs that stopped early or were refused; their samples are left out of the indices of
    // every target but stopped. stoppedRuns counts those that stopped early.
    long long failedRuns = 0;
    long long stoppedRuns = 0;
    // The failed share, and the targets whose indices are undetermined.
    std::vector<std::string> warnings;
};

SensitivityResult RunSensitivity(const InputData& base, const SensitivitySettings& settings);
// The indices and warnings of targets' values already run (targets x design rows, in the
// order of the settings' design), for runs made elsewhere (a Dask cluster's chunks):
// RunSensitivity is TargetValue over its runs, then this.
SensitivityResult SensitivityOf(const SensitivitySettings& settings,
                                const std::vector<std::vector<double>>& outputs,
                                long long failedRuns, long long stoppedRuns);

// Sobol: target,parameter,S1,S1_low,S1_high,ST,ST_low,ST_high; Morris:
// target,parameter,mu_star,mu_star_low,mu_star_high,sigma.
std::string SensitivityCsv(const SensitivityResult& result);

}  // namespace halosoil::study
