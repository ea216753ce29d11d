// A canvas that passes every call on to another canvas and keeps it, so that a drawing made
// once (on the window's bitmap) can be drawn again, call for call and at the same positions,
// on another surface (an SVG document) after the data it came from have changed.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "Canvas.h"

namespace halosoil {

class DrawingRecorder : public Canvas {
public:
    // Draws on and measures with target, which must outlive the recording's use as canvas.
    explicit DrawingRecorder(Canvas& target) : target_(&target) {}

    void FillRect(const Rect& rect, Color color) override;
    void DrawLine(int x1, int y1, int x2, int y2, Color color, int width) override;
    void FillPolygon(const std::vector<Ring>& rings, Color color) override;
    void DrawPolyline(const std::vector<Point>& points, bool closed, Color color,
                      int width) override;
    void DrawText(int x, int y, const std::string& text, const Font& font) override;
    int TextWidth(const std::string& text, const Font& font) override;
    int TextHeight(const std::string& text, const Font& font) override;

    // The drawing's calls, in their order, on another canvas.
    void ReplayOn(Canvas& canvas) const;

private:
    struct Fill {
        Rect rect;
        Color color;
    };
    struct Line {
        int x1, y1, x2, y2;
        Color color;
        int width;
    };
    struct Polygon {
        std::vector<Ring> rings;
        Color color;
    };
    struct Polyline {
        std::vector<Point> points;
        bool closed;
        Color color;
        int width;
    };
    struct Text {
        int x, y;
        std::string text;
        Font font;
    };

    Canvas* target_;
    std::vector<std::variant<Fill, Line, Polygon, Polyline, Text>> calls_;
};

}  // namespace halosoil
