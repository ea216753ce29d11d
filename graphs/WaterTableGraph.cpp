// The level of the water table relative to the soil surface as bars, one per time step,
// reaching from the level to the top of the axis or, when the water table reaches the
// surface at some step, to the surface line.
#include <utility>
#include <vector>

#include "DrawGraph.h"
#include "GraphColors.h"
#include "GraphFrame.h"
#include "GraphScaling.h"
#include "PointMapping.h"

namespace halosoil {

namespace {

// The columns (or rows) from one edge to the other, whichever way they are given: edges
// given backwards cover the same pixels shifted by one.
std::pair<int, int> Span(int from, int to) {
    return to >= from ? std::pair{from, to} : std::pair{to + 1, from + 1};
}

// A bar is given by two corners, (left, top) and (right, bottom), of which the first belongs
// to it and the second does not, whichever way they lie; a bar from a level up to the axis
// top thus comes with its "top" below its "bottom". The canvas takes the same columns and
// rows as an ordinary rectangle.
Rect BarRect(int left, int top, int right, int bottom) {
    const auto [x1, x2] = Span(left, right);
    const auto [y1, y2] = Span(top, bottom);
    return Rect{x1, y1, x2, y2};
}

}  // namespace

AxisState DrawWaterTableGraph(Canvas& canvas, const GraphSource& source) {
    const InputData& data = source.data;
    const int nrTst = data.NrTst;
    const Series& depth = source.state.DepthWT;

    Series level(static_cast<std::size_t>(nrTst < 0 ? 0 : nrTst) + 1, 0.0);
    double highest = -1000000;
    for (int i = 1; i <= nrTst; ++i) {
        level[i] = -ValueAt(depth, i);
        if (level[i] > highest) highest = level[i];
    }
    const AxisState axis = ScaleWaterTableGraph(depth, nrTst);
    const MappedPoints points = MapPoints(axis, nrTst, {{&level, kWaterTableBase}});
    const std::vector<int>& x = points.x;
    const std::vector<int>& y = points.y[0];

    DrawGraphFrame(canvas, data.Title1);
    canvas.DrawText(80, 30, " Level of water table relative to soil surface",
                    GraphFont(8, colors::kWhite));

    // When the water table reaches the surface the bars stand on the surface line, else they
    // hang from the top of the axis, which is then the surface.
    const bool reachesSurface = highest >= 0;
    const int surface = (axis.YBottom * 300) / (axis.YTop - axis.YBottom) + 350;
    const int reference = reachesSurface ? surface : kPlotTop;
    for (int i = 1; i <= nrTst - 1; ++i) {
        const Color color = i % 2 == 1 ? colors::kInactiveCaption : colors::kSkyBlue;
        const Rect bar = y[i + 1] >= kPlotTop ? BarRect(x[i], y[i], x[i + 1], reference)
                                              : BarRect(x[i], reference, x[i + 1], y[i + 1]);
        if (bar.left < bar.right && bar.top < bar.bottom) canvas.FillRect(bar, color);
    }
    DrawAxes(canvas, axis);
    return axis;
}

}  // namespace halosoil
