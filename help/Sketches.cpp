#include "Sketches.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace halosoil {

namespace {

const QColor kSky(0xE8, 0xF4, 0xFF);
const QColor kLayer1(0xD9, 0xB8, 0x8C);
const QColor kLayer2(0xC9, 0xA2, 0x74);
const QColor kTransition(0xB8, 0x9B, 0x7A);
const QColor kSaturated(0x9F, 0xB6, 0xC8);
const QColor kAquifer(0x8C, 0xA8, 0xC4);
const QColor kBase(0x6E, 0x6E, 0x6E);
const QColor kWater(0x1E, 0x5A, 0xC8);
const QColor kVapour(0xC8, 0x3C, 0x1E);

// A straight arrow from one point to another with a filled head.
void Arrow(QPainter& painter, QPointF from, QPointF to, const QColor& color, double width = 3) {
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double head = 5 + 2 * width;
    QPolygonF tip;
    tip << to << to - QPointF(head * std::cos(angle - 0.4), head * std::sin(angle - 0.4))
        << to - QPointF(head * std::cos(angle + 0.4), head * std::sin(angle + 0.4));
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPolygon(tip);
    painter.setBrush(Qt::NoBrush);
}

void Label(QPainter& painter, QPointF at, const QString& text, const QColor& color = Qt::black,
           bool bold = false) {
    QFont font("Liberation Sans", 10);
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(at, text);
}

void Band(QPainter& painter, double top, double bottom, double width, const QColor& color) {
    painter.fillRect(QRectF(0, top, width, bottom - top), color);
    painter.setPen(QPen(QColor(0x50, 0x40, 0x30), 1));
    painter.drawLine(QPointF(0, bottom), QPointF(width, bottom));
}

}  // namespace

QPixmap IntroPicture() {
    QPixmap pixmap(109, 96);
    pixmap.fill(kSky);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Band(painter, 30, 46, 109, kLayer1);
    Band(painter, 46, 60, 109, kLayer2);
    Band(painter, 60, 78, 109, kTransition);
    Band(painter, 78, 96, 109, kAquifer);
    painter.setPen(QPen(kWater, 1, Qt::DashLine));
    painter.drawLine(QPointF(0, 66), QPointF(109, 66));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(72, 70), 3.5, 3.5);
    painter.setBrush(Qt::NoBrush);
    // Salt crystals at the surface and rain above.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    for (int x = 6; x < 109; x += 13) painter.drawRect(QRectF(x, 28, 5, 3));
    Arrow(painter, {20, 4}, {20, 24}, kWater, 2);
    Arrow(painter, {34, 6}, {34, 24}, kWater, 2);
    Arrow(painter, {88, 26}, {88, 6}, kVapour, 2);
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, 108, 95));
    return pixmap;
}

QPixmap WaterMovementSketch() {
    constexpr int kWidth = 673;
    constexpr int kHeight = 449;
    constexpr double kProfile = 470;  // width of the soil profile; labels to its right
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // The profile: sky, two root-zone layers, transition zone with the water table and the
    // drains, aquifer on an impermeable base.
    const double surface = 95, layer2 = 160, transition = 225, waterTable = 262, aquifer = 345,
                 base = 420;
    painter.fillRect(QRectF(0, 0, kProfile, surface), kSky);
    Band(painter, surface, layer2, kProfile, kLayer1);
    Band(painter, layer2, transition, kProfile, kLayer2);
    Band(painter, transition, aquifer, kProfile, kTransition);
    painter.fillRect(QRectF(0, waterTable, kProfile, aquifer - waterTable), kSaturated);
    Band(painter, aquifer, base, kProfile, kAquifer);
    painter.fillRect(QRectF(0, base, kProfile, 14), QBrush(kBase, Qt::BDiagPattern));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(QPointF(0, surface), QPointF(kProfile, surface));
    painter.drawLine(QPointF(0, base), QPointF(kProfile, base));

    // Water table: a dashed line with its triangle mark.
    painter.setPen(QPen(kWater, 2, Qt::DashLine));
    painter.drawLine(QPointF(0, waterTable), QPointF(kProfile, waterTable));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kWater);
    painter.drawPolygon(QPolygonF{QPointF(420, waterTable - 2), QPointF(412, waterTable - 12),
                                  QPointF(428, waterTable - 12)});
    painter.setBrush(Qt::NoBrush);
    Label(painter, {8, waterTable - 6}, "water table", kWater);

    // Drains in the transition zone.
    const double drainDepth = 300;
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::white);
    for (double x : {60.0, 260.0}) painter.drawEllipse(QPointF(x, drainDepth), 9, 9);
    painter.setBrush(Qt::NoBrush);
    Label(painter, {74, drainDepth + 22}, "drain");

    // Water coming in at the surface and going up as vapour.
    Arrow(painter, {40, 12}, {40, surface - 6}, kWater);
    Label(painter, {50, 30}, "Rain", kWater, true);
    Arrow(painter, {120, 12}, {120, surface - 6}, kWater);
    Label(painter, {130, 30}, "Irrig", kWater, true);
    Arrow(painter, {215, layer2 - 8}, {215, 14}, kVapour);
    Label(painter, {224, 30}, "Evap1", kVapour, true);
    Arrow(painter, {300, transition - 8}, {300, 14}, kVapour);
    Label(painter, {309, 30}, "Evap2", kVapour, true);

    // Percolation down and capillary rise up across the layer boundaries.
    Arrow(painter, {120, layer2 - 28}, {120, layer2 + 26}, kWater);
    Label(painter, {128, layer2 + 20}, "Perc1", kWater, true);
    Arrow(painter, {390, layer2 + 26}, {390, layer2 - 28}, kVapour);
    Label(painter, {398, layer2 - 14}, "Cap1", kVapour, true);
    Arrow(painter, {120, transition - 28}, {120, transition + 26}, kWater);
    Label(painter, {128, transition + 20}, "Perc2", kWater, true);
    Arrow(painter, {390, waterTable - 4}, {390, transition - 28}, kVapour);
    Label(painter, {398, transition - 14}, "Cap2", kVapour, true);
    Label(painter, {398, transition + 10}, "(CapT)", kVapour);

    // Drainage towards the drains and out of them.
    Arrow(painter, {160, drainDepth}, {249, drainDepth}, kWater, 2);
    Arrow(painter, {160, drainDepth}, {71, drainDepth}, kWater, 2);
    Label(painter, {150, drainDepth - 10}, "Drain", kWater, true);

    // Seepage between the transition zone and the aquifer.
    Arrow(painter, {190, aquifer + 28}, {190, aquifer - 26}, kWater);
    Label(painter, {198, aquifer - 10}, "Up", kWater, true);
    Arrow(painter, {330, aquifer - 26}, {330, aquifer + 28}, kWater);
    Label(painter, {338, aquifer + 22}, "Down", kWater, true);

    // Horizontal flow in the aquifer.
    Arrow(painter, {8, 395}, {70, 395}, kWater);
    Label(painter, {14, 386}, "Inf", kWater, true);
    Arrow(painter, {kProfile - 70, 395}, {kProfile - 8, 395}, kWater);
    Label(painter, {kProfile - 60, 386}, "Out", kWater, true);

    // The zones named to the right of the profile.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(kProfile, 0), QPointF(kProfile, base + 14));
    const double x = kProfile + 14;
    Label(painter, {x, (surface + layer2) / 2 - 2}, "Root zone,", Qt::black, true);
    Label(painter, {x, (surface + layer2) / 2 + 14}, "1st layer");
    Label(painter, {x, (layer2 + transition) / 2 - 2}, "Root zone,", Qt::black, true);
    Label(painter, {x, (layer2 + transition) / 2 + 14}, "2nd layer");
    Label(painter, {x, (transition + aquifer) / 2 - 2}, "Transition zone", Qt::black, true);
    Label(painter, {x, (transition + aquifer) / 2 + 14}, "with drains");
    Label(painter, {x, (aquifer + base) / 2 - 2}, "Aquifer", Qt::black, true);
    Label(painter, {x, (aquifer + base) / 2 + 14}, "(Inf, Out: horizontal)");
    Label(painter, {x, base + 12}, "impermeable base");
    Label(painter, {x, surface - 4}, "soil surface");
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
    return pixmap;
}

}  // namespace halosoil
