// The Graphs page: its start state, "See graphs" per layer count, drawing a graph from the
// output file, and saving and reopening the picture as a bitmap, every dialog scripted.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "../core/FileTestSupport.h"
#include "DrawGraph.h"
#include "GraphPage.h"
#include "NumberFormat.h"
#include "QtCanvas.h"
#include "ScriptedDialogs.h"

namespace halosoil {
namespace {

// An output file of one root-zone layer and three time steps, written line by line after
// the output layout: header, efficiency lines, units, the four-line column header and one
// data line per step in fields of 9, 9, 9, 9, 10, 10, 10, 13 and 9 columns.
QByteArray OneLayerOutputFile(const QString& name) {
    const char* eol = "\r\n";
    std::string text = std::string("OUTPUT OF Halosoil") + eol;
    text += "Name of this file :" + name.toStdString() + eol;
    text += eol;
    text += std::string("Graph title one") + eol + "Graph title two" + eol;
    text += std::string(
                " 1      3    30      (resp.:  nr. of root zone layers,    tot. nr. of "
                "time steps,    length of time step in days)") +
            eol;
    const char* labels[] = {" Leaching efficiency layer 1   :", " Leaching eff. transit. zone   :",
                            " Leaching efficiency aquifer   :"};
    for (const char* label : labels)
        text += std::string(label) +
                "    0.80  (given),       Coeff. of determination (%) :  n.a." + eol;
    text += std::string(" Units:") + eol;
    text += std::string(
                " Water flow in mm/time step,  Salinity in dS/m,   Depth water table "
                "(DepthWT) in m") +
            eol + eol;
    text += std::string(
                "           Percol.  Cap. rise  Act. Evap  Drainage                    "
                "Salinity (dS/m)") +
            eol;
    text += std::string(
                " Time step - - - - - - - - - - - - - - - - - - - - DepthWT   - - - - - "
                "- - - - - - - - - - -") +
            eol;
    text += std::string(
                "                      (mm/time step)               (m)        Rootzone "
                " Trans. zone  Aquifer") +
            eol;
    text += std::string(
                " - - - - - - - - - - - - - - -- - - - - - - - - - - - - - - - - - - - - "
                "- - - - -") +
            eol;
    for (int i = 1; i <= 3; ++i) {
        text += Whole(i, 9) + Fixed(10.0 * i, 9, 1) + Fixed(1.0, 9, 1) + Fixed(50.0, 9, 1) +
                Fixed(2.5, 10, 1) + Fixed(0.5 + 0.5 * i, 10, 2) + Fixed(2.0 + i, 10, 2) +
                Fixed(1.5, 13, 2) + Fixed(1.2, 9, 2) + eol;
    }
    return QByteArray::fromStdString(text);
}

class GraphPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        window.StartFolder = folder.path();
        data.NrLayers = 1;
        data.SetLayerFlags(1);
        for (Series* s : {&data.Rain, &data.Irrig, &data.Evap}) SizeSeries(*s, 3);
        for (int z = 1; z <= kZoneCount; ++z) data.MeasSalt[z].assign(4, kMissing);
        page = std::make_unique<GraphPage>(OutputOnView{data, state, readBack, window}, dialogs);
        page->show();
    }

    template <typename T>
    T* Child(const char* name) {
        T* child = page->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QRadioButton* Radio(const char* name) { return Child<QRadioButton>(name); }
    void Click(const char* button) {
        QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton);
    }
    bool ImageShown() { return Child<QLabel>("GraphImage")->isVisible(); }
    bool PanelShown() { return Child<QGroupBox>("GraphPanel")->isVisible(); }
    bool Enabled(const char* button) { return Child<QPushButton>(button)->isEnabled(); }

    // Writes the output file and makes it the one on display, as "Open output" does.
    QString OpenedOutput() {
        const QString name = folder.filePath("graphs.out");
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(OneLayerOutputFile(name));
        file.close();
        window.OutputFromRun = false;
        window.OutputFileName = name;
        return name;
    }

    // Draws the water-table graph from the opened output.
    void DrawWaterTable() {
        OpenedOutput();
        page->SeeGraphs();
        Radio("GraphWTRadioButton")->setChecked(true);
        Click("GoButton");
    }

    QByteArray FileBytes(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    InputData data;
    RunState state;
    OutputReadBack readBack;
    WindowState window;
    ScriptedDialogs dialogs;
    std::unique_ptr<GraphPage> page;
};

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

TEST_F(GraphPageTest, SavedGraphIsAWindowsBitmapThatOpensAgain) {
    DrawWaterTable();
    const QString name = folder.filePath("graph.bmp");
    dialogs.files.push_back(name);
    Click("SaveGraphButton");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0], "The graph was saved as  " + name);
    ASSERT_EQ(dialogs.fileSpecs.size(), 1);
    // The bitmap comes first and stays the default; PNG and SVG are offered beside it.
    EXPECT_TRUE(dialogs.fileSpecs[0].filter.startsWith("Bitmap files (*.bmp)|*.bmp|"))
        << dialogs.fileSpecs[0].filter.toStdString();
    EXPECT_EQ(dialogs.fileSpecs[0].defaultExtension, "bmp");
    EXPECT_EQ(dialogs.fileSpecs[0].initialFolder, folder.path());

    const QByteArray bytes = FileBytes(name);
    ASSERT_GT(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), "BM");
    QImage saved(name, "BMP");
    EXPECT_EQ(saved.size(), QSize(617, 441));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), page->Picture());

    // After "Select graph" the picture is out of sight; opening keeps it there and the next
    // drawing would replace it.
    const QImage drawn = page->Picture();
    Click("SelectGraphButton");
    dialogs.files.push_back(name);
    Click("OpenGraphButton");
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.fileSpecs[1].filter, "bitmap files (*.bmp)|*.bmp");
    EXPECT_EQ(dialogs.fileSpecs[1].defaultExtension, "bmp");
    EXPECT_FALSE(ImageShown());
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(page->Picture().convertToFormat(QImage::Format_RGB32), drawn);
    EXPECT_TRUE(dialogs.unexpected.isEmpty());
}

TEST_F(GraphPageTest, OpenedGraphIsSeenAtOnceWhenThePictureIsOnDisplay) {
    DrawWaterTable();
    QImage other(617, 441, QImage::Format_RGB32);
    other.fill(QColor(10, 200, 30));
    const QString name = folder.filePath("other.bmp");
    ASSERT_TRUE(other.save(name, "BMP"));
    dialogs.files.push_back(name);
    Click("OpenGraphButton");
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(ImageShown());
    EXPECT_EQ(page->Picture().pixelColor(300, 200), QColor(10, 200, 30));
    EXPECT_EQ(Child<QLabel>("GraphImage")->pixmap().toImage().pixelColor(300, 200),
              QColor(10, 200, 30));
}

TEST_F(GraphPageTest, SaveCancelledOrRefusedKeepsTheFile) {
    DrawWaterTable();
    dialogs.files.push_back(std::nullopt);
    Click("SaveGraphButton");
    EXPECT_EQ(dialogs.messages, QStringList{"The graph was not saved"});

    // An existing file: the question first; No leaves the file and says nothing.
    const QString name = folder.filePath("exists.bmp");
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old contents");
    }
    dialogs.messages.clear();
    dialogs.files.push_back(name);
    dialogs.answers.push_back(false);
    Click("SaveGraphButton");
    EXPECT_EQ(dialogs.questions, QStringList{"The graph already exists, overwrite?"});
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(FileBytes(name), "old contents");

    // Yes overwrites it.
    dialogs.files.push_back(name);
    dialogs.answers.push_back(true);
    Click("SaveGraphButton");
    EXPECT_EQ(dialogs.messages, QStringList{"The graph was saved as  " + name});
    EXPECT_EQ(FileBytes(name).left(2), "BM");
    EXPECT_TRUE(dialogs.unexpected.isEmpty());
}

TEST_F(GraphPageTest, AFullDiskKeepsThePreviousBitmapWhole) {
    DrawWaterTable();
    const QString name = folder.filePath("kept.bmp");
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the previous graph");
    }
    dialogs.files.push_back(name);
    dialogs.answers.push_back(true);
    {
        test::FileSizeLimit limit(4096);  // far less than a bitmap of 617 x 441
        Click("SaveGraphButton");
    }
    EXPECT_EQ(dialogs.messages, QStringList{"Cannot create file \"" + name + "\". File too large"});
    EXPECT_EQ(FileBytes(name), "the previous graph");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              QStringList({"graphs.out", "kept.bmp"}));  // no temporary left behind
}

TEST_F(GraphPageTest, SaveToAFolderThatDoesNotExistReportsIt) {
    DrawWaterTable();
    const QString name = folder.filePath("no such folder/graph.bmp");
    dialogs.files.push_back(name);
    Click("SaveGraphButton");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("Cannot create file \"" + name + "\". "))
        << dialogs.messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(name));
}

TEST_F(GraphPageTest, OpenGraphCancelledMissingOrNotABitmap) {
    DrawWaterTable();
    const QImage drawn = page->Picture();
    dialogs.files.push_back(std::nullopt);
    Click("OpenGraphButton");
    EXPECT_EQ(dialogs.messages, QStringList{"No graphics file was selected"});

    dialogs.messages.clear();
    dialogs.files.push_back(folder.filePath("missing.bmp"));
    Click("OpenGraphButton");
    EXPECT_EQ(dialogs.messages,
              QStringList{"Picture file does not exist, please select another one."});

    // A file that is no bitmap: reported, and the picture stays as it was.
    const QString name = folder.filePath("text.bmp");
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("this is no bitmap");
    }
    dialogs.messages.clear();
    dialogs.files.push_back(name);
    Click("OpenGraphButton");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(name));
    EXPECT_EQ(page->Picture(), drawn);
    EXPECT_TRUE(ImageShown());
}

}  // namespace
}  // namespace halosoil
