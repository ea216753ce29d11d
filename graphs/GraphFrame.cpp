#include "GraphFrame.h"

#include "GraphColors.h"
#include "GraphRounding.h"
#include "NumberFormat.h"

namespace halosoil {

Font GraphFont(int size, Color color) {
    return Font{kFontFace, size, color};
}

void DrawGraphFrame(Canvas& canvas, const std::string& title1) {
    // The background rectangle is larger than the bitmap so that it surely covers all of it.
    canvas.FillRect({0, 0, 623, 460}, colors::kSilver);
    canvas.DrawText(20, 5, title1, GraphFont(10, colors::kBlack));
    canvas.DrawText(20, 425, std::string("Program Halosoil at ") + kWebAddress,
                    GraphFont(8, colors::kBlack));
    canvas.FillRect({20, 19, 605, 420}, colors::kDarkBlue);
    canvas.DrawText(516, 375, "Time step", GraphFont(8, colors::kWhite));
}

std::string AxisLabel(double value, int decimals) {
    return Fixed(value, decimals + 2, decimals);
}

namespace {

void DrawVerticalAxis(Canvas& canvas, const AxisState& axis, const Font& font) {
    canvas.DrawLine(kPlotLeft, kPlotBottom, kPlotLeft, kPlotTop, colors::kWhite, 1);
    for (int k = 0; k <= axis.YDivisions; ++k) {
        const double fraction = static_cast<double>(k) / axis.YDivisions;
        const int y = RoundHalfEven(fraction * 300 + 50);
        canvas.DrawLine(70, y, 66, y, colors::kWhite, 1);
        const std::string label =
            AxisLabel(axis.YTop - fraction * (axis.YTop - axis.YBottom), axis.YDecimals);
        // Right-aligned to x = 64 and centred on its tick.
        const int left = 64 - canvas.TextWidth(label, font);
        const int top = y - RoundHalfEven(canvas.TextHeight(label, font) * 0.5);
        canvas.DrawText(left, top, label, font);
    }
}

void DrawHorizontalAxis(Canvas& canvas, const AxisState& axis, const Font& font) {
    canvas.DrawLine(kPlotLeft, kPlotBottom, kPlotRight, kPlotBottom, colors::kWhite, 1);
    for (int k = 0; k <= axis.XDivisions; ++k) {
        const double fraction = static_cast<double>(k) / axis.XDivisions;
        const int x = RoundHalfEven(fraction * 500 + 70);
        canvas.DrawLine(x, 350, x, 354, colors::kWhite, 1);
        const double value =
            axis.XBottom + static_cast<double>((axis.XTop - axis.XBottom) * k) / axis.XDivisions;
        canvas.DrawText(RoundHalfEven(fraction * 500 + 62), 362, AxisLabel(value, axis.XDecimals),
                        font);
    }
}

}  // namespace

void DrawAxes(Canvas& canvas, const AxisState& axis) {
    const Font font = GraphFont(8, colors::kWhite);
    DrawVerticalAxis(canvas, axis, font);
    DrawHorizontalAxis(canvas, axis, font);
}

}  // namespace halosoil
