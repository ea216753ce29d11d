#include "QtCanvas.h"

#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QStringDecoder>

#include "GraphFrame.h"

namespace halosoil {

namespace {

QColor ToQColor(Color color) {
    return QColor(color.r, color.g, color.b);
}

// Titles come from 8-bit files or from the panels; text that is not UTF-8 is Latin-1.
QString ToQString(const std::string& text) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (utf8.hasError())
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return decoded;
}

// Font sizes are points on a screen of 96 dots per inch, rounded to whole pixels as the
// desktop the graphs were first drawn on does (8 points: 11 pixels, 10 points: 13).
int PixelSize(int points) {
    return (points * 96 + 36) / 72;
}

void SubstituteArialOnce() {
    static const bool done = [] {
        QFont::insertSubstitution("Arial", "Liberation Sans");
        return true;
    }();
    (void)done;
}

QPolygonF ToQPolygon(const std::vector<Point>& points) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& point : points) polygon << QPointF(point.x, point.y);
    return polygon;
}

}  // namespace

QFont QtCanvas::QtFont(const std::string& face, int size) {
    SubstituteArialOnce();
    QFont font(QString::fromStdString(face));
    font.setPixelSize(PixelSize(size));
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

QtCanvas::QtCanvas(QImage& image) : painter_(&image) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QtCanvas::~QtCanvas() {
    painter_.end();
}

QImage QtCanvas::NewGraphImage() {
    QImage image(kGraphWidth, kGraphHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

const QtCanvas::CachedFont& QtCanvas::FontFor(const Font& font) {
    auto& cached = fonts_[{font.face, font.size}];
    if (!cached) {
        const QFont qtFont = QtFont(font.face, font.size);
        cached = std::make_unique<CachedFont>(CachedFont{qtFont, QFontMetrics(qtFont)});
    }
    return *cached;
}

void QtCanvas::FillRect(const Rect& rect, Color color) {
    painter_.fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                      ToQColor(color));
}

void QtCanvas::DrawLine(int x1, int y1, int x2, int y2, Color color, int width) {
    // A flat cap leaves out the end point, as the lines of the desktop the graphs were
    // designed on do; joined segments then share no pixel twice.
    QPen pen(ToQColor(color), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter_.setPen(pen);
    painter_.drawLine(x1, y1, x2, y2);
}

void QtCanvas::FillPolygon(const std::vector<Ring>& rings, Color color) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const Ring& ring : rings) {
        if (ring.size() < 3) continue;
        path.addPolygon(ToQPolygon(ring));
        path.closeSubpath();
    }
    painter_.fillPath(path, ToQColor(color));
}

void QtCanvas::DrawPolyline(const std::vector<Point>& points, bool closed, Color color, int width) {
    if (points.size() < 2) return;
    // Outlines join round, so that a sharp corner of a field draws no spike.
    painter_.setPen(QPen(ToQColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(Qt::NoBrush);
    const QPolygonF polygon = ToQPolygon(points);
    if (closed)
        painter_.drawPolygon(polygon);
    else
        painter_.drawPolyline(polygon);
}

void QtCanvas::DrawText(int x, int y, const std::string& text, const Font& font) {
    const CachedFont& cached = FontFor(font);
    painter_.setFont(cached.font);
    painter_.setPen(ToQColor(font.color));
    painter_.drawText(QPoint(x, y + cached.metrics.ascent()), ToQString(text));
}

int QtCanvas::TextWidth(const std::string& text, const Font& font) {
    return FontFor(font).metrics.horizontalAdvance(ToQString(text));
}

int QtCanvas::TextHeight(const std::string&, const Font& font) {
    return FontFor(font).metrics.height();
}

}  // namespace halosoil
