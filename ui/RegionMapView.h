// The map of a region's fields on the Region page: one path item per field, drawn from its
// shape where the saved map puts it (region/MapDrawing's layout, so that a geographic layer
// keeps its fields' shapes). Drag to pan, the wheel or + and - to zoom, 0 for the whole map;
// a click on a field reports it.
#pragma once

#include <QColor>
#include <QGraphicsView>
#include <QPoint>
#include <vector>

#include "MapDrawing.h"
#include "ResultsLayer.h"

class QGraphicsPathItem;

namespace halosoil {

class RegionMapView : public QGraphicsView {
    Q_OBJECT
public:
    explicit RegionMapView(QWidget* parent = nullptr);

    // Draws the layer's fields afresh, in the layout's pixels, unselected.
    void ShowFields(const region::ResultsLayer& layer, const region::MapLayout& layout);
    // Fills field k with colours[k].
    void Colour(const std::vector<QColor>& colours);
    // Outlines the chosen field more boldly; -1 for none.
    void Select(int field);
    int FieldCount() const { return static_cast<int>(items_.size()); }
    const QGraphicsPathItem* FieldItem(int field) const { return items_.at(field); }
    // Back to the whole map.
    void ZoomToAll();

signals:
    void FieldClicked(int field);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Zoom(double factor);

    std::vector<QGraphicsPathItem*> items_;
    int selected_ = -1;
    QPoint pressedAt_;
};

}  // namespace halosoil
