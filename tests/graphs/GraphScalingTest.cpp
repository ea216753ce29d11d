// Axis ends, tick counts and decimals of the three graph families, worked out by hand from
// the scaling rules.
#include <gtest/gtest.h>

#include <cmath>

#include "GraphRounding.h"
#include "GraphScaling.h"
#include "GraphTestData.h"

namespace halosoil {
namespace {

using test::Steps;

TEST(GraphRounding, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.75), -3);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
}

TEST(GraphRounding, KeepsAbsurdValuesDefined) {
    EXPECT_EQ(RoundHalfEven(1e300), 1000000000);
    EXPECT_EQ(RoundHalfEven(-1e300), -1000000000);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

struct HorizontalCase {
    int nrTst;
    int xTop;
    int hydrologyDivisions;
    int waterTableDivisions;
    int salinityDivisions;
    int decimals;
};

TEST(HorizontalAxis, FollowsItsTableForEveryRange) {
    const HorizontalCase cases[] = {
        // below 10: round(XTopReal + 0.5)
        {1, 2, 2, 4, 4, 1},      // round(2.5) = 2
        {4, 6, 6, 6, 6, 1},      // round(5.5) = 6, one decimal below 6
        {5, 6, 6, 6, 6, 0},      // XTopReal 6: no decimals
        {8, 10, 10, 10, 10, 0},  // round(9.5) = 10
        // 10 to below 25: 4 x round((XTopReal + 2) / 4)
        {9, 12, 3, 6, 6, 0},   // round(3) = 3
        {11, 16, 4, 8, 8, 0},  // round(3.5) = 4
        {23, 24, 6, 6, 6, 0},  // round(6.5) = 6
        // 25 to below 50: 5 x round((XTopReal + 2.5) / 5)
        {24, 30, 6, 6, 6, 0},     // round(5.5) = 6
        {48, 50, 10, 10, 10, 0},  // round(10.3) = 10
        // 50 to below 100: 10 x round((XTopReal + 5) / 10)
        {49, 60, 6, 6, 6, 0},  // round(5.5) = 6
        // 100 to below 250: 25 x round((2 XTopReal + 25) / 50)
        {99, 100, 4, 8, 8, 0},   // round(4.5) = 4
        {120, 125, 5, 5, 5, 0},  // round(5.34) = 5
        // 250 to below 500: 50 x round((XTopReal + 25) / 50)
        {249, 300, 6, 6, 6, 0},  // round(5.5) = 6
        // 500 to below 1000: 100 x round((XTopReal + 50) / 100)
        {499, 600, 6, 6, 6, 0},  // round(5.5) = 6
        // 1000 to below 10000: 1000 x round((XTopReal + 500) / 1000)
        {999, 2000, 2, 4, 4, 0},   // round(1.5) = 2, doubled once only
        {2499, 3000, 3, 6, 6, 0},  // round(3.0) = 3
        {3650, 4000, 4, 8, 8, 0},  // round(4.151) = 4
        // 10000 and more: 10000 x round((XTopReal + 5000) / 10000)
        {9999, 20000, 2, 4, 4, 0},        // round(1.5) = 2
        {104999, 110000, 11, 11, 10, 0},  // round(11): salinity keeps at most 10
    };
    for (const HorizontalCase& c : cases) {
        SCOPED_TRACE("NrTst " + std::to_string(c.nrTst));
        AxisState hydrology, waterTable, salinity;
        ScaleHorizontalAxis(hydrology, c.nrTst, GraphFamily::Hydrology);
        ScaleHorizontalAxis(waterTable, c.nrTst, GraphFamily::WaterTable);
        ScaleHorizontalAxis(salinity, c.nrTst, GraphFamily::Salinity);
        EXPECT_DOUBLE_EQ(hydrology.XTopReal, c.nrTst + 1);
        EXPECT_EQ(hydrology.XBottom, 0);
        EXPECT_EQ(hydrology.XTop, c.xTop);
        EXPECT_EQ(waterTable.XTop, c.xTop);
        EXPECT_EQ(salinity.XTop, c.xTop);
        EXPECT_EQ(hydrology.XDivisions, c.hydrologyDivisions);
        EXPECT_EQ(waterTable.XDivisions, c.waterTableDivisions);
        EXPECT_EQ(salinity.XDivisions, c.salinityDivisions);
        EXPECT_EQ(hydrology.XDecimals, c.decimals);
    }
}

struct HydrologyCase {
    double largest;
    bool allFlows;
    int yTop;
    int divisions;
    int decimals;
};

TEST(ScaleHydrologyGraph, SetsTopTicksAndDecimalsByRange) {
    const HydrologyCase cases[] = {
        {0, false, 2, 5, 2},       // all zero: c = 2, 2 intervals raised to 5
        {5, false, 8, 8, 2},       // 6 -> c = 8
        {7, false, 10, 10, 2},     // 8.4 -> c = round(10.4) = 10, still two decimals
        {7.5, false, 11, 5, 1},    // 9 -> c = 11 -> round(1) = 1, raised to 5
        {10, false, 14, 4, 1},     // 12 -> c = 14 -> round(4) = 4, kept
        {20, false, 26, 6, 1},     // 24 -> c = 26 -> round(6)
        {30, false, 38, 8, 1},     // 36 -> c = 38 -> round(8)
        {37.5, false, 47, 7, 0},   // 45 -> c = 47 -> round(7)
        {40, false, 50, 10, 0},    // 48 -> c = 50 -> round(10)
        {41, false, 51, 5, 0},     // 49.2 -> c = 51 -> round(1.2) = 1, raised to 5
        {100, false, 122, 10, 0},  // 120 -> c = 122 -> round(72), at most 10
        {10, true, 16, 6, 1},      // 12 x 1.2 = 14.4 -> c = round(16.4) = 16 -> round(6.4)
    };
    for (const HydrologyCase& c : cases) {
        SCOPED_TRACE("largest " + std::to_string(c.largest));
        const Series flow = Steps({0, c.largest, 0});
        const AxisState axis = ScaleHydrologyGraph({&flow}, 3, c.allFlows);
        EXPECT_EQ(axis.YTop, c.yTop);
        EXPECT_EQ(axis.YBottom, 0);
        EXPECT_DOUBLE_EQ(axis.YBottomReal, 0);
        EXPECT_EQ(axis.YDivisions, c.divisions);
        EXPECT_EQ(axis.YDecimals, c.decimals);
    }
}

TEST(ScaleHydrologyGraph, TakesTheLargestOfAllSeriesShownOverSteps1ToNrTst) {
    const Series rain = Steps({1, 2, 5});     // the last step counts for the scale
    const Series irrig = Steps({-40, 3, 0});  // negative values never lower the start of 0
    Series evap = Steps({0, 0, 0});
    evap[0] = 500;  // element 0 holds no step
    const AxisState axis = ScaleHydrologyGraph({&rain, &irrig, &evap}, 3, false);
    EXPECT_DOUBLE_EQ(axis.YTopReal, 6.0);
    EXPECT_EQ(axis.YTop, 8);
    EXPECT_EQ(axis.XTop, 4);
    EXPECT_EQ(axis.XDivisions, 4);
}

TEST(ScaleHydrologyGraph, ReadsShortSeriesAsZero) {
    const Series shortRain = Steps({4});
    const AxisState axis = ScaleHydrologyGraph({&shortRain}, 9, false);
    EXPECT_DOUBLE_EQ(axis.YTopReal, 4.8);
    EXPECT_EQ(axis.YTop, 7);  // round(6.8)
}

TEST(ScaleWaterTableGraph, WaterTableBetweenHalfAndTwoAndAHalfMetres) {
    const Series depth = Steps({0.5, 1.0, 1.5, 2.0, 2.5, 2.0, 1.5, 1.0, 0.5});
    const AxisState axis = ScaleWaterTableGraph(depth, 9);
    EXPECT_DOUBLE_EQ(axis.YTopReal, 0);  // 1.2 x -0.5 raised to 0
    EXPECT_EQ(axis.YTop, 0);             // round(0.5)
    EXPECT_DOUBLE_EQ(axis.YBottomReal, -2.25);
    EXPECT_EQ(axis.YBottom, -3);    // round(-2.75)
    EXPECT_EQ(axis.YDivisions, 6);  // 3 doubled
    EXPECT_EQ(axis.YDecimals, 1);
    EXPECT_EQ(axis.XTop, 12);
    EXPECT_EQ(axis.XDivisions, 6);  // 3 doubled
}

TEST(ScaleWaterTableGraph, WaterTableAboveTheSurfaceRaisesTheTop) {
    const Series depth = Steps({-0.5, 0.5, 1.5});
    const AxisState axis = ScaleWaterTableGraph(depth, 3);
    EXPECT_DOUBLE_EQ(axis.YTopReal, 0.6);
    EXPECT_EQ(axis.YTop, 1);        // round(1.1)
    EXPECT_EQ(axis.YBottom, -2);    // round(-1.35 - 0.5)
    EXPECT_EQ(axis.YDivisions, 6);  // 3 doubled
}

TEST(ScaleWaterTableGraph, ConstantDepthDoublesTwice) {
    const Series depth = Steps({1, 1, 1, 1});
    const AxisState axis = ScaleWaterTableGraph(depth, 4);
    EXPECT_EQ(axis.YTop, 0);
    EXPECT_EQ(axis.YBottom, -1);    // round(-0.9 - 0.5)
    EXPECT_EQ(axis.YDivisions, 4);  // 1 -> 2 -> 4
}

TEST(ScaleWaterTableGraph, DeepWaterTableKeepsEveryTickWithoutUpperLimit) {
    const Series depth = Steps({4, 6, 8});
    const AxisState axis = ScaleWaterTableGraph(depth, 3);
    EXPECT_EQ(axis.YTop, 0);
    EXPECT_EQ(axis.YBottom, -8);  // round(-7.2 - 0.5)
    EXPECT_EQ(axis.YDivisions, 8);
}

TEST(ScaleWaterTableGraph, AxisReachesDownToTheDeepestLevel) {
    // 0.9 x -12 - 0.5 rounds to -11, a metre above the deepest level: the axis goes on to -12.
    const Series depth = Steps({3, 12, 6});
    const AxisState axis = ScaleWaterTableGraph(depth, 3);
    EXPECT_EQ(axis.YBottom, -12);
    EXPECT_EQ(axis.YTop, 0);
    EXPECT_EQ(axis.YDivisions, 12);
}

TEST(ScaleWaterTableGraph, AxisEndKeptWhileTheLowestBarStaysAboveTheAxisLine) {
    // Lowest level -4.01: round(-3.609 - 0.5) = -4, a little above it. YTop = round(0.5) = 0;
    // the level maps to 346 - round(-0.01 x 300 / 4) = 346 - round(-0.75) = 347, inside.
    const Series inside = Steps({3, 4.01, 3.5});
    AxisState axis = ScaleWaterTableGraph(inside, 3);
    EXPECT_EQ(axis.YTop, 0);
    EXPECT_EQ(axis.YBottom, -4);
    EXPECT_EQ(axis.YDivisions, 8);  // 4 doubled

    // -4.05: round(-3.645 - 0.5) = -4; 346 - round(-3.75) = 350, on the axis line.
    axis = ScaleWaterTableGraph(Steps({3, 4.05}), 2);
    EXPECT_EQ(axis.YBottom, -4);

    // -4.07: round(-3.663 - 0.5) = -4; 346 - round(-5.25) = 351, under the axis line: the
    // axis goes on to -5, 5 intervals.
    axis = ScaleWaterTableGraph(Steps({3, 4.07}), 2);
    EXPECT_EQ(axis.YBottom, -5);
    EXPECT_EQ(axis.YDivisions, 5);
}

TEST(ScaleWaterTableGraph, HighWaterLevelUsesStepsOfFour) {
    // Levels 10 and 9 m above the surface: YTopReal 12 lies in 10 to below 25.
    const Series depth = Steps({-10, -9});
    const AxisState axis = ScaleWaterTableGraph(depth, 2);
    EXPECT_EQ(axis.YBottom, 8);     // round(8.1 - 0.5)
    EXPECT_EQ(axis.YTop, 16);       // 4 x round(3.5)
    EXPECT_EQ(axis.YDivisions, 8);  // (16 - 8) / 4 = 2 -> 4 -> 8
}

TEST(ScaleWaterTableGraph, WaterTableAlwaysAtTheSurfaceStillHasAnAxis) {
    const Series depth = Steps({0, 0, 0});
    const AxisState axis = ScaleWaterTableGraph(depth, 3);
    EXPECT_EQ(axis.YBottom, 0);
    EXPECT_EQ(axis.YTop, 1);
    EXPECT_EQ(axis.YDivisions, 4);
}

TEST(ScaleSalinityGraph, SmallRangeRoundsTheTopUpAndDoubles) {
    const Series calculated = Steps({2, 2.5, 3});
    const AxisState axis = ScaleSalinityGraph({&calculated}, {}, 3, false);
    EXPECT_DOUBLE_EQ(axis.YTopReal, 4.2);
    EXPECT_DOUBLE_EQ(axis.YBottomReal, 1.6);
    EXPECT_EQ(axis.YBottom, 1);     // round(1.1)
    EXPECT_EQ(axis.YTop, 5);        // round(4.7)
    EXPECT_EQ(axis.YDivisions, 8);  // 4 doubled
    EXPECT_EQ(axis.YDecimals, 1);
    EXPECT_EQ(axis.XDivisions, 8);  // XTop 4, 4 doubled
}

TEST(ScaleSalinityGraph, MeasuredValuesCountForTheTopAndOnlyPositiveOnesForTheBottom) {
    const Series calculated = Steps({2, 2.5, 3});
    const Series measured = Steps({-1, 0, 6});
    AxisState axis = ScaleSalinityGraph({&calculated}, {&measured}, 3, false);
    EXPECT_DOUBLE_EQ(axis.YTopReal, 8.4);
    EXPECT_EQ(axis.YTop, 9);     // round(8.9)
    EXPECT_EQ(axis.YBottom, 1);  // -1 and 0 are no measurements

    const Series low = Steps({0.5, -1, -1});
    axis = ScaleSalinityGraph({&calculated}, {&low}, 3, false);
    EXPECT_DOUBLE_EQ(axis.YBottomReal, 0.4);
    EXPECT_EQ(axis.YBottom, 0);  // round(-0.1)
}

TEST(ScaleSalinityGraph, MiddleRangeUsesStepsOfFour) {
    const Series calculated = Steps({5, 10});
    const AxisState axis = ScaleSalinityGraph({&calculated}, {}, 2, false);
    EXPECT_DOUBLE_EQ(axis.YTopReal, 14);
    EXPECT_EQ(axis.YBottom, 4);     // round(3.5)
    EXPECT_EQ(axis.YTop, 16);       // 4 x round(4)
    EXPECT_EQ(axis.YDivisions, 6);  // (16 - 4) / 4 = 3, doubled
}

TEST(ScaleSalinityGraph, WideRangeKeepsAtMostTenTicks) {
    const Series calculated = Steps({10, 20});
    const AxisState axis = ScaleSalinityGraph({&calculated}, {}, 2, false);
    EXPECT_EQ(axis.YTop, 28);        // round(28)
    EXPECT_EQ(axis.YBottom, 8);      // round(7.5)
    EXPECT_EQ(axis.YDivisions, 10);  // 20 limited
}

TEST(ScaleSalinityGraph, OneLayerAllZonesRaisesTheTopWithoutNewTicks) {
    const Series layer1 = Steps({4, 6});
    const Series zero = Steps({0, 0});
    const AxisState axis = ScaleSalinityGraph({&layer1, &zero}, {}, 2, true);
    EXPECT_DOUBLE_EQ(axis.YTopReal, 8.4 * 1.2);
    EXPECT_EQ(axis.YTop, 10);  // round(10.08); before: round(8.9) = 9
    EXPECT_EQ(axis.YBottom, 0);
    EXPECT_EQ(axis.YDivisions, 9);  // from 9 - 0, not recomputed
}

TEST(ScaleSalinityGraph, AllZeroSalinitiesStillHaveAnAxis) {
    const Series zero = Steps({0, 0, 0});
    const AxisState axis = ScaleSalinityGraph({&zero}, {}, 3, false);
    EXPECT_EQ(axis.YBottom, 0);
    EXPECT_EQ(axis.YTop, 1);
    EXPECT_GE(axis.YDivisions, 1);
}

}  // namespace
}  // namespace halosoil
