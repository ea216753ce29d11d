// How the window joins the Output and Graphs pages, and the run host that the window lends
// the engine.
#include <QProgressBar>

#include "GraphPage.h"
#include "MainFormFixture.h"
#include "OutputPage.h"
#include "QtRunHost.h"
#include "RunQuestions.h"

namespace halosoil::test {
namespace {

using PageWiring = MainFormTest;

TEST_F(PageWiring, SeeGraphsMakesTheGraphsPageActive) {
    Pages()->setCurrentIndex(4);
    emit W<OutputPage>("OutputPage")->SeeGraphsClicked();
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "GraphTab");
}

TEST_F(PageWiring, MakeGraphAsksForAnOutputFileFirst) {
    Pages()->setCurrentIndex(4);
    dialogs.files.push_back(dir.filePath("missing.out"));
    emit W<GraphPage>("GraphPage")->MakeGraphClicked();
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages.first(), "To make a graph, an output file must be opened first.");
    ASSERT_EQ(dialogs.fileSpecs.size(), 1);
    EXPECT_EQ(dialogs.fileSpecs[0].defaultExtension, "out");
    // The file could not be read: the page stays where it was.
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "OutTab");
}

TEST_F(PageWiring, MakeGraphWithAReadableOutputShowsTheGraphsPage) {
    EnterProject(SampleEntry(1));
    SaveAndRun("graph.inp");
    ASSERT_EQ(Pages()->currentWidget()->objectName(), "OutTab");
    dialogs.messages.clear();
    dialogs.files.push_back(dir.filePath("graph.out"));
    emit W<GraphPage>("GraphPage")->MakeGraphClicked();
    EXPECT_EQ(dialogs.messages.first(), "To make a graph, an output file must be opened first.");
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "GraphTab");
    EXPECT_FALSE(form->Window().OutputFromRun);
}

TEST(QtRunHostTest, PassesQuestionsMessagesAndProgressWithAPause) {
    ScriptedDialogs dialogs;
    QProgressBar bar;
    bar.setRange(0, 10);
    QtRunHost host(dialogs, &bar);
    dialogs.answers = {true, false};
    EXPECT_TRUE(host.Ask(RunQuestion::RefineDrainageCapacity));
    EXPECT_FALSE(host.Ask(RunQuestion::OptimiseLeachingEfficiencies));
    host.ShowMessage("stopped");
    host.SetProgress(6);
    EXPECT_EQ(bar.value(), 6);
    EXPECT_EQ(dialogs.pauses, 1);
    EXPECT_EQ(dialogs.log,
              QStringList({QString("question: ") + kRefineQuestion,
                           QString("question: ") + kOptimiseQuestion, "message: stopped"}));
}

}  // namespace
}  // namespace halosoil::test
