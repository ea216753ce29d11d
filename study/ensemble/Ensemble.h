// Ensembles: many members of one project whose parameters are drawn from distributions (or
// from a calibration's estimates with their covariance), and the prediction bands of every
// result quantity per step: mean, quantiles and the share of members beyond a threshold.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Calibration.h"
#include "Distributions.h"
#include "InputData.h"
#include "MemberRuns.h"
#include "Parameters.h"
#include "Quantities.h"
#include "RelativeYield.h"

namespace halosoil::study {

enum class Design { LatinHypercube, Sobol };

// A quantity beyond which a member counts as exceeding: above the value, or below it.
struct Threshold {
    Quantity quantity = Quantity::DepthWaterTable;
    bool above = true;
    double value = 0;
    // On the crop's relative yield (%) rather than on the quantity.
    bool relativeYield = false;
};

struct EnsembleSettings {
    // The parameters with their bounds, which truncate the distributions.
    std::vector<Parameter> parameters;
    // One per parameter; unused when fromReport is set.
    std::vector<Distribution> distributions;
    // A calibration's estimates: the members are drawn from the multivariate normal of its
    // values and covariance, truncated to the bounds.
    std::optional<ReportEstimates> fromReport;
    int members = 1000;
    std::uint64_t seed = 0;
    Design design = Design::LatinHypercube;
    StudyOptions options;
    // With a crop, every member's relative yield per step too.
    std::optional<Crop> crop;
    double eceFactor = kDefaultEceFactor;
};

struct EnsembleResult {
    int members = 0;
    int steps = 0;
    std::vector<Parameter> parameters;
    std::vector<Quantity> quantities;
    // members x parameters, row-major.
    std::vector<double> values;
    // members x quantities x steps: member m's quantity q at step i (1..steps) at
    // (m * quantities + q) * steps + i - 1.
    std::vector<double> series;
    // With a crop: members x steps, member m's relative yield at step i at m * steps + i - 1;
    // empty without one.
    std::vector<double> yields;
    // Per member: 0 when its run went through, the step it stopped at, or -1 when the
    // engine refused its project (refusals[m] says why).
    std::vector<int> stoppedStep;
    std::vector<std::string> refusals;

    double At(int member, std::size_t quantity, int step) const {
        return series[(static_cast<std::size_t>(member) * quantities.size() + quantity) *
                          static_cast<std::size_t>(steps) +
                      static_cast<std::size_t>(step - 1)];
    }
    double YieldAt(int member, int step) const {
        return yields[static_cast<std::size_t>(member) * static_cast<std::size_t>(steps) +
                      static_cast<std::size_t>(step - 1)];
    }
    int Stopped() const;
    int Refused() const;
};

// "uniform:LOW:HIGH", "normal:MEAN:SD" or "triangular:LOW:MODE:HIGH" after "NAME=": the
// parameter (bounded by the distribution's range, a normal one by six standard deviations
// within what the value can take) and its distribution.
std::pair<Parameter, Distribution> ParseDistribution(std::string_view text, const InputData& data);
// "QUANTITY>VALUE" or "QUANTITY<VALUE"; relative_yield<VALUE (or >) when a crop is named.
Threshold ParseThreshold(std::string_view text, const InputData& data, bool cropNamed = false);

// Draws the members and runs them. Throws HalosoilError for settings it cannot use,
// StudyCancelled when cancelled.
EnsembleResult RunEnsemble(const InputData& base, const EnsembleSettings& settings);

struct BandRow {
    int step = 0;
    Quantity quantity = Quantity::DepthWaterTable;
    // The row of the crop's relative yield, after the quantities of its step.
    bool relativeYield = false;
    double mean = 0, q05 = 0, q25 = 0, q50 = 0, q75 = 0, q95 = 0;
    double pExceed = 0;   // NaN where the quantity has no threshold
    double pStopped = 0;  // the share of the members run that had stopped by this step
};

// The bands of every quantity of every step. The mean and the quantiles are those of the
// members whose runs went through. The shares are of all members run (a refused member is
// no project at all): pStopped of those stopped at this step or before, pExceed of those
// beyond the threshold. A member that stopped counts by its values before its stop; from its
// stop on, its water table lies beyond the aquifer's bottom, at the depth where the run last
// saw it, so it exceeds depth_water_table>X for every X less than that depth and never
// depth_water_table<X. What its
// stop leaves unknown (the water flows from its stop on, every salinity, since a stopped run
// never reaches its salt balance) counts as not exceeding: pExceed is then short by at most
// the share of the stopped members.
std::vector<BandRow> Bands(const EnsembleResult& result, const std::vector<Threshold>& thresholds);
// CSV: step,quantity,mean,q05,q25,q50,q75,q95,p_exceed,p_stopped.
std::string BandsCsv(const std::vector<BandRow>& rows);

}  // namespace halosoil::study
