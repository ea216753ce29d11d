// The Qt canvas: rectangles without their right and bottom edges, lines, text placed by its
// top left corner, and an Arial-compatible face.
#include <gtest/gtest.h>

#include <QFontInfo>

#include "QtCanvas.h"

namespace halosoil {
namespace {

TEST(QtCanvas, ArialIsServedByAFaceWithItsMetrics) {
    const QString family = QFontInfo(QtCanvas::QtFont("Arial", 10)).family();
    EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
    EXPECT_EQ(QtCanvas::QtFont("Arial", 8).pixelSize(), 11);
    EXPECT_EQ(QtCanvas::QtFont("Arial", 10).pixelSize(), 13);
}

TEST(QtCanvas, FillsRectanglesWithoutTheirRightAndBottomEdges) {
    QImage image = QtCanvas::NewGraphImage();
    EXPECT_EQ(image.size(), QSize(617, 441));
    {
        QtCanvas canvas(image);
        canvas.FillRect({10, 20, 30, 40}, Color{0, 0, 139});
    }
    EXPECT_EQ(image.pixelColor(10, 20), QColor(0, 0, 139));
    EXPECT_EQ(image.pixelColor(29, 39), QColor(0, 0, 139));
    EXPECT_EQ(image.pixelColor(30, 39), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(29, 40), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(9, 20), QColor(Qt::white));
}

TEST(QtCanvas, DrawsSolidLinesOfOnePixel) {
    QImage image = QtCanvas::NewGraphImage();
    {
        QtCanvas canvas(image);
        canvas.DrawLine(70, 350, 70, 50, Color{255, 0, 0}, 1);
    }
    EXPECT_EQ(image.pixelColor(70, 200), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(71, 200), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(69, 200), QColor(Qt::white));
}

TEST(QtCanvas, FillsPolygonsAroundTheirHolesAndDrawsOutlines) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtCanvas canvas(image);
        // The square 10..50 with the hole 20..40.
        canvas.FillPolygon(
            {{{10, 10}, {50, 10}, {50, 50}, {10, 50}}, {{20, 20}, {40, 20}, {40, 40}, {20, 40}}},
            Color{0, 128, 0});
        canvas.DrawPolyline({{60, 10}, {90, 10}, {90, 40}}, true, Color{255, 0, 0}, 1);
    }
    EXPECT_EQ(image.pixelColor(15, 15), QColor(0, 128, 0));
    EXPECT_EQ(image.pixelColor(45, 30), QColor(0, 128, 0));
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::white));  // the hole
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
    // The closed outline's three sides: along y = 10, down x = 90, and back along y = x - 50.
    EXPECT_EQ(image.pixelColor(75, 10), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(90, 25), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(75, 25), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(70, 30), QColor(Qt::white));
}

TEST(QtCanvas, PlacesTextByItsTopLeftCornerAndMeasuresIt) {
    QImage image = QtCanvas::NewGraphImage();
    const Font font{"Arial", 10, Color{0, 0, 0}};
    int width = 0, height = 0;
    {
        QtCanvas canvas(image);
        canvas.DrawText(100, 100, "Time step", font);
        width = canvas.TextWidth("Time step", font);
        height = canvas.TextHeight("Time step", font);
    }
    EXPECT_GT(width, 40);
    EXPECT_LT(width, 80);
    EXPECT_GE(height, 13);
    EXPECT_LE(height, 18);
    // Ink lies within the box from the corner, none above or left of it.
    int inkInside = 0, inkOutside = 0;
    for (int y = 90; y < 100 + height + 10; ++y) {
        for (int x = 90; x < 100 + width + 10; ++x) {
            if (image.pixelColor(x, y) == QColor(Qt::white)) continue;
            const bool inside = x >= 100 && x < 100 + width && y >= 100 && y < 100 + height;
            (inside ? inkInside : inkOutside)++;
        }
    }
    EXPECT_GT(inkInside, 20);
    EXPECT_EQ(inkOutside, 0);
}

}  // namespace
}  // namespace halosoil
