// The surface the graphs and maps draw on: filled rectangles, solid lines, filled polygons
// with holes, outlines, text, and the measure of a text, all in pixels with the origin at the top
// left corner, x to the right and y downwards. The window implements it on a bitmap; tests record
// the calls. Nothing here knows a toolkit.
#pragma once

#include <string>
#include <vector>

namespace halosoil {

struct Color {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

// A rectangle covering the columns left <= x < right and the rows top <= y < bottom.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A point of a polygon or outline; fractions of a pixel keep the shapes of a map exact in
// vector output.
struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A closed ring of points; the last point joins the first without being repeated.
using Ring = std::vector<Point>;

// The face, size in points and colour of a text.
struct Font {
    std::string face = "Arial";
    int size = 10;
    Color color{};
    friend bool operator==(const Font&, const Font&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void FillRect(const Rect& rect, Color color) = 0;
    // A solid line from (x1, y1) to (x2, y2).
    virtual void DrawLine(int x1, int y1, int x2, int y2, Color color, int width) = 0;
    // The area inside an odd number of the rings (the first an outer boundary, the others its
    // holes, or the parts of one shape).
    virtual void FillPolygon(const std::vector<Ring>& rings, Color color) = 0;
    // Segments joining the points in turn, and the last to the first when closed.
    virtual void DrawPolyline(const std::vector<Point>& points, bool closed, Color color,
                              int width) = 0;
    // Text whose top left corner lies at (x, y).
    virtual void DrawText(int x, int y, const std::string& text, const Font& font) = 0;
    virtual int TextWidth(const std::string& text, const Font& font) = 0;
    virtual int TextHeight(const std::string& text, const Font& font) = 0;
};

}  // namespace halosoil
