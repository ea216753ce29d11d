// The graphs' canvas on a QImage: what the Graphs page shows and saves as a bitmap.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <map>
#include <memory>
#include <utility>

#include "Canvas.h"

namespace halosoil {

class QtCanvas : public Canvas {
public:
    // Paints on image for as long as the canvas lives.
    explicit QtCanvas(QImage& image);
    ~QtCanvas() override;

    // A blank picture of the size every graph is drawn on (617 x 441).
    static QImage NewGraphImage();

    void FillRect(const Rect& rect, Color color) override;
    void DrawLine(int x1, int y1, int x2, int y2, Color color, int width) override;
    void FillPolygon(const std::vector<Ring>& rings, Color color) override;
    void DrawPolyline(const std::vector<Point>& points, bool closed, Color color,
                      int width) override;
    void DrawText(int x, int y, const std::string& text, const Font& font) override;
    int TextWidth(const std::string& text, const Font& font) override;
    int TextHeight(const std::string& text, const Font& font) override;

    // The font a face and size in points stand for; "Arial" is served by a face with the
    // same metrics when Arial itself is not installed.
    static QFont QtFont(const std::string& face, int size);

private:
    struct CachedFont {
        QFont font;
        QFontMetrics metrics;
    };
    const CachedFont& FontFor(const Font& font);

    QPainter painter_;
    std::map<std::pair<std::string, int>, std::unique_ptr<CachedFont>> fonts_;
};

}  // namespace halosoil
