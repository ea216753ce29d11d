// A canvas that writes the drawing as an SVG document: every rectangle, line and text stays
// a vector element, so a graph stays sharp at any size in a report. Plain C++: it measures
// text with the advance widths of the Arial face (ArialMetrics.h), which a viewer substitutes
// by a face of the same metrics.
#pragma once

#include <string>

#include "Canvas.h"

namespace halosoil {

class SvgCanvas : public Canvas {
public:
    // A drawing of width x height pixels.
    SvgCanvas(int width, int height);

    void FillRect(const Rect& rect, Color color) override;
    void DrawLine(int x1, int y1, int x2, int y2, Color color, int width) override;
    void FillPolygon(const std::vector<Ring>& rings, Color color) override;
    void DrawPolyline(const std::vector<Point>& points, bool closed, Color color,
                      int width) override;
    void DrawText(int x, int y, const std::string& text, const Font& font) override;
    int TextWidth(const std::string& text, const Font& font) override;
    int TextHeight(const std::string& text, const Font& font) override;

    // The whole document, UTF-8.
    std::string Document() const;

private:
    int width_;
    int height_;
    std::string body_;
};

// Text for an SVG document: UTF-8 kept, other bytes read as Latin-1 (titles of older 8-bit
// files), control characters dropped, and &, <, >, " escaped.
std::string SvgText(const std::string& text);

}  // namespace halosoil
