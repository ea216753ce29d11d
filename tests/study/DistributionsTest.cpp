// The parameters' distributions: their quantiles at points known by hand, their means, and
// the parameters that make no distribution.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Distributions.h"
#include "Errors.h"
#include "ExpectThrowMsg.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

TEST(StudyDistributions, UniformQuantilesAreLinearBetweenTheEnds) {
    const Distribution uniform = Uniform(2, 6);
    EXPECT_EQ(uniform.kind, Distribution::Kind::Uniform);
    EXPECT_DOUBLE_EQ(uniform.Quantile(0), 2);
    EXPECT_DOUBLE_EQ(uniform.Quantile(0.25), 3);
    EXPECT_DOUBLE_EQ(uniform.Quantile(0.5), 4);
    EXPECT_DOUBLE_EQ(uniform.Quantile(1), 6);
    EXPECT_DOUBLE_EQ(uniform.Mean(), 4);
    EXPECT_DOUBLE_EQ(Uniform(-3, -1).Quantile(0.75), -1.5);
}

TEST(StudyDistributions, NormalQuantilesSitAtTheKnownMultiplesOfTheDeviation) {
    const Distribution normal = Normal(10, 2);
    EXPECT_DOUBLE_EQ(normal.Quantile(0.5), 10);
    // 97.5 % of a normal lies below mean + 1.959964 sd, 84.13447 % below mean + 1 sd.
    EXPECT_NEAR(normal.Quantile(0.975), 10 + 1.959964 * 2, 1e-5);
    EXPECT_NEAR(normal.Quantile(0.025), 10 - 1.959964 * 2, 1e-5);
    EXPECT_NEAR(normal.Quantile(0.8413447), 12, 1e-5);
    EXPECT_DOUBLE_EQ(normal.Mean(), 10);
    EXPECT_EQ(normal.Quantile(0), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(normal.Quantile(1), std::numeric_limits<double>::infinity());
}

TEST(StudyDistributions, TriangularQuantilesFollowBothSidesOfTheTriangle) {
    // low 1, mode 3, high 9: below the mode F(x) = (x-1)^2 / (8*2), above it
    // 1 - F(x) = (9-x)^2 / (8*6); a quarter of the probability lies below the mode.
    const Distribution triangle = Triangular(1, 3, 9);
    EXPECT_DOUBLE_EQ(triangle.Quantile(0), 1);
    EXPECT_DOUBLE_EQ(triangle.Quantile(1.0 / 16), 2);
    EXPECT_DOUBLE_EQ(triangle.Quantile((3.0 - 1) / (9 - 1)), 3);
    EXPECT_DOUBLE_EQ(triangle.Quantile(0.5), 9 - std::sqrt(0.5 * 8 * 6));
    EXPECT_DOUBLE_EQ(triangle.Quantile(11.0 / 12), 7);
    EXPECT_DOUBLE_EQ(triangle.Quantile(1), 9);
    EXPECT_DOUBLE_EQ(triangle.Mean(), 13.0 / 3);
    // A mode at either end leaves one side only.
    EXPECT_DOUBLE_EQ(Triangular(0, 0, 1).Quantile(0.75), 0.5);
    EXPECT_DOUBLE_EQ(Triangular(0, 1, 1).Quantile(0.25), 0.5);
    EXPECT_DOUBLE_EQ(Triangular(0, 1, 1).Mean(), 2.0 / 3);
}

TEST(StudyDistributions, RefusesParametersThatMakeNoDistribution) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_THROW_MSG(Uniform(1, 1), HalosoilError,
                     "A uniform distribution needs its low end below its high end.");
    EXPECT_THROW_MSG(Uniform(2, 1), HalosoilError,
                     "A uniform distribution needs its low end below its high end.");
    EXPECT_THROW_MSG(Uniform(nan, 1), HalosoilError,
                     "The ends of a uniform distribution must be finite numbers.");
    EXPECT_THROW_MSG(Uniform(0, infinity), HalosoilError,
                     "The ends of a uniform distribution must be finite numbers.");
    EXPECT_THROW_MSG(Normal(0, 0), HalosoilError,
                     "A normal distribution needs a positive standard deviation.");
    EXPECT_THROW_MSG(Normal(0, -1), HalosoilError,
                     "A normal distribution needs a positive standard deviation.");
    EXPECT_THROW_MSG(Normal(infinity, 1), HalosoilError,
                     "The mean and the standard deviation of a normal distribution must be "
                     "finite numbers.");
    EXPECT_THROW_MSG(Triangular(1, 1, 1), HalosoilError,
                     "A triangular distribution needs its low end below its high end.");
    EXPECT_THROW_MSG(Triangular(0, 2, 1), HalosoilError,
                     "A triangular distribution needs its mode between its low and high ends.");
    EXPECT_THROW_MSG(Triangular(0, -1, 1), HalosoilError,
                     "A triangular distribution needs its mode between its low and high ends.");
    EXPECT_THROW_MSG(Triangular(0, nan, 1), HalosoilError,
                     "The low end, the mode and the high end of a triangular distribution must "
                     "be finite numbers.");
    // The fields are open: a distribution put together without the functions is checked
    // when it is used.
    const Distribution flat{Distribution::Kind::Normal, 0, 0, 0};
    EXPECT_THROW_MSG(flat.Quantile(0.5), HalosoilError,
                     "A normal distribution needs a positive standard deviation.");
    EXPECT_THROW_MSG(flat.Mean(), HalosoilError,
                     "A normal distribution needs a positive standard deviation.");
}

TEST(StudyDistributions, RefusesAQuantileOutsideZeroToOne) {
    const Distribution uniform = Uniform(0, 1);
    for (double u : {-0.1, 1.5, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW_MSG(uniform.Quantile(u), HalosoilError,
                         "A quantile needs a probability between 0 and 1.");
}

}  // namespace
