// The salinities of the soil moisture per time step: calculated values as lines, measured
// values as letters, with legends and the leaching efficiencies that produced them.
#include <string>
#include <vector>

#include "DrawGraph.h"
#include "GraphColors.h"
#include "GraphFrame.h"
#include "GraphScaling.h"
#include "NumberFormat.h"
#include "PointMapping.h"

namespace halosoil {

namespace {

// How one zone is drawn: its line colour and its measured marker, placed relative to the
// step's column and the measured value's row so that markers of different zones at the same
// step stay apart.
struct ZoneStyle {
    int zone;
    Color lineColor;
    const char* marker;
    Color markerColor;
    int markerDx;
    int markerDy;
};

constexpr ZoneStyle kLayer1Style{Layer1, colors::kSilver, "x", colors::kWhite, -7, 0};
constexpr ZoneStyle kLayer2Style{Layer2, colors::kWhite, "o", colors::kLemon, 0, 0};
constexpr ZoneStyle kLayer3Style{Layer3, colors::kLime, "s", colors::kPaleGreen, 7, 2};
constexpr ZoneStyle kTransStyle{Trans, colors::kAqua, "z", colors::kAqua, 12, -2};
constexpr ZoneStyle kAquifStyle{Aquif, colors::kPink, "v", colors::kPaleGreen, 12, -2};

// The zones whose lines and markers are drawn, top down.
std::vector<ZoneStyle> ZoneStyles(const SalinityZones& shown) {
    std::vector<ZoneStyle> styles;
    if (shown.layer1) styles.push_back(kLayer1Style);
    if (shown.layer2) styles.push_back(kLayer2Style);
    if (shown.layer3) styles.push_back(kLayer3Style);
    if (shown.below) {
        styles.push_back(kTransStyle);
        styles.push_back(kAquifStyle);
    }
    return styles;
}

const Series& CalculatedSalinity(const RunState& state, int zone) {
    switch (zone) {
        case Layer1:
            return state.SalRoot1;
        case Layer2:
            return state.SalRoot2;
        case Layer3:
            return state.SalRoot3;
        case Trans:
            return state.SalTrans;
        default:
            return state.SalAquif;
    }
}

void Text8(Canvas& canvas, int x, int y, const std::string& text, Color color) {
    canvas.DrawText(x, y, text, GraphFont(8, color));
}

// The efficiency of a root-zone layer and how well the model fits its measurements.
void DrawLayerEfficiency(Canvas& canvas, int zone, const GraphSource& source) {
    const OutputReadBack& readBack = source.readBack;
    const std::string efficiency = "Leaching efficiency : " + Fixed(readBack.LeachEff[zone], 6, 2);
    if (source.state.FitNA[zone]) {
        Text8(canvas, 390, 25, efficiency + " (assumed)", colors::kWhite);
        Text8(canvas, 390, 40, "Model fit index (%)  : n.a.", colors::kWhite);
        return;
    }
    const char* how = readBack.Optimized[zone] ? " (optimized)" : " (assumed)";
    Text8(canvas, 390, 25, efficiency + how, colors::kWhite);
    Text8(canvas, 390, 40, "Model fit index (%)  : " + Fixed(readBack.CoefDet[zone], 5, 0),
          colors::kWhite);
}

// The optimised efficiency of the transition zone or the aquifer; nothing when it was given.
void DrawBelowEfficiency(Canvas& canvas, int zone, int y, Color color, const GraphSource& source) {
    if (source.state.FitNA[zone] || !source.readBack.Optimized[zone]) return;
    Text8(canvas, 80, y,
          " Leaching efficiency (optimized)  = " + GeneralText(source.readBack.LeachEff[zone]),
          color);
    Text8(canvas, 80, y + 15,
          " Coefficient of determination (%) = " + GeneralText(source.readBack.CoefDet[zone]),
          color);
}

void DrawLegendsAndEfficiencies(Canvas& canvas, GraphType type, const SalinityZones& shown,
                                const GraphSource& source) {
    const bool withLayerEfficiency = type != GraphType::SalinityAllLayers;
    if (shown.layer1) {
        // A letter l, not the digit: the users' pictures and habits know this spelling.
        Text8(canvas, 80, 60, "- - - Layer l calculated", colors::kSilver);
        Text8(canvas, 80, 75, "  x   Layer 1 measured", colors::kSilver);
        if (withLayerEfficiency) DrawLayerEfficiency(canvas, Layer1, source);
    }
    if (shown.layer2) {
        const int y = shown.layer1 ? 90 : 60;
        const Color color = shown.layer1 ? colors::kWhite : colors::kYellow;
        Text8(canvas, 80, y, "- - - Layer 2 calculated", color);
        Text8(canvas, 80, y + 15, "  o   Layer 2 measured", color);
        if (withLayerEfficiency) DrawLayerEfficiency(canvas, Layer2, source);
    }
    if (shown.layer3) {
        const int y = shown.layer1 || shown.layer2 ? 120 : 60;
        Text8(canvas, 80, y, "- - - Layer 3 calculated", colors::kLime);
        Text8(canvas, 80, y + 15, "  s   Layer 3 measured", colors::kLime);
        if (withLayerEfficiency) DrawLayerEfficiency(canvas, Layer3, source);
    }
    if (shown.below) {
        Text8(canvas, 370, 25, "- - - Transition zone calculated", colors::kAqua);
        Text8(canvas, 370, 40, "  z   Transition zone measured", colors::kAqua);
        Text8(canvas, 370, 55, "- - - Aquifer calculated", colors::kPink);
        Text8(canvas, 370, 70, "  v   Aquifer measured", colors::kPink);
        DrawBelowEfficiency(canvas, Trans, 60, colors::kAqua, source);
        DrawBelowEfficiency(canvas, Aquif, 90, colors::kPink, source);
    }
}

}  // namespace

AxisState DrawSalinityGraph(Canvas& canvas, GraphType type, const GraphSource& source) {
    const InputData& data = source.data;
    const RunState& state = source.state;
    const int nrTst = data.NrTst;
    const int layers = LayerCount(data);
    const SalinityZones shown = ZonesShown(type, layers);
    const std::vector<ZoneStyle> styles = ZoneStyles(shown);

    // The scale covers the zones shown. With one layer, "all soil layers" scales over all
    // five zones; layers 2 and 3 do not exist then and count as salinity 0 without
    // measurements, whatever an earlier project left in their series.
    const bool oneLayerAll = type == GraphType::SalinityAllLayers && layers == 1;
    const Series absentLayer(static_cast<std::size_t>(nrTst < 0 ? 0 : nrTst) + 1, 0.0);
    std::vector<const Series*> calculated;
    std::vector<const Series*> measured;
    for (const ZoneStyle& style : styles) {
        if (oneLayerAll && style.zone == Trans) {
            calculated.push_back(&absentLayer);
            calculated.push_back(&absentLayer);
        }
        calculated.push_back(&CalculatedSalinity(state, style.zone));
        measured.push_back(&data.MeasSalt[style.zone]);
    }
    const AxisState axis = ScaleSalinityGraph(calculated, measured, nrTst, oneLayerAll);

    std::vector<SeriesToMap> toMap;
    for (const ZoneStyle& style : styles) {
        toMap.push_back({&CalculatedSalinity(state, style.zone), kCalculatedSalinityBase});
        toMap.push_back({&data.MeasSalt[style.zone], kMeasuredSalinityBase, kMissing});
    }
    const MappedPoints points = MapPoints(axis, nrTst, toMap);
    const std::vector<int>& x = points.x;

    DrawGraphFrame(canvas, data.Title1);
    Text8(canvas, 70, 20, data.Title2, colors::kSilver);
    Text8(canvas, 80, 40, "Soil moisture salinity (ECsm in dS / m)", colors::kWhite);
    DrawLegendsAndEfficiencies(canvas, type, shown, source);

    // Calculated salinities as lines; the transition zone and the aquifer segment by segment
    // in turn, so that neither hides the other along its whole length.
    std::size_t firstBelow = styles.size();
    for (std::size_t s = 0; s < styles.size(); ++s) {
        if (styles[s].zone == Trans) {
            firstBelow = s;
            break;
        }
        const std::vector<int>& y = points.y[2 * s];
        for (int i = 1; i <= nrTst - 1; ++i) {
            canvas.DrawLine(x[i], y[i], x[i + 1], y[i + 1], styles[s].lineColor, 1);
        }
    }
    if (firstBelow < styles.size()) {
        const std::vector<int>& trans = points.y[2 * firstBelow];
        const std::vector<int>& aquif = points.y[2 * firstBelow + 2];
        for (int i = 1; i <= nrTst - 1; ++i) {
            canvas.DrawLine(x[i], trans[i], x[i + 1], trans[i + 1], kTransStyle.lineColor, 1);
            canvas.DrawLine(x[i], aquif[i], x[i + 1], aquif[i + 1], kAquifStyle.lineColor, 1);
        }
    }

    // Measured salinities as letters, only where a measurement exists (-1 and 0 mean none).
    for (std::size_t s = 0; s < styles.size(); ++s) {
        const ZoneStyle& style = styles[s];
        const Series& values = data.MeasSalt[style.zone];
        const std::vector<int>& y = points.y[2 * s + 1];
        const Font font = GraphFont(10, style.markerColor);
        for (int i = 1; i <= nrTst - 1; ++i) {
            if (ValueAt(values, i, kMissing) > 0) {
                canvas.DrawText(x[i] + style.markerDx, y[i] + style.markerDy, style.marker, font);
            }
        }
    }
    DrawAxes(canvas, axis);
    return axis;
}

}  // namespace halosoil
