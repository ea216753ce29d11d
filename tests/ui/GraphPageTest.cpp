// The Graphs page: its start state, "See graphs" per layer count and drawing a graph from the
// output file, every dialog scripted.
#include "GraphPageFixture.h"

namespace halosoil {
namespace {

TEST_F(GraphPageTest, StartsWithPanelHiddenButtonsDisabledAndTheFirstTypeChecked) {
    EXPECT_FALSE(PanelShown());
    EXPECT_FALSE(Enabled("SaveGraphButton"));
    EXPECT_FALSE(Enabled("SelectGraphButton"));
    EXPECT_TRUE(Enabled("MakeGraphButton"));
    EXPECT_TRUE(Enabled("OpenGraphButton"));
    EXPECT_EQ(Child<QGroupBox>("GraphPanel")->title(), "Select graph type");
    const std::pair<const char*, const char*> buttons[] = {
        {"GraphHydrRadioButton", "All hydrological flow factors"},
        {"SurfHydrRadioButton", "Surface hydrology factors"},
        {"SubSurfHydrRadioButton", "Subsurface hydrology factors"},
        {"GraphWTRadioButton", "Depth of the water table"},
        {"GraphSaltRadioButton", "Salinity in all soil layers"},
        {"SalFirstRadioButton", "Salinity in first root zone layer"},
        {"SalSecondRadioButton", "Salinity second root zone layer"},
        {"SalThirdRadioButton", "Salinty in third root zone layer"},
        {"SalBelowRadioButton", "Salinity below root zone"},
    };
    for (const auto& [name, caption] : buttons) {
        ASSERT_NE(Radio(name), nullptr);
        EXPECT_EQ(Radio(name)->text(), caption);
        EXPECT_EQ(Radio(name)->isChecked(), std::string(name) == "GraphHydrRadioButton");
    }
    EXPECT_EQ(Child<QPushButton>("GoButton")->text(), "Go");
    EXPECT_EQ(page->CheckedType(), GraphType::AllHydrology);
}

TEST_F(GraphPageTest, SeeGraphsEnablesTheLayerButtonsOfTheLayersThatExist) {
    // One layer: neither the second nor the third layer can be chosen, and a checked one is
    // unchecked.
    Radio("SalSecondRadioButton")->setChecked(true);
    page->SeeGraphs();
    EXPECT_TRUE(PanelShown());
    EXPECT_FALSE(ImageShown());
    EXPECT_FALSE(Enabled("SaveGraphButton"));
    EXPECT_FALSE(Enabled("SelectGraphButton"));
    EXPECT_FALSE(Radio("SalSecondRadioButton")->isEnabled());
    EXPECT_FALSE(Radio("SalSecondRadioButton")->isChecked());
    EXPECT_FALSE(Radio("SalThirdRadioButton")->isEnabled());
    EXPECT_EQ(page->CheckedType(), std::nullopt);

    // Two layers: the second comes back, the third stays disabled and unchecked.
    data.SetLayerFlags(2);
    Radio("SalThirdRadioButton")->setEnabled(true);
    Radio("SalThirdRadioButton")->setChecked(true);
    page->SeeGraphs();
    EXPECT_TRUE(Radio("SalSecondRadioButton")->isEnabled());
    EXPECT_FALSE(Radio("SalThirdRadioButton")->isEnabled());
    EXPECT_FALSE(Radio("SalThirdRadioButton")->isChecked());

    // Three layers: both enabled; the group is exclusive again.
    data.SetLayerFlags(3);
    page->SeeGraphs();
    EXPECT_TRUE(Radio("SalSecondRadioButton")->isEnabled());
    EXPECT_TRUE(Radio("SalThirdRadioButton")->isEnabled());
    Radio("SalThirdRadioButton")->setChecked(true);
    Radio("SalFirstRadioButton")->setChecked(true);
    EXPECT_FALSE(Radio("SalThirdRadioButton")->isChecked());
    EXPECT_TRUE(dialogs.unexpected.isEmpty());
}

TEST_F(GraphPageTest, GoReadsTheOutputFileAndShowsTheDrawing) {
    DrawWaterTable();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
    EXPECT_TRUE(ImageShown());
    EXPECT_FALSE(PanelShown());
    EXPECT_TRUE(Enabled("SaveGraphButton"));
    EXPECT_TRUE(Enabled("SelectGraphButton"));
    // The reading replaced the sizes and results of memory.
    EXPECT_EQ(data.NrTst, 3);
    ASSERT_EQ(state.DepthWT.size(), 4u);
    EXPECT_DOUBLE_EQ(state.DepthWT[3], 2.0);

    const QImage& picture = page->Picture();
    EXPECT_EQ(picture.size(), QSize(617, 441));
    EXPECT_EQ(picture.pixelColor(5, 5), QColor(192, 192, 192));     // background
    EXPECT_EQ(picture.pixelColor(600, 415), QColor(0, 0, 139));     // plot panel
    EXPECT_EQ(picture.pixelColor(70, 200), QColor(255, 255, 255));  // vertical axis
    // Depths 1.0, 1.5, 2.0: axis 0 to -2, 3 steps at x = 195, 320, 445; the first bar hangs
    // from the axis top down to level -1 (346 - 150 = 196), in the inactive-caption colour.
    EXPECT_EQ(picture.pixelColor(250, 120), QColor(191, 205, 219));
    EXPECT_EQ(picture.pixelColor(350, 120), QColor(166, 202, 240));
    EXPECT_EQ(picture.pixelColor(250, 250), QColor(0, 0, 139));
    EXPECT_FALSE(Child<QLabel>("GraphImage")->pixmap().isNull());
}

TEST_F(GraphPageTest, GoReadsTheOutputOfTheLastRunWhenTheOutputComesFromARun) {
    OpenedOutput();
    QFile::rename(folder.filePath("graphs.out"), folder.filePath("project.out"));
    data.InputFileName = folder.filePath("project.inp").toStdString();
    window.OutputFromRun = true;
    window.OutputFileName = folder.filePath("elsewhere.out");
    page->SeeGraphs();
    Click("GoButton");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
    EXPECT_TRUE(ImageShown());
    EXPECT_EQ(data.NrTst, 3);
}

TEST_F(GraphPageTest, FitOfTheFileOnDisplayDecidesTheEfficiencyTexts) {
    // The file's efficiency lines all end in "n.a."; the last run (none) left FitNA clear.
    OpenedOutput();
    page->SeeGraphs();
    Radio("SalFirstRadioButton")->setChecked(true);
    Click("GoButton");
    ASSERT_TRUE(dialogs.messages.isEmpty());

    auto drawn = [&](bool notAvailable) {
        RunState fit = state;
        fit.FitNA.fill(notAvailable);
        QImage picture = QtCanvas::NewGraphImage();
        {
            QtCanvas canvas(picture);
            DrawGraph(canvas, GraphType::SalinityFirstLayer, GraphSource{data, fit, readBack});
        }
        return picture;
    };
    EXPECT_EQ(page->Picture(), drawn(true));
    EXPECT_NE(page->Picture(), drawn(false));
}

TEST_F(GraphPageTest, GoWithAMissingOutputFileReportsItAndDrawsNothing) {
    window.OutputFileName = folder.filePath("gone.out");
    page->SeeGraphs();
    Click("GoButton");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0], "The file " + folder.filePath("gone.out") +
                                       "could not be opened. It may be damaged or in use by "
                                       "another program.");
    EXPECT_TRUE(PanelShown());
    EXPECT_FALSE(ImageShown());
    EXPECT_TRUE(page->Picture().isNull());
    EXPECT_TRUE(Enabled("SaveGraphButton"));  // enabled before the reading, as "Go" does
}

TEST_F(GraphPageTest, GoWithADamagedOutputFileNamesTheFile) {
    const QString name = folder.filePath("short.out");
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(OneLayerOutputFile(name).left(40));
    file.close();
    window.OutputFileName = name;
    page->SeeGraphs();
    Click("GoButton");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("In the file " + name + ": "))
        << dialogs.messages[0].toStdString();
    EXPECT_FALSE(ImageShown());
}

TEST_F(GraphPageTest, SelectGraphReturnsToThePanel) {
    DrawWaterTable();
    Click("SelectGraphButton");
    EXPECT_TRUE(PanelShown());
    EXPECT_FALSE(ImageShown());
    EXPECT_FALSE(Enabled("SaveGraphButton"));
    EXPECT_FALSE(Enabled("SelectGraphButton"));
}

TEST_F(GraphPageTest, PageStatesSetByTheWindow) {
    DrawWaterTable();
    page->HideForOpenedOutput();
    EXPECT_FALSE(ImageShown());
    EXPECT_FALSE(PanelShown());
    EXPECT_FALSE(Enabled("SaveGraphButton"));
    page->ShowSelectionForNewOutput();
    EXPECT_TRUE(PanelShown());
    EXPECT_FALSE(ImageShown());
    Click("GoButton");
    EXPECT_TRUE(Enabled("SelectGraphButton"));
    page->DisableGraphButtons();
    EXPECT_FALSE(Enabled("SelectGraphButton"));
    EXPECT_FALSE(Enabled("SaveGraphButton"));
}

TEST_F(GraphPageTest, MakeGraphLeavesTheRestToTheWindow) {
    QSignalSpy spy(page.get(), &GraphPage::MakeGraphClicked);
    Click("MakeGraphButton");
    EXPECT_EQ(spy.count(), 1);
    EXPECT_TRUE(dialogs.log.isEmpty());
}

TEST_F(GraphPageTest, MakeGraphOffersOnlyTheLayersOfTheNewlyOpenedOutput) {
    data.SetLayerFlags(3);
    page->SeeGraphs();
    Radio("SalThirdRadioButton")->setChecked(true);
    // "Make graph" opened the output of a one-layer project.
    data.SetLayerFlags(1);
    page->ShowSelectionForNewOutput();
    EXPECT_TRUE(PanelShown());
    EXPECT_FALSE(Radio("SalSecondRadioButton")->isEnabled());
    EXPECT_FALSE(Radio("SalThirdRadioButton")->isEnabled());
    EXPECT_FALSE(Radio("SalThirdRadioButton")->isChecked());
}

}  // namespace
}  // namespace halosoil
