// The five salinity graphs: zones shown, legends, efficiency texts, lines and markers.
#include <gtest/gtest.h>

#include "GraphColors.h"
#include "GraphTestData.h"

namespace halosoil {
namespace {

using test::FindText;
using test::HasLine;
using test::Steps;

void ExpectText(const RecordingCanvas& canvas, const std::string& text, int x, int y, Color color,
                int size = 8) {
    const auto* found = FindText(canvas, text);
    ASSERT_NE(found, nullptr) << '"' << text << '"';
    EXPECT_EQ(found->x, x) << text;
    EXPECT_EQ(found->y, y) << text;
    EXPECT_EQ(found->font, (Font{"Arial", size, color})) << text;
}

std::vector<RecordingCanvas::Text> Markers(const RecordingCanvas& canvas) {
    std::vector<RecordingCanvas::Text> found;
    for (const auto& t : canvas.texts)
        if (t.text == "x" || t.text == "o" || t.text == "s" || t.text == "z" || t.text == "v")
            found.push_back(t);
    return found;
}

// Four steps, one layer: layer 1 from 2 to 3 dS/m with measurements 2.0 (step 1), -1, 0 and
// 3.0 (step 4). Axis 1 to 5 (75 pixels per dS/m), x = 153, 237, 320, 403.
test::GraphData FirstLayer() {
    test::GraphData g(4, 1);
    g.state.SalRoot1 = Steps({2, 2.5, 3, 2.5});
    g.data.MeasSalt[Layer1] = Steps({2.0, -1, 0, 3.0});
    g.readBack.LeachEff[Layer1] = 0.85;
    g.readBack.CoefDet[Layer1] = 87.4;
    return g;
}

TEST(SalinityGraph, FirstLayerLineMarkersTitlesAndLegend) {
    test::GraphData g = FirstLayer();
    const auto [canvas, axis] = test::Draw(GraphType::SalinityFirstLayer, g);
    EXPECT_EQ(axis.YBottom, 1);
    EXPECT_EQ(axis.YTop, 5);

    // Calculated: y = 350 - round((v - 1) x 75): 2 -> 275, 2.5 -> 238, 3 -> 200.
    const auto data = test::DataLines(canvas);
    ASSERT_EQ(data.size(), 3u);
    EXPECT_TRUE(HasLine(canvas, 153, 275, 237, 238, colors::kSilver));
    EXPECT_TRUE(HasLine(canvas, 237, 238, 320, 200, colors::kSilver));
    EXPECT_TRUE(HasLine(canvas, 320, 200, 403, 238, colors::kSilver));

    // Only step 1 has a marker: -1 and 0 are no measurements, and the last step is not drawn.
    const auto markers = Markers(canvas);
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_EQ(markers[0].text, "x");
    EXPECT_EQ(markers[0].x, 146);  // 153 - 7
    EXPECT_EQ(markers[0].y, 273);  // 348 - 75
    EXPECT_EQ(markers[0].font, (Font{"Arial", 10, colors::kWhite}));

    ExpectText(canvas, "Second title", 70, 20, colors::kSilver);
    ExpectText(canvas, "Soil moisture salinity (ECsm in dS / m)", 80, 40, colors::kWhite);
    ExpectText(canvas, "- - - Layer l calculated", 80, 60, colors::kSilver);
    ExpectText(canvas, "  x   Layer 1 measured", 80, 75, colors::kSilver);
    EXPECT_EQ(FindText(canvas, "- - - Transition zone calculated"), nullptr);
}

TEST(SalinityGraph, EfficiencyTextsForOptimisedAssumedAndUnavailableFits) {
    test::GraphData g = FirstLayer();
    {
        g.readBack.Optimized[Layer1] = true;
        const RecordingCanvas canvas = test::Draw(GraphType::SalinityFirstLayer, g).canvas;
        ExpectText(canvas, "Leaching efficiency :   0.85 (optimized)", 390, 25, colors::kWhite);
        ExpectText(canvas, "Model fit index (%)  :    87", 390, 40, colors::kWhite);
    }
    {
        g.readBack.Optimized[Layer1] = false;
        g.readBack.CoefDet[Layer1] = -35;
        const RecordingCanvas canvas = test::Draw(GraphType::SalinityFirstLayer, g).canvas;
        ExpectText(canvas, "Leaching efficiency :   0.85 (assumed)", 390, 25, colors::kWhite);
        ExpectText(canvas, "Model fit index (%)  :   -35", 390, 40, colors::kWhite);
    }
    {
        // Fewer than 4 measurements in the last run: no fit index, whatever the file says.
        g.state.FitNA[Layer1] = true;
        g.readBack.Optimized[Layer1] = true;
        const RecordingCanvas canvas = test::Draw(GraphType::SalinityFirstLayer, g).canvas;
        ExpectText(canvas, "Leaching efficiency :   0.85 (assumed)", 390, 25, colors::kWhite);
        ExpectText(canvas, "Model fit index (%)  : n.a.", 390, 40, colors::kWhite);
        EXPECT_FALSE(test::HasTextContaining(canvas, "(optimized)"));
    }
}

TEST(SalinityGraph, AllSoilLayersWithTwoLayersShowsTheLayersWithoutEfficiencies) {
    test::GraphData g(3, 2);
    g.state.SalRoot1 = Steps({2, 2, 2});
    g.state.SalRoot2 = Steps({3, 3, 3});
    g.state.SalTrans = Steps({9, 9, 9});
    g.readBack.Optimized[Layer1] = true;
    g.readBack.Optimized[Trans] = true;
    const RecordingCanvas canvas = test::Draw(GraphType::SalinityAllLayers, g).canvas;
    ExpectText(canvas, "- - - Layer l calculated", 80, 60, colors::kSilver);
    ExpectText(canvas, "  x   Layer 1 measured", 80, 75, colors::kSilver);
    ExpectText(canvas, "- - - Layer 2 calculated", 80, 90, colors::kWhite);
    ExpectText(canvas, "  o   Layer 2 measured", 80, 105, colors::kWhite);
    EXPECT_EQ(FindText(canvas, "- - - Layer 3 calculated"), nullptr);
    EXPECT_EQ(FindText(canvas, "- - - Transition zone calculated"), nullptr);
    EXPECT_FALSE(test::HasTextContaining(canvas, "Leaching efficiency"));
    EXPECT_FALSE(test::HasTextContaining(canvas, "Model fit"));
    // Lines of layers 1 and 2 only; the transition zone (9 dS/m) does not set the scale.
    EXPECT_EQ(test::LinesOf(canvas, colors::kSilver).size(), 2u);
    EXPECT_TRUE(test::LinesOf(canvas, colors::kAqua).empty());
    EXPECT_EQ(test::DataLines(canvas).size(), 4u);
}

TEST(SalinityGraph, AllSoilLayersWithThreeLayersStacksTheThirdLegend) {
    test::GraphData g(3, 3);
    const RecordingCanvas canvas = test::Draw(GraphType::SalinityAllLayers, g).canvas;
    ExpectText(canvas, "- - - Layer 3 calculated", 80, 120, colors::kLime);
    ExpectText(canvas, "  s   Layer 3 measured", 80, 135, colors::kLime);
}

TEST(SalinityGraph, SecondAndThirdLayerAloneTakeTheFirstLegendPlace) {
    {
        test::GraphData g(3, 2);
        g.state.SalRoot2 = Steps({2, 2, 2});
        g.data.MeasSalt[Layer2] = Steps({3, -1, -1});
        g.readBack.LeachEff[Layer2] = 0.5;
        g.readBack.CoefDet[Layer2] = 12;
        const RecordingCanvas canvas = test::Draw(GraphType::SalinitySecondLayer, g).canvas;
        ExpectText(canvas, "- - - Layer 2 calculated", 80, 60, colors::kYellow);
        ExpectText(canvas, "  o   Layer 2 measured", 80, 75, colors::kYellow);
        ExpectText(canvas, "Leaching efficiency :   0.50 (assumed)", 390, 25, colors::kWhite);
        ExpectText(canvas, "Model fit index (%)  :    12", 390, 40, colors::kWhite);
        // Axis 1 to 5: 3 dS/m at 348 - 150; "o" sits on the step's column.
        ExpectText(canvas, "o", 195, 198, colors::kLemon, 10);
        // 2 segments, 2 axis lines, 9 ticks on each axis (8 intervals each).
        EXPECT_EQ(test::LinesOf(canvas, colors::kWhite).size(), 2u + 2 + 9 + 9);
    }
    {
        test::GraphData g(3, 3);
        g.state.SalRoot3 = Steps({2, 2, 2});
        g.data.MeasSalt[Layer3] = Steps({3, -1, -1});
        const RecordingCanvas canvas = test::Draw(GraphType::SalinityThirdLayer, g).canvas;
        ExpectText(canvas, "- - - Layer 3 calculated", 80, 60, colors::kLime);
        ExpectText(canvas, "  s   Layer 3 measured", 80, 75, colors::kLime);
        ExpectText(canvas, "s", 202, 200, colors::kPaleGreen, 10);  // 7 right, 2 lower
        EXPECT_EQ(test::LinesOf(canvas, colors::kLime).size(), 2u);
    }
}

TEST(SalinityGraph, LayerThatDoesNotExistDrawsNoData) {
    test::GraphData g(3, 1);
    g.state.SalRoot2 = Steps({2, 2, 2});
    const RecordingCanvas canvas = test::Draw(GraphType::SalinitySecondLayer, g).canvas;
    EXPECT_TRUE(test::DataLines(canvas).empty());
    EXPECT_EQ(FindText(canvas, "- - - Layer 2 calculated"), nullptr);
}

// Three steps below the root zone: transition zone 2 dS/m with a measurement of 3 at step 1,
// aquifer 4 dS/m with 5 at step 2. Axis 1 to 8 (300/7 pixels per dS/m), x = 195, 320, 445.
test::GraphData Below() {
    test::GraphData g(3, 1);
    g.state.SalTrans = Steps({2, 2, 2});
    g.state.SalAquif = Steps({4, 4, 4});
    g.data.MeasSalt[Trans] = Steps({3, -1, -1});
    g.data.MeasSalt[Aquif] = Steps({-1, 5, -1});
    g.readBack.LeachEff[Trans] = 0.6;
    g.readBack.Optimized[Trans] = true;
    g.readBack.CoefDet[Trans] = 75;
    g.readBack.LeachEff[Aquif] = 0.3;
    g.readBack.Optimized[Aquif] = true;
    g.state.FitNA[Aquif] = true;
    return g;
}

TEST(SalinityGraph, BelowRootZoneInterleavesItsLinesAndShowsOptimisedEfficiencies) {
    const test::GraphData g = Below();
    const auto [canvas, axis] = test::Draw(GraphType::SalinityBelow, g);
    EXPECT_EQ(axis.YTop, 8);
    EXPECT_EQ(axis.YBottom, 1);

    // 2 -> 350 - round(42.9) = 307, 4 -> 350 - round(128.6) = 221; segment by segment.
    const auto data = test::DataLines(canvas);
    ASSERT_EQ(data.size(), 4u);
    EXPECT_EQ(data[0].color, colors::kAqua);
    EXPECT_EQ(data[1].color, colors::kPink);
    EXPECT_EQ(data[2].color, colors::kAqua);
    EXPECT_EQ(data[3].color, colors::kPink);
    EXPECT_TRUE(HasLine(canvas, 195, 307, 320, 307, colors::kAqua));
    EXPECT_TRUE(HasLine(canvas, 320, 221, 445, 221, colors::kPink));

    // Markers 12 to the right and 2 higher: 3 -> 348 - round(85.7) = 262; 5 -> 348 - 171.
    const auto markers = Markers(canvas);
    ASSERT_EQ(markers.size(), 2u);
    ExpectText(canvas, "z", 207, 260, colors::kAqua, 10);
    ExpectText(canvas, "v", 332, 175, colors::kPaleGreen, 10);

    ExpectText(canvas, "- - - Transition zone calculated", 370, 25, colors::kAqua);
    ExpectText(canvas, "  z   Transition zone measured", 370, 40, colors::kAqua);
    ExpectText(canvas, "- - - Aquifer calculated", 370, 55, colors::kPink);
    ExpectText(canvas, "  v   Aquifer measured", 370, 70, colors::kPink);
    ExpectText(canvas, " Leaching efficiency (optimized)  = 0.6", 80, 60, colors::kAqua);
    ExpectText(canvas, " Coefficient of determination (%) = 75", 80, 75, colors::kAqua);
    // The aquifer had too few measurements: no efficiency lines for it.
    EXPECT_EQ(canvas.texts.end(),
              std::find_if(canvas.texts.begin(), canvas.texts.end(),
                           [](const auto& t) { return t.y == 90 || t.y == 105; }));
    EXPECT_FALSE(test::HasTextContaining(canvas, "Leaching efficiency :"));
}

TEST(SalinityGraph, TransitionZoneWithTooFewMeasurementsShowsNoEfficiencyLines) {
    test::GraphData g = Below();
    g.state.FitNA[Trans] = true;
    const RecordingCanvas canvas = test::Draw(GraphType::SalinityBelow, g).canvas;
    EXPECT_FALSE(test::HasTextContaining(canvas, "Leaching efficiency"));
    EXPECT_FALSE(test::HasTextContaining(canvas, "Coefficient"));
}

TEST(SalinityGraph, OneLayerAllZonesScalesFromZeroAndIgnoresAbsentLayers) {
    test::GraphData g(3, 1);
    g.state.SalRoot1 = Steps({4, 6, 5});
    g.state.SalRoot2 = Steps({100, 100, 100});  // left over from an earlier project
    g.data.MeasSalt[Layer3] = Steps({80, 80, 80});
    g.state.SalTrans = Steps({2, 2, 2});
    g.state.SalAquif = Steps({3, 3, 3});
    g.readBack.Optimized[Trans] = true;
    g.readBack.LeachEff[Trans] = 0.25;
    g.readBack.CoefDet[Trans] = 40;
    const auto [canvas, axis] = test::Draw(GraphType::SalinityAllLayers, g);
    // Largest 6, absent layers 0: YTopReal 8.4 -> YTop 9 over 9 intervals; then x 1.2:
    // 10.08 -> YTop 10, intervals kept.
    EXPECT_EQ(axis.YBottom, 0);
    EXPECT_EQ(axis.YTop, 10);
    EXPECT_EQ(axis.YDivisions, 9);
    ExpectText(canvas, "- - - Layer l calculated", 80, 60, colors::kSilver);
    ExpectText(canvas, "- - - Transition zone calculated", 370, 25, colors::kAqua);
    ExpectText(canvas, "- - - Aquifer calculated", 370, 55, colors::kPink);
    ExpectText(canvas, " Leaching efficiency (optimized)  = 0.25", 80, 60, colors::kAqua);
    EXPECT_FALSE(test::HasTextContaining(canvas, "Leaching efficiency :"));
    EXPECT_TRUE(test::LinesOf(canvas, colors::kLime).empty());
    EXPECT_EQ(test::DataLines(canvas).size(), 6u);  // layer 1, transition zone, aquifer
}

TEST(Graphs, OneTimeStepDrawsOnlyFrameTitlesAndAxes) {
    for (int t = 0; t < kGraphTypeCount; ++t) {
        const auto type = static_cast<GraphType>(t);
        SCOPED_TRACE(t);
        test::GraphData g(1, 3);
        g.data.Rain = Steps({5});
        g.state.Percol = Steps({5});
        g.state.DepthWT = Steps({1});
        for (int z = 1; z <= kZoneCount; ++z) g.data.MeasSalt[z] = Steps({2});
        for (Series* s : {&g.state.SalRoot1, &g.state.SalRoot2, &g.state.SalRoot3,
                          &g.state.SalTrans, &g.state.SalAquif})
            *s = Steps({2});
        const auto [canvas, axis] = test::Draw(type, g);
        EXPECT_TRUE(test::DataLines(canvas).empty());
        EXPECT_EQ(canvas.fills.size(), 2u);
        EXPECT_TRUE(Markers(canvas).empty());
        EXPECT_EQ(canvas.lines.size(),
                  static_cast<std::size_t>(2 + axis.YDivisions + 1 + axis.XDivisions + 1));
        EXPECT_NE(FindText(canvas, "Time step"), nullptr);
    }
}

}  // namespace
}  // namespace halosoil
