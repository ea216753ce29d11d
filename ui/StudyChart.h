// A chart of the Calibration page: zoom by dragging a rectangle (or + and -), pan with the
// middle mouse button or the arrow keys, back to the whole picture with 0 or a right click,
// and the value under the pointer shown in a label beside it.
#pragma once

#include <QChartView>
#include <QPoint>

class QLabel;
class QPainter;
class QXYSeries;

namespace halosoil {

class StudyChart : public QChartView {
    Q_OBJECT
public:
    StudyChart(const QString& name, QWidget* parent = nullptr);

    // Where the value under the pointer is shown.
    void SetValueLabel(QLabel* label) { valueLabel_ = label; }
    // Shows the series' point under the pointer in the value label.
    void WatchHover(QXYSeries* series);
    // Empties the chart: no series, no axes, the title kept.
    void Clear();
    // The picture as PNG bytes, at the chart's size on screen (at least 640 x 400).
    QByteArray Png();
    // The picture as an SVG drawing of the same size, lines and text kept as vectors.
    QByteArray Svg();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSize ExportSize() const;
    void DrawForExport(QPainter& painter, QSize picture);

    QLabel* valueLabel_ = nullptr;
    bool panning_ = false;
    QPoint panFrom_;
};

}  // namespace halosoil
