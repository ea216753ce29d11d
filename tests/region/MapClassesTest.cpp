#include "MapClasses.h"

#include <gtest/gtest.h>

#include "Errors.h"
#include "ExpectThrowMsg.h"

namespace halosoil::region {
namespace {

TEST(MapClassesTest, QuantileBreaksInterpolateBetweenTheSortedValues) {
    // 1..6 (ranks 0..5); quartiles at ranks 5 k / 4 = 1.25, 2.5, 3.75: 2.25, 3.5, 4.75.
    const std::vector<double> breaks = QuantileBreaks({6, 1, 5, 2, 4, 3}, 4);
    ASSERT_EQ(breaks.size(), 3u);
    EXPECT_NEAR(breaks[0], 2.25, 1e-12);
    EXPECT_NEAR(breaks[1], 3.5, 1e-12);
    EXPECT_NEAR(breaks[2], 4.75, 1e-12);
    // Quartiles of 10, 20, 30, 40, 50 (ranks 0..4): ranks 1, 2, 3 exactly.
    EXPECT_EQ(QuantileBreaks({50, 40, 30, 20, 10}, 4), (std::vector<double>{20, 30, 40}));
}

TEST(MapClassesTest, FewDistinctValuesEachGetAClass) {
    // 3, 1, 2 in five classes: three classes, split halfway between the values.
    EXPECT_EQ(QuantileBreaks({3, 1, 2}, 5), (std::vector<double>{1.5, 2.5}));
    // 1, 1, 1, 5 in three classes: the thirds would both be 1; the two values get a class each.
    EXPECT_EQ(QuantileBreaks({1, 1, 1, 5}, 3), (std::vector<double>{3}));
    // 1, 1, 1, 1, 2, 3 in two classes: the median (rank 2.5) is 1, the smallest value, so a
    // break there would leave the first class empty; no break at all.
    EXPECT_TRUE(QuantileBreaks({1, 1, 1, 1, 2, 3}, 2).empty());
    // 0 x6, 1, 2, 3 in three classes: ranks 8/3 and 16/3 give 0 (dropped) and 0 + 1/3 * 1.
    const std::vector<double> skewed = QuantileBreaks({0, 0, 0, 0, 0, 0, 1, 2, 3}, 3);
    ASSERT_EQ(skewed.size(), 1u);
    EXPECT_NEAR(skewed[0], 1.0 / 3.0, 1e-12);
    // One value: no break, one class.
    EXPECT_TRUE(QuantileBreaks({7}, 5).empty());
    EXPECT_EQ(ClassesOf({}).Count(), 1);
}

TEST(MapClassesTest, AValueOnABreakBelongsToTheClassAboveIt) {
    const MapClasses classes = ClassesOf({2, 4});
    ASSERT_EQ(classes.Count(), 3);
    EXPECT_EQ(classes.ClassOf(1.999), 0);
    EXPECT_EQ(classes.ClassOf(2), 1);
    EXPECT_EQ(classes.ClassOf(3.5), 1);
    EXPECT_EQ(classes.ClassOf(4), 2);
    EXPECT_EQ(classes.ClassOf(-100), 0);
    EXPECT_EQ(classes.ClassOf(1e9), 2);
}

TEST(MapClassesTest, TheRampRunsFromLightYellowToDarkPurple) {
    // Two classes: viridis's two ends, its light end for the low values.
    const std::vector<Color> two = SequentialRamp(2);
    EXPECT_EQ(two[0], (Color{253, 231, 37}));
    EXPECT_EQ(two[1], (Color{68, 1, 84}));
    // Three classes: the middle at t = 0.5, halfway between the tenths 4 (31, 158, 137) and 5
    // (38, 130, 142): 34.5 -> 35, 144, 139.5 -> 140.
    EXPECT_EQ(SequentialRamp(3)[1], (Color{35, 144, 140}));
    // Ten classes are the ten tenths; the fourth is (53, 183, 121).
    EXPECT_EQ(SequentialRamp(10)[3], (Color{53, 183, 121}));
    // The grey of no data is none of them.
    for (Color color : SequentialRamp(9)) EXPECT_NE(color, kNoDataColor);
    EXPECT_EQ(HexColor({35, 144, 140}), "#23908c");
}

TEST(MapClassesTest, BreaksAreIncreasingNumbers) {
    EXPECT_EQ(ParseBreaks("2,4,8"), (std::vector<double>{2, 4, 8}));
    EXPECT_EQ(ParseBreaks(" 0.5 , 1e1"), (std::vector<double>{0.5, 10}));
    EXPECT_EQ(ParseBreaks("-3"), (std::vector<double>{-3}));
    EXPECT_THROW_MSG(ParseBreaks("2,x,8"), HalosoilError, "--breaks: 'x' is not a number");
    EXPECT_THROW_MSG(ParseBreaks("2,,8"), HalosoilError, "--breaks: '' is not a number");
    EXPECT_THROW_MSG(ParseBreaks("2,4a"), HalosoilError, "--breaks: '4a' is not a number");
    EXPECT_THROW_MSG(ParseBreaks("4,2"), HalosoilError, "--breaks must increase: 2 follows 4");
    EXPECT_THROW_MSG(ParseBreaks("1,1"), HalosoilError, "--breaks must increase: 1 follows 1");
    EXPECT_THROW_MSG(ParseBreaks("1,2,3,4,5,6,7,8,9"), HalosoilError,
                     "--breaks takes at most 8 values (9 classes), not 9");
}

TEST(MapClassesTest, BreaksAreWrittenWithFourSignificantDigits) {
    EXPECT_EQ(BreakText(1.4), "1.4");
    EXPECT_EQ(BreakText(2.0 / 3.0), "0.6667");
    EXPECT_EQ(BreakText(1250), "1250");
    EXPECT_EQ(BreakText(15000), "1.5e+04");
}

}  // namespace
}  // namespace halosoil::region
