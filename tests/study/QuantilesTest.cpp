// Quantiles of samples, interpolated as numpy's default does, and the percentile intervals
// of the bootstrap.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "Quantiles.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

TEST(StudyQuantiles, InterpolateBetweenTheOrderStatisticsAroundPTimesNMinusOne) {
    const std::vector<double> four = {1, 2, 3, 4};
    EXPECT_DOUBLE_EQ(Quantile(four, 0), 1);
    EXPECT_DOUBLE_EQ(Quantile(four, 0.25), 1.75);  // position 0.75
    EXPECT_DOUBLE_EQ(Quantile(four, 0.5), 2.5);    // position 1.5
    EXPECT_DOUBLE_EQ(Quantile(four, 0.9), 3.7);    // position 2.7
    EXPECT_DOUBLE_EQ(Quantile(four, 1), 4);
    // Uneven gaps: position 0.5 * 2 = 1 falls on the middle value itself.
    const std::vector<double> uneven = {-10, 0, 100};
    EXPECT_DOUBLE_EQ(Quantile(uneven, 0.5), 0);
    EXPECT_DOUBLE_EQ(Quantile(uneven, 0.75), 50);
    EXPECT_DOUBLE_EQ(Quantile(uneven, 0.1), -8);
    for (double p : {0.0, 0.3, 1.0}) EXPECT_DOUBLE_EQ(Quantile({5}, p), 5);
    EXPECT_TRUE(std::isnan(Quantile({}, 0.5)));
}

TEST(StudyQuantiles, RefusesAProbabilityOutsideZeroToOne) {
    EXPECT_THROW_MSG(Quantile({1, 2}, 1.5), HalosoilError,
                     "A quantile needs a probability between 0 and 1.");
    EXPECT_THROW_MSG(Quantile({1, 2}, -0.5), HalosoilError,
                     "A quantile needs a probability between 0 and 1.");
}

TEST(StudyQuantiles, PercentileIntervalTakesTheTwoAndAHalfPercentEnds) {
    // 41 estimates 0 .. 40 in no order: the ends sit at positions 0.025*40 = 1 and 39.
    std::vector<double> estimates;
    for (int k = 0; k < 41; ++k) estimates.push_back((k * 17) % 41);
    const Interval interval = PercentileInterval(12.5, estimates);
    EXPECT_EQ(interval.value, 12.5);
    EXPECT_DOUBLE_EQ(interval.low, 1);
    EXPECT_DOUBLE_EQ(interval.high, 39);
}

TEST(StudyQuantiles, TheExpandedTailMakesUpForTheNarrownessOfFewValues) {
    // n = 20: the normal's tail at sqrt(20 / 19) * t(0.975, 19) = 1.0259784 * 2.0930241.
    EXPECT_NEAR(ExpandedTail(20), 0.0158808, 1e-6);
    // n = 5: sqrt(5 / 4) * t(0.975, 4) = 1.1180340 * 2.7764451.
    EXPECT_NEAR(ExpandedTail(5), 0.000954101, 1e-8);
    // Many values need no expansion; one value has no spread to expand.
    EXPECT_NEAR(ExpandedTail(100000), 0.025, 1e-5);
    EXPECT_EQ(ExpandedTail(1), 0.025);
    // 41 estimates 0 .. 40: a tail of 0.1 sits at positions 4 and 36.
    std::vector<double> estimates;
    for (int k = 0; k < 41; ++k) estimates.push_back(40 - k);
    const Interval interval = PercentileInterval(3, estimates, 0.1);
    EXPECT_DOUBLE_EQ(interval.low, 4);
    EXPECT_DOUBLE_EQ(interval.high, 36);
}

}  // namespace
