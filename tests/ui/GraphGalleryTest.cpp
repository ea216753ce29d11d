// Not a check but a look: runs every example project and draws all nine graph types with the
// Qt canvas into PNG files under /tmp/halosoil-graphs, for a person to inspect. Disabled by
// default; run with --gtest_also_run_disabled_tests --gtest_filter='*Gallery*'.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "DrawGraph.h"
#include "Engine.h"
#include "FixedAnswersHost.h"
#include "GraphPage.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "OutputFileName.h"
#include "QtCanvas.h"
#include "ScriptedDialogs.h"

namespace halosoil {
namespace {

// Copies the example to copy and runs it there, both calibrations answered Yes; the output
// file goes beside the copy. data is the project read, state the run's results.
void RunCopyOf(const QString& example, const QString& copy, InputData& data, RunState& state) {
    QFile::remove(copy);
    ASSERT_TRUE(QFile::copy(QString(HALOSOIL_EXAMPLES) + "/" + example, copy));
    data.InputFileName = copy.toStdString();
    ReadInputFile(data);
    PrepareIrrigSpread(data);
    Engine engine;
    FixedAnswersHost host(true, true);
    engine.Run(data, host);
    state = engine.State();
}

TEST(GraphGallery, DISABLED_DrawsEveryGraphTypeOfEveryExample) {
    const QString outFolder = "/tmp/halosoil-graphs";
    ASSERT_TRUE(QDir().mkpath(outFolder));
    const QStringList examples =
        QDir(HALOSOIL_EXAMPLES).entryList(QStringList{"*.inp"}, QDir::Files, QDir::Name);
    ASSERT_FALSE(examples.isEmpty());
    for (const QString& example : examples) {
        SCOPED_TRACE(example.toStdString());
        InputData data;
        RunState state;
        ASSERT_NO_FATAL_FAILURE(RunCopyOf(example, outFolder + "/" + example, data, state));
        ASSERT_FALSE(state.RunStopped);

        OutputReadBack readBack;
        ReadOutputFile(OutputFileNameFor(data.InputFileName), data, state, readBack);
        for (int t = 0; t < kGraphTypeCount; ++t) {
            QImage picture = QtCanvas::NewGraphImage();
            {
                QtCanvas canvas(picture);
                DrawGraph(canvas, static_cast<GraphType>(t), GraphSource{data, state, readBack});
            }
            const QString name =
                QString("%1/%2-%3.png").arg(outFolder, QFileInfo(example).baseName()).arg(t + 1);
            EXPECT_TRUE(picture.save(name, "PNG")) << name.toStdString();
        }
    }
}

// The Graphs page itself at the main window's size, with the selection panel and with a
// drawing, as /tmp/halosoil-graphs/page-panel.png and page-graph.png.
TEST(GraphGallery, DISABLED_ShowsThePageWithPanelAndGraph) {
    const QString outFolder = "/tmp/halosoil-graphs";
    ASSERT_TRUE(QDir().mkpath(outFolder));
    InputData data;
    RunState results;
    ASSERT_NO_FATAL_FAILURE(
        RunCopyOf("three_layers_weekly_drained.inp", outFolder + "/page.inp", data, results));

    OutputReadBack readBack;
    WindowState window;
    window.OutputFromRun = true;
    ScriptedDialogs dialogs;
    GraphPage page(OutputOnView{data, results, readBack, window}, dialogs);
    page.resize(800, 600);
    page.show();
    page.SeeGraphs();
    QTest::qWait(50);
    EXPECT_TRUE(page.grab().save(outFolder + "/page-panel.png"));
    page.findChild<QRadioButton*>("SalThirdRadioButton")->setChecked(true);
    QTest::mouseClick(page.findChild<QPushButton*>("GoButton"), Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_TRUE(page.grab().save(outFolder + "/page-graph.png"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

}  // namespace
}  // namespace halosoil
