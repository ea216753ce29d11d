// The elementary effects: the trajectories of the design, a case worked by hand, a linear
// function whose effects are its slopes, and the effects that failed runs leave out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "MorrisEffects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;

TEST(StudyMorrisDesign, TrajectoriesChangeEachCoordinateOnceByDeltaOnTheGrid) {
    for (int levels : {2, 4, 6}) {
        const int trajectories = 40, dims = 3;
        const double delta = levels / (2.0 * (levels - 1));  // 1, 2/3, 3/5
        const MorrisDesign design = MakeMorrisDesign(trajectories, dims, levels, 99);
        EXPECT_EQ(design.trajectories, trajectories);
        EXPECT_EQ(design.dims, dims);
        EXPECT_EQ(design.levels, levels);
        const int rows = trajectories * (dims + 1);
        ASSERT_EQ(design.points.count, rows);
        ASSERT_EQ(design.points.dims, dims);
        ASSERT_EQ(design.points.values.size(), static_cast<std::size_t>(rows * dims));
        ASSERT_EQ(design.changedDim.size(), static_cast<std::size_t>(rows));
        ASSERT_EQ(design.step.size(), static_cast<std::size_t>(rows));
        for (double value : design.points.values) {
            const double onGrid = value * (levels - 1);
            EXPECT_NEAR(onGrid, std::round(onGrid), 1e-12) << levels << " levels";
            EXPECT_GE(value, 0);
            EXPECT_LE(value, 1);
        }
        std::set<int> startLevels, orders;
        bool up = false, down = false;
        for (int t = 0; t < trajectories; ++t) {
            const int start = t * (dims + 1);
            EXPECT_EQ(design.changedDim[start], -1);
            EXPECT_EQ(design.step[start], 0);
            for (int dim = 0; dim < dims; ++dim)
                startLevels.insert(
                    static_cast<int>(std::round(design.points.At(start, dim) * (levels - 1))));
            std::vector<int> changed;
            int order = 0;
            for (int row = start + 1; row <= start + dims; ++row) {
                const int dim = design.changedDim[row];
                ASSERT_GE(dim, 0);
                ASSERT_LT(dim, dims);
                changed.push_back(dim);
                order = order * 10 + dim;
                const double step = design.step[row];
                EXPECT_NEAR(std::abs(step), delta, 1e-15);
                up = up || step > 0;
                down = down || step < 0;
                for (int k = 0; k < dims; ++k) {
                    const double before = design.points.At(row - 1, k);
                    const double after = design.points.At(row, k);
                    if (k == dim)
                        EXPECT_EQ(after - before, step);
                    else
                        EXPECT_EQ(after, before);
                }
            }
            std::sort(changed.begin(), changed.end());
            EXPECT_EQ(changed, (std::vector<int>{0, 1, 2})) << "trajectory " << t;
            orders.insert(order);
        }
        // Starts reach every level, steps go both ways, and the order of the coordinates
        // is drawn anew for each trajectory (3! = 6 orders).
        EXPECT_EQ(static_cast<int>(startLevels.size()), levels);
        EXPECT_TRUE(up);
        EXPECT_TRUE(down);
        EXPECT_EQ(orders.size(), 6u);
    }
}

TEST(StudyMorrisDesign, TheSeedRepeatsTheDesignAndAnotherSeedChangesIt) {
    const MorrisDesign once = MakeMorrisDesign(10, 4, 4, 17);
    const MorrisDesign again = MakeMorrisDesign(10, 4, 4, 17);
    const MorrisDesign other = MakeMorrisDesign(10, 4, 4, 18);
    EXPECT_EQ(once.points.values, again.points.values);
    EXPECT_EQ(once.changedDim, again.changedDim);
    EXPECT_EQ(once.step, again.step);
    EXPECT_NE(once.points.values, other.points.values);
    EXPECT_NE(once.changedDim, other.changedDim);
}

// Two or three trajectories of one parameter on 4 levels, written out by hand.
MorrisDesign HandDesign(int trajectories) {
    MorrisDesign design;
    design.trajectories = trajectories;
    design.dims = 1;
    design.levels = 4;
    design.points = {2 * trajectories, 1, {}};
    const std::vector<double> values = {0, 2.0 / 3, 1, 1.0 / 3, 1.0 / 3, 1};
    const std::vector<double> steps = {0, 2.0 / 3, 0, -2.0 / 3, 0, 2.0 / 3};
    for (int row = 0; row < 2 * trajectories; ++row) {
        design.points.values.push_back(values[row]);
        design.changedDim.push_back(row % 2 == 0 ? -1 : 0);
        design.step.push_back(steps[row]);
    }
    return design;
}

TEST(StudyMorrisEffects, AHandWorkedPairOfEffects) {
    // EE = 1 / (2/3) = 1.5 and (3 - 5) / (-2/3) = 3: mu* = mu = 2.25, sigma = 1.5 / sqrt 2.
    const std::vector<MorrisEffect> same = MorrisEffects(HandDesign(2), {0, 1, 5, 3}, 1000, 4);
    ASSERT_EQ(same.size(), 1u);
    EXPECT_EQ(same[0].effects, 2);
    EXPECT_DOUBLE_EQ(same[0].muStar.value, 2.25);
    EXPECT_DOUBLE_EQ(same[0].mu, 2.25);
    EXPECT_DOUBLE_EQ(same[0].sigma, 1.5 / std::sqrt(2.0));
    // EE = 1.5 and (5 - 3) / (-2/3) = -3: the signs cancel in mu, not in mu*.
    const std::vector<MorrisEffect> opposite = MorrisEffects(HandDesign(2), {0, 1, 3, 5}, 1000, 4);
    EXPECT_DOUBLE_EQ(opposite[0].muStar.value, 2.25);
    EXPECT_DOUBLE_EQ(opposite[0].mu, -0.75);
    EXPECT_DOUBLE_EQ(opposite[0].sigma, 4.5 / std::sqrt(2.0));
    // A resample of the two trajectories has mu* 1.5, 2.25 or 3, the ends a quarter of the
    // time each: far more than 2.5 %, so the interval's ends are the ends themselves.
    EXPECT_EQ(opposite[0].muStar.low, 1.5);
    EXPECT_EQ(opposite[0].muStar.high, 3);
}

TEST(StudyMorrisEffects, ALinearFunctionHasItsSlopesAsEffectsInEveryTrajectory) {
    const std::vector<double> slopes = {1.5, -2, 0.25, 0};
    const int trajectories = 12, dims = 4;
    const MorrisDesign design = MakeMorrisDesign(trajectories, dims, 4, 3);
    std::vector<double> outputs;
    for (int row = 0; row < design.points.count; ++row) {
        double sum = 0;
        for (int i = 0; i < dims; ++i) sum += slopes[i] * design.points.At(row, i);
        outputs.push_back(sum);
    }
    const auto check = [&](const std::vector<MorrisEffect>& effects,
                           const std::vector<int>& counts) {
        ASSERT_EQ(effects.size(), slopes.size());
        for (int i = 0; i < dims; ++i) {
            const MorrisEffect& effect = effects[i];
            EXPECT_NEAR(effect.muStar.value, std::abs(slopes[i]), 1e-12) << "x" << i + 1;
            EXPECT_NEAR(effect.muStar.low, std::abs(slopes[i]), 1e-12) << "x" << i + 1;
            EXPECT_NEAR(effect.muStar.high, std::abs(slopes[i]), 1e-12) << "x" << i + 1;
            EXPECT_NEAR(effect.mu, slopes[i], 1e-12) << "x" << i + 1;
            EXPECT_NEAR(effect.sigma, 0, 1e-12) << "x" << i + 1;
            EXPECT_EQ(effect.effects, counts[i]) << "x" << i + 1;
        }
    };
    std::vector<int> counts(dims, trajectories);
    check(MorrisEffects(design, outputs, 100, 1), counts);

    // A failed run in the middle of a trajectory spoils the effect that leads to it and the
    // one that leaves it, and no other.
    const int row = 5 * (dims + 1) + 1;
    std::vector<double> spoiled = outputs;
    spoiled[row] = std::numeric_limits<double>::quiet_NaN();
    --counts[design.changedDim[row]];
    --counts[design.changedDim[row + 1]];
    check(MorrisEffects(design, spoiled, 100, 1), counts);
}

TEST(StudyMorrisEffects, EffectsOfFailedRunsAreLeftOut) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Of three trajectories the last lost its end: the two effects of the first case remain.
    const std::vector<MorrisEffect> two = MorrisEffects(HandDesign(3), {0, 1, 3, 5, 2, nan}, 50, 1);
    EXPECT_EQ(two[0].effects, 2);
    EXPECT_DOUBLE_EQ(two[0].mu, -0.75);
    EXPECT_DOUBLE_EQ(two[0].sigma, 4.5 / std::sqrt(2.0));
    // One effect left: no spread, and every resample is that effect.
    const std::vector<MorrisEffect> one = MorrisEffects(
        HandDesign(3), {0, 1, nan, 5, std::numeric_limits<double>::infinity(), 7}, 50, 1);
    EXPECT_EQ(one[0].effects, 1);
    EXPECT_DOUBLE_EQ(one[0].mu, 1.5);
    EXPECT_EQ(one[0].sigma, 0);
    EXPECT_DOUBLE_EQ(one[0].muStar.low, 1.5);
    EXPECT_DOUBLE_EQ(one[0].muStar.high, 1.5);
    // None left: nothing to say, and the numbers say so.
    const std::vector<MorrisEffect> none = MorrisEffects(HandDesign(2), {nan, 1, 3, nan}, 50, 1);
    EXPECT_EQ(none[0].effects, 0);
    EXPECT_TRUE(std::isnan(none[0].muStar.value));
    EXPECT_TRUE(std::isnan(none[0].muStar.low));
    EXPECT_TRUE(std::isnan(none[0].mu));
    EXPECT_TRUE(std::isnan(none[0].sigma));
}

TEST(StudyMorrisEffects, RefusesSmallDesignsOddLevelsAndMismatchedValues) {
    EXPECT_THROW_MSG(MakeMorrisDesign(1, 3, 4, 1), HalosoilError,
                     "The Morris method needs at least 2 trajectories.");
    EXPECT_THROW_MSG(MakeMorrisDesign(5, 0, 4, 1), HalosoilError,
                     "The Morris method needs at least 1 parameter.");
    for (int levels : {-2, 0, 1, 3, 5})
        EXPECT_THROW_MSG(MakeMorrisDesign(5, 2, levels, 1), HalosoilError,
                         "The Morris method needs an even number of levels, at least 2.");
    EXPECT_THROW_MSG(MakeMorrisDesign(1 << 30, 2, 4, 1), HalosoilError,
                     "A Morris design of 1073741824 trajectories of 2 parameters has more rows "
                     "than it can count.");

    const MorrisDesign design = MakeMorrisDesign(2, 6, 4, 1);  // 2 * 7 = 14 rows
    EXPECT_THROW_MSG(MorrisEffects(design, std::vector<double>(12, 1.0), 10, 1), HalosoilError,
                     "There are 12 model values for a design of 14 rows.");
    EXPECT_THROW_MSG(MorrisEffects(design, std::vector<double>(14, 1.0), 0, 1), HalosoilError,
                     "The bootstrap needs at least 1 resample.");
    MorrisDesign damaged = design;
    damaged.changedDim[0] = 2;  // a first row that claims to follow another
    EXPECT_THROW_MSG(MorrisEffects(damaged, std::vector<double>(14, 1.0), 10, 1), HalosoilError,
                     "The rows of the Morris design do not form its trajectories.");
    damaged = design;
    damaged.step[3] = 0;
    EXPECT_THROW_MSG(MorrisEffects(damaged, std::vector<double>(14, 1.0), 10, 1), HalosoilError,
                     "The rows of the Morris design do not form its trajectories.");
    damaged = design;
    damaged.step.pop_back();
    EXPECT_THROW_MSG(MorrisEffects(damaged, std::vector<double>(14, 1.0), 10, 1), HalosoilError,
                     "The rows of the Morris design do not form its trajectories.");
}

// f = x1 x2 x3 on the grid of four levels: each step changes one coordinate alone, so its
// effect is the product of the other two, each of which is uniform on 0, 1/3, 2/3 and 1 at
// any step of a trajectory (a move maps the levels onto one another). mu* = 0.5 * 0.5.
TEST(StudyMorrisEffects, TheIntervalsAtTwentyTrajectoriesCoverNinetyFivePercent) {
    const int replicates = 400, dims = 3;
    int covered = 0;
    for (int replicate = 0; replicate < replicates; ++replicate) {
        const MorrisDesign design =
            MakeMorrisDesign(20, dims, 4, 1000 + static_cast<std::uint64_t>(replicate));
        std::vector<double> outputs;
        for (int row = 0; row < design.points.count; ++row)
            outputs.push_back(design.points.At(row, 0) * design.points.At(row, 1) *
                              design.points.At(row, 2));
        const std::vector<MorrisEffect> effects =
            MorrisEffects(design, outputs, 1000, static_cast<std::uint64_t>(replicate));
        for (const MorrisEffect& effect : effects)
            covered += effect.muStar.low <= 0.25 && 0.25 <= effect.muStar.high ? 1 : 0;
    }
    // 1200 intervals: three binomial standard deviations about 0.95 are 0.019. The plain
    // percentile intervals cover 0.92 of the time here.
    const double coverage = covered / static_cast<double>(replicates * dims);
    const double deviation = std::sqrt(0.95 * 0.05 / (replicates * dims));
    EXPECT_NEAR(coverage, 0.95, 3 * deviation);
}

}  // namespace
