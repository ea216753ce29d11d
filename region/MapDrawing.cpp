#include "MapDrawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "StringToFloat.h"

namespace halosoil::region {

namespace {

constexpr int kMargin = 16;
constexpr int kTitleHeight = 36;
constexpr int kMaxMapWidth = 640;
constexpr int kMaxMapHeight = 560;
constexpr int kLegendGap = 32;
constexpr int kLegendWidth = 230;
constexpr int kLegendRow = 20;
// The heading, every class, no data and the threshold.
constexpr int kLegendHeight = kLegendRow * (kMaxClasses + 3);
constexpr int kScaleBarHeight = 40;
constexpr double kHatchSpacing = 6;

const Font kTitleFont{"Arial", 14, {0, 0, 0}};
const Font kLegendFont{"Arial", 10, {0, 0, 0}};
const Font kScaleFont{"Arial", 9, {0, 0, 0}};

struct Extent {
    double minX = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    bool Empty() const { return minX > maxX; }
};

Extent ExtentOf(const ResultsLayer& layer) {
    Extent extent;
    for (const MapField& field : layer.fields)
        for (const Polygon& polygon : field.shape)
            for (const Ring& ring : polygon)
                for (const Point& p : ring) {
                    extent.minX = std::min(extent.minX, p.x);
                    extent.maxX = std::max(extent.maxX, p.x);
                    extent.minY = std::min(extent.minY, p.y);
                    extent.maxY = std::max(extent.maxY, p.y);
                }
    return extent;
}

std::vector<Ring> PixelRings(const Shape& shape, const MapLayout& layout) {
    std::vector<Ring> rings;
    for (const Polygon& polygon : shape)
        for (const Ring& ring : polygon) {
            Ring pixels;
            pixels.reserve(ring.size());
            for (const Point& p : ring) pixels.push_back(layout.ToPixels(p));
            rings.push_back(std::move(pixels));
        }
    return rings;
}

void Outline(Canvas& canvas, const std::vector<Ring>& rings, Color color, int width) {
    for (const Ring& ring : rings) canvas.DrawPolyline(ring, true, color, width);
}

// Black hatching on light fills, white on dark ones, so that it shows on every class.
Color HatchColorOn(Color fill) {
    const int lightness = (299 * fill.r + 587 * fill.g + 114 * fill.b) / 1000;
    return lightness < 128 ? Color{255, 255, 255} : kThresholdColor;
}

// Each end at a whole x, its y on the line again: a bitmap then draws every hatch at exactly
// 45 degrees, without the steps that ends at fractions of a pixel make.
Point OnWholePixel(Point p) {
    const double x = std::round(p.x);
    return {x, p.y + (p.x - x)};
}

void Hatch(Canvas& canvas, const std::vector<Ring>& rings, Color fill) {
    for (const auto& [from, to] : HatchSegments(rings, kHatchSpacing))
        canvas.DrawPolyline({OnWholePixel(from), OnWholePixel(to)}, false, HatchColorOn(fill), 1);
}

std::string ValueWithUnit(double value, const std::string& unit) {
    return BreakText(value) + " " + unit;
}

void Swatch(Canvas& canvas, int x, int y, Color color) {
    canvas.FillRect({x, y, x + 18, y + 12}, color);
    canvas.DrawPolyline(
        {{x + 0.5, y + 0.5}, {x + 17.5, y + 0.5}, {x + 17.5, y + 11.5}, {x + 0.5, y + 11.5}}, true,
        kOutlineColor, 1);
}

void DrawLegend(Canvas& canvas, const ResultsLayer& layer, const MapClasses& classes,
                const MapStyle& style, const MapLayout& layout) {
    const study::QuantityInfo& info = study::InfoOf(layer.choice.quantity);
    int y = layout.legendY;
    const int x = layout.legendX;
    canvas.DrawText(x, y, std::string(info.name) + " (" + info.unit + "), " + layer.choice.Label(),
                    kLegendFont);
    y += kLegendRow + 4;
    const std::vector<std::string> labels = ClassLabels(classes);
    for (int k = 0; k < classes.Count(); ++k, y += kLegendRow) {
        Swatch(canvas, x, y, classes.colors[k]);
        canvas.DrawText(x + 26, y - 1, labels[k], kLegendFont);
    }
    const auto missing = std::count_if(layer.fields.begin(), layer.fields.end(),
                                       [](const MapField& f) { return !f.value; });
    if (missing > 0) {
        Swatch(canvas, x, y, kNoDataColor);
        canvas.DrawText(
            x + 26, y - 1,
            "no data (" + std::to_string(missing) + (missing == 1 ? " field)" : " fields)"),
            kLegendFont);
        y += kLegendRow;
    }
    if (style.threshold) {
        canvas.FillRect({x, y, x + 18, y + 12}, {255, 255, 255});
        const std::vector<Ring> box = {
            {{x + 0.0, y + 0.0}, {x + 18.0, y + 0.0}, {x + 18.0, y + 12.0}, {x + 0.0, y + 12.0}}};
        Hatch(canvas, box, {255, 255, 255});
        Outline(canvas, box, kThresholdColor, 2);
        canvas.DrawText(x + 26, y - 1,
                        std::string(style.threshold->below ? "below " : "above ") +
                            ValueWithUnit(style.threshold->value, info.unit),
                        kLegendFont);
    }
}

void DrawScaleBar(Canvas& canvas, const ResultsLayer& layer, const MapLayout& layout) {
    const ScaleBar bar = ScaleBarOf(layer, layout);
    const int x = layout.map.left;
    const int y = layout.height - kMargin - kScaleBarHeight + 12;
    const int length = static_cast<int>(std::lround(bar.length * layout.scaleX));
    canvas.DrawLine(x, y + 8, x + length, y + 8, {0, 0, 0}, 2);
    canvas.DrawLine(x, y + 2, x, y + 9, {0, 0, 0}, 1);
    canvas.DrawLine(x + length - 1, y + 2, x + length - 1, y + 9, {0, 0, 0}, 1);
    canvas.DrawText(x, y + 12, "0", kScaleFont);
    canvas.DrawText(x + length - canvas.TextWidth(bar.label, kScaleFont) / 2, y + 12, bar.label,
                    kScaleFont);
}

}  // namespace

MapThreshold ParseThreshold(const std::string& text) {
    MapThreshold threshold;
    std::string number = text;
    if (!number.empty() && (number[0] == '<' || number[0] == '>')) {
        threshold.below = number[0] == '<';
        number.erase(0, 1);
    }
    try {
        threshold.value = PointStringToFloat(number);
        if (!number.empty() && std::isfinite(threshold.value)) return threshold;
    } catch (const ConversionError&) {
    }
    throw MapRequestError("--threshold: '" + text +
                          "' is not a number (VALUE or >VALUE marks the fields above it, <VALUE "
                          "those below)");
}

MapLayout LayoutOf(const ResultsLayer& layer) {
    const Extent extent = ExtentOf(layer);
    if (extent.Empty()) throw HalosoilError(layer.file + ": no field has a polygon to draw");
    // East-west distances shrink with the cosine of the latitude.
    const double aspect = layer.crs.kind == CrsKind::Geographic
                              ? std::cos((extent.minY + extent.maxY) / 2 * std::numbers::pi / 180)
                              : 1.0;
    double width = (extent.maxX - extent.minX) * aspect;
    double height = extent.maxY - extent.minY;
    // A field as thin as a line still gets a box.
    if (width <= 0 && height <= 0) width = height = 1;
    const double scale = std::min(width > 0 ? kMaxMapWidth / width : HUGE_VAL,
                                  height > 0 ? kMaxMapHeight / height : HUGE_VAL);
    const int mapWidth = std::max(1, static_cast<int>(std::ceil(width * scale - 1e-9)));
    const int mapHeight = std::max(1, static_cast<int>(std::ceil(height * scale - 1e-9)));

    MapLayout layout;
    layout.map = {kMargin, kMargin + kTitleHeight, kMargin + mapWidth,
                  kMargin + kTitleHeight + mapHeight};
    layout.legendX = layout.map.right + kLegendGap;
    layout.legendY = layout.map.top;
    layout.width = layout.legendX + kLegendWidth + kMargin;
    layout.height =
        layout.map.top + std::max(mapHeight, kLegendHeight) + kMargin + kScaleBarHeight + kMargin;
    layout.minX = extent.minX;
    layout.maxY = extent.maxY;
    layout.scaleX = scale * aspect;
    layout.scaleY = scale;
    return layout;
}

ScaleBar ScaleBarOf(const ResultsLayer& layer, const MapLayout& layout) {
    const double target = (layout.map.right - layout.map.left) / 4.0 / layout.scaleX;
    const double power = std::pow(10.0, std::floor(std::log10(target)));
    // A target of 499.99999999999994 m is 500 m.
    const double leading = target / power * (1 + 1e-9);
    ScaleBar bar;
    bar.length = (leading >= 5 ? 5 : leading >= 2 ? 2 : 1) * power;
    switch (layer.crs.kind) {
        case CrsKind::Projected:
            if (layer.crs.unit == "m" && bar.length >= 1000)
                bar.label = BreakText(bar.length / 1000) + " km";
            else
                bar.label = BreakText(bar.length) + " " + layer.crs.unit;
            break;
        case CrsKind::Geographic:
            bar.label = BreakText(bar.length) + "° of longitude";
            break;
        case CrsKind::None:
            bar.label = BreakText(bar.length) + " (layer units)";
            break;
    }
    return bar;
}

std::vector<std::string> ClassLabels(const MapClasses& classes) {
    std::vector<std::string> labels;
    const auto& b = classes.breaks;
    if (b.empty()) return {"all values"};
    labels.push_back("< " + BreakText(b.front()));
    for (std::size_t k = 1; k < b.size(); ++k)
        labels.push_back(BreakText(b[k - 1]) + " – " + BreakText(b[k]));
    labels.push_back("≥ " + BreakText(b.back()));
    return labels;
}

std::vector<std::pair<Point, Point>> HatchSegments(const std::vector<Ring>& rings, double spacing) {
    double low = HUGE_VAL;
    double high = -HUGE_VAL;
    for (const Ring& ring : rings)
        for (const Point& p : ring) {
            low = std::min(low, p.x + p.y);
            high = std::max(high, p.x + p.y);
        }
    std::vector<std::pair<Point, Point>> segments;
    if (low > high) return segments;
    for (double c = std::ceil(low / spacing) * spacing; c <= high; c += spacing) {
        // Where the line x + y = c crosses the edges, by x; each edge counts its lower end
        // only, so that a vertex on the line is crossed once.
        std::vector<Point> crossings;
        for (const Ring& ring : rings)
            for (std::size_t k = 0; k < ring.size(); ++k) {
                const Point& a = ring[k];
                const Point& b = ring[(k + 1) % ring.size()];
                const double ua = a.x + a.y;
                const double ub = b.x + b.y;
                if ((ua <= c) == (ub <= c)) continue;
                const double t = (c - ua) / (ub - ua);
                crossings.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
            }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Point& p, const Point& q) { return p.x < q.x; });
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2)
            segments.emplace_back(crossings[k], crossings[k + 1]);
    }
    return segments;
}

void DrawMap(Canvas& canvas, const ResultsLayer& layer, const MapClasses& classes,
             const MapStyle& style, const MapLayout& layout) {
    canvas.FillRect({0, 0, layout.width, layout.height}, {255, 255, 255});
    std::vector<std::vector<Ring>> pixels;
    for (const MapField& field : layer.fields) pixels.push_back(PixelRings(field.shape, layout));
    for (std::size_t k = 0; k < layer.fields.size(); ++k) {
        const MapField& field = layer.fields[k];
        canvas.FillPolygon(pixels[k], field.value ? classes.ColorOf(*field.value) : kNoDataColor);
    }
    for (const auto& rings : pixels) Outline(canvas, rings, kOutlineColor, 1);
    if (style.threshold)
        for (std::size_t k = 0; k < layer.fields.size(); ++k) {
            const MapField& field = layer.fields[k];
            if (!field.value || !style.threshold->Beyond(*field.value)) continue;
            Hatch(canvas, pixels[k], classes.ColorOf(*field.value));
            Outline(canvas, pixels[k], kThresholdColor, 2);
        }
    const int titleWidth = canvas.TextWidth(style.title, kTitleFont);
    canvas.DrawText(std::max(kMargin, (layout.width - titleWidth) / 2), kMargin, style.title,
                    kTitleFont);
    DrawLegend(canvas, layer, classes, style, layout);
    DrawScaleBar(canvas, layer, layout);
}

}  // namespace halosoil::region
