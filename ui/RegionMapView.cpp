#include "RegionMapView.h"

#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainterPath>
#include <QWheelEvent>
#include <cmath>

namespace halosoil {

namespace {

// A press and release this close together are a click, not a drag of the map.
constexpr int kClickSlack = 4;
constexpr double kZoomStep = 1.25;

QPainterPath PathOf(const region::Shape& shape, const region::MapLayout& layout) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const region::Polygon& polygon : shape)
        for (const Ring& ring : polygon) {
            if (ring.empty()) continue;
            const Point first = layout.ToPixels(ring.front());
            path.moveTo(first.x, first.y);
            for (std::size_t k = 1; k < ring.size(); ++k) {
                const Point p = layout.ToPixels(ring[k]);
                path.lineTo(p.x, p.y);
            }
            path.closeSubpath();
        }
    return path;
}

QPen OutlinePen(bool selected) {
    const Color c = region::kOutlineColor;
    QPen pen(selected ? QColor(Qt::black) : QColor(c.r, c.g, c.b));
    pen.setCosmetic(true);
    pen.setWidthF(selected ? 3 : 1);
    return pen;
}

}  // namespace

RegionMapView::RegionMapView(QWidget* parent) : QGraphicsView(parent) {
    setScene(new QGraphicsScene(this));
    setDragMode(QGraphicsView::ScrollHandDrag);
    setRenderHint(QPainter::Antialiasing);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 260);
}

void RegionMapView::ShowFields(const region::ResultsLayer& layer, const region::MapLayout& layout) {
    scene()->clear();
    items_.clear();
    selected_ = -1;
    for (std::size_t k = 0; k < layer.fields.size(); ++k) {
        const region::MapField& field = layer.fields[k];
        auto* item = scene()->addPath(PathOf(field.shape, layout), OutlinePen(false));
        item->setData(0, static_cast<int>(k));
        item->setToolTip(QString::fromStdString(field.id));
        items_.push_back(item);
    }
    scene()->setSceneRect(scene()->itemsBoundingRect());
    ZoomToAll();
}

void RegionMapView::Colour(const std::vector<QColor>& colours) {
    for (std::size_t k = 0; k < items_.size() && k < colours.size(); ++k)
        items_[k]->setBrush(colours[k]);
}

void RegionMapView::Select(int field) {
    if (selected_ >= 0 && selected_ < FieldCount()) items_[selected_]->setPen(OutlinePen(false));
    selected_ = field;
    if (selected_ >= 0 && selected_ < FieldCount()) {
        items_[selected_]->setPen(OutlinePen(true));
        items_[selected_]->setZValue(1);
    }
}

void RegionMapView::ZoomToAll() {
    resetTransform();
    if (!items_.empty()) fitInView(scene()->sceneRect(), Qt::KeepAspectRatio);
}

void RegionMapView::Zoom(double factor) {
    scale(factor, factor);
}

void RegionMapView::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) Zoom(std::pow(kZoomStep, notches));
    event->accept();
}

void RegionMapView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            Zoom(kZoomStep);
            return;
        case Qt::Key_Minus:
            Zoom(1 / kZoomStep);
            return;
        case Qt::Key_0:
        case Qt::Key_Home:
            ZoomToAll();
            return;
        default:
            QGraphicsView::keyPressEvent(event);
    }
}

void RegionMapView::mousePressEvent(QMouseEvent* event) {
    pressedAt_ = event->position().toPoint();
    QGraphicsView::mousePressEvent(event);
}

void RegionMapView::mouseReleaseEvent(QMouseEvent* event) {
    QGraphicsView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if ((at - pressedAt_).manhattanLength() > kClickSlack) return;
    for (QGraphicsItem* item : items(at)) {
        const QVariant field = item->data(0);
        if (field.isValid()) {
            emit FieldClicked(field.toInt());
            return;
        }
    }
}

}  // namespace halosoil
