// The graphs in the window's workflow: a project entered by hand, run, and drawn from the
// Output page's "See graphs" to a saved bitmap.
#include <QLabel>
#include <QRadioButton>

#include "GraphPage.h"
#include "MainFormFixture.h"
#include "RecentFilesMenu.h"

namespace halosoil::test {
namespace {

using GraphWorkflow = MainFormTest;

TEST_F(GraphWorkflow, RunSeeGraphsDrawAndSaveATwoLayerProject) {
    EnterProject(SampleEntry(2));
    SaveAndRun("twolayers.inp");
    ASSERT_EQ(Pages()->currentWidget()->objectName(), "OutTab");
    dialogs.messages.clear();

    Click("SeeGraphsButton");
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "GraphTab");
    EXPECT_FALSE(W<QWidget>("GraphPanel")->isHidden());
    EXPECT_TRUE(W<QWidget>("GraphImage")->isHidden());
    EXPECT_TRUE(W<QRadioButton>("SalSecondRadioButton")->isEnabled());
    EXPECT_FALSE(W<QRadioButton>("SalThirdRadioButton")->isEnabled());

    W<QRadioButton>("GraphSaltRadioButton")->setChecked(true);
    Click("GoButton");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
    EXPECT_FALSE(W<QWidget>("GraphImage")->isHidden());
    EXPECT_TRUE(W<QWidget>("GraphPanel")->isHidden());
    const QImage& picture = W<GraphPage>("GraphPage")->Picture();
    ASSERT_EQ(picture.size(), QSize(617, 441));
    EXPECT_EQ(picture.pixelColor(600, 415), QColor(0, 0, 139));
    // The read-back of the run's output file: 11 steps of two layers.
    EXPECT_EQ(form->Data().NrTst, 11);
    EXPECT_EQ(form->Data().NrLayers, 2);

    dialogs.files.push_back(dir.filePath("salinity.bmp"));
    Click("SaveGraphButton");
    EXPECT_EQ(dialogs.messages,
              QStringList{"The graph was saved as  " + dir.filePath("salinity.bmp")});
    EXPECT_EQ(QImage(dir.filePath("salinity.bmp"), "BMP").convertToFormat(QImage::Format_RGB32),
              picture);
}

// The Input page tells the window when an input file was read; the Graphs page then offers no
// picture of the earlier output for selecting or saving, and the Output page no graphs.
TEST_F(GraphWorkflow, OpeningAnInputFileAfterAGraphDisablesSelectAndSave) {
    EnterProject(SampleEntry(1));
    SaveAndRun("onelayer.inp");
    const QString input = dir.filePath("onelayer.inp");
    Click("SeeGraphsButton");
    W<QRadioButton>("GraphWTRadioButton")->setChecked(true);
    Click("GoButton");
    ASSERT_TRUE(On("SelectGraphButton"));
    ASSERT_TRUE(On("SaveGraphButton"));

    dialogs.messages.clear();
    dialogs.files.push_back(input);
    GoToInput();
    Click("OpenInpButton");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
    EXPECT_EQ(W<QLabel>("NameLabel")->text(), input);
    for (const char* button : {"SelectGraphButton", "SaveGraphButton", "SeeGraphsButton"})
        EXPECT_FALSE(On(button)) << button;
    EXPECT_EQ(form->RecentFiles()->Files().first(), input);
}

}  // namespace
}  // namespace halosoil::test
