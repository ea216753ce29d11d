// A canvas that draws nothing and records every call, so that tests and benchmarks can check
// and time the drawings without a window system.
//
// Its text measure is deterministic and independent of any font file: every character of a
// text is (size x 3) / 4 pixels wide (6 at size 8, 7 at size 10) and every text is
// (size x 7) / 4 pixels high (14 at size 8, 17 at size 10), integer divisions. These are
// close to the metrics of Arial at 96 dots per inch.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

namespace halosoil {

class RecordingCanvas : public Canvas {
public:
    struct Fill {
        int seq;
        Rect rect;
        Color color;
    };
    struct Line {
        int seq;
        int x1, y1, x2, y2;
        Color color;
        int width;
    };
    struct Polygon {
        int seq;
        std::vector<Ring> rings;
        Color color;
    };
    struct Polyline {
        int seq;
        std::vector<Point> points;
        bool closed;
        Color color;
        int width;
    };
    struct Text {
        int seq;
        int x, y;
        std::string text;
        Font font;
    };

    std::vector<Fill> fills;
    std::vector<Line> lines;
    std::vector<Polygon> polygons;
    std::vector<Polyline> polylines;
    std::vector<Text> texts;

    static int CharWidth(int size) { return size * 3 / 4; }
    static int Height(int size) { return size * 7 / 4; }

    void FillRect(const Rect& rect, Color color) override {
        fills.push_back({next_++, rect, color});
    }
    void DrawLine(int x1, int y1, int x2, int y2, Color color, int width) override {
        lines.push_back({next_++, x1, y1, x2, y2, color, width});
    }
    void FillPolygon(const std::vector<Ring>& rings, Color color) override {
        polygons.push_back({next_++, rings, color});
    }
    void DrawPolyline(const std::vector<Point>& points, bool closed, Color color,
                      int width) override {
        polylines.push_back({next_++, points, closed, color, width});
    }
    void DrawText(int x, int y, const std::string& text, const Font& font) override {
        texts.push_back({next_++, x, y, text, font});
    }
    int TextWidth(const std::string& text, const Font& font) override {
        return static_cast<int>(text.size()) * CharWidth(font.size);
    }
    int TextHeight(const std::string&, const Font& font) override { return Height(font.size); }

    void Clear() {
        fills.clear();
        lines.clear();
        polygons.clear();
        polylines.clear();
        texts.clear();
        next_ = 0;
    }

private:
    int next_ = 0;
};

}  // namespace halosoil
