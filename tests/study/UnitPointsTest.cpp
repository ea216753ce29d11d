// The unit-cube designs: GSL's Sobol points in the order GSL hands them out, Latin
// hypercubes that fill every stratum once, and the seeded draws both designs rest on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "Errors.h"
#include "ExpectRefusals.h"
#include "ExpectThrowMsg.h"
#include "UnitPoints.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

// Points or samples, and dimensions.
using Size = std::pair<int, int>;
using halosoil::test::ExpectRefusals;

TEST(StudySobolSequence, FirstPointsAreTheKnownSobolPointsInGslsOrder) {
    // GSL counts the points it has handed out and, before it hands out the next, XORs into
    // each coordinate the direction number of the lowest zero bit of that count. At count 0
    // that is the first direction number, 1/2 in every dimension: the sequence's all-zero
    // start is never handed out, so nothing is skipped. Dimension 1 has the direction
    // numbers 1/2, 1/4, 1/8; dimension 2 (polynomial x + 1, v_k = v_(k-1) XOR v_(k-1)/2)
    // 1/2, 3/4, 5/8. Count 1 adds the second ones: (0.5^0.25, 0.5^0.75) = (0.75, 0.25);
    // count 2 the first again: (0.25, 0.75); count 3 the third: (0.25^0.125, 0.75^0.625)
    // = (0.375, 0.375).
    const UnitPoints points = SobolSequence(4, 2);
    EXPECT_EQ(points.count, 4);
    EXPECT_EQ(points.dims, 2);
    const std::vector<double> expected = {0.5, 0.5, 0.75, 0.25, 0.25, 0.75, 0.375, 0.375};
    EXPECT_EQ(points.values, expected);
    EXPECT_EQ(points.At(2, 1), 0.75);
}

TEST(StudySobolSequence, EachCoordinateFillsTheDyadicGridInsideTheCube) {
    // Together with the zero start, the first 2^m points of every coordinate of a Sobol
    // sequence are the multiples of 2^-m, each once; without it, 1/32 .. 31/32.
    const int dims = 7;
    const UnitPoints points = SobolSequence(31, dims);
    ASSERT_EQ(points.values.size(), 31u * dims);
    for (int dim = 0; dim < dims; ++dim) {
        std::vector<double> column;
        for (int k = 0; k < points.count; ++k) column.push_back(points.At(k, dim) * 32);
        std::sort(column.begin(), column.end());
        for (int k = 0; k < 31; ++k) EXPECT_EQ(column[k], k + 1) << "dimension " << dim;
    }
    // The widest design the generator allows is still a design.
    const UnitPoints widest = SobolSequence(3, kMostSobolDimensions);
    for (double value : widest.values) {
        EXPECT_GT(value, 0);
        EXPECT_LT(value, 1);
    }
}

TEST(StudySobolSequence, RefusesNoPointsNoDimensionsAndMoreDimensionsThanGslHas) {
    ExpectRefusals<Size>([](Size size) { return SobolSequence(size.first, size.second); },
                         {
                             {{0, 2}, "A Sobol sequence needs at least 1 point."},
                             {{5, 0}, "A Sobol sequence needs at least 1 dimension."},
                             {{5, 41}, "A Sobol sequence takes at most 40 dimensions."},
                         });
}

// The stratum of each point in one dimension of a hypercube of count points.
std::vector<int> StrataOf(const UnitPoints& points, int dim) {
    std::vector<int> strata;
    for (int k = 0; k < points.count; ++k)
        strata.push_back(static_cast<int>(std::floor(points.At(k, dim) * points.count)));
    return strata;
}

TEST(StudyLatinHypercube, EachStratumOfEveryDimensionHoldsExactlyOnePoint) {
    for (int count : {1, 2, 7, 100}) {
        const UnitPoints points = LatinHypercube(count, 4, 20250101);
        ASSERT_EQ(points.count, count);
        ASSERT_EQ(points.dims, 4);
        ASSERT_EQ(points.values.size(), static_cast<std::size_t>(count) * 4);
        for (double value : points.values) {
            EXPECT_GT(value, 0);
            EXPECT_LT(value, 1);
        }
        for (int dim = 0; dim < 4; ++dim) {
            std::vector<int> strata = StrataOf(points, dim);
            std::sort(strata.begin(), strata.end());
            for (int k = 0; k < count; ++k)
                EXPECT_EQ(strata[k], k) << count << " points, dimension " << dim;
        }
    }
    // Within its stratum a point lies anywhere, not at a fixed place such as the middle.
    const UnitPoints points = LatinHypercube(100, 1, 5);
    int belowMiddle = 0;
    for (double value : points.values)
        if (value * 100 - std::floor(value * 100) < 0.5) ++belowMiddle;
    EXPECT_GT(belowMiddle, 20);
    EXPECT_LT(belowMiddle, 80);
}

TEST(StudyLatinHypercube, DimensionsArePermutedIndependentlyAndTheSeedRepeatsThem) {
    const UnitPoints points = LatinHypercube(50, 3, 42);
    const std::vector<int> first = StrataOf(points, 0);
    EXPECT_NE(first, StrataOf(points, 1));
    EXPECT_NE(first, StrataOf(points, 2));
    std::vector<int> inOrder(50);
    for (int k = 0; k < 50; ++k) inOrder[k] = k;
    EXPECT_NE(first, inOrder);

    EXPECT_EQ(LatinHypercube(50, 3, 42).values, points.values);
    const UnitPoints other = LatinHypercube(50, 3, 43);
    EXPECT_NE(other.values, points.values);
    EXPECT_NE(StrataOf(other, 0), first);
}

TEST(StudyLatinHypercube, RefusesNoPointsAndNoDimensions) {
    EXPECT_THROW_MSG(LatinHypercube(0, 2, 1), HalosoilError,
                     "A Latin hypercube needs at least 1 point.");
    EXPECT_THROW_MSG(LatinHypercube(3, 0, 1), HalosoilError,
                     "A Latin hypercube needs at least 1 dimension.");
}

TEST(StudyRandomDraws, IndicesCoverTheirRangeAndUnitValuesStayInside) {
    std::mt19937_64 random(7);
    std::vector<int> seen(3, 0);
    for (int k = 0; k < 300; ++k) {
        const int index = RandomIndex(random, 3);
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 3);
        ++seen[index];
    }
    for (int times : seen) EXPECT_GT(times, 50);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(RandomIndex(random, 1), 0);
    for (int k = 0; k < 1000; ++k) {
        const double value = RandomInsideUnit(random);
        ASSERT_GT(value, 0);
        ASSERT_LT(value, 1);
    }
}

}  // namespace
