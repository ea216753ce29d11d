// A map of a region's results on the canvas: the fields filled by their class's colour and
// outlined, the fields beyond a threshold hatched, a legend with the quantity's unit, a scale
// bar in the layer's units and the title. A geographic layer is drawn with the aspect of its
// mean latitude, so that its fields keep their shapes.
#pragma once

#include <optional>
#include <string>

#include "Canvas.h"
#include "MapClasses.h"
#include "ResultsLayer.h"

namespace halosoil::region {

// Fields above (or below) the value are marked.
struct MapThreshold {
    double value = 0;
    bool below = false;

    bool Beyond(double x) const { return below ? x < value : x > value; }
};

// "VALUE" or ">VALUE" (above), "<VALUE" (below). Throws MapRequestError.
MapThreshold ParseThreshold(const std::string& text);

struct MapStyle {
    std::string title;
    std::optional<MapThreshold> threshold;
};

inline constexpr Color kOutlineColor{77, 77, 77};
inline constexpr Color kThresholdColor{0, 0, 0};

// Where the map's parts go; the picture's size follows from the layer alone.
struct MapLayout {
    int width = 0;
    int height = 0;
    Rect map;  // the fields' box
    int legendX = 0;
    int legendY = 0;
    // Layer coordinates to pixels: x' = map.left + (x - minX) * scaleX, y' = map.top + (maxY - y)
    // * scaleY.
    double minX = 0, maxY = 0, scaleX = 1, scaleY = 1;

    Point ToPixels(Point p) const {
        return {map.left + (p.x - minX) * scaleX, map.top + (maxY - p.y) * scaleY};
    }
};

// The fields fit a box of at most 640 x 560 pixels; for a geographic layer a degree of
// longitude is cos(mean latitude) of a degree of latitude. Throws HalosoilError when no field
// has a shape.
MapLayout LayoutOf(const ResultsLayer& layer);

// The scale bar: its length in the layer's units (1, 2 or 5 times a power of ten, about a
// quarter of the map's width), and its label ("500 m", "2 km", "0.01°").
struct ScaleBar {
    double length = 0;
    std::string label;
};
ScaleBar ScaleBarOf(const ResultsLayer& layer, const MapLayout& layout);

// The legend's line of each class ("< 2", "2 – 4", "≥ 4").
std::vector<std::string> ClassLabels(const MapClasses& classes);

void DrawMap(Canvas& canvas, const ResultsLayer& layer, const MapClasses& classes,
             const MapStyle& style, const MapLayout& layout);

// The segments, in pixels, of the hatching of the rings: lines x + y = c for c a multiple of
// spacing, kept where they run inside an odd number of rings.
std::vector<std::pair<Point, Point>> HatchSegments(const std::vector<Ring>& rings, double spacing);

}  // namespace halosoil::region
