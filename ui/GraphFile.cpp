#include "GraphFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include "DrawingRecorder.h"
#include "GraphFrame.h"
#include "SvgCanvas.h"

namespace halosoil {

const QString kGraphSaveFilter =
    "Bitmap files (*.bmp)|*.bmp|PNG images (*.png)|*.png|SVG drawings (*.svg)|*.svg";

namespace {

QByteArray SvgOfPicture(const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const QByteArray w = QByteArray::number(picture.width());
    const QByteArray h = QByteArray::number(picture.height());
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n<image width=\"" + w +
           "\" height=\"" + h + "\" href=\"data:image/png;base64," + png.toBase64() +
           "\"/>\n</svg>\n";
}

QByteArray SvgOfDrawing(const DrawingRecorder& drawing) {
    SvgCanvas canvas(kGraphWidth, kGraphHeight);
    drawing.ReplayOn(canvas);
    return QByteArray::fromStdString(canvas.Document());
}

}  // namespace

QString WriteGraphFile(const QString& fileName, const QImage& picture,
                       const DrawingRecorder* drawing) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (extension == "svg") {
        const QByteArray svg = drawing ? SvgOfDrawing(*drawing) : SvgOfPicture(picture);
        if (file.write(svg) != svg.size() || !file.commit()) return file.errorString();
        return {};
    }
    QImageWriter writer(&file, extension == "png" ? "PNG" : "BMP");
    if (!writer.write(picture)) {
        file.cancelWriting();
        return file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
    }
    if (!file.commit()) return file.errorString();
    return {};
}

}  // namespace halosoil
