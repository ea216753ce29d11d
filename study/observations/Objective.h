// How well a run matches the observations. The calibration minimises a unit-free objective:
// over the observed quantities, the sum of squared residuals divided by the number of
// observations of the quantity and by their variance, times the quantity's weight (1 unless
// given). So a quantity counts by its weight, not by how many readings it has or by its
// unit, and a run that simulates every observation by the quantity's mean scores the sum of
// the weights. A quantity whose observations do not vary (one reading, or readings all alike)
// has no variance to divide by, and is refused unless its weight is 0.
#pragma once

#include <array>
#include <limits>
#include <string_view>
#include <vector>

#include "Observations.h"
#include "RunState.h"

namespace halosoil::study {

// The objective of a run that did not go through (the water table fell below the aquifer, or
// the engine refused the member): far above any run that did, so a search leaves it.
inline constexpr double kFailedRunObjective = 1e12;

struct Weights {
    std::array<double, kQuantityCount> ofQuantity{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    double Of(Quantity quantity) const { return ofQuantity[static_cast<std::size_t>(quantity)]; }
    void Set(Quantity quantity, double weight) {
        ofQuantity[static_cast<std::size_t>(quantity)] = weight;
    }
    // The weight of the quantity named, one the project has; throws HalosoilError naming it
    // otherwise, or for a weight below 0 or not a number.
    void Set(std::string_view name, double weight, const InputData& data);
};

// The fit of one quantity: the number of observations, the root mean square error, the mean
// of simulated minus observed, the Nash-Sutcliffe efficiency and the square of the
// correlation of simulated with observed. NaN where a statistic is undefined (NSE and R2 for
// observations that do not vary).
struct QuantityFit {
    Quantity quantity = Quantity::DepthWaterTable;
    int n = 0;
    double rmse = 0;
    double bias = 0;
    double nse = std::numeric_limits<double>::quiet_NaN();
    double r2 = std::numeric_limits<double>::quiet_NaN();
};

class Objective {
public:
    // Throws HalosoilError when there is nothing to fit, a weight is negative or not finite, or
    // a weighted quantity has fewer than two different readings.
    Objective(const Observations& observations, const Weights& weights);

    // The objective of a run; kFailedRunObjective for a run that stopped early.
    double Value(const RunState& state) const;
    // The weighted residuals, one per observation in the order of the quantities, whose sum
    // of squares is Value(state): sqrt(weight / (n * variance)) * (simulated - observed).
    void Residuals(const RunState& state, std::vector<double>& residuals) const;
    int ObservationCount() const { return count_; }
    const Observations& Fitted() const { return observations_; }

private:
    Observations observations_;
    // Per quantity, the factor on each squared residual.
    std::array<double, kQuantityCount> scale_{};
    int count_ = 0;
};

// The fit of every observed quantity.
std::vector<QuantityFit> FitOf(const Observations& observations, const RunState& state);

}  // namespace halosoil::study
