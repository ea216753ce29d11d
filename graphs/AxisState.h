// The axis state of the graph being drawn: what the scaling sets from the data and what the
// mapping of values to pixels and the drawing of the axes read.
#pragma once

namespace halosoil {

struct AxisState {
    double YTopReal = 0;  // data range of the vertical axis before rounding
    double YBottomReal = 0;
    double XTopReal = 0;  // NrTst + 1
    int YTop = 0;         // values at the top and the bottom of the vertical axis
    int YBottom = 0;
    int XTop = 0;  // values at the right and the left end of the horizontal axis
    int XBottom = 0;
    int YDivisions = 0;  // tick intervals of each axis
    int XDivisions = 0;
    int YDecimals = 0;  // decimals of the tick labels
    int XDecimals = 0;
    int PlotWidth = 500;  // pixels
    int PlotHeight = 300;
};

// The plot area of every graph, in pixels.
inline constexpr int kPlotLeft = 70;
inline constexpr int kPlotRight = 570;
inline constexpr int kPlotTop = 50;
inline constexpr int kPlotBottom = 350;

}  // namespace halosoil
