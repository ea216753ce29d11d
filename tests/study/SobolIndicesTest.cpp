// The variance-based indices against functions whose indices are known analytically, a
// case worked by hand, and the samples that failed model runs leave out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <tuple>
#include <utility>
#include <vector>

#include "Errors.h"
#include "ExpectRefusals.h"
#include "ExpectThrowMsg.h"
#include "SobolIndices.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

using Model = std::function<double(const std::vector<double>&)>;

// An interval's estimate and both ends, compared at once.
std::tuple<double, double, double> Whole(const Interval& interval) {
    return {interval.value, interval.low, interval.high};
}

// Points or samples, and dimensions.
using Size = std::pair<int, int>;
using halosoil::test::ExpectRefusals;

// The model at every row of the design, the unit coordinates given as they are.
std::vector<double> RunModel(const SaltelliDesign& design, const Model& model) {
    std::vector<double> outputs;
    std::vector<double> x(static_cast<std::size_t>(design.dims));
    for (int row = 0; row < design.points.count; ++row) {
        for (int dim = 0; dim < design.dims; ++dim) x[dim] = design.points.At(row, dim);
        outputs.push_back(model(x));
    }
    return outputs;
}

TEST(StudySaltelliDesign, RowsAreABAndAWithOneColumnOfBEach) {
    const int n = 8, dims = 3;
    const SaltelliDesign design = MakeSaltelliDesign(n, dims);
    EXPECT_EQ(design.n, n);
    EXPECT_EQ(design.dims, dims);
    ASSERT_EQ(design.points.count, n * (dims + 2));
    ASSERT_EQ(design.points.dims, dims);
    ASSERT_EQ(design.points.values.size(), static_cast<std::size_t>(n * (dims + 2) * dims));
    const UnitPoints sequence = SobolSequence(n, 2 * dims);
    for (int j = 0; j < n; ++j) {
        for (int k = 0; k < dims; ++k) {
            const double a = sequence.At(j, k), b = sequence.At(j, dims + k);
            EXPECT_EQ(design.points.At(j, k), a);
            EXPECT_EQ(design.points.At(n + j, k), b);
            for (int i = 0; i < dims; ++i)
                EXPECT_EQ(design.points.At((2 + i) * n + j, k), k == i ? b : a)
                    << "AB_" << i << " sample " << j << " coordinate " << k;
        }
    }
}

TEST(StudySobolIndices, AHandWorkedDesignOfTwoSamples) {
    // f(A) = {1, 3}, f(B) = {2, 6}: mean 3, variance (4 + 0 + 1 + 9) / 4 = 3.5.
    // S1 takes f(B) less the mean: {-1, 3}.
    // AB_1 = {2, 5}: S1 = (-1*(2-1) + 3*(5-3)) / 2 / 3.5 = 5/7, ST = ((1-2)^2 + (3-5)^2) / 4 / 3.5.
    // AB_2 = {1, 4}: S1 = (-1*0 + 3*1) / 2 / 3.5 = 3/7, ST = (0 + 1) / 4 / 3.5 = 1/14.
    SaltelliDesign design;
    design.n = 2;
    design.dims = 2;
    const SobolResult result = SobolIndices(design, {1, 3, 2, 6, 2, 5, 1, 4}, 10, 1);
    EXPECT_EQ(result.samplesUsed, 2);
    ASSERT_EQ(result.indices.size(), 2u);
    EXPECT_DOUBLE_EQ(result.indices[0].first.value, 5.0 / 7);
    EXPECT_DOUBLE_EQ(result.indices[0].total.value, 5.0 / 14);
    EXPECT_DOUBLE_EQ(result.indices[1].first.value, 3.0 / 7);
    EXPECT_DOUBLE_EQ(result.indices[1].total.value, 1.0 / 14);
}

TEST(StudySobolIndices, IshigamiFunctionAndADummyParameterMeetTheirAnalyticIndices) {
    // f = sin x1 + a sin^2 x2 + b x3^4 sin x1 on [-pi, pi]^3, a fourth parameter unused.
    const double a = 7, b = 0.1, pi = std::numbers::pi;
    const double pi4 = std::pow(pi, 4), pi8 = std::pow(pi, 8);
    const double v = a * a / 8 + b * pi4 / 5 + b * b * pi8 / 18 + 0.5;
    const double v1 = b * pi4 / 5 + b * b * pi8 / 50 + 0.5;
    const double v2 = a * a / 8;
    const double v13 = b * b * pi8 / 18 - b * b * pi8 / 50;
    const std::vector<double> first = {v1 / v, v2 / v, 0, 0};
    const std::vector<double> total = {(v1 + v13) / v, v2 / v, v13 / v, 0};
    // The formulas against the indices as the literature rounds them.
    EXPECT_NEAR(first[0], 0.3139, 1e-4);
    EXPECT_NEAR(first[1], 0.4424, 1e-4);
    EXPECT_NEAR(total[0], 0.5576, 1e-4);
    EXPECT_NEAR(total[2], 0.2437, 1e-4);

    const SaltelliDesign design = MakeSaltelliDesign(8192, 4);
    const std::vector<double> outputs = RunModel(design, [&](const std::vector<double>& u) {
        const double x1 = -pi + 2 * pi * u[0], x2 = -pi + 2 * pi * u[1], x3 = -pi + 2 * pi * u[2];
        return std::sin(x1) + a * std::sin(x2) * std::sin(x2) + b * std::pow(x3, 4) * std::sin(x1);
    });
    const SobolResult result = SobolIndices(design, outputs, 200, 11);
    EXPECT_EQ(result.samplesUsed, 8192);
    ASSERT_EQ(result.indices.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const SobolIndex& index = result.indices[i];
        const double tolerance = i == 3 ? 0.02 : 0.03;
        EXPECT_NEAR(index.first.value, first[i], tolerance) << "S1 of x" << i + 1;
        EXPECT_NEAR(index.total.value, total[i], tolerance) << "ST of x" << i + 1;
        EXPECT_LE(index.first.low, first[i] + 0.01) << "S1 of x" << i + 1;
        EXPECT_GE(index.first.high, first[i] - 0.01) << "S1 of x" << i + 1;
        EXPECT_LE(index.total.low, total[i] + 0.01) << "ST of x" << i + 1;
        EXPECT_GE(index.total.high, total[i] - 0.01) << "ST of x" << i + 1;
        EXPECT_LE(index.first.low, index.first.high);
        EXPECT_LE(index.total.low, index.total.high);
    }
    // Both estimators of the dummy are means of f(AB_4) - f(A), exact zeros: not near 0 but 0.
    EXPECT_EQ(result.indices[3].first.value, 0);
    EXPECT_EQ(result.indices[3].total.value, 0);
    // The interval has a width: the resamples differ.
    EXPECT_LT(result.indices[0].first.low, result.indices[0].first.high);
}

const std::vector<double> kSlopes = {1, -2, 3};

double Linear(const std::vector<double>& x) {
    double sum = 0;
    for (std::size_t i = 0; i < kSlopes.size(); ++i) sum += kSlopes[i] * x[i];
    return sum;
}

void ExpectLinearIndices(const SobolResult& result, double tolerance) {
    // Uniform inputs: V_i = a_i^2 / 12 and no interactions, so S1_i = ST_i = a_i^2 / sum a^2.
    double squares = 0;
    for (double slope : kSlopes) squares += slope * slope;
    ASSERT_EQ(result.indices.size(), kSlopes.size());
    for (std::size_t i = 0; i < kSlopes.size(); ++i) {
        const double share = kSlopes[i] * kSlopes[i] / squares;
        EXPECT_NEAR(result.indices[i].first.value, share, tolerance) << "S1 of x" << i + 1;
        EXPECT_NEAR(result.indices[i].total.value, share, tolerance) << "ST of x" << i + 1;
        EXPECT_LE(result.indices[i].first.low, share + 0.01);
        EXPECT_GE(result.indices[i].first.high, share - 0.01);
        EXPECT_LE(result.indices[i].total.low, share + 0.01);
        EXPECT_GE(result.indices[i].total.high, share - 0.01);
    }
}

TEST(StudySobolIndices, ALinearFunctionSharesTheVarianceAsItsSquaredSlopes) {
    const SaltelliDesign design = MakeSaltelliDesign(4096, 3);
    const SobolResult result = SobolIndices(design, RunModel(design, Linear), 200, 3);
    EXPECT_EQ(result.samplesUsed, 4096);
    ExpectLinearIndices(result, 0.01);
}

void ExpectAllZero(const SobolResult& result) {
    for (const SobolIndex& index : result.indices) {
        for (const Interval& interval : {index.first, index.total}) {
            EXPECT_EQ(interval.value, 0);
            EXPECT_EQ(interval.low, 0);
            EXPECT_EQ(interval.high, 0);
        }
    }
}

TEST(StudySobolIndices, AVarianceOfZeroGivesIndicesZero) {
    const SaltelliDesign design = MakeSaltelliDesign(16, 2);
    const SobolResult constant = SobolIndices(design, std::vector<double>(16 * 4, 0.1), 50, 1);
    EXPECT_EQ(constant.samplesUsed, 16);
    ExpectAllZero(constant);
    // f(A) and f(B) all alike leave nothing to divide by, even where f(AB) differs:
    // 0/0 and 2/0 must not come out.
    SaltelliDesign two;
    two.n = 2;
    two.dims = 1;
    ExpectAllZero(SobolIndices(two, {4, 4, 4, 4, 5, 3}, 20, 1));
    // 0.1 is no sum of halves: the mean of sixteen pairs of it rounds off 0.1, and the
    // variance computed from that mean is a speck above 0 that would blow the indices up.
    SaltelliDesign sixteen;
    sixteen.n = 16;
    sixteen.dims = 1;
    std::vector<double> outputs(32, 0.1);
    for (int j = 0; j < 16; ++j) outputs.push_back(j % 2 == 0 ? 0.2 : 0);
    ExpectAllZero(SobolIndices(sixteen, outputs, 20, 1));
}

TEST(StudySobolIndices, AnOutputThatMovesByNoMoreThanRoundingHasNoIndices) {
    const SaltelliDesign design = MakeSaltelliDesign(256, 2);
    // 0.777 with a spread of about 1e-10 (x1 uniform: standard deviation 1 / sqrt 12): ten
    // digits further on than any run's arithmetic keeps apart from its rounding.
    const auto at = [&](double scale) {
        return RunModel(design, [scale](const std::vector<double>& x) {
            return 0.777 + scale * (x[0] + 0.1 * x[1]);
        });
    };
    const SobolResult noise = SobolIndices(design, at(3.5e-10), 100, 1);
    EXPECT_TRUE(noise.undetermined);
    EXPECT_NEAR(noise.mean, 0.777, 1e-9);
    EXPECT_NEAR(noise.spread, 3.5e-10 * std::sqrt(1.01 / 12), 0.2e-10);
    for (const SobolIndex& index : noise.indices)
        for (const Interval& interval : {index.first, index.total}) {
            EXPECT_TRUE(std::isnan(interval.value));
            EXPECT_TRUE(std::isnan(interval.low));
            EXPECT_TRUE(std::isnan(interval.high));
        }
    // A spread of 1e-6 of the size is a result: x1 explains 1 / 1.01 of it.
    const SobolResult small = SobolIndices(design, at(0.777e-6), 100, 1);
    EXPECT_FALSE(small.undetermined);
    EXPECT_NEAR(small.indices[0].total.value, 1 / 1.01, 0.02);
    EXPECT_NEAR(small.indices[1].total.value, 0.01 / 1.01, 0.005);
}

TEST(StudySobolIndices, SamplesWithAFailedRunAreLeftOutAsIfNeverRun) {
    const int n = 1024, dims = 3;
    const SaltelliDesign design = MakeSaltelliDesign(n, dims);
    const std::vector<double> outputs = RunModel(design, Linear);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> spoiled = outputs;
    spoiled[3] = nan;            // A of sample 3
    spoiled[4 * n + 3] = nan;    // AB_3 of sample 3 as well: one sample still
    spoiled[n + 10] = nan;       // B of sample 10
    spoiled[2 * n + 500] = nan;  // AB_1 of sample 500
    spoiled[3 * n + 1023] = std::numeric_limits<double>::infinity();  // no number either
    const SobolResult result = SobolIndices(design, spoiled, 200, 5);
    EXPECT_EQ(result.samplesUsed, n - 4);
    ExpectLinearIndices(result, 0.02);

    // The same as a design that never had those samples, bootstrap included.
    const std::vector<int> lost = {3, 10, 500, 1023};
    SaltelliDesign smaller;
    smaller.n = n - 4;
    smaller.dims = dims;
    std::vector<double> kept;
    for (int block = 0; block < dims + 2; ++block)
        for (int j = 0; j < n; ++j)
            if (std::find(lost.begin(), lost.end(), j) == lost.end())
                kept.push_back(outputs[static_cast<std::size_t>(block) * n + j]);
    const SobolResult without = SobolIndices(smaller, kept, 200, 5);
    EXPECT_EQ(without.samplesUsed, n - 4);
    for (int i = 0; i < dims; ++i) {
        EXPECT_EQ(Whole(result.indices[i].first), Whole(without.indices[i].first));
        EXPECT_EQ(Whole(result.indices[i].total), Whole(without.indices[i].total));
    }
}

TEST(StudySobolIndices, TheSeedRepeatsTheIntervalsAndAnotherSeedMovesThem) {
    const SaltelliDesign design = MakeSaltelliDesign(64, 3);
    const std::vector<double> outputs = RunModel(design, Linear);
    const SobolResult once = SobolIndices(design, outputs, 100, 8);
    const SobolResult again = SobolIndices(design, outputs, 100, 8);
    const SobolResult other = SobolIndices(design, outputs, 100, 9);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(once.indices[i].first.low, again.indices[i].first.low);
        EXPECT_EQ(once.indices[i].total.high, again.indices[i].total.high);
        // The estimate itself comes from all samples, whatever the seed.
        EXPECT_EQ(once.indices[i].first.value, other.indices[i].first.value);
        EXPECT_NE(once.indices[i].first.low, other.indices[i].first.low);
        EXPECT_NE(once.indices[i].total.high, other.indices[i].total.high);
    }
}

TEST(StudySobolIndices, RefusesDesignsTooSmallOrTooWideAndMismatchedValues) {
    ExpectRefusals<Size>([](Size size) { return MakeSaltelliDesign(size.first, size.second); },
                         {
                             {{1, 2}, "The Sobol method needs at least 2 samples."},
                             {{8, 0}, "The Sobol method needs at least 1 parameter."},
                             {{8, 21}, "The Sobol method takes at most 20 parameters."},
                         });
    EXPECT_EQ(MakeSaltelliDesign(2, 20).points.count, 2 * 22);
    EXPECT_THROW_MSG(MakeSaltelliDesign(1 << 29, 2), HalosoilError,
                     "A Sobol design of 536870912 samples of 2 parameters has more rows than it "
                     "can count.");

    const SaltelliDesign design = MakeSaltelliDesign(2, 5);  // 2 * 7 = 14 rows
    EXPECT_THROW_MSG(SobolIndices(design, std::vector<double>(12, 1.0), 10, 1), HalosoilError,
                     "There are 12 model values for a design of 14 rows.");
    EXPECT_THROW_MSG(SobolIndices(design, std::vector<double>(14, 1.0), 0, 1), HalosoilError,
                     "The bootstrap needs at least 1 resample.");
    SaltelliDesign empty;
    EXPECT_THROW_MSG(SobolIndices(empty, {}, 10, 1), HalosoilError,
                     "The Sobol method needs at least 2 samples.");

    // Eight samples of one parameter, every one but sample 5 spoiled by a failed run.
    const SaltelliDesign eight = MakeSaltelliDesign(8, 1);
    std::vector<double> outputs(24, std::numeric_limits<double>::quiet_NaN());
    outputs[5] = outputs[8 + 5] = outputs[16 + 5] = 1;
    EXPECT_THROW_MSG(SobolIndices(eight, outputs, 10, 1), HalosoilError,
                     "Only 1 of the 8 samples had no failed model run; the Sobol method needs "
                     "at least 2.");
}

}  // namespace
