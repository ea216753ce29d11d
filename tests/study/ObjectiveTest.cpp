// The calibration's objective, the fit statistics and the standard errors, each worked out by
// hand on a few numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "CalibrationStatistics.h"
#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "Objective.h"
#include "QuantityCatalogue.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

RunState StateOfSteps(int steps) {
    RunState state;
    SizeResultSeries(state, steps);
    return state;
}

TEST(StudyObjective, EachQuantityCountsByItsWeightOverItsCountAndVariance) {
    Observations observations;
    // Depths 1 and 2: variance 0.25. Drainages 2 and 6: variance 4.
    observations.Of(Quantity::DepthWaterTable) = {{1, 1.0}, {2, 2.0}};
    observations.Of(Quantity::Drainage) = {{2, 2.0}, {3, 6.0}};
    Weights weights;
    weights.Set(Quantity::Drainage, 2);
    const Objective objective(observations, weights);
    EXPECT_EQ(objective.ObservationCount(), 4);

    RunState state = StateOfSteps(3);
    state.DepthWT = {0, 1.5, 1.5, 0};  // the mean: the weight 1 of the depths
    state.Drain = {0, 0, 2, 10};       // 2 * ((2 - 2)^2 + (10 - 6)^2) / (2 * 4) = 4
    EXPECT_DOUBLE_EQ(objective.Value(state), 5);

    std::vector<double> residuals;
    objective.Residuals(state, residuals);
    ASSERT_EQ(residuals.size(), 4u);
    EXPECT_DOUBLE_EQ(residuals[0], std::sqrt(2.0) * 0.5);
    EXPECT_DOUBLE_EQ(residuals[1], -std::sqrt(2.0) * 0.5);
    EXPECT_DOUBLE_EQ(residuals[2], 0);
    EXPECT_DOUBLE_EQ(residuals[3], std::sqrt(2.0 / 8) * 4);

    state.RunStopped = true;
    EXPECT_EQ(objective.Value(state), kFailedRunObjective);
}

TEST(StudyObjective, NothingToFitAndImpossibleWeightsAreRefused) {
    Observations observations;
    EXPECT_THROW_MSG(Objective(observations, Weights{}), HalosoilError,
                     "There is nothing to fit: no observations (measured salinities in the "
                     "input file or an observations file) of a quantity with a weight above 0.");
    observations.Of(Quantity::Drainage) = {{1, 4.0}, {2, 5.0}};
    Weights zero;
    zero.Set(Quantity::Drainage, 0);
    EXPECT_THROW(Objective(observations, zero), HalosoilError);
    Weights negative;
    negative.Set(Quantity::Percolation, -1);
    EXPECT_THROW_MSG(Objective(observations, negative), HalosoilError,
                     "The weight of percolation must be 0 or more, not -1.");
}

TEST(StudyObjective, AQuantityWithoutTwoDifferentReadingsIsRefusedByName) {
    // Nothing unit-free could stand in for a variance of 0: the mean squared would weigh
    // depths in metres against depths in centimetres alike, and 1 would not.
    Observations observations;
    observations.Of(Quantity::DepthWaterTable) = {{1, 1.0}, {2, 2.0}};
    observations.Of(Quantity::Drainage) = {{3, 4.0}};
    EXPECT_THROW_MSG(Objective(observations, Weights{}), HalosoilError,
                     "The observations of drainage cannot be fitted: it has a single reading "
                     "(4 mm per time step), and the objective divides each quantity by the "
                     "variance of its readings. Give it at least two different readings, or the "
                     "weight 0 to leave it out (--weight drainage=0).");
    observations.Of(Quantity::Drainage).clear();
    // 0.1 is no sum of halves: the variance of readings all 0.1 is not computed as 0, so
    // the readings themselves are compared.
    observations.Of(Quantity::SalinityLayer1) = {{1, 0.1}, {2, 0.1}, {3, 0.1}};
    EXPECT_THROW_MSG(Objective(observations, Weights{}), HalosoilError,
                     "The observations of salinity_layer1 cannot be fitted: it has 3 readings "
                     "all alike (0.1 dS/m), and the objective divides each quantity by the "
                     "variance of its readings. Give it at least two different readings, or the "
                     "weight 0 to leave it out (--weight salinity_layer1=0).");
    // Left out by its weight, the quantity is not fitted and the others are.
    Weights without;
    without.Set(Quantity::SalinityLayer1, 0);
    const Objective depths(observations, without);
    EXPECT_EQ(depths.ObservationCount(), 2);
}

TEST(StudyObjective, FitStatisticsOfAQuantity) {
    Observations observations;
    observations.Of(Quantity::SalinityLayer1) = {{1, 1}, {2, 2}, {3, 3}, {4, 4}};
    RunState state = StateOfSteps(4);
    state.SalRoot1 = {0, 1.5, 2, 2.5, 5};
    const std::vector<QuantityFit> fits = FitOf(observations, state);
    ASSERT_EQ(fits.size(), 1u);
    const QuantityFit& fit = fits[0];
    EXPECT_EQ(fit.quantity, Quantity::SalinityLayer1);
    EXPECT_EQ(fit.n, 4);
    // Residuals 0.5, 0, -0.5, 1: squares 1.5; the observations spread 5 about their mean.
    EXPECT_DOUBLE_EQ(fit.rmse, std::sqrt(1.5 / 4));
    EXPECT_DOUBLE_EQ(fit.bias, 0.25);
    EXPECT_DOUBLE_EQ(fit.nse, 1 - 1.5 / 5);
    // Covariance 5.5, simulated spread 7.25.
    EXPECT_DOUBLE_EQ(fit.r2, 5.5 * 5.5 / (5 * 7.25));

    Observations single;
    single.Of(Quantity::Drainage) = {{2, 3}};
    const QuantityFit lone = FitOf(single, state)[0];
    EXPECT_EQ(lone.n, 1);
    EXPECT_DOUBLE_EQ(lone.rmse, 3);
    EXPECT_TRUE(std::isnan(lone.nse));
    EXPECT_TRUE(std::isnan(lone.r2));
}

TEST(StudyStatistics, AStraightLineGivesTheTextbookStandardErrors) {
    // y = a + b x at x = 0..3: J = [1 x]; (J'J)^-1 = [[0.7, -0.3], [-0.3, 0.2]].
    const std::vector<double> jacobian = {1, 0, 1, 1, 1, 2, 1, 3};
    const std::vector<double> residuals = {0.1, -0.2, 0.2, -0.1};
    const EstimateStatistics statistics = StatisticsOf(jacobian, residuals, 2);
    const double variance = 0.1 / 2;  // squares over 4 - 2 degrees of freedom
    EXPECT_NEAR(statistics.standardErrors[0], std::sqrt(variance * 0.7), 1e-12);
    EXPECT_NEAR(statistics.standardErrors[1], std::sqrt(variance * 0.2), 1e-12);
    // Student's t of 2 degrees of freedom at 97.5 %: 4.302652729911275.
    EXPECT_NEAR(statistics.halfWidths[1], 4.302652729911275 * 0.1, 1e-9);
    EXPECT_NEAR(statistics.correlation[0][1], -0.3 / std::sqrt(0.7 * 0.2), 1e-12);
    EXPECT_NEAR(statistics.correlation[1][0], -0.3 / std::sqrt(0.7 * 0.2), 1e-12);
    EXPECT_EQ(statistics.correlation[0][0], 1);
}

TEST(StudyStatistics, ParametersTheResidualsDoNotTellApartAreNotDetermined) {
    // Two columns alike: only their sum is determined.
    const std::vector<double> alike = {1, 1, 2, 2, 3, 3, 4, 4};
    const EstimateStatistics statistics = StatisticsOf(alike, {0.1, -0.1, 0.2, -0.2}, 2);
    EXPECT_TRUE(std::isinf(statistics.standardErrors[0]));
    EXPECT_TRUE(std::isinf(statistics.standardErrors[1]));
    EXPECT_TRUE(std::isnan(statistics.correlation[0][1]));

    // A parameter without effect beside one that has it.
    const std::vector<double> idle = {1, 0, 2, 0, 3, 0};
    const EstimateStatistics mixed = StatisticsOf(idle, {0.1, -0.1, 0.05}, 2);
    EXPECT_TRUE(std::isfinite(mixed.standardErrors[0]));
    EXPECT_TRUE(std::isinf(mixed.standardErrors[1]));

    // No degrees of freedom: nothing can be said.
    const EstimateStatistics none = StatisticsOf({1, 0, 0, 1}, {0.1, 0.1}, 2);
    EXPECT_TRUE(std::isnan(none.standardErrors[0]));
    EXPECT_TRUE(std::isnan(none.halfWidths[1]));
}

}  // namespace
