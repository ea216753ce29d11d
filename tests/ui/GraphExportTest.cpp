// Graphs leave the window as BMP, PNG and SVG files, and halosoil-batch draws the very same
// pixels without a window: the three-layer example is run, opened as an earlier output, and
// every graph type of the Graphs page is compared with the batch runner's bitmap of it.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "GraphPage.h"
#include "MainFormFixture.h"

namespace halosoil::test {
namespace {

const char* const kTypes[][2] = {
    {"hydrology", "GraphHydrRadioButton"},
    {"surface-hydrology", "SurfHydrRadioButton"},
    {"subsurface-hydrology", "SubSurfHydrRadioButton"},
    {"water-table", "GraphWTRadioButton"},
    {"salinity", "GraphSaltRadioButton"},
    {"salinity-layer1", "SalFirstRadioButton"},
    {"salinity-layer2", "SalSecondRadioButton"},
    {"salinity-layer3", "SalThirdRadioButton"},
    {"salinity-below", "SalBelowRadioButton"},
};

class GraphExportTest : public MainFormTest {
protected:
    // The three-layer example run by the batch runner, opened as "Open output" opens it.
    QString OpenThreeLayerOutput() {
        const QString input = dir.filePath("three.inp");
        EXPECT_TRUE(
            QFile::copy(QString(HALOSOIL_EXAMPLES) + "/three_layers_weekly_drained.inp", input));
        EXPECT_EQ(Batch({"run", input}), 0);
        const QString output = dir.filePath("three.out");
        form->OpenFileFromOutside(output);
        dialogs.messages.clear();
        return output;
    }
    int Batch(const QStringList& arguments) {
        QProcess batch;
        batch.start(HALOSOIL_BATCH, arguments);
        batch.waitForFinished(60000);
        batchErrors = batch.readAllStandardError();
        return batch.exitCode();
    }
    QImage Draw(const char* radio) {
        W<GraphPage>("GraphPage")->SeeGraphs();
        W<QRadioButton>(radio)->setChecked(true);
        W<QPushButton>("GoButton")->click();
        return W<GraphPage>("GraphPage")->Picture();
    }
    QByteArray Bytes(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Save(const QString& name) {
        dialogs.files.push_back(name);
        W<QPushButton>("SaveGraphButton")->click();
        EXPECT_EQ(LastMessage(), "The graph was saved as  " + name);
    }

    QByteArray batchErrors;
};

TEST_F(GraphExportTest, TheBatchRunnersBitmapsHoldThePixelsOfTheGraphsPage) {
    const QString output = OpenThreeLayerOutput();
    for (const auto& type : kTypes) {
        SCOPED_TRACE(type[0]);
        const QImage shown = Draw(type[1]);
        ASSERT_EQ(shown.size(), QSize(617, 441));
        const QString png = dir.filePath(QString(type[0]) + ".png");
        ASSERT_EQ(Batch({"graph", type[0], output, "-o", png}), 0) << batchErrors.toStdString();
        const QImage drawn = QImage(png, "PNG").convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(drawn.size(), QSize(617, 441));
        // A few pixels by name: the silver frame, the dark blue plot panel, the white axis.
        EXPECT_EQ(drawn.pixel(2, 2), qRgb(192, 192, 192));
        EXPECT_EQ(drawn.pixel(600, 400), qRgb(0, 0, 139));
        EXPECT_EQ(drawn.pixel(70, 200), qRgb(255, 255, 255));
        for (const QPoint at : {QPoint(2, 2), QPoint(600, 400), QPoint(70, 200), QPoint(300, 200)})
            EXPECT_EQ(drawn.pixel(at), shown.pixel(at)) << at.x() << "," << at.y();
        // And every other pixel as well.
        EXPECT_TRUE(drawn == shown);
    }
}

TEST_F(GraphExportTest, SaveGraphWritesPngAndSvgByTheChosenExtension) {
    OpenThreeLayerOutput();
    const QImage shown = Draw("GraphWTRadioButton");

    const QString png = dir.filePath("wt.png");
    Save(png);
    EXPECT_EQ(Bytes(png).mid(1, 3), "PNG");
    EXPECT_TRUE(QImage(png, "PNG").convertToFormat(QImage::Format_RGB32) == shown);

    const QString svg = dir.filePath("wt.svg");
    Save(svg);
    const QByteArray text = Bytes(svg);
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "));
    EXPECT_TRUE(text.contains("viewBox=\"0 0 617 441\""));
    // Vectors: the frame as rectangles, the axes as lines, the texts as text.
    EXPECT_TRUE(
        text.contains("<rect x=\"20\" y=\"19\" width=\"585\" height=\"401\" fill=\"#00008b\"/>"));
    EXPECT_TRUE(
        text.contains("<line x1=\"70.5\" y1=\"350.5\" x2=\"70.5\" y2=\"50.5\" stroke=\"#ffffff\""));
    EXPECT_TRUE(text.contains(">Time step</text>"));
    EXPECT_TRUE(text.contains("> Level of water table relative to soil surface</text>"));
    EXPECT_FALSE(text.contains("<image"));

    // A name without one of the three extensions is saved as the bitmap it always was.
    const QString other = dir.filePath("wt.picture");
    Save(other);
    EXPECT_TRUE(Bytes(other).startsWith("BM"));
}

TEST_F(GraphExportTest, AnOpenedBitmapHasNoDrawingAndGoesIntoTheSvgAsAnImage) {
    OpenThreeLayerOutput();
    Draw("GraphWTRadioButton");
    const QString bmp = dir.filePath("wt.bmp");
    Save(bmp);
    dialogs.files.push_back(bmp);
    W<QPushButton>("OpenGraphButton")->click();
    const QString svg = dir.filePath("opened.svg");
    Save(svg);
    const QByteArray text = Bytes(svg);
    EXPECT_TRUE(text.contains("<image width=\"617\" height=\"441\" href=\"data:image/png;base64,"));
    EXPECT_FALSE(text.contains("<text"));
}

}  // namespace
}  // namespace halosoil::test
