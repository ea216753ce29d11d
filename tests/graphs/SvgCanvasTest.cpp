// The SVG canvas and what it rests on: the Arial advance widths, the SVG elements of each
// canvas call, the texts made safe for XML, and the recorder that draws a graph once on the
// window's canvas and again, call for call, on the SVG canvas. Widths and positions are
// worked out by hand from the face's advance table (thousandths of the size).
#include <gtest/gtest.h>

#include "ArialMetrics.h"
#include "DrawingRecorder.h"
#include "RecordingCanvas.h"
#include "SvgCanvas.h"

namespace halosoil {
namespace {

TEST(ArialMetrics, PointsBecomePixelsAndTextsAreMeasuredByTheirAdvances) {
    EXPECT_EQ(PixelSizeOf(8), 11);
    EXPECT_EQ(PixelSizeOf(10), 13);
    // T 611, i 222, m 833, e 556, blank 278, s 500, t 278, e 556, p 556: 4390 x 11 / 1000.
    EXPECT_EQ(ArialTextWidth("Time step", 11), 48);
    // Four digits and a point: 4 x 556 + 278 = 2502, x 11 / 1000 = 27.52, rounded to 28.
    EXPECT_EQ(ArialTextWidth("12.50", 11), 28);
    EXPECT_EQ(ArialTextWidth("", 11), 0);
    // Ascent 0.905 and descent 0.212 of the size, each rounded up: 10 + 3 at 11 pixels.
    EXPECT_EQ(ArialAscent(11), 10);
    EXPECT_EQ(ArialTextHeight(11), 13);
    EXPECT_EQ(ArialTextHeight(13), 15);
}

TEST(SvgCanvas, EachCallIsOneElementOfTheDocument) {
    SvgCanvas canvas(617, 441);
    canvas.FillRect({20, 19, 605, 420}, {0, 0, 139});
    canvas.FillRect({10, 50, 30, 40}, {1, 2, 3});  // bottom above top: the same rows
    canvas.FillRect({5, 5, 5, 9}, {1, 2, 3});      // empty: nothing
    canvas.DrawLine(70, 350, 570, 350, {255, 255, 255}, 1);
    canvas.DrawText(516, 375, "Time step", Font{"Arial", 8, {255, 255, 255}});
    const std::string svg = canvas.Document();
    EXPECT_EQ(
        svg.rfind(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"",
            0),
        0u);
    EXPECT_NE(svg.find("width=\"617\" height=\"441\" viewBox=\"0 0 617 441\""), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"20\" y=\"19\" width=\"585\" height=\"401\" fill=\"#00008b\"/>\n"),
              std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"10\" y=\"40\" width=\"20\" height=\"10\" fill=\"#010203\"/>\n"),
              std::string::npos);
    EXPECT_EQ(svg.find("<rect x=\"5\""), std::string::npos);
    // A line of one pixel runs through the middle of its pixels.
    EXPECT_NE(
        svg.find("<line x1=\"70.5\" y1=\"350.5\" x2=\"570.5\" y2=\"350.5\" stroke=\"#ffffff\" "
                 "stroke-width=\"1\"/>\n"),
        std::string::npos);
    // Text stands on its baseline: the top at 375 plus the ascent of 10 pixels.
    EXPECT_NE(
        svg.find("<text x=\"516\" y=\"385\" font-family=\"Arial, Liberation Sans, Arimo, "
                 "Helvetica, sans-serif\" font-size=\"11\" fill=\"#ffffff\">Time step</text>\n"),
        std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    EXPECT_EQ(canvas.TextWidth("Time step", Font{"Arial", 8, {}}), 48);
    EXPECT_EQ(canvas.TextHeight("Time step", Font{"Arial", 8, {}}), 13);
}

TEST(SvgCanvas, TextsAreEscapedAndLatin1TitlesBecomeUtf8) {
    EXPECT_EQ(SvgText("a < b & \"c\" > d"), "a &lt; b &amp; &quot;c&quot; &gt; d");
    EXPECT_EQ(SvgText("caf\xE9"), "caf\xC3\xA9");      // Latin-1 e acute
    EXPECT_EQ(SvgText("caf\xC3\xA9"), "caf\xC3\xA9");  // already UTF-8
    EXPECT_EQ(SvgText("tab\there\x01"), "tabhere");    // control characters dropped
    EXPECT_EQ(SvgText("  x   Layer 1 measured"), "  x   Layer 1 measured");
}

TEST(SvgCanvas, PolygonsKeepTheirHolesAndOutlinesTheirFractions) {
    SvgCanvas canvas(100, 100);
    // A square with a square hole: both rings in one path, filled even-odd.
    canvas.FillPolygon({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{4, 4}, {6, 4}, {6, 6}, {4, 6}}},
                       {255, 0, 0});
    canvas.DrawPolyline({{0.5, 1.25}, {20, 30}}, false, {0, 0, 255}, 2);
    canvas.DrawPolyline({{0, 0}, {5, 0}, {5, 5}}, true, {0, 0, 0}, 1);
    // Rings of fewer than three points and lines of one point draw nothing.
    canvas.FillPolygon({{{1, 1}, {2, 2}}}, {0, 0, 0});
    canvas.DrawPolyline({{1, 1}}, false, {0, 0, 0}, 1);
    const std::string document = canvas.Document();
    const std::string body = document.substr(document.find("<path"));
    EXPECT_EQ(body,
              "<path d=\"M0 0 L10 0 L10 10 L0 10 Z M4 4 L6 4 L6 6 L4 6 Z\" fill=\"#ff0000\" "
              "fill-rule=\"evenodd\"/>\n"
              "<path d=\"M0.5 1.25 L20 30\" fill=\"none\" stroke=\"#0000ff\" stroke-width=\"2\" "
              "stroke-linejoin=\"round\"/>\n"
              "<path d=\"M0 0 L5 0 L5 5 Z\" fill=\"none\" stroke=\"#000000\" stroke-width=\"1\" "
              "stroke-linejoin=\"round\"/>\n"
              "</svg>\n");
}

TEST(DrawingRecorder, DrawsOnItsTargetAndReplaysTheSameCallsInOrder) {
    RecordingCanvas window;
    DrawingRecorder recorder(window);
    recorder.FillRect({0, 0, 10, 10}, {1, 1, 1});
    recorder.DrawText(5, 6, "ab", Font{"Arial", 10, {2, 2, 2}});
    recorder.DrawLine(1, 2, 3, 4, {3, 3, 3}, 2);
    recorder.FillPolygon({{{0, 0}, {4, 0}, {4, 4}}}, {4, 4, 4});
    recorder.DrawPolyline({{1, 1}, {2, 2}}, true, {5, 5, 5}, 3);
    // Measured by the target: two characters of 7 pixels at size 10.
    EXPECT_EQ(recorder.TextWidth("ab", Font{"Arial", 10, {}}), 14);
    EXPECT_EQ(recorder.TextHeight("ab", Font{"Arial", 10, {}}), 17);
    ASSERT_EQ(window.fills.size(), 1u);
    ASSERT_EQ(window.texts.size(), 1u);
    ASSERT_EQ(window.lines.size(), 1u);

    RecordingCanvas again;
    recorder.ReplayOn(again);
    ASSERT_EQ(again.fills.size(), 1u);
    ASSERT_EQ(again.texts.size(), 1u);
    ASSERT_EQ(again.lines.size(), 1u);
    EXPECT_EQ(again.fills[0].seq, 0);
    EXPECT_EQ(again.texts[0].seq, 1);
    EXPECT_EQ(again.lines[0].seq, 2);
    EXPECT_EQ(again.texts[0].text, "ab");
    EXPECT_EQ(again.texts[0].x, 5);
    EXPECT_EQ(again.lines[0].width, 2);
    EXPECT_EQ(again.fills[0].rect, (Rect{0, 0, 10, 10}));
    ASSERT_EQ(again.polygons.size(), 1u);
    ASSERT_EQ(again.polylines.size(), 1u);
    EXPECT_EQ(again.polygons[0].seq, 3);
    EXPECT_EQ(again.polygons[0].rings, (std::vector<Ring>{{{0, 0}, {4, 0}, {4, 4}}}));
    EXPECT_EQ(again.polylines[0].seq, 4);
    EXPECT_TRUE(again.polylines[0].closed);
    EXPECT_EQ(again.polylines[0].width, 3);
    EXPECT_EQ(again.polylines[0].color, (Color{5, 5, 5}));
}

}  // namespace
}  // namespace halosoil
