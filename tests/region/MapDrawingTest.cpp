#include "MapDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ExpectThrowMsg.h"
#include "RecordingCanvas.h"
#include "RegionTestFiles.h"

namespace halosoil::region {
namespace {

using namespace halosoil::test;
using study::Quantity;

ResultsLayer UtmLayer() {
    const fs::path path = RegionScratch("drawing") / "results.gpkg";
    WriteResultsGeoPackage(path, UtmBlock());
    return ReadResultsLayer(path, {Quantity::SalinityLayer1, Summary::Final, 0});
}

void ExpectRing(const Ring& ring, const Ring& expected) {
    ASSERT_EQ(ring.size(), expected.size());
    for (std::size_t k = 0; k < ring.size(); ++k) {
        EXPECT_NEAR(ring[k].x, expected[k].x, 1e-9) << k;
        EXPECT_NEAR(ring[k].y, expected[k].y, 1e-9) << k;
    }
}

bool HasText(const RecordingCanvas& canvas, const std::string& text) {
    return std::any_of(canvas.texts.begin(), canvas.texts.end(),
                       [&](const RecordingCanvas::Text& t) { return t.text == text; });
}

TEST(MapDrawingTest, TheBlockFitsItsBoxBesideTheLegend) {
    const MapLayout layout = LayoutOf(UtmLayer());
    // 2000 m square into at most 640 x 560: 0.28 pixel per metre, a 560 x 560 box below the
    // margin (16) and the title (36).
    EXPECT_EQ(layout.map, (Rect{16, 52, 576, 612}));
    EXPECT_DOUBLE_EQ(layout.scaleX, 0.28);
    EXPECT_DOUBLE_EQ(layout.scaleY, 0.28);
    // 16 + 560 + 32 (gap) + 230 (legend) + 16; 52 + 560 + 16 + 40 (scale bar) + 16.
    EXPECT_EQ(layout.width, 854);
    EXPECT_EQ(layout.height, 684);
    EXPECT_EQ(layout.legendX, 608);
}

TEST(MapDrawingTest, FieldsAreFilledByTheirClassesAndOutlined) {
    const ResultsLayer layer = UtmLayer();
    const MapLayout layout = LayoutOf(layer);
    const MapClasses classes = ClassesOf({1.5, 2.5});
    RecordingCanvas canvas;
    DrawMap(canvas, layer, classes, {"Salinity of layer 1", std::nullopt}, layout);

    ASSERT_EQ(canvas.polygons.size(), 4u);
    // a: (500000, 3300000)..(501000, 3301000) -> x 16..296, y 612 (south) up to 332.
    ExpectRing(canvas.polygons[0].rings.at(0), {{16, 612}, {296, 612}, {296, 332}, {16, 332}});
    // b: x 296..576.
    ExpectRing(canvas.polygons[1].rings.at(0), {{296, 612}, {576, 612}, {576, 332}, {296, 332}});
    // a = 1 below 1.5: the light end; b = 2: the middle; c = 3: the dark end; d: no data.
    EXPECT_EQ(canvas.polygons[0].color, (Color{253, 231, 37}));
    EXPECT_EQ(canvas.polygons[1].color, (Color{35, 144, 140}));
    EXPECT_EQ(canvas.polygons[2].color, (Color{68, 1, 84}));
    EXPECT_EQ(canvas.polygons[3].color, kNoDataColor);
    // Every field outlined after every fill, so no fill covers a neighbour's outline.
    const auto outlines = std::count_if(
        canvas.polylines.begin(), canvas.polylines.end(), [](const RecordingCanvas::Polyline& p) {
            return p.closed && p.color == kOutlineColor && p.points.size() == 4;
        });
    EXPECT_EQ(outlines, 4 + 3 + 1);  // the fields, the class swatches, the no-data swatch
    EXPECT_GT(canvas.polylines.front().seq, canvas.polygons.back().seq);

    EXPECT_TRUE(HasText(canvas, "Salinity of layer 1"));
    EXPECT_TRUE(HasText(canvas, "salinity_layer1 (dS/m), final"));
    EXPECT_TRUE(HasText(canvas, "< 1.5"));
    EXPECT_TRUE(HasText(canvas, "1.5 – 2.5"));
    EXPECT_TRUE(HasText(canvas, "≥ 2.5"));
    EXPECT_TRUE(HasText(canvas, "no data (1 field)"));
    // A quarter of 560 pixels is 500 m: a bar of 140 pixels from x = 16.
    EXPECT_TRUE(HasText(canvas, "500 m"));
    const auto bar = std::find_if(canvas.lines.begin(), canvas.lines.end(),
                                  [](const RecordingCanvas::Line& l) { return l.width == 2; });
    ASSERT_NE(bar, canvas.lines.end());
    EXPECT_EQ(bar->x1, 16);
    EXPECT_EQ(bar->x2, 156);
}

TEST(MapDrawingTest, FieldsBeyondTheThresholdAreHatchedAndOutlined) {
    const ResultsLayer layer = UtmLayer();
    const MapLayout layout = LayoutOf(layer);
    RecordingCanvas canvas;
    DrawMap(canvas, layer, ClassesOf({1.5, 2.5}), {"t", ParseThreshold("2.5")}, layout);
    // c (3) alone lies above 2.5; its heavy outline and the legend's.
    const auto heavy =
        std::count_if(canvas.polylines.begin(), canvas.polylines.end(),
                      [](const RecordingCanvas::Polyline& p) { return p.closed && p.width == 2; });
    EXPECT_EQ(heavy, 2);
    EXPECT_TRUE(HasText(canvas, "above 2.5 dS/m"));
    // c spans x 16..296, y 52..332: lines x + y = c every 6 pixels, c from 68 to 628.
    const auto hatches = std::count_if(
        canvas.polylines.begin(), canvas.polylines.end(), [](const RecordingCanvas::Polyline& p) {
            return !p.closed && p.color == Color{255, 255, 255} && p.points[0].x >= 16 &&
                   p.points[0].x <= 296 && p.points[0].y >= 52 && p.points[0].y <= 332;
        });
    // Multiples of 6 from 72 to 624: (624 - 72) / 6 + 1 = 93, white on c's dark purple (its
    // lightness (299 x 68 + 587 x 1 + 114 x 84) / 1000 = 30 is below half).
    EXPECT_EQ(hatches, 93);

    RecordingCanvas below;
    DrawMap(below, layer, ClassesOf({1.5, 2.5}), {"t", ParseThreshold("<1.5")}, layout);
    EXPECT_TRUE(HasText(below, "below 1.5 dS/m"));
    EXPECT_THROW_MSG(ParseThreshold("high"), MapRequestError,
                     "--threshold: 'high' is not a number (VALUE or >VALUE marks the fields above "
                     "it, <VALUE those below)");
    EXPECT_THROW(ParseThreshold(">"), MapRequestError);
}

TEST(MapDrawingTest, HatchingStaysInsideTheRingsAndOutOfTheirHoles) {
    // The square 0..10 with the hole 4..6, lines x + y = 10: from (0, 10) to the hole's corner
    // (4, 6), and from its corner (6, 4) to (10, 0).
    const std::vector<Ring> rings = {{{0, 0}, {10, 0}, {10, 10}, {0, 10}},
                                     {{4, 4}, {6, 4}, {6, 6}, {4, 6}}};
    const auto segments = HatchSegments(rings, 10);
    // c = 0 touches the corner (0, 0) alone, c = 10 crosses, c = 20 touches (10, 10) and the
    // half-open edges count it on neither side.
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[1].first, (Point{0, 10}));
    EXPECT_EQ(segments[1].second, (Point{4, 6}));
    EXPECT_EQ(segments[2].first, (Point{6, 4}));
    EXPECT_EQ(segments[2].second, (Point{10, 0}));
    EXPECT_EQ(segments[0].first, segments[0].second);
}

TEST(MapDrawingTest, AGeographicLayerIsDrawnWithTheAspectOfItsMeanLatitude) {
    // Two squares of 0.01° side by side about latitude 60: a degree of longitude is half a
    // degree of latitude there, so the 0.02° x 0.01° block draws square, 560 x 560, at 28000
    // pixels per degree of longitude and 56000 per degree of latitude.
    ResultsFile file = UtmBlock();
    file.epsg = 4326;
    file.fields = {{"w", Square(10.00, 59.995, 0.01), 1.0, {}},
                   {"e", Square(10.01, 59.995, 0.01), 2.0, {}}};
    const fs::path path = RegionScratch("geographic") / "results.gpkg";
    WriteResultsGeoPackage(path, file);
    const ResultsLayer layer =
        ReadResultsLayer(path, {Quantity::SalinityLayer1, Summary::Final, 0});
    const MapLayout layout = LayoutOf(layer);
    EXPECT_EQ(layout.map, (Rect{16, 52, 576, 612}));
    EXPECT_NEAR(layout.scaleX, 28000, 1e-6);
    EXPECT_NEAR(layout.scaleY, 56000, 1e-6);
    RecordingCanvas canvas;
    DrawMap(canvas, layer, ClassesOf({1.5}), {"t", std::nullopt}, layout);
    ExpectRing(canvas.polygons[1].rings.at(0), {{296, 612}, {576, 612}, {576, 52}, {296, 52}});
    // A quarter of the width is 0.005° of longitude.
    EXPECT_TRUE(HasText(canvas, "0.005° of longitude"));
    EXPECT_FALSE(HasText(canvas, "no data (1 field)"));
}

TEST(MapDrawingTest, TheScaleBarSpeaksTheLayersUnits) {
    ResultsLayer layer;
    layer.file = "r.gpkg";
    layer.crs.kind = CrsKind::Projected;
    layer.crs.unit = "m";
    MapLayout layout;
    layout.map = {0, 0, 560, 560};
    // 560 / 4 = 140 pixels: 140 / 0.01 = 14000 m -> 10 km; 140 / 0.05 = 2800 m -> 2 km.
    layout.scaleX = 0.01;
    EXPECT_EQ(ScaleBarOf(layer, layout).label, "10 km");
    EXPECT_DOUBLE_EQ(ScaleBarOf(layer, layout).length, 10000);
    layout.scaleX = 0.05;
    EXPECT_EQ(ScaleBarOf(layer, layout).label, "2 km");
    layer.crs.unit = "ft";
    EXPECT_EQ(ScaleBarOf(layer, layout).label, "2000 ft");
    layer.crs.kind = CrsKind::None;
    EXPECT_EQ(ScaleBarOf(layer, layout).label, "2000 (layer units)");
    EXPECT_THROW_MSG(LayoutOf(layer), HalosoilError, "r.gpkg: no field has a polygon to draw");
}

}  // namespace
}  // namespace halosoil::region
