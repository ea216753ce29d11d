#include "StudyChart.h"

#include <QBuffer>
#include <QGraphicsLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QXYSeries>

namespace halosoil {

StudyChart::StudyChart(const QString& name, QWidget* parent) : QChartView(parent) {
    setObjectName(name);
    setAccessibleName(name);
    setRubberBand(QChartView::RectangleRubberBand);
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 220);
    chart()->legend()->setAlignment(Qt::AlignBottom);
}

void StudyChart::WatchHover(QXYSeries* series) {
    connect(series, &QXYSeries::hovered, this, [this, series](const QPointF& point, bool state) {
        if (!valueLabel_) return;
        valueLabel_->setText(state ? QString("%1: %2, %3")
                                         .arg(series->name())
                                         .arg(point.x(), 0, 'g', 6)
                                         .arg(point.y(), 0, 'g', 6)
                                   : QString());
    });
}

void StudyChart::Clear() {
    chart()->removeAllSeries();
    for (QAbstractAxis* axis : chart()->axes()) {
        chart()->removeAxis(axis);
        delete axis;
    }
}

namespace {

// A picture is drawn at the chart's size on screen, or at this size when the chart is too
// small to read (a page not shown yet lays its charts out at a few pixels).
constexpr int kLeastExportWidth = 640;
constexpr int kLeastExportHeight = 400;

}  // namespace

QSize StudyChart::ExportSize() const {
    return size().width() >= kLeastExportWidth && size().height() >= kLeastExportHeight
               ? size()
               : QSize(kLeastExportWidth, kLeastExportHeight);
}

void StudyChart::DrawForExport(QPainter& painter, QSize picture) {
    // The chart is laid out at the picture's size for the drawing, then given its place back.
    const QRectF shown = chart()->geometry();
    chart()->setGeometry(QRectF(QPointF(0, 0), picture));
    if (chart()->layout()) chart()->layout()->activate();
    scene()->render(&painter, QRectF(QPointF(0, 0), picture), QRectF(QPointF(0, 0), picture));
    chart()->setGeometry(shown);
    if (chart()->layout()) chart()->layout()->activate();
}

QByteArray StudyChart::Png() {
    const QSize picture = ExportSize();
    QImage image(picture, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawForExport(painter, picture);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray StudyChart::Svg() {
    const QSize picture = ExportSize();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(picture);
    generator.setViewBox(QRect(QPoint(0, 0), picture));
    generator.setTitle(chart()->title());
    QPainter painter(&generator);
    DrawForExport(painter, picture);
    painter.end();
    return bytes;
}

void StudyChart::keyPressEvent(QKeyEvent* event) {
    constexpr int kStep = 20;
    switch (event->key()) {
        case Qt::Key_Left:
            chart()->scroll(-kStep, 0);
            return;
        case Qt::Key_Right:
            chart()->scroll(kStep, 0);
            return;
        case Qt::Key_Up:
            chart()->scroll(0, kStep);
            return;
        case Qt::Key_Down:
            chart()->scroll(0, -kStep);
            return;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            chart()->zoomIn();
            return;
        case Qt::Key_Minus:
            chart()->zoomOut();
            return;
        case Qt::Key_0:
        case Qt::Key_Home:
            chart()->zoomReset();
            return;
        default:
            QChartView::keyPressEvent(event);
    }
}

void StudyChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        panning_ = true;
        panFrom_ = event->position().toPoint();
        event->accept();
        return;
    }
    // The view's own right click zooms out a step; the whole picture is more use.
    if (event->button() == Qt::RightButton) {
        chart()->zoomReset();
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void StudyChart::mouseMoveEvent(QMouseEvent* event) {
    if (panning_) {
        const QPoint now = event->position().toPoint();
        const QPoint moved = now - panFrom_;
        chart()->scroll(-moved.x(), moved.y());
        panFrom_ = now;
        event->accept();
        return;
    }
    QChartView::mouseMoveEvent(event);
}

void StudyChart::mouseReleaseEvent(QMouseEvent* event) {
    if (panning_ && event->button() == Qt::MiddleButton) {
        panning_ = false;
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QChartView::mouseReleaseEvent(event);
}

}  // namespace halosoil
