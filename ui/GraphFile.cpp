#include "GraphFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include "AtomicFile.h"
#include "DrawingRecorder.h"
#include "Errors.h"
#include "GraphFrame.h"
#include "NativeFileName.h"
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
    // The file is made in memory and replaces the old one as a whole, so that a failed
    // write leaves an existing file as it was and names the platform's reason.
    const QString extension = QFileInfo(fileName).suffix().toLower();
    QByteArray bytes;
    if (extension == "svg") {
        bytes = drawing ? SvgOfDrawing(*drawing) : SvgOfPicture(picture);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, extension == "png" ? "PNG" : "BMP");
        if (!writer.write(picture)) return writer.errorString();
    }
    try {
        WriteFileAtomically(ToNative(fileName), bytes.toStdString());
    } catch (const FileError& error) {
        return QString::fromLocal8Bit(error.what());
    }
    return {};
}

}  // namespace halosoil
