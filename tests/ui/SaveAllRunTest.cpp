// "Save all - Run": a project entered from scratch through the seven panels is written and
// run, and the files equal those the batch runner writes for the same data; every dialog of
// the action can be cancelled or answered No.
#include <QFile>
#include <QProcess>
#include <QProgressBar>

#include "MainFormFixture.h"
#include "RunQuestions.h"

namespace halosoil::test {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QList<QByteArray> Lines(const QString& path) {
    return ReadAll(path).split('\n');
}

int RunBatch(const QStringList& arguments) {
    QProcess batch;
    batch.start(HALOSOIL_BATCH, arguments);
    if (!batch.waitForFinished(120000)) return -1;
    return batch.exitCode();
}

class SaveAllRun : public MainFormTest {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(SaveAllRun, ProjectsEnteredByHandRunAndMatchTheBatchRunner) {
    for (int layers = 1; layers <= 3; ++layers) {
        SCOPED_TRACE(layers);
        dialogs.log.clear();
        dialogs.messages.clear();
        form->FormCreate();
        EnterProject(SampleEntry(layers));
        ASSERT_TRUE(form->Input().Workflow().Complete());
        const QString input = Path(QString("layers%1.inp").arg(layers));
        dialogs.files.push_back(input);
        dialogs.answers = {true, false};  // do the calculations; no refinement
        QList<bool> progressShown;
        dialogs.onPause = [&] { progressShown << !W<QProgressBar>("ProgressBar")->isHidden(); };
        dialogs.log.clear();
        Click("SaveAllButton");
        dialogs.onPause = nullptr;

        EXPECT_EQ(dialogs.log,
                  QStringList({"message: For saving please create an input data file",
                               "save: input files (*.inp)|*.inp",
                               "question: The data were saved as " + input +
                                   ". Do you wish to do the calculations?",
                               QString("question: ") + kRefineQuestion,
                               "message: The calculations were made. The output can be "
                               "inspected."}));
        ASSERT_EQ(dialogs.fileSpecs.size(), layers);
        EXPECT_EQ(dialogs.fileSpecs.last().defaultExtension, "inp");
        EXPECT_EQ(dialogs.fileSpecs.last().initialFolder,
                  layers == 1 ? QDir::currentPath() : dir.path());
        // Eleven steps: the progress bar is shown before the run and hidden after it.
        ASSERT_FALSE(progressShown.isEmpty());
        EXPECT_TRUE(progressShown.first());
        EXPECT_TRUE(W<QProgressBar>("ProgressBar")->isHidden());
        EXPECT_TRUE(form->Window().OutputFromRun);
        EXPECT_EQ(Pages()->currentWidget()->objectName(), "OutTab");
        EXPECT_EQ(form->Data().InputFileName, input.toStdString());

        // The input file, checked line by line where the hand can, and against the batch
        // runner's rewrite of it.
        const QList<QByteArray> lines = Lines(input);
        ASSERT_GT(lines.size(), 40);
        EXPECT_EQ(lines[0], " PROGRAM Halosoil INPUT DATA\r");
        EXPECT_EQ(lines[1], " Name of this file        : " + input.toUtf8() + "\r");
        EXPECT_EQ(lines[2], " First title              : Test plain\r");
        EXPECT_EQ(lines[3], " Second title             : Entered by hand\r");
        EXPECT_EQ(lines[5], " Nunber of time steps     : 11\r");
        EXPECT_EQ(lines[6], " Step length (days)       : 30\r");
        EXPECT_EQ(lines[7], " Nr of root zone layers   : " + QByteArray::number(layers) + "\r");
        EXPECT_EQ(lines[9], layers == 1 ? " Drainage system present  : no\r"
                                        : " Drainage system present  : yes\r");
        EXPECT_TRUE(lines.contains(
            "         1        42.00           40.00          55.00           1.20\r"));
        EXPECT_TRUE(lines.contains(
            "        11        28.00           60.00          75.00           1.50\r"));
        const QString converted = Path(QString("converted%1.inp").arg(layers));
        ASSERT_EQ(RunBatch({"convert", input, converted}), 0);
        QList<QByteArray> rewritten = Lines(converted);
        ASSERT_EQ(rewritten.size(), lines.size());
        for (int i = 0; i < lines.size(); ++i)
            if (i != 1) {
                EXPECT_EQ(lines[i], rewritten[i]) << "line " << i + 1;
            }

        // The output file equals the batch runner's for the same input file.
        const QString output = Path(QString("layers%1.out").arg(layers));
        const QByteArray windowOutput = ReadAll(output);
        ASSERT_FALSE(windowOutput.isEmpty());
        ASSERT_TRUE(QFile::remove(output));
        ASSERT_EQ(RunBatch({"run", input}), 0);
        EXPECT_EQ(ReadAll(output), windowOutput);
    }
}

TEST_F(SaveAllRun, CancellingTheSaveDialogWritesNothing) {
    EnterProject(SampleEntry(1));
    dialogs.messages.clear();
    dialogs.files.push_back(std::nullopt);
    Click("SaveAllButton");
    EXPECT_EQ(dialogs.messages, QStringList({"For saving please create an input data file",
                                             "No input file was selected"}));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "InpTab");
}

TEST_F(SaveAllRun, NoToTheOverwriteQuestionWritesAndRunsNothing) {
    EnterProject(SampleEntry(1));
    const QString input = Path("old.inp");
    {
        QFile file(input);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("kept");
    }
    dialogs.messages.clear();
    dialogs.files.push_back(input);
    dialogs.answers = {false};
    Click("SaveAllButton");
    EXPECT_EQ(dialogs.questions, QStringList({"The file already exists, overwrite?"}));
    EXPECT_EQ(dialogs.messages, QStringList({"For saving please create an input data file"}));
    EXPECT_EQ(ReadAll(input), "kept");
    EXPECT_FALSE(QFile::exists(Path("old.out")));
}

TEST_F(SaveAllRun, NoToTheCalculationsKeepsTheFileAndRunsNothing) {
    EnterProject(SampleEntry(1));
    const QString input = Path("sub/kept.inp");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    dialogs.messages.clear();
    dialogs.files.push_back(input);
    dialogs.answers = {false};
    Click("SaveAllButton");
    EXPECT_EQ(dialogs.messages.last(), "The calculations were not made.");
    EXPECT_TRUE(QFile::exists(input));
    EXPECT_FALSE(QFile::exists(Path("sub/kept.out")));
    EXPECT_TRUE(W<QProgressBar>("ProgressBar")->isHidden());
    // The chosen folder becomes the initial folder of both input dialogs.
    EXPECT_EQ(form->Window().InputSaveFolder, Path("sub"));
    EXPECT_EQ(form->Window().InputOpenFolder, Path("sub"));
    dialogs.files.push_back(std::nullopt);
    Click("OpenInpButton");
    EXPECT_EQ(dialogs.fileSpecs.last().initialFolder, Path("sub"));
}

TEST_F(SaveAllRun, OverwritingAnExistingFileRuns) {
    EnterProject(SampleEntry(1));
    const QString input = Path("again.inp");
    QFile(input).open(QIODevice::WriteOnly);
    dialogs.files.push_back(input);
    dialogs.answers = {true, true, false};
    Click("SaveAllButton");
    EXPECT_EQ(LastMessage(), "The calculations were made. The output can be inspected.");
    EXPECT_TRUE(ReadAll(input).startsWith(" PROGRAM Halosoil INPUT DATA\r\n"));
}

TEST_F(SaveAllRun, TenStepsOrFewerRunWithoutTheProgressBar) {
    ProjectEntry e = SampleEntry(1);
    e.nrTst = 10;
    e.hydro.resize(10);
    e.irrSal.resize(10);
    EnterProject(e);
    dialogs.files.push_back(Path("ten.inp"));
    dialogs.answers = {true, false};
    bool everShown = false;
    dialogs.onPause = [&] { everShown = everShown || !W<QProgressBar>("ProgressBar")->isHidden(); };
    Click("SaveAllButton");
    dialogs.onPause = nullptr;
    EXPECT_FALSE(everShown);
    EXPECT_EQ(LastMessage(), "The calculations were made. The output can be inspected.");
}

TEST_F(SaveAllRun, TheRunTakesTheStepLengthOfTheChoiceShown) {
    EnterProject(SampleEntry(1));
    form->Data().TstLength = 10;  // as an opened file may give it
    dialogs.files.push_back(Path("weekly.inp"));
    dialogs.answers = {true, false};
    Click("SaveAllButton");
    EXPECT_EQ(Lines(Path("weekly.inp"))[6], " Step length (days)       : 10\r");
    EXPECT_EQ(form->Data().TstLength, 30);
}

TEST_F(SaveAllRun, IncompleteThreeLayerSoilRunsButShowsNoOutput) {
    EnterProject(SampleEntry(3));
    // A thickness left empty is reported; filled in again, the soil data save, but the run
    // still shows no output.
    Click("SoilOpenButton");
    Type(G("Soil3Grid"), 0, 0, "");
    Click("Soil3SaveButton");
    ASSERT_FALSE(form->Input().Workflow().SoilComplete());
    Type(G("Soil3Grid"), 0, 0, "0.2");
    Click("Soil3SaveButton");
    Click("Salt3QuitButton");
    dialogs.messages.clear();
    dialogs.files.push_back(Path("soil.inp"));
    dialogs.answers = {true, false};
    Click("SaveAllButton");
    EXPECT_EQ(dialogs.messages, QStringList({"For saving please create an input data file"}));
    EXPECT_TRUE(QFile::exists(Path("soil.out")));
    EXPECT_FALSE(form->Window().OutputFromRun);
    // Eleven steps showed the progress bar; a run that shows no output hides it again.
    EXPECT_GT(dialogs.pauses, 0);
    EXPECT_TRUE(W<QProgressBar>("ProgressBar")->isHidden());
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "InpTab");
}

TEST_F(SaveAllRun, ARunTheEngineRefusesShowsItsMessage) {
    ProjectEntry e = SampleEntry(1);
    for (auto& row : e.soil) row[2] = "0";
    EnterProject(e);
    dialogs.messages.clear();
    dialogs.files.push_back(Path("dry.inp"));
    dialogs.answers = {true};
    Click("SaveAllButton");
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].startsWith("The effective porosity of the root zone is 0 %."))
        << dialogs.messages[1].toStdString();
    EXPECT_TRUE(W<QProgressBar>("ProgressBar")->isHidden());
    EXPECT_FALSE(form->Window().OutputFromRun);
}

TEST_F(SaveAllRun, ImplausibleValuesAreRefusedBeforeAFileIsAskedFor) {
    ProjectEntry e = SampleEntry(1);
    e.soil[2][1] = "300";     // the aquifer's total porosity
    e.hydro[3][0] = "-12.5";  // the rainfall of step 4
    EnterProject(e);
    ASSERT_TRUE(form->Input().Workflow().Complete());
    dialogs.log.clear();
    Click("SaveAllButton");
    EXPECT_EQ(dialogs.log,
              QStringList({"message: The total porosity of the aquifer is 300 %. It must lie "
                           "between 0 and 100 %."}));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "InpTab");

    // Corrected in the soil panel, the rainfall is named next; corrected too, the run goes on.
    Click("SoilOpenButton");
    Type(G("Soil1Grid"), 1, 2, "38");
    Click("Soil1SaveButton");
    Click("Salt1QuitButton");
    dialogs.log.clear();
    Click("SaveAllButton");
    EXPECT_EQ(dialogs.log,
              QStringList({"message: The rainfall of time step 4 is -12.5 mm per time step. It "
                           "cannot be negative."}));
    Click("HydrOpenButton");
    Type(G("HydrGrid"), 1, 4, "18");
    Click("HydrSaveButton");
    Click("Soil1QuitButton");
    dialogs.files.push_back(Path("corrected.inp"));
    dialogs.answers = {true, false};
    Click("SaveAllButton");
    EXPECT_EQ(LastMessage(), "The calculations were made. The output can be inspected.");
    EXPECT_TRUE(QFile::exists(Path("corrected.out")));
}

TEST_F(SaveAllRun, AChangedNumberOfStepsAsksForTheGroupsAgain) {
    EnterProject(SampleEntry(1));
    Click("GenOpenButton");
    SetText("NrTstEdit", "12");
    Click("GenSaveButton");
    ASSERT_TRUE(On("SaveAllButton"));
    dialogs.messages.clear();
    dialogs.files.push_back(Path("short.inp"));
    Click("SaveAllButton");
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1],
              "The rainfall holds 11 time steps, but the number of time steps is 12. Please save "
              "the hydrological data again.");
    EXPECT_FALSE(QFile::exists(Path("short.inp")));
}

}  // namespace
}  // namespace halosoil::test

namespace halosoil::test {
namespace {

TEST_F(SaveAllRun, ARunThatStopsEarlyShowsNoOutput) {
    ProjectEntry e = SampleEntry(1);
    e.soil[2][0] = "0.5";     // a thin aquifer
    e.conditions[5] = "0";    // no inflow
    e.conditions[6] = "200";  // a large outflow
    EnterProject(e);
    dialogs.messages.clear();
    dialogs.files.push_back(Path("stop.inp"));
    dialogs.answers = {true, false};
    Click("SaveAllButton");
    EXPECT_EQ(dialogs.messages,
              QStringList({"For saving please create an input data file", kWaterTableStopMessage}));
    EXPECT_TRUE(form->Results().RunStopped);
    EXPECT_FALSE(form->Window().OutputFromRun);
    EXPECT_GT(dialogs.pauses, 0);
    EXPECT_TRUE(W<QProgressBar>("ProgressBar")->isHidden());
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "InpTab");
}

}  // namespace
}  // namespace halosoil::test
