#include "GraphScaling.h"

#include <climits>
#include <cmath>

#include "GraphRounding.h"
#include "PointMapping.h"

namespace halosoil {

namespace {

int R(double value) {
    return RoundHalfEven(value);
}

// An axis whose ends meet, or that has no tick interval, cannot map values to pixels (the
// mapping divides by its range and the ticks by their count). Constant data can produce
// one, for instance salinities that are all 0: open it by one unit upwards.
void OpenCollapsedAxis(AxisState& axis) {
    if (axis.YTop <= axis.YBottom) axis.YTop = axis.YBottom + 1;
    if (axis.YDivisions < 1) axis.YDivisions = 4;
}

// Whether the bar of the lowest level would end below the horizontal axis line, with the
// top the axis gets from YTopReal and the bottom set so far. The water-table bars sit a few
// pixels above their value, so a level a little below the axis end still lies inside.
bool LowestBarBelowAxis(const AxisState& axis, double lowest) {
    AxisState final = axis;
    if (axis.YTopReal >= 10 && axis.YTopReal < 25) final.YTop = 4 * R((axis.YTopReal + 2) / 4);
    if (final.YTop <= final.YBottom || lowest >= final.YBottom) return false;
    return ValueY(final, lowest, kWaterTableBase) > kPlotBottom;
}

// The bands of tick counts of the hydrology graph: a count above `above` and at most
// `atMost` becomes the rounded top less `lowered`, less the bottom, with `decimals`.
struct HydrologyBand {
    int above;
    int atMost;
    double lowered;
    int decimals;
};
constexpr HydrologyBand kHydrologyBands[] = {
    {10, 20, 8, 1}, {20, 30, 18, 1}, {30, 40, 28, 1}, {40, 50, 38, 0}, {50, INT_MAX, 48, 0}};

// The vertical axis of the water table and of the salinities below a top of 25: whole units
// below 10, fours below 25; then at least five intervals where doubling twice gives them.
void FitSmallRange(AxisState& axis) {
    if (axis.YTopReal < 10) {
        axis.YTop = R(axis.YTopReal + 0.5);
        axis.YDivisions = axis.YTop - axis.YBottom;
    } else if (axis.YTopReal < 25) {
        axis.YTop = 4 * R((axis.YTopReal + 2) / 4);
        axis.YDivisions = (axis.YTop - axis.YBottom) / 4;
    }
    if (axis.YDivisions < 5) axis.YDivisions *= 2;
    if (axis.YDivisions < 5) axis.YDivisions *= 2;
}

// The ticks of the horizontal axis: below `below` (the steps plus one) one every `unit`
// steps, the axis end rounded to the nearest whole unit; the last unit serves all the rest.
// (The end at 25 steps a tick is (2x + 25) / 50 units by the book: the same double as
// (x + 12.5) / 25, since doubling is exact.)
struct HorizontalUnit {
    double below;
    int unit;
};
constexpr HorizontalUnit kHorizontalUnits[] = {{10, 1},     {25, 4},       {50, 5},
                                               {100, 10},   {250, 25},     {500, 50},
                                               {1000, 100}, {10000, 1000}, {HUGE_VAL, 10000}};

}  // namespace

void ScaleHorizontalAxis(AxisState& axis, int nrTst, GraphFamily family) {
    axis.XTopReal = nrTst + 1;
    axis.XBottom = 0;
    axis.XDecimals = axis.XTopReal < 6 ? 1 : 0;
    const double x = axis.XTopReal;
    int unit = kHorizontalUnits[0].unit;
    for (const HorizontalUnit& candidate : kHorizontalUnits) {
        unit = candidate.unit;
        if (x < candidate.below) break;
    }
    axis.XTop = unit * R((x + unit / 2.0) / unit);
    axis.XDivisions = axis.XTop / unit;
    if (family != GraphFamily::Hydrology && axis.XDivisions < 5) axis.XDivisions *= 2;
    if (family == GraphFamily::Salinity && axis.XDivisions > 10) axis.XDivisions = 10;
}

AxisState ScaleHydrologyGraph(const std::vector<const Series*>& flows, int nrTst, bool allFlows) {
    AxisState axis;
    double largest = 0;
    for (const Series* flow : flows) {
        for (int i = 1; i <= nrTst; ++i) {
            const double value = ValueAt(*flow, i);
            if (value > largest) largest = value;
        }
    }
    axis.YTopReal = 1.2 * largest;
    if (allFlows) axis.YTopReal = axis.YTopReal * 1.2;
    axis.YBottomReal = 0;
    axis.YBottom = 0;

    const int c = R(axis.YTopReal + 2);
    axis.YTop = c;
    axis.YDivisions = c;
    axis.YDecimals = 2;
    // Larger ranges get fewer intervals and fewer decimals; each test reads the count left
    // by the one before, so the bands are tried in this order.
    for (const HydrologyBand& band : kHydrologyBands) {
        if (axis.YDivisions > band.above && axis.YDivisions <= band.atMost) {
            axis.YDivisions = R(axis.YTopReal - band.lowered) - axis.YBottom;
            axis.YDecimals = band.decimals;
        }
    }
    if (axis.YDivisions > 10) axis.YDivisions = 10;
    if (axis.YDivisions < 4) axis.YDivisions = 5;

    ScaleHorizontalAxis(axis, nrTst, GraphFamily::Hydrology);
    OpenCollapsedAxis(axis);
    return axis;
}

AxisState ScaleWaterTableGraph(const Series& depthWT, int nrTst) {
    AxisState axis;
    double highest = -1000000;
    double lowest = 1000000;
    for (int i = 1; i <= nrTst; ++i) {
        const double level = -ValueAt(depthWT, i);
        if (level > highest) highest = level;
        if (level < lowest) lowest = level;
    }
    axis.YTopReal = 1.2 * highest;
    if (axis.YTopReal < 0) axis.YTopReal = 0;
    axis.YTop = R(axis.YTopReal + 0.5);
    axis.YBottomReal = 0.9 * lowest;
    axis.YBottom = R(axis.YBottomReal - 0.5);
    // 0.9 x the lowest level lies above that level when the level is negative, and the
    // rounding may lift the axis end further; the deepest bars can then reach under the axis
    // line into its labels. Only then the axis goes down to the whole metre below.
    if (nrTst >= 1 && LowestBarBelowAxis(axis, lowest))
        axis.YBottom = static_cast<int>(std::floor(lowest));
    axis.YDecimals = 1;
    axis.YDivisions = axis.YTop - axis.YBottom;
    if (axis.YDivisions > 10) axis.YDivisions = 10;
    FitSmallRange(axis);

    ScaleHorizontalAxis(axis, nrTst, GraphFamily::WaterTable);
    OpenCollapsedAxis(axis);
    return axis;
}

AxisState ScaleSalinityGraph(const std::vector<const Series*>& calculated,
                             const std::vector<const Series*>& measured, int nrTst,
                             bool oneLayerAllZones) {
    AxisState axis;
    double highest = 0;
    double lowest = 1000000;
    for (const Series* series : calculated) {
        for (int i = 1; i <= nrTst; ++i) {
            const double value = ValueAt(*series, i);
            if (value > highest) highest = value;
            if (value < lowest) lowest = value;
        }
    }
    for (const Series* series : measured) {
        for (int i = 1; i <= nrTst; ++i) {
            const double value = ValueAt(*series, i, kMissing);
            if (value > highest) highest = value;
            if (value > 0 && value < lowest) lowest = value;
        }
    }
    axis.YTopReal = 1.4 * highest;
    axis.YBottomReal = 0.8 * lowest;
    if (axis.YBottomReal < 0) axis.YBottomReal = 0;

    axis.YTop = R(axis.YTopReal);
    axis.YBottom = R(axis.YBottomReal - 0.5);
    axis.YDecimals = 1;
    axis.YDivisions = axis.YTop - axis.YBottom;
    FitSmallRange(axis);
    if (axis.YDivisions > 10) axis.YDivisions = 10;

    ScaleHorizontalAxis(axis, nrTst, GraphFamily::Salinity);

    // Room for the three legends at the top; the tick count stays.
    if (oneLayerAllZones) {
        axis.YTopReal = axis.YTopReal * 1.2;
        axis.YTop = R(axis.YTopReal);
    }
    OpenCollapsedAxis(axis);
    return axis;
}

}  // namespace halosoil
