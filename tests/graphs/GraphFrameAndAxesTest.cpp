// The common frame and the axes on the recording canvas, whose text measure is 6 pixels per
// character and 14 pixels of height at size 8.
#include <gtest/gtest.h>

#include "GraphColors.h"
#include "GraphFrame.h"
#include "GraphScaling.h"
#include "GraphTestData.h"
#include "PointMapping.h"

namespace halosoil {
namespace {

using test::FindText;

// The vertical axis of a graph: its values at the top and the bottom, its tick intervals and
// the decimals of its labels.
struct VerticalAxis {
    int top, bottom, divisions, decimals;
};

// The axes drawn for `steps` time steps of a family, with that vertical axis.
RecordingCanvas DrawnAxes(const VerticalAxis& vertical, int steps, GraphFamily family) {
    AxisState axis;
    axis.YTop = vertical.top;
    axis.YBottom = vertical.bottom;
    axis.YDivisions = vertical.divisions;
    axis.YDecimals = vertical.decimals;
    ScaleHorizontalAxis(axis, steps, family);
    RecordingCanvas canvas;
    DrawAxes(canvas, axis);
    return canvas;
}

TEST(GraphFrame, PaintsBackgroundPanelTitleCaptionAndTimeStepLabel) {
    RecordingCanvas canvas;
    DrawGraphFrame(canvas, "My project");
    ASSERT_EQ(canvas.fills.size(), 2u);
    EXPECT_EQ(canvas.fills[0].rect, (Rect{0, 0, 623, 460}));
    EXPECT_EQ(canvas.fills[0].color, (Color{192, 192, 192}));
    EXPECT_EQ(canvas.fills[1].rect, (Rect{20, 19, 605, 420}));
    EXPECT_EQ(canvas.fills[1].color, (Color{0, 0, 139}));

    const auto* title = FindText(canvas, "My project");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, 20);
    EXPECT_EQ(title->y, 5);
    EXPECT_EQ(title->font, (Font{"Arial", 10, Color{0, 0, 0}}));

    const auto* caption = FindText(canvas, std::string("Program Halosoil at ") + kWebAddress);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->x, 20);
    EXPECT_EQ(caption->y, 425);
    EXPECT_EQ(caption->font, (Font{"Arial", 8, Color{0, 0, 0}}));

    const auto* timeStep = FindText(canvas, "Time step");
    ASSERT_NE(timeStep, nullptr);
    EXPECT_EQ(timeStep->x, 516);
    EXPECT_EQ(timeStep->y, 375);
    EXPECT_EQ(timeStep->font, (Font{"Arial", 8, Color{255, 255, 255}}));
    // The panel is filled after the background and the caption, before the white label.
    EXPECT_LT(canvas.fills[1].seq, timeStep->seq);
    EXPECT_GT(canvas.fills[1].seq, caption->seq);
}

TEST(DrawAxes, WaterTableBetweenHalfAndTwoAndAHalfMetres) {
    const RecordingCanvas canvas = DrawnAxes(
        {.top = 0, .bottom = -3, .divisions = 6, .decimals = 1}, 9, GraphFamily::WaterTable);

    const Color white{255, 255, 255};
    EXPECT_TRUE(test::HasLine(canvas, 70, 350, 70, 50, white));
    EXPECT_TRUE(test::HasLine(canvas, 70, 350, 570, 350, white));
    // Vertical ticks every 50 pixels, labels 0.0 down to -3.0, right-aligned to x = 64 and
    // raised by half their height (7).
    const char* labels[] = {"0.0", "-0.5", "-1.0", "-1.5", "-2.0", "-2.5", "-3.0"};
    for (int k = 0; k <= 6; ++k) {
        const int y = 50 + 50 * k;
        EXPECT_TRUE(test::HasLine(canvas, 70, y, 66, y, white)) << k;
        const auto* label = FindText(canvas, labels[k]);
        ASSERT_NE(label, nullptr) << labels[k];
        const int width = 6 * static_cast<int>(std::string(labels[k]).size());
        EXPECT_EQ(label->x, 64 - width) << labels[k];
        EXPECT_EQ(label->y, y - 7) << labels[k];
        EXPECT_EQ(label->font, (Font{"Arial", 8, white}));
    }
    // XTop 12 in 6 intervals: ticks at round(k x 83.33 + 70), labels without decimals in two
    // characters at 8 pixels left of the tick.
    const int tickX[] = {70, 153, 237, 320, 403, 487, 570};
    const char* xLabels[] = {" 0", " 2", " 4", " 6", " 8", "10", "12"};
    for (int k = 0; k <= 6; ++k) {
        EXPECT_TRUE(test::HasLine(canvas, tickX[k], 350, tickX[k], 354, white)) << k;
        const auto* label = FindText(canvas, xLabels[k]);
        ASSERT_NE(label, nullptr) << xLabels[k];
        EXPECT_EQ(label->x, tickX[k] - 8) << xLabels[k];
        EXPECT_EQ(label->y, 362);
    }
    EXPECT_EQ(canvas.lines.size(), 2u + 7u + 7u);
    EXPECT_EQ(canvas.texts.size(), 14u);
}

TEST(DrawAxes, AllZeroFlowsHaveFiveIntervalsWithTwoDecimals) {
    RecordingCanvas canvas;
    const Series zero = test::Steps({0, 0, 0, 0});
    const AxisState axis = ScaleHydrologyGraph({&zero}, 4, false);
    DrawAxes(canvas, axis);
    const char* labels[] = {"2.00", "1.60", "1.20", "0.80", "0.40", "0.00"};
    for (int k = 0; k <= 5; ++k) {
        const auto* label = FindText(canvas, labels[k]);
        ASSERT_NE(label, nullptr) << labels[k];
        EXPECT_EQ(label->x, 40);
        EXPECT_EQ(label->y, 50 + 60 * k - 7);
    }
    // 4 time steps: XTop 6 with one decimal, labels of 3 characters.
    const auto* one = FindText(canvas, "1.0");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->x, 145);  // round(83.33 + 62)
    const auto* six = FindText(canvas, "6.0");
    ASSERT_NE(six, nullptr);
    EXPECT_EQ(six->x, 562);
}

TEST(DrawAxes, WholeNumberLabelsArePaddedToTwoCharacters) {
    const RecordingCanvas canvas = DrawnAxes(
        {.top = 47, .bottom = 0, .divisions = 7, .decimals = 0}, 9, GraphFamily::Hydrology);
    // 47 - 6/7 x 47 = 6.71 -> " 7"; the blank counts for the width, so the digit still ends
    // at x = 64.
    const auto* seven = FindText(canvas, " 7");
    ASSERT_NE(seven, nullptr);
    EXPECT_EQ(seven->x, 52);
    EXPECT_EQ(seven->y, 307 - 7);  // round(6/7 x 300 + 50) = round(307.14)
    EXPECT_NE(FindText(canvas, "47"), nullptr);
    EXPECT_NE(FindText(canvas, " 0"), nullptr);
    // Hydrology with 9 steps: XTop 12 in 3 intervals.
    const auto* four = FindText(canvas, " 4");
    ASSERT_NE(four, nullptr);
    EXPECT_EQ(four->x, 229);  // round(166.67 + 62)
    EXPECT_TRUE(test::HasLine(canvas, 237, 350, 237, 354, Color{255, 255, 255}));
    EXPECT_TRUE(test::HasLine(canvas, 403, 350, 403, 354, Color{255, 255, 255}));
}

TEST(DrawAxes, OneStepWaterTableSplitsTheStepInHalves) {
    const RecordingCanvas canvas = DrawnAxes({.top = 1, .bottom = 0, .divisions = 4, .decimals = 1},
                                             1, GraphFamily::WaterTable);  // XTop 2, 4 intervals
    const char* labels[] = {"0.0", "0.5", "1.0", "1.5", "2.0"};
    const int x[] = {62, 187, 312, 437, 562};
    for (int k = 0; k <= 4; ++k) {
        const RecordingCanvas::Text* label = nullptr;
        for (const auto& t : canvas.texts)
            if (t.text == labels[k] && t.y == 362) label = &t;
        ASSERT_NE(label, nullptr) << labels[k];
        EXPECT_EQ(label->x, x[k]);
    }
}

TEST(MapPoints, PlacesStepsAndValuesWithTheirBases) {
    AxisState axis;
    axis.XTop = 12;
    axis.XBottom = 0;
    axis.YTop = 0;
    axis.YBottom = -3;
    const Series level = test::Steps({-0.5, -2.5});
    const MappedPoints points = MapPoints(axis, 2, {{&level, kWaterTableBase}});
    EXPECT_EQ(points.x[1], 112);     // round(41.67) + 70
    EXPECT_EQ(points.x[2], 153);     // round(83.33) + 70
    EXPECT_EQ(points.y[0][1], 96);   // 346 - 250
    EXPECT_EQ(points.y[0][2], 296);  // 346 - 50

    EXPECT_EQ(ValueY(axis, -0.5, kHydrologyBase), 98);
    EXPECT_EQ(ValueY(axis, -0.5, kCalculatedSalinityBase), 100);
    EXPECT_EQ(ValueY(axis, -0.5, kMeasuredSalinityBase), 98);
}

TEST(MapPoints, RoundsHalfPixelsToEven) {
    AxisState axis;
    axis.XTop = 8;  // 62.5 pixels per step
    axis.YTop = 8;  // 37.5 pixels per unit
    axis.YBottom = 0;
    EXPECT_EQ(StepX(axis, 1), 132);                   // round(62.5) = 62
    EXPECT_EQ(StepX(axis, 3), 258);                   // round(187.5) = 188
    EXPECT_EQ(StepX(axis, 5), 382);                   // round(312.5) = 312
    EXPECT_EQ(ValueY(axis, 1, kHydrologyBase), 310);  // round(37.5) = 38
    EXPECT_EQ(ValueY(axis, 3, kHydrologyBase), 236);  // round(112.5) = 112
}

}  // namespace
}  // namespace halosoil
