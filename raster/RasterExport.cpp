// The raster export module: the window's own bitmap canvas on Qt's offscreen platform, so a PNG
// or BMP file of halosoil-batch holds the very pixels the Graphs page shows (and a map is drawn
// by the same canvas).
#include "RasterExport.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <type_traits>

#include "QtCanvas.h"

namespace halosoil {

namespace {

// Fonts and painting need an application object; the batch runner never shows a window, so
// it asks for the platform that needs no display.
void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform's notes (such as a missing runtime folder) are no business of a script.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    static int argc = 1;
    static char name[] = "halosoil-batch";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> application =
        std::make_unique<QGuiApplication>(argc, argv);
}

// The reason why the picture could not be written, or empty when it was.
QString SaveDrawing(int width, int height, HalosoilDraw draw, void* context, const char* fileName,
                    const char* format) {
    EnsureApplication();
    QImage picture(width, height, QImage::Format_RGB32);
    if (picture.isNull())
        return QStringLiteral("a picture of %1 x %2 pixels is too large").arg(width).arg(height);
    picture.fill(Qt::white);
    {
        QtCanvas canvas(picture);
        draw(canvas, context);
    }
    QSaveFile file(QFile::decodeName(fileName));
    QImageWriter writer(&file, format);
    if (file.open(QIODevice::WriteOnly) && writer.write(picture) && file.commit()) return {};
    return file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
}

void CopyReason(const QByteArray& text, char* reason, std::size_t reasonSize) {
    if (reasonSize == 0) return;
    const std::size_t length = std::min(static_cast<std::size_t>(text.size()), reasonSize - 1);
    std::memcpy(reason, text.constData(), length);
    reason[length] = '\0';
}

}  // namespace

}  // namespace halosoil

extern "C" __attribute__((visibility("default"))) bool halosoil_save_raster_drawing(
    int width, int height, HalosoilDraw draw, void* context, const char* fileName,
    const char* format, char* reason, std::size_t reasonSize) {
    // Nothing may leave through the C entry point as an exception.
    try {
        const QString failure =
            halosoil::SaveDrawing(width, height, draw, context, fileName, format);
        if (failure.isEmpty()) return true;
        halosoil::CopyReason(failure.toUtf8(), reason, reasonSize);
    } catch (const std::exception& error) {
        halosoil::CopyReason(QByteArray(error.what()), reason, reasonSize);
    }
    return false;
}

// The entry point matches the type the batch runner looks it up as.
static_assert(std::is_same_v<decltype(&halosoil_save_raster_drawing), HalosoilSaveRasterDrawing>);
