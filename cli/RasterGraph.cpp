#include "RasterGraph.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <cstdio>
#include <memory>

#include "Errors.h"
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

}  // namespace

bool CanDrawRasterGraphs() {
    return true;
}

void SaveRasterGraph(GraphType type, const GraphSource& source, const std::string& fileName,
                     const char* format) {
    EnsureApplication();
    QImage picture = QtCanvas::NewGraphImage();
    {
        QtCanvas canvas(picture);
        DrawGraph(canvas, type, source);
    }
    QSaveFile file(QFile::decodeName(fileName.c_str()));
    QImageWriter writer(&file, format);
    if (!file.open(QIODevice::WriteOnly) || !writer.write(picture) || !file.commit()) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        throw FileError(reason.toStdString());
    }
}

}  // namespace halosoil
