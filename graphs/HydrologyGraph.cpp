// The hydrological flows per time step as step lines: the surface flows (rainfall,
// irrigation, actual evaporation), the subsurface flows (percolation, capillary rise,
// drainage), or all six.
#include <vector>

#include "DrawGraph.h"
#include "GraphColors.h"
#include "GraphFrame.h"
#include "GraphScaling.h"
#include "PointMapping.h"

namespace halosoil {

namespace {

struct Flow {
    const Series* values;
    Color color;
    int shift;  // pixels to the right, so that equal flows stay visible side by side
};

struct LegendEntry {
    const char* text;
    Color color;
};

void DrawLegend(Canvas& canvas, const std::vector<LegendEntry>& entries, int firstY) {
    int y = firstY;
    for (const LegendEntry& entry : entries) {
        canvas.DrawText(80, y, entry.text, GraphFont(8, entry.color));
        y += 15;
    }
}

// A series as steps: level at the value of step i from x(i) to x(i + 1), risers between
// neighbouring levels. The last step has no right end and is not drawn.
void DrawSteps(Canvas& canvas, const std::vector<int>& x, const std::vector<int>& y, int nrTst,
               Color color, int shift) {
    for (int i = 1; i <= nrTst - 1; ++i) {
        canvas.DrawLine(x[i] + shift, y[i], x[i + 1] + shift, y[i], color, 1);
    }
    for (int i = 1; i <= nrTst - 2; ++i) {
        canvas.DrawLine(x[i + 1] + shift, y[i], x[i + 1] + shift, y[i + 1], color, 1);
    }
}

}  // namespace

AxisState DrawHydrologyGraph(Canvas& canvas, GraphType type, const GraphSource& source) {
    const InputData& data = source.data;
    const RunState& state = source.state;
    const int nrTst = data.NrTst;
    const bool all = type == GraphType::AllHydrology;
    const bool surface = all || type == GraphType::SurfaceHydrology;
    const bool subsurface = all || type == GraphType::SubsurfaceHydrology;

    std::vector<Flow> flows;
    if (surface) {
        flows.push_back({&data.Rain, colors::kWhite, -2});
        flows.push_back({&data.Irrig, colors::kYellow, 2});
        flows.push_back({&state.ActEvap, colors::kLime, 0});
    }
    if (subsurface) {
        flows.push_back({&state.Percol, colors::kAqua, 1});
        flows.push_back({&state.CapRise, colors::kRed, 2});
        flows.push_back({&state.Drain, colors::kSand, 3});
    }

    std::vector<const Series*> shown;
    std::vector<SeriesToMap> toMap;
    for (const Flow& flow : flows) {
        shown.push_back(flow.values);
        toMap.push_back({flow.values, kHydrologyBase});
    }
    const AxisState axis = ScaleHydrologyGraph(shown, nrTst, all);
    const MappedPoints points = MapPoints(axis, nrTst, toMap);

    DrawGraphFrame(canvas, data.Title1);
    canvas.DrawText(270, 20, "Hydrologic flow factors (mm / time step)",
                    GraphFont(8, colors::kWhite));
    if (surface) {
        // Surface drainage is not computed; its entry tells the user so by having no line.
        DrawLegend(canvas,
                   {{"- - - Rainfall", colors::kWhite},
                    {"- - - Irrigation", colors::kYellow},
                    {"- - - Evaporation", colors::kLime},
                    {"- - - Surf. drainage", colors::kSkyBlue}},
                   30);
    }
    if (subsurface) {
        DrawLegend(canvas,
                   {{"- - - Percolation", colors::kAqua},
                    {"- - - Capillary rise", colors::kRed},
                    {"- - - Subs. drainage", colors::kSand}},
                   all ? 90 : 30);
    }

    for (std::size_t f = 0; f < flows.size(); ++f) {
        DrawSteps(canvas, points.x, points.y[f], nrTst, flows[f].color, flows[f].shift);
    }
    DrawAxes(canvas, axis);
    return axis;
}

}  // namespace halosoil
