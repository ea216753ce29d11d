// "Open output": an output file with its input file, names that differ in case, a deleted
// input file, a damaged output file, a cancelled dialog, and what the page shows afterwards.
#include "OutputPageFixture.h"

namespace halosoil {
namespace {

using OpenOutputTest = OutputPageTest;

TEST_F(OpenOutputTest, OpensOutputWithItsInputFile) {
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

TEST_F(OpenOutputTest, OutputFileWithAnUpperCaseExtensionShowsItsOwnText) {
    const QString base = CopyData("upper");
    ASSERT_TRUE(QFile::rename(base + ".out", base + ".OUT"));
    dialogs_.files.push_back(base + ".OUT");
    QTest::mouseClick(Button("OpenOutButton"), Qt::LeftButton);
    EXPECT_TRUE(dialogs_.messages.isEmpty()) << dialogs_.messages.join("; ").toStdString();
    EXPECT_EQ(window_.ViewedInputFileName, base + ".inp");
    EXPECT_EQ(MemoLines().value(4), "Season 2020");
}

TEST_F(OpenOutputTest, OpenOutputStopsAndNamesInputFileThatWasDeleted) {
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

TEST_F(OpenOutputTest, FailedOpenAfterRunKeepsNoTableOfMixedResults) {
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

TEST_F(OpenOutputTest, OpenOutputNamesDamagedOutputFile) {
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

TEST_F(OpenOutputTest, CancelledOutputDialogChangesNothing) {
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

TEST_F(OpenOutputTest, OpenedOutputReplacesTextOfEarlierRun) {
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

TEST_F(OpenOutputTest, OpenedInputDisablesOutputButtonsAndSeeGraphsSignals) {
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
