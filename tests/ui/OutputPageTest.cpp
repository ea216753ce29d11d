// The Output page driven through its widgets: showing a run's output, the salinity and
// hydrology tables with their layouts, the clipboard copy and "Open output". The files
// under tests/data/output-view were written by hand from the file layouts: a one-layer
// output of three steps and its input file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "OutputPage.h"
#include "ScriptedDialogs.h"
#include "StringGrid.h"

namespace halosoil {
namespace {

const QString kHyphen = "            -";  // 12 blanks and a hyphen
const QString kCouldNot = "could not be opened. It may be damaged or in use by another program.";

class OutputPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        window_.StartFolder = folder_.path();
        window_.OutputOpenFolder = window_.InputOpenFolder = window_.InputSaveFolder =
            folder_.path();
        page_ =
            std::make_unique<OutputPage>(OutputOnView{data_, state_, readBack_, window_}, dialogs_);
        page_->resize(806, 600);
        page_->show();
    }
    void TearDown() override {
        EXPECT_TRUE(dialogs_.unexpected.isEmpty()) << dialogs_.unexpected.join("; ").toStdString();
    }

    template <class T>
    T* Find(const char* name) {
        T* widget = page_->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
    StringGrid* Grid() { return Find<StringGrid>("OutGrid"); }
    QPlainTextEdit* Box(const char* name) { return Find<QPlainTextEdit>(name); }
    QLabel* Label(const char* name) { return Find<QLabel>(name); }

    // Copies the hand-written files into the test's folder under the given base name.
    QString CopyData(const QString& base) {
        const QString from = QString(HALOSOIL_TEST_DATA) + "/output-view/delta";
        const QString to = folder_.filePath(base);
        EXPECT_TRUE(QFile::copy(from + ".out", to + ".out"));
        EXPECT_TRUE(QFile::copy(from + ".inp", to + ".inp"));
        return to;
    }

    // The state a three-step one-layer run leaves, with its output file beside its input.
    void AfterOneLayerRun() {
        const QString base = CopyData("run");
        data_.InputFileName = (base + ".inp").toStdString();
        data_.NrTst = 3;
        data_.NrLayers = 1;
        data_.SetLayerFlags(1);
        state_.SalRoot1 = {0, 3.456, 4.1, 12.347};
        state_.SalTrans = {0, 2.5, 2.61, 3};
        state_.SalAquif = {0, 1.2, 1.25, 1.3};
        data_.MeasSalt[Layer1] = {0, 4.5, -1, 0};
        data_.MeasSalt[Trans] = {0, -1, 2.7, -1};
        data_.MeasSalt[Aquif] = {0, 1.1, -1, 1.4};
        page_->ShowRunOutput();
    }

    // A run of two steps with every series set and every measurement missing.
    void AfterRunOfLayers(int layers) {
        data_.NrTst = 2;
        data_.NrLayers = layers;
        data_.SetLayerFlags(layers);
        for (Series* s : {&state_.SalRoot1, &state_.SalRoot2, &state_.SalRoot3, &state_.SalTrans,
                          &state_.SalAquif})
            *s = {0, 1.5, 1.75};
        for (int zone = Layer1; zone <= Aquif; ++zone) data_.MeasSalt[zone] = {0, -1, -1};
    }

    QStringList MemoLines() { return Box("OutputMemo")->toPlainText().split('\n'); }

    // The left edge of a widget on the page.
    int Left(QWidget* widget) {
        QApplication::processEvents();
        return widget->mapTo(page_.get(), QPoint(0, 0)).x();
    }

    QTemporaryDir folder_;
    InputData data_;
    RunState state_;
    OutputReadBack readBack_;
    WindowState window_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<OutputPage> page_;
};

TEST_F(OutputPageTest, HasNamedControlsWithTheirTexts) {
    EXPECT_EQ(Button("OpenOutButton")->text(), "Open output");
    EXPECT_EQ(Button("SeeGraphsButton")->text(), "See graphs");
    EXPECT_EQ(Button("SeeSaltButton")->text(), "See salinity output");
    EXPECT_EQ(Button("SeeHydrButton")->text(), "See hydrological output");
    EXPECT_EQ(Button("CopyButton")->text(), "Copy to clipboard");
    EXPECT_EQ(Label("OutLabel")->text(), "  See output file  (*.out) for all data");
    EXPECT_EQ(Label("ClickLabel")->text(), "Click table and:");
    EXPECT_EQ(Label("ExcelLabel")->text(),
              "The data of the table can be copied to a spreadsheet like Excel via the "
              "clipboard");
    EXPECT_NE(Box("OutputMemo"), nullptr);

    StringGrid* grid = Grid();
    EXPECT_EQ(grid->horizontalHeader()->defaultSectionSize(), 64);
    grid->SetRowCount(3);
    EXPECT_FALSE(grid->item(0, 1)->flags() & Qt::ItemIsEditable);  // the fixed row
    EXPECT_FALSE(grid->item(1, 0)->flags() & Qt::ItemIsEditable);  // the fixed column
    EXPECT_TRUE(grid->item(1, 1)->flags() & Qt::ItemIsEditable);
}

TEST_F(OutputPageTest, HeadingBoxesAreGreyReadOnlyAndCarryTheirLines) {
    const std::pair<const char*, QStringList> boxes[] = {
        {"HydrOutMemo",
         {"Rainfall         Irrigation        Pot. Evapor.   Percolation   Capillary rise    "
          "Act. Evapor.  Drainage       Depth WT"}},
        {"OutSalt1Memo",
         {"                                      S A L I N I T Y    D A T A",
          "       R o o t z o n e             T r a n s i t i o n   z o n e             A q u "
          "i f e r",
          "calculated    measured      calculated     measured      calculated     measured"}},
        {"OutSalt2Memo",
         {"                                                      S A L I N I T Y    D A T A",
          "                          R o o t z o n e                                     T r "
          "a n s i t i o n   z o n e               A q u i f e r",
          "             Layer1                                Layer2",
          "calculated     measured      calculated     measured       calculated     "
          "measured       calculated     measured",
          " "}},
        {"OutSalt3Memo",
         {"                                                                                 S "
          "A L I N I T Y    D A T A",
          "                                             R o o t z o n e                      "
          "                                               ",
          "             - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - "
          "- - - - - - - - - - - - - -                   T r a n s i t i o n  z o n e      "
          "         A q u i f e r",
          "             Layer1                               Layer2                          "
          "       Layer3                          ",
          "calculated     measured      calculated     measured      calculated      measured"
          "      calculated     measured      calculated     measured",
          " "}}};
    for (const auto& [name, lines] : boxes) {
        SCOPED_TRACE(name);
        QPlainTextEdit* box = Box(name);
        EXPECT_EQ(box->toPlainText().split('\n'), lines);
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_NE(box->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_FALSE(box->isVisible());
    }
}

TEST_F(OutputPageTest, ShowsRunOutputWithTableButtonsAndNoTable) {
    EXPECT_FALSE(Button("SeeGraphsButton")->isEnabled());
    EXPECT_FALSE(Button("SeeSaltButton")->isVisible());
    AfterOneLayerRun();
    EXPECT_TRUE(window_.OutputFromRun);
    const QStringList lines = MemoLines();
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[0], "OUTPUT OF Halosoil");
    EXPECT_EQ(lines[18],
              "        3      8.7      3.1     48.0       0.0      1.70      3.71         2.20"
              "     1.26");
    EXPECT_TRUE(Button("SeeGraphsButton")->isEnabled());
    EXPECT_TRUE(Label("OutLabel")->isVisible());
    for (const char* name : {"SeeSaltButton", "SeeHydrButton"}) {
        EXPECT_TRUE(Button(name)->isVisible()) << name;
        EXPECT_TRUE(Button(name)->isEnabled()) << name;
    }
    for (QWidget* hidden :
         {static_cast<QWidget*>(Grid()), static_cast<QWidget*>(Label("ExcelLabel")),
          static_cast<QWidget*>(Label("ClickLabel")), static_cast<QWidget*>(Button("CopyButton")),
          static_cast<QWidget*>(Box("HydrOutMemo")), static_cast<QWidget*>(Box("OutSalt1Memo"))})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_TRUE(dialogs_.messages.isEmpty());
}

TEST_F(OutputPageTest, SalinityTableAfterRunShowsRunValuesWithoutReadingFiles) {
    AfterOneLayerRun();
    // Without its files the table still comes from memory.
    QFile::remove(folder_.filePath("run.out"));
    QFile::remove(folder_.filePath("run.inp"));
    QTest::mouseClick(Button("SeeSaltButton"), Qt::LeftButton);
    EXPECT_TRUE(dialogs_.messages.isEmpty());
    StringGrid* grid = Grid();
    ASSERT_EQ(grid->RowCount(), 4);
    ASSERT_EQ(grid->ColCount(), 7);
    const QStringList rows[] = {
        {"Time step", "dS/m", "dS/m", "dS/m", "dS/m", "dS/m", "dS/m"},
        {"1", "         3.46", "         4.50", "     2.50", kHyphen, "     1.20", "     1.10"},
        {"2", "         4.10", kHyphen, "     2.61", "     2.70", "     1.25", kHyphen},
        {"3", "        12.35", kHyphen, "     3.00", kHyphen, "     1.30", "     1.40"}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 7; ++col) {
            EXPECT_EQ(grid->Cell(col, row), rows[row][col]) << col << "," << row;
            EXPECT_EQ(grid->item(row, col)->text(), rows[row][col]) << col << "," << row;
        }
    EXPECT_TRUE(grid->isVisible());
    EXPECT_TRUE(Label("ExcelLabel")->isVisible());
    EXPECT_FALSE(Button("SeeSaltButton")->isEnabled());
    EXPECT_TRUE(Button("SeeHydrButton")->isEnabled());
}

TEST_F(OutputPageTest, CopiesThreeStepOneLayerTableAsItStands) {
    AfterOneLayerRun();
    QTest::mouseClick(Button("SeeSaltButton"), Qt::LeftButton);
    QTest::mouseClick(Button("CopyButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs_.messages,
              QStringList{"The data are on the clipboard to be pasted elsewhere."});
    const QString expected =
        "Time step\tdS/m\tdS/m\tdS/m\tdS/m\tdS/m\tdS/m\r"
        "1\t         3.46\t         4.50\t     2.50\t            -\t     1.20\t     1.10\r"
        "2\t         4.10\t            -\t     2.61\t     2.70\t     1.25\t            -\r"
        "3\t        12.35\t            -\t     3.00\t            -\t     1.30\t     1.40";
    EXPECT_EQ(dialogs_.clipboard, expected);
    const QStringList rows = dialogs_.clipboard.split('\r');
    ASSERT_EQ(rows.size(), 4);
    for (const QString& row : rows) EXPECT_EQ(row.count('\t'), 6);
    EXPECT_EQ(dialogs_.clipboard.count('\r'), 3);
    EXPECT_FALSE(dialogs_.clipboard.contains('\n'));

    // A cell the user edited is copied as edited.
    Grid()->item(2, 3)->setText("7.5");
    QTest::mouseClick(Button("CopyButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs_.clipboard.split('\r')[2],
              "2\t         4.10\t            -\t7.5\t     2.70\t     1.25\t            -");
}

TEST_F(OutputPageTest, LaysOutSalinityTableByLayerCount) {
    struct Layout {
        int layers, columns, left, width, clickLeft, copyLeft;
        const char* heading;
    };
    const Layout layouts[] = {{1, 7, 100, 480, 106, 102, "OutSalt1Memo"},
                              {2, 9, 50, 610, 56, 52, "OutSalt2Memo"},
                              {3, 11, 10, 740, 16, 12, "OutSalt3Memo"}};
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.layers);
        AfterRunOfLayers(l.layers);
        page_->FillSalinityTable();
        StringGrid* grid = Grid();
        grid->show();
        EXPECT_EQ(grid->ColCount(), l.columns);
        EXPECT_EQ(grid->RowCount(), 3);
        EXPECT_EQ(grid->width(), l.width);
        EXPECT_EQ(Left(grid), l.left);
        EXPECT_EQ(Left(Label("ClickLabel")), l.clickLeft);
        EXPECT_EQ(Left(Button("CopyButton")), l.copyLeft);
        EXPECT_TRUE(Label("ClickLabel")->isVisible());
        EXPECT_TRUE(Button("CopyButton")->isVisible());
        EXPECT_TRUE(Box(l.heading)->isVisible());
        EXPECT_FALSE(Box("HydrOutMemo")->isVisible());
        // Every measured column shows the hyphen for the missing values.
        for (int col = 2; col < l.columns; col += 2) {
            EXPECT_EQ(grid->Cell(col, 1), kHyphen) << col;
            EXPECT_EQ(grid->Cell(col, 2), kHyphen) << col;
        }
        // The unit heading stands in all ten columns, hidden ones included.
        for (int col = 1; col <= 10; ++col) EXPECT_EQ(grid->Cell(col, 0), "dS/m") << col;
    }
    // Each salinity layout shows its own heading box; the others keep their visibility.
    EXPECT_TRUE(Box("OutSalt1Memo")->isVisible());
}

TEST_F(OutputPageTest, HydrologyTableReadsOutputFileFirst) {
    AfterOneLayerRun();
    data_.Rain = {0, 120.5, 0, 33.1};
    data_.Irrig = {0, 300, 85.75, 0};
    data_.Evap = {0, 150.25, 160, 140.4};
    state_.Percol = {0, 99, 99, 99};  // differs from the file, which must win
    QTest::mouseClick(Button("SeeSaltButton"), Qt::LeftButton);
    QTest::mouseClick(Button("SeeHydrButton"), Qt::LeftButton);
    EXPECT_TRUE(dialogs_.messages.isEmpty());
    StringGrid* grid = Grid();
    ASSERT_EQ(grid->ColCount(), 9);
    ASSERT_EQ(grid->RowCount(), 4);
    const QStringList rows[] = {{"Time step", "mm", "mm", "mm", "mm", "mm", "mm", "mm", " m"},
                                {"1", "120.5", "300", "150.25", "12.3", "0", "45.6", "1.2", "1.5"},
                                {"2", "0", "85.75", "160", "10", "2.5", "50.1", "0.8", "1.62"},
                                {"3", "33.1", "0", "140.4", "8.7", "3.1", "48", "0", "1.7"}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 9; ++col)
            EXPECT_EQ(grid->Cell(col, row), rows[row][col]) << col << "," << row;
    EXPECT_EQ(grid->width(), 612);
    EXPECT_EQ(Left(grid), 50);
    EXPECT_EQ(Left(Label("ClickLabel")), 56);
    EXPECT_EQ(Left(Button("CopyButton")), 52);
    EXPECT_TRUE(Box("HydrOutMemo")->isVisible());
    for (const char* name : {"OutSalt1Memo", "OutSalt2Memo", "OutSalt3Memo"})
        EXPECT_FALSE(Box(name)->isVisible()) << name;
    EXPECT_FALSE(Button("SeeHydrButton")->isEnabled());
    EXPECT_TRUE(Button("SeeSaltButton")->isEnabled());
}

TEST_F(OutputPageTest, HydrologyTableStopsWhenOutputFileIsGone) {
    AfterOneLayerRun();
    const QString outName = folder_.filePath("run.out");
    QFile::remove(outName);
    QTest::mouseClick(Button("SeeHydrButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs_.messages, QStringList{"The file " + outName + kCouldNot});
    EXPECT_FALSE(Grid()->isVisible());
    EXPECT_TRUE(Button("SeeHydrButton")->isEnabled());
}

TEST_F(OutputPageTest, OpensOutputWithItsInputFile) {
    const QString base = CopyData("delta");
    data_.InputFileName = "/projects/nile/farm.inp";
    window_.OutputFromRun = true;
    QSignalSpy opened(page_.get(), &OutputPage::OutputOpened);
    dialogs_.files.push_back(base + ".out");
    QTest::mouseClick(Button("OpenOutButton"), Qt::LeftButton);

    ASSERT_EQ(dialogs_.fileSpecs.size(), 1);
    EXPECT_EQ(dialogs_.fileSpecs[0].filter, "output files (*.out)|*.out");
    EXPECT_EQ(dialogs_.fileSpecs[0].defaultExtension, "out");
    EXPECT_EQ(dialogs_.fileSpecs[0].initialFolder, folder_.path());
    EXPECT_TRUE(dialogs_.messages.isEmpty()) << dialogs_.messages.join("; ").toStdString();
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(window_.OutputFileName, base + ".out");
    EXPECT_EQ(window_.ViewedInputFileName, base + ".inp");
    // The dialogs go on in the folder of the project's input file.
    EXPECT_EQ(window_.OutputOpenFolder, "/projects/nile");
    EXPECT_EQ(window_.InputOpenFolder, "/projects/nile");
    EXPECT_EQ(window_.InputSaveFolder, "/projects/nile");
    EXPECT_FALSE(window_.OutputFromRun);
    EXPECT_EQ(MemoLines().value(4), "Season 2020");
    EXPECT_TRUE(Box("OutputMemo")->isVisible());
    EXPECT_TRUE(Label("OutLabel")->isVisible());
    EXPECT_TRUE(Button("SeeGraphsButton")->isEnabled());
    EXPECT_TRUE(Button("SeeSaltButton")->isEnabled());
    EXPECT_FALSE(Grid()->isVisible());
    EXPECT_FALSE(Button("CopyButton")->isVisible());

    // The salinity table then shows the output file's results and the input's measurements.
    QTest::mouseClick(Button("SeeSaltButton"), Qt::LeftButton);
    StringGrid* grid = Grid();
    ASSERT_EQ(grid->ColCount(), 7);
    const QStringList step3 = {"3",         "         3.71", kHyphen, "     2.20",
                               "     5.00", "     1.26",     kHyphen};
    for (int col = 0; col < 7; ++col) EXPECT_EQ(grid->Cell(col, 3), step3[col]) << col;
}

TEST_F(OutputPageTest, OutputFileWithAnUpperCaseExtensionShowsItsOwnText) {
    const QString base = CopyData("upper");
    ASSERT_TRUE(QFile::rename(base + ".out", base + ".OUT"));
    dialogs_.files.push_back(base + ".OUT");
    QTest::mouseClick(Button("OpenOutButton"), Qt::LeftButton);
    EXPECT_TRUE(dialogs_.messages.isEmpty()) << dialogs_.messages.join("; ").toStdString();
    EXPECT_EQ(window_.ViewedInputFileName, base + ".inp");
    EXPECT_EQ(MemoLines().value(4), "Season 2020");
}

TEST_F(OutputPageTest, OpenOutputStopsAndNamesInputFileThatWasDeleted) {
    const QString base = CopyData("delta");
    QFile::remove(base + ".inp");
    QSignalSpy opened(page_.get(), &OutputPage::OutputOpened);
    dialogs_.files.push_back(base + ".out");
    EXPECT_FALSE(page_->OpenOutput());
    EXPECT_EQ(dialogs_.messages, QStringList{"The file " + base + ".inp" + kCouldNot});
    EXPECT_EQ(Box("OutputMemo")->toPlainText(), "");
    EXPECT_EQ(opened.count(), 0);
    EXPECT_FALSE(Button("SeeSaltButton")->isEnabled());
    EXPECT_FALSE(Button("SeeGraphsButton")->isEnabled());
}

TEST_F(OutputPageTest, FailedOpenAfterRunKeepsNoTableOfMixedResults) {
    AfterOneLayerRun();
    // An output file that cannot be opened changes nothing: the run's tables stay available.
    dialogs_.files.push_back(folder_.filePath("none.out"));
    EXPECT_FALSE(page_->OpenOutput());
    EXPECT_EQ(dialogs_.messages.value(0), "The file " + folder_.filePath("none.out") + kCouldNot);
    EXPECT_TRUE(Button("SeeSaltButton")->isEnabled());

    // Once the output file is read and its input file is missing, the results in memory
    // belong to neither file: no table or graph may be made of them.
    const QString base = CopyData("delta");
    QFile::remove(base + ".inp");
    dialogs_.files.push_back(base + ".out");
    EXPECT_FALSE(page_->OpenOutput());
    EXPECT_EQ(dialogs_.messages.value(1), "The file " + base + ".inp" + kCouldNot);
    for (const char* name : {"SeeGraphsButton", "SeeSaltButton", "SeeHydrButton"})
        EXPECT_FALSE(Button(name)->isEnabled()) << name;
}

TEST_F(OutputPageTest, OpenOutputNamesDamagedOutputFile) {
    const QString base = CopyData("delta");
    QFile file(base + ".out");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("OUTPUT OF Halosoil\r\n");
    file.close();
    dialogs_.files.push_back(base + ".out");
    EXPECT_FALSE(page_->OpenOutput());
    ASSERT_EQ(dialogs_.messages.size(), 1);
    EXPECT_TRUE(dialogs_.messages[0].contains(base + ".out")) << dialogs_.messages[0].toStdString();
}

TEST_F(OutputPageTest, CancelledOutputDialogChangesNothing) {
    AfterOneLayerRun();
    const WindowState before = window_;
    dialogs_.files.push_back(std::nullopt);
    EXPECT_TRUE(page_->OpenOutput());
    EXPECT_EQ(dialogs_.messages, QStringList{"No output file was selected"});
    EXPECT_TRUE(window_.OutputFromRun);
    EXPECT_EQ(window_.OutputFileName, before.OutputFileName);
    EXPECT_EQ(window_.OutputOpenFolder, before.OutputOpenFolder);
    EXPECT_EQ(MemoLines().value(0), "OUTPUT OF Halosoil");
}

TEST_F(OutputPageTest, OpenedOutputReplacesTextOfEarlierRun) {
    AfterOneLayerRun();
    QFile run(folder_.filePath("run.out"));
    ASSERT_TRUE(run.open(QIODevice::WriteOnly | QIODevice::Truncate));
    run.write("OUTPUT OF Halosoil\r\nName of this file :run\r\n");
    run.close();
    const QString base = CopyData("delta");
    dialogs_.files.push_back(base + ".out");
    ASSERT_TRUE(page_->OpenOutput());
    EXPECT_EQ(MemoLines().size(), 19);
    EXPECT_EQ(MemoLines().value(1), "Name of this file :/data/delta.out");
}

TEST_F(OutputPageTest, OpenedInputDisablesOutputButtonsAndSeeGraphsSignals) {
    AfterOneLayerRun();
    QSignalSpy seeGraphs(page_.get(), &OutputPage::SeeGraphsClicked);
    QTest::mouseClick(Button("SeeGraphsButton"), Qt::LeftButton);
    EXPECT_EQ(seeGraphs.count(), 1);
    page_->DisableForOpenedInput();
    for (const char* name : {"SeeGraphsButton", "SeeSaltButton", "SeeHydrButton"})
        EXPECT_FALSE(Button(name)->isEnabled()) << name;
    EXPECT_FALSE(Label("OutLabel")->isVisible());
}

}  // namespace
}  // namespace halosoil
