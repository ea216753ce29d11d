// The three hydrology graphs: legends, step lines with their colours and shifts.
#include <gtest/gtest.h>

#include "GraphColors.h"
#include "GraphTestData.h"

namespace halosoil {
namespace {

using test::FindText;
using test::HasLine;
using test::Steps;

void ExpectLegend(const RecordingCanvas& canvas, const std::string& text, int y, Color color) {
    const auto* legend = FindText(canvas, text);
    ASSERT_NE(legend, nullptr) << text;
    EXPECT_EQ(legend->x, 80) << text;
    EXPECT_EQ(legend->y, y) << text;
    EXPECT_EQ(legend->font, (Font{"Arial", 8, color})) << text;
}

struct Legend {
    const char* text;
    Color color;
};

// The legends of the surface flows and of the subsurface flows, in the order they stack.
const Legend kSurfaceLegends[] = {{"- - - Rainfall", colors::kWhite},
                                  {"- - - Irrigation", colors::kYellow},
                                  {"- - - Evaporation", colors::kLime},
                                  {"- - - Surf. drainage", colors::kSkyBlue}};
const Legend kSubsurfaceLegends[] = {{"- - - Percolation", colors::kAqua},
                                     {"- - - Capillary rise", colors::kRed},
                                     {"- - - Subs. drainage", colors::kSand}};

// A family's legends stacked 15 pixels apart from y down.
template <std::size_t N>
void ExpectLegends(const RecordingCanvas& canvas, const Legend (&legends)[N], int y) {
    for (const Legend& legend : legends) {
        ExpectLegend(canvas, legend.text, y, legend.color);
        y += 15;
    }
}

// Three steps: XTop 4, steps at x = 195, 320, 445. Rainfall 10, 20, 5 is the largest flow:
// YTopReal 24, YTop 26, so v lies at 348 - round(v x 300 / 26): 10 -> 233, 20 -> 117.
test::GraphData ThreeSteps() {
    test::GraphData g(3, 1);
    g.data.Rain = Steps({10, 20, 5});
    g.data.Irrig = Steps({0, 0, 0});
    g.state.ActEvap = Steps({0, 0, 0});
    g.state.Percol = Steps({10, 10, 10});
    g.state.CapRise = Steps({0, 0, 0});
    g.state.Drain = Steps({0, 0, 0});
    return g;
}

TEST(HydrologyGraph, SurfaceFlowsAsStepsWithTheirShifts) {
    const test::GraphData g = ThreeSteps();
    const auto [canvas, axis] = test::Draw(GraphType::SurfaceHydrology, g);
    EXPECT_EQ(axis.YTop, 26);
    EXPECT_EQ(axis.YDivisions, 6);

    // Rainfall, white, 2 pixels to the left: two levels and one riser; step 3 is not drawn.
    EXPECT_TRUE(HasLine(canvas, 193, 233, 318, 233, colors::kWhite));
    EXPECT_TRUE(HasLine(canvas, 318, 117, 443, 117, colors::kWhite));
    EXPECT_TRUE(HasLine(canvas, 318, 233, 318, 117, colors::kWhite));
    // Irrigation yellow 2 to the right, evaporation lime in place, both at 0 -> 348.
    EXPECT_TRUE(HasLine(canvas, 197, 348, 322, 348, colors::kYellow));
    EXPECT_TRUE(HasLine(canvas, 322, 348, 447, 348, colors::kYellow));
    EXPECT_TRUE(HasLine(canvas, 322, 348, 322, 348, colors::kYellow));
    EXPECT_TRUE(HasLine(canvas, 195, 348, 320, 348, colors::kLime));
    EXPECT_TRUE(HasLine(canvas, 320, 348, 445, 348, colors::kLime));

    EXPECT_EQ(test::DataLines(canvas).size(), 9u);  // 3 series x (2 levels + 1 riser)
    EXPECT_TRUE(test::LinesOf(canvas, colors::kAqua).empty());

    const auto* title = FindText(canvas, "Hydrologic flow factors (mm / time step)");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, 270);
    EXPECT_EQ(title->y, 20);
    ExpectLegends(canvas, kSurfaceLegends, 30);
    EXPECT_EQ(FindText(canvas, "- - - Percolation"), nullptr);
}

TEST(HydrologyGraph, SubsurfaceFlowsHaveTheirOwnLegendAtTheTop) {
    const test::GraphData g = ThreeSteps();
    const auto [canvas, axis] = test::Draw(GraphType::SubsurfaceHydrology, g);
    // Percolation 10 is the largest: YTopReal 12, YTop 14; 10 -> 348 - round(214.3) = 134.
    EXPECT_EQ(axis.YTop, 14);
    EXPECT_TRUE(HasLine(canvas, 196, 134, 321, 134, colors::kAqua));
    EXPECT_TRUE(HasLine(canvas, 321, 134, 446, 134, colors::kAqua));
    EXPECT_TRUE(HasLine(canvas, 197, 348, 322, 348, colors::kRed));
    EXPECT_TRUE(HasLine(canvas, 198, 348, 323, 348, colors::kSand));
    EXPECT_EQ(test::DataLines(canvas).size(), 9u);
    ExpectLegends(canvas, kSubsurfaceLegends, 30);
    EXPECT_EQ(FindText(canvas, "- - - Rainfall"), nullptr);
}

TEST(HydrologyGraph, AllFlowsStackBothLegendsAndLeaveMoreRoomAbove) {
    const test::GraphData g = ThreeSteps();
    const auto [canvas, axis] = test::Draw(GraphType::AllHydrology, g);
    // 20 x 1.2 x 1.2 = 28.8: c = round(30.8) = 31, 31 - 28 -> round(0.8) = 1, raised to 5.
    EXPECT_EQ(axis.YTop, 31);
    EXPECT_EQ(axis.YDivisions, 5);
    EXPECT_EQ(axis.YDecimals, 1);
    ExpectLegends(canvas, kSurfaceLegends, 30);
    ExpectLegends(canvas, kSubsurfaceLegends, 90);
    EXPECT_EQ(test::DataLines(canvas).size(), 18u);
    EXPECT_TRUE(test::LinesOf(canvas, colors::kSkyBlue).empty());  // no surface drainage line
}

TEST(HydrologyGraph, DataComeBeforeTheAxesAndAfterTheFrame) {
    const test::GraphData g = ThreeSteps();
    const RecordingCanvas canvas = test::Draw(GraphType::SurfaceHydrology, g).canvas;
    const auto data = test::DataLines(canvas);
    ASSERT_FALSE(data.empty());
    EXPECT_GT(data.front().seq, canvas.fills[1].seq);
    EXPECT_EQ(canvas.lines.size(), data.size() + 2 + 7 + 5);  // axes: 6 and 4 intervals
}

TEST(HydrologyGraph, ProjectSeriesShorterThanTheResultsDrawAsZero) {
    test::GraphData g = ThreeSteps();
    g.data.Rain = Steps({10});
    g.data.Irrig.clear();
    const auto [canvas, axis] = test::Draw(GraphType::SurfaceHydrology, g);
    EXPECT_EQ(axis.YTop, 14);
    EXPECT_TRUE(HasLine(canvas, 318, 134, 318, 348, colors::kWhite));
}

}  // namespace
}  // namespace halosoil
