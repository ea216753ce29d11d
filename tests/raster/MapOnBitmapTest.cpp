// A map drawn on the bitmap canvas, as halosoil-batch writes its PNG maps: each field's pixels
// in its class's colour, the refused field grey, the field beyond the threshold hatched.
#include <gtest/gtest.h>

#include "MapDrawing.h"
#include "QtCanvas.h"

namespace halosoil::region {
namespace {

MapField Field(std::string id, double x, std::optional<double> value) {
    MapField field;
    field.id = std::move(id);
    field.value = value;
    field.shape = {{{{x, 0}, {x + 100, 0}, {x + 100, 100}, {x, 100}}}};
    return field;
}

TEST(MapOnBitmap, EachFieldsPixelsHaveItsClasssColour) {
    ResultsLayer layer;
    layer.file = "r.gpkg";
    layer.crs.kind = CrsKind::Projected;
    layer.crs.unit = "m";
    layer.choice = {study::Quantity::SalinityLayer1, Summary::Final, 0};
    // Three squares of 100 m in a row: 300 x 100 m into 640 x 560 pixels, 640 / 300 pixels a
    // metre; the squares span x 16..229.3, 229.3..442.7, 442.7..656 and y 52..265.3.
    layer.fields = {Field("low", 0, 1.0), Field("high", 100, 3.0), Field("refused", 200, {})};
    const MapLayout layout = LayoutOf(layer);
    EXPECT_EQ(layout.map, (Rect{16, 52, 656, 266}));
    QImage image(layout.width, layout.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtCanvas canvas(image);
        DrawMap(canvas, layer, ClassesOf({2}), {"Salinity", MapThreshold{2.5, false}}, layout);
    }
    // low (1) below the break 2: the ramp's light end.
    EXPECT_EQ(image.pixelColor(100, 150), QColor(253, 231, 37));
    // refused: grey.
    EXPECT_EQ(image.pixelColor(550, 150), QColor(204, 204, 204));
    // high (3) above 2 (purple) and above the threshold 2.5: hatched white every 6 pixels along
    // x + y; of any six pixels of a row inside it, one is white and five purple.
    int white = 0;
    int purple = 0;
    for (int x = 300; x < 306; ++x) {
        const QColor color = image.pixelColor(x, 150);
        if (color == QColor(255, 255, 255)) ++white;
        if (color == QColor(68, 1, 84)) ++purple;
    }
    EXPECT_EQ(white, 1);
    EXPECT_EQ(purple, 5);
}

}  // namespace
}  // namespace halosoil::region
