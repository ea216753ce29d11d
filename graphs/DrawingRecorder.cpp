#include "DrawingRecorder.h"

namespace halosoil {

void DrawingRecorder::FillRect(const Rect& rect, Color color) {
    target_->FillRect(rect, color);
    calls_.emplace_back(Fill{rect, color});
}

void DrawingRecorder::DrawLine(int x1, int y1, int x2, int y2, Color color, int width) {
    target_->DrawLine(x1, y1, x2, y2, color, width);
    calls_.emplace_back(Line{x1, y1, x2, y2, color, width});
}

void DrawingRecorder::FillPolygon(const std::vector<Ring>& rings, Color color) {
    target_->FillPolygon(rings, color);
    calls_.emplace_back(Polygon{rings, color});
}

void DrawingRecorder::DrawPolyline(const std::vector<Point>& points, bool closed, Color color,
                                   int width) {
    target_->DrawPolyline(points, closed, color, width);
    calls_.emplace_back(Polyline{points, closed, color, width});
}

void DrawingRecorder::DrawText(int x, int y, const std::string& text, const Font& font) {
    target_->DrawText(x, y, text, font);
    calls_.emplace_back(Text{x, y, text, font});
}

int DrawingRecorder::TextWidth(const std::string& text, const Font& font) {
    return target_->TextWidth(text, font);
}

int DrawingRecorder::TextHeight(const std::string& text, const Font& font) {
    return target_->TextHeight(text, font);
}

void DrawingRecorder::ReplayOn(Canvas& canvas) const {
    struct Replay {
        Canvas& canvas;
        void operator()(const Fill& f) const { canvas.FillRect(f.rect, f.color); }
        void operator()(const Line& l) const {
            canvas.DrawLine(l.x1, l.y1, l.x2, l.y2, l.color, l.width);
        }
        void operator()(const Polygon& p) const { canvas.FillPolygon(p.rings, p.color); }
        void operator()(const Polyline& p) const {
            canvas.DrawPolyline(p.points, p.closed, p.color, p.width);
        }
        void operator()(const Text& t) const { canvas.DrawText(t.x, t.y, t.text, t.font); }
    };
    for (const auto& call : calls_) std::visit(Replay{canvas}, call);
}

}  // namespace halosoil
