// The water-table graph: bars between the level and the top of the axis or the surface line.
#include <gtest/gtest.h>

#include "GraphColors.h"
#include "GraphTestData.h"

namespace halosoil {
namespace {

using test::FindText;
using test::Steps;

// The bars, without the two fills of the frame.
std::vector<RecordingCanvas::Fill> Bars(const RecordingCanvas& canvas) {
    return {canvas.fills.begin() + 2, canvas.fills.end()};
}

TEST(WaterTableGraph, BarsHangFromTheAxisTopWhenTheWaterTableStaysBelowTheSurface) {
    // Four steps: XTop 6, x = 153, 237, 320, 403. Levels -0.5, -1.5, -2.5, -1.0 on the axis 0
    // to -3: y = 346 - round((level + 3) x 100) = 96, 196, 296, 146.
    test::GraphData g(4, 1);
    g.state.DepthWT = Steps({0.5, 1.5, 2.5, 1.0});
    const auto [canvas, axis] = test::Draw(GraphType::WaterTable, g);
    EXPECT_EQ(axis.YTop, 0);
    EXPECT_EQ(axis.YBottom, -3);

    // Each bar reaches from the row below the axis top (51) down to and including the level.
    const auto bars = Bars(canvas);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].rect, (Rect{153, 51, 237, 97}));
    EXPECT_EQ(bars[0].color, colors::kInactiveCaption);
    EXPECT_EQ(bars[1].rect, (Rect{237, 51, 320, 197}));
    EXPECT_EQ(bars[1].color, colors::kSkyBlue);
    EXPECT_EQ(bars[2].rect, (Rect{320, 51, 403, 297}));
    EXPECT_EQ(bars[2].color, colors::kInactiveCaption);

    const auto* title = FindText(canvas, " Level of water table relative to soil surface");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, 80);
    EXPECT_EQ(title->y, 30);
    EXPECT_EQ(title->font, (Font{"Arial", 8, colors::kWhite}));
    EXPECT_TRUE(test::DataLines(canvas).empty());
    // The axes are drawn over the bars.
    EXPECT_LT(bars.back().seq, canvas.lines.front().seq);
}

TEST(WaterTableGraph, BarsStandOnTheSurfaceLineWhenTheWaterTableReachesIt) {
    // Levels 0.5, -0.5, -1.5: axis 1 to -2, surface line (-2 x 300) / 3 + 350 = 150;
    // y = 346 - round((level + 2) x 100) = 96, 196, 296; x = 195, 320, 445.
    test::GraphData g(3, 1);
    g.state.DepthWT = Steps({-0.5, 0.5, 1.5});
    const RecordingCanvas canvas = test::Draw(GraphType::WaterTable, g).canvas;
    const auto bars = Bars(canvas);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].rect, (Rect{195, 96, 320, 150}));   // above the surface, up from it
    EXPECT_EQ(bars[1].rect, (Rect{320, 151, 445, 197}));  // below it, down from it
    EXPECT_EQ(bars[1].color, colors::kSkyBlue);
}

TEST(WaterTableGraph, SurfaceLineUsesIntegerDivisionTowardZero) {
    // Levels 3.5 and -1.5: YTop round(4.7) = 5, YBottom round(-1.85) = -2, range 7;
    // (-2 x 300) / 7 = -85 (not -86), so the surface line lies at 265. Level 3.5 at
    // 346 - round(235.7) = 110; two steps: XTop 4, x = 195, 320.
    test::GraphData g(2, 1);
    g.state.DepthWT = Steps({-3.5, 1.5});
    const auto [canvas, axis] = test::Draw(GraphType::WaterTable, g);
    EXPECT_EQ(axis.YTop, 5);
    EXPECT_EQ(axis.YBottom, -2);
    const auto bars = Bars(canvas);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].rect, (Rect{195, 110, 320, 265}));
}

TEST(WaterTableGraph, WaterTableAtTheSurfaceStandsOnTheSurfaceLine) {
    // Levels 0 and -1 (water table at the surface at step 1): axis 0 to -1 in 4 intervals,
    // the surface line at (-1 x 300) / 1 + 350 = 50 and level 0 at 346 - 300 = 46.
    test::GraphData g(3, 1);
    g.state.DepthWT = Steps({0, 1, 1});
    const RecordingCanvas canvas = test::Draw(GraphType::WaterTable, g).canvas;
    const auto bars = Bars(canvas);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].rect, (Rect{195, 46, 320, 50}));   // from level 0 down to the surface line
    EXPECT_EQ(bars[1].rect, (Rect{320, 51, 445, 347}));  // from level -1 (346) up to it
}

}  // namespace
}  // namespace halosoil
