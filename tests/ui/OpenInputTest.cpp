// "Open input": every value of a file appears in its control as it is read, the window is
// prepared for inspecting every group and running at once, and a failure or a cancelled
// dialog keeps what was there.
#include <QFile>
#include <QLabel>

#include "InputFile.h"
#include "MainFormFixture.h"

namespace halosoil::test {
namespace {

QString Example(const QString& name) {
    return QString(HALOSOIL_EXAMPLES) + "/" + name;
}

class OpenInput : public MainFormTest {
protected:
    void Open(const QString& path) {
        dialogs.files.push_back(path);
        GoToInput();
        Click("OpenInpButton");
    }
    QStringList Row(StringGrid* grid, int row, int columns, int firstCol = 0) {
        QStringList cells;
        for (int col = firstCol; col < firstCol + columns; ++col) cells << grid->Cell(col, row);
        return cells;
    }
    // The soil grid's rows from the first on hold these five texts each.
    void ExpectSoilRows(const QString& grid, const std::vector<QStringList>& rows) {
        for (int row = 0; row < static_cast<int>(rows.size()); ++row)
            EXPECT_EQ(Row(G(grid), row, 5), rows[row]) << "row " << row;
    }
    // A copy of an example with one line replaced.
    QString Altered(const QString& example, int lineNumber, const QByteArray& line) {
        QFile in(Example(example));
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = in.readAll().split('\n');
        lines[lineNumber - 1] = line + "\r";
        const QString path = dir.filePath("altered.inp");
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(lines.join('\n'));
        return path;
    }
};

TEST_F(OpenInput, YearlyDrainedTwoLayerFileFillsEveryControl) {
    Open(Example("two_layers_yearly_drained.inp"));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("|").toStdString();
    ASSERT_EQ(dialogs.fileSpecs.size(), 1);
    EXPECT_EQ(dialogs.fileSpecs[0].filter, "input files (*.inp)|*.inp");
    EXPECT_EQ(dialogs.fileSpecs[0].defaultExtension, "inp");
    EXPECT_EQ(dialogs.fileSpecs[0].initialFolder, dir.path());

    ExpectShown({
        {"Tit1Edit", "Drained clay loam, root zone of two layers, salinity sampled yearly"},
        {"Tit2Edit",
         "Yearly steps over fifteen years, drains at 1.8 m; measurements allow optimisation"},
        {"NrTstEdit", "15"},
        {"TstCombo", "Year"},
        {"LayersCombo", "2"},
        {"DrainPresentCombo", "yes"},
        {"DrainDepthEdit", "1.8"},
        {"DrainQH1Edit", "0.012"},
        {"DrainQH2Edit", "0.0015"},
    });
    EXPECT_TRUE(E("DrainQH2Edit")->isEnabled());
    EXPECT_TRUE(W<QLabel>("DrainDepthLabel")->isEnabled());
    EXPECT_EQ(ConditionsShown(), QStringList({"1.3", "1.2", "1.5", "55", "65", "0.8", "0.6", "3"}));

    StringGrid* hydr = G("HydrGrid");
    EXPECT_EQ(hydr->RowCount(), 16);
    EXPECT_EQ(hydr->Cell(0, 0), "Time step");
    EXPECT_EQ(Row(hydr, 1, 4), QStringList({"1", "230", "1340", "1805"}));
    EXPECT_EQ(Row(hydr, 3, 4), QStringList({"3", "260", "1320", "1775"}));
    StringGrid* irrSal = G("IrrSalGrid");
    EXPECT_EQ(irrSal->RowCount(), 16);
    EXPECT_EQ(irrSal->Cell(0, 0), "Serial Nr");
    EXPECT_EQ(Row(irrSal, 2, 2), QStringList({"2", "1.3"}));

    ExpectSoilRows("Soil2Grid", {{"0.3", "48", "7", "75", "12"},
                                 {"0.4", "45", "8", "85", "10"},
                                 {"1.6", "42", "9", "80", "8"},
                                 {"12", "36", "14", "100", "4"}});

    StringGrid* salt = G("SaltGrid2");
    EXPECT_EQ(salt->RowCount(), 16);
    EXPECT_EQ(Row(salt, 1, 5), QStringList({"1", "10.50", "9.40", "", ""}));
    EXPECT_EQ(Row(salt, 3, 5), QStringList({"3", "8.20", "8.10", "", ""}));
    for (const char* name : {"SaltGrid1", "SaltGrid2", "SaltGrid3"}) {
        EXPECT_EQ(G(name)->Cell(0, 0), "Time step") << name;
        EXPECT_EQ(G(name)->Cell(0, 15), "15") << name;
    }

    // The window is ready for every group and for a run.
    EXPECT_FALSE(W<QLabel>("FileLabel")->isHidden());
    EXPECT_EQ(W<QLabel>("NameLabel")->text(), Example("two_layers_yearly_drained.inp"));
    EXPECT_TRUE(form->Input().Workflow().Complete());
    EXPECT_EQ(form->Input().Workflow().SavedLayers(), 2);
    EXPECT_EQ(form->Input().Workflow().SavedDrainChoice(), 1);
    EXPECT_EQ(EnabledGroupButtons(),
              QStringList({"GenOpenButton", "HydrOpenButton", "SoilOpenButton", "SaltOpenButton",
                           "IrrSalButton", "DrainOpenButton", "CondOpenButton", "SaveAllButton"}));
    for (const char* cancel :
         {"GenQuitButton", "HydrQuitButton", "Salt1QuitButton", "Salt2QuitButton",
          "Salt3QuitButton", "Soil1QuitButton", "Soil2QuitButton", "Soil3QuitButton",
          "IrrSalCancelButton", "DrainQuitButton", "CondQuitButton"})
        EXPECT_TRUE(On(cancel)) << cancel;
    EXPECT_EQ(ShownPanels(), QStringList({"GenPanel"}));
    EXPECT_EQ(form->Window().InputOpenFolder, QString(HALOSOIL_EXAMPLES));
    EXPECT_EQ(form->Window().InputSaveFolder, QString(HALOSOIL_EXAMPLES));
}

TEST_F(OpenInput, EveryExampleOpensIntoThePanelsOfItsLayerCount) {
    const struct {
        const char* file;
        const char* steps;
        const char* choice;
        int layers;
        const char* firstThickness;
    } kExamples[] = {
        {"one_layer_monthly.inp", "24", "Month", 1, "0.6"},
        {"two_layers_daily.inp", "120", "Day", 2, "0.25"},
        {"two_layers_yearly_drained.inp", "15", "Year", 2, "0.3"},
        {"three_layers_weekly_drained.inp", "52", "Week", 3, "0.2"},
    };
    for (const auto& example : kExamples) {
        SCOPED_TRACE(example.file);
        Open(Example(example.file));
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("|").toStdString();
        EXPECT_EQ(E("NrTstEdit")->text(), example.steps);
        EXPECT_EQ(C("TstCombo")->currentText(), example.choice);
        EXPECT_EQ(C("LayersCombo")->currentIndex() + 1, example.layers);
        EXPECT_EQ(G(QString("Soil%1Grid").arg(example.layers))->Cell(0, 0), example.firstThickness);
        EXPECT_EQ(G("HydrGrid")->RowCount(), QString(example.steps).toInt() + 1);
        EXPECT_TRUE(form->Input().Workflow().Complete());
        // A run of the opened project needs no group to be saved again.
        Click("SoilOpenButton");
        EXPECT_EQ(ShownPanels(), QStringList({QString("Soil%1Panel").arg(example.layers)}));
        Click(QString("Soil%1SaveButton").arg(example.layers));
        EXPECT_EQ(LastMessage(), example.layers == 1 ? "The data on Soil properties were saved."
                                                     : "The soil data were saved.");
        dialogs.messages.clear();
    }
}

TEST_F(OpenInput, WeeklyThreeLayerFileFillsTheThreeLayerControls) {
    Open(Example("three_layers_weekly_drained.inp"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ExpectShown({
        {"Tit1Edit", "Cotton on a drained silty soil, root zone of three layers"},
        {"NrTstEdit", "52"},
        {"TstCombo", "Week"},
        {"LayersCombo", "3"},
        {"DrainPresentCombo", "yes"},
        {"DrainDepthEdit", "1.5"},
        {"DrainQH1Edit", "0.025"},
        {"DrainQH2Edit", "0.004"},
    });
    EXPECT_EQ(ConditionsShown(),
              QStringList({"1.1", "1.3", "1.4", "60", "75", "0.5", "0.5", "2.5"}));
    ExpectSoilRows("Soil3Grid", {{"0.2", "46", "8", "80", "5"},
                                 {"0.3", "44", "8", "80", "6"},
                                 {"0.4", "42", "9", "85", "6.5"},
                                 {"1.5", "40", "10", "90", "5"},
                                 {"8", "36", "14", "100", "3"}});
    StringGrid* hydr = G("HydrGrid");
    EXPECT_EQ(hydr->RowCount(), 53);
    EXPECT_EQ(Row(hydr, 1, 4), QStringList({"1", "9.8", "0", "12.8"}));
    EXPECT_EQ(Row(hydr, 44, 4), QStringList({"44", "2.8", "47", "29.2"}));
    EXPECT_EQ(Row(G("IrrSalGrid"), 52, 2), QStringList({"52", "1.1"}));
    StringGrid* salt = G("SaltGrid3");
    EXPECT_EQ(salt->RowCount(), 53);
    EXPECT_EQ(Row(salt, 52, 6), QStringList({"52", "", "", "", "", ""}));
    EXPECT_EQ(form->Data().MeasSalt[Layer3][30], -1);
    EXPECT_TRUE(form->Data().ThreeLayers);
}

TEST_F(OpenInput, DailyTwoLayerFileWithoutDrains) {
    Open(Example("two_layers_daily.inp"));
    ExpectShown({
        {"NrTstEdit", "120"},
        {"TstCombo", "Day"},
        {"DrainPresentCombo", "no"},
        {"SaltIrrigEdit", "1.4"},
        {"GrwtOutEdit", "0.6"},
    });
    EXPECT_EQ(Row(G("HydrGrid"), 1, 4), QStringList({"1", "0", "75", "6.5"}));
    EXPECT_EQ(Row(G("HydrGrid"), 2, 4), QStringList({"2", "0", "0", "6.6"}));
    EXPECT_EQ(Row(G("Soil2Grid"), 0, 5), QStringList({"0.25", "47", "9", "85", "4"}));
    EXPECT_EQ(Row(G("Soil2Grid"), 2, 5), QStringList({"1.5", "41", "11", "75", "3.5"}));
    EXPECT_EQ(G("Soil2Grid")->Cell(0, 3), "9");
    EXPECT_EQ(G("SaltGrid2")->RowCount(), 121);
}

TEST_F(OpenInput, FileWithoutDrainsDisablesTheFieldsAndKeepsTheRecordedDrains) {
    form->Data().DrainDepth = 2.25;
    form->Data().QH1 = 0.3;
    C("DrainPresentCombo")->setCurrentIndex(1);
    W<DrainPanel>("DrainPanel")->EnableDrainFields(true);
    Open(Example("two_layers_daily.inp"));
    EXPECT_EQ(C("DrainPresentCombo")->currentText(), "no");
    EXPECT_EQ(form->Input().Workflow().SavedDrainChoice(), 0);
    for (const char* name : {"DrainDepthEdit", "DrainQH1Edit", "DrainQH2Edit"}) {
        EXPECT_EQ(E(name)->text(), " ") << name;
        EXPECT_FALSE(E(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(W<QLabel>("DrainQH1Label")->isEnabled());
    EXPECT_EQ(form->Data().DrainDepth, 2.25);
    EXPECT_EQ(form->Data().QH1, 0.3);
    EXPECT_FALSE(form->Data().DrainPresent);
}

TEST_F(OpenInput, OneLayerFileLeavesTheThreeLayerGridsAsTheyWere) {
    EnterProject(SampleEntry(3));
    Type(G("SaltGrid3"), 5, 4, "2.75");
    Open(Example("one_layer_monthly.inp"));
    EXPECT_EQ(C("LayersCombo")->currentText(), "1");
    ExpectCells({{"Soil1Grid", 0, 2, "10"},
                 {"Soil3Grid", 0, 0, "0.2"},
                 {"Soil3Grid", 1, 3, "42"},
                 {"SaltGrid3", 5, 4, "2.75"},
                 {"SaltGrid3", 1, 2, "6.5"},
                 {"SaltGrid1", 1, 2, ""}});
    EXPECT_EQ(G("SaltGrid1")->RowCount(), 25);
}

TEST_F(OpenInput, CancelledDialogChangesNothing) {
    Open(Example("two_layers_yearly_drained.inp"));
    dialogs.files.push_back(std::nullopt);
    Click("OpenInpButton");
    EXPECT_EQ(dialogs.messages, QStringList({"No input file was selected"}));
    EXPECT_EQ(dialogs.fileSpecs.last().initialFolder, QString(HALOSOIL_EXAMPLES));
    EXPECT_EQ(form->Data().NrTst, 15);
    EXPECT_EQ(form->Data().InputFileName, Example("two_layers_yearly_drained.inp").toStdString());
    EXPECT_EQ(E("NrTstEdit")->text(), "15");
}

TEST_F(OpenInput, FailureKeepsWhatWasShownAndTheFormerState) {
    SetText("WTdepthEdit", "9.9");
    const QString path =
        Altered("one_layer_monthly.inp", 20, " Initial depth water table (m)       :    1.6x");
    Open(path);
    EXPECT_EQ(dialogs.messages, QStringList({"'    1.6x' is not a valid floating point value"}));
    EXPECT_EQ(E("SaltIrrigEdit")->text(), "1.2");
    EXPECT_EQ(G("Soil1Grid")->Cell(4, 0), "6");
    EXPECT_EQ(E("WTdepthEdit")->text(), "9.9");
    EXPECT_EQ(E("NrTstEdit")->text(), "24");
    EXPECT_FALSE(form->Input().Workflow().Complete());
    EXPECT_TRUE(W<QLabel>("FileLabel")->isHidden());
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"GenOpenButton"}));
    EXPECT_TRUE(ShownPanels().isEmpty());
}

TEST_F(OpenInput, AFailureWithinARowKeepsTheValuesReadBeforeItShown) {
    GoToInput();
    Click("GenOpenButton");
    SetText("NrTstEdit", "24");
    Click("GenSaveButton");
    W<HydrPanel>("HydrPanel")->HydrGrid->SetCell(1, 5, "old rain");
    W<HydrPanel>("HydrPanel")->HydrGrid->SetCell(2, 5, "old irrigation");
    dialogs.messages.clear();
    Open(Altered("one_layer_monthly.inp", 35,
                 "         5        16.50          15x.00         200.00           1.20"));
    // Irrigation is read from columns 26 to 40.
    EXPECT_EQ(dialogs.messages,
              QStringList({"'        15x.00 ' is not a valid floating point value"}));
    EXPECT_EQ(G("HydrGrid")->Cell(1, 4), "18");
    EXPECT_EQ(G("HydrGrid")->Cell(1, 5), "16.5");
    EXPECT_EQ(G("HydrGrid")->Cell(2, 5), "old irrigation");
}

// Damaged copies of a realistic project: the refusal is shown like every reading error, and
// what was shown before the damage stays shown.
TEST_F(OpenInput, AFileThatLostALineIsRefusedKeepingWhatWasShown) {
    QFile in(Example("one_layer_monthly.inp"));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = in.readAll().split('\n');
    ASSERT_TRUE(lines[24].startsWith(" Outflow of groundwater"));
    lines.removeAt(24);
    const QString path = dir.filePath("lost.inp");
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(lines.join('\n'));
    out.close();
    SetText("GrwtOutEdit", "9.9");
    Open(path);
    EXPECT_EQ(dialogs.messages,
              QStringList({"The input file is damaged: the line ' Salinity groundwater inflow "
                           "(dS/m)  :     2.0' stands where the line 'Outflow of groundwater "
                           "(mm/day)     :' belongs."}));
    EXPECT_EQ(E("GrwtInfEdit")->text(), "0.4");
    EXPECT_EQ(E("GrwtOutEdit")->text(), "9.9");
    EXPECT_FALSE(form->Input().Workflow().Complete());
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"GenOpenButton"}));
}

TEST_F(OpenInput, AFileCutOffIsRefusedAndOneWithCarriageReturnsAloneOpens) {
    QFile in(Example("one_layer_monthly.inp"));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    const QString cut = dir.filePath("cut.inp");
    QFile cutFile(cut);
    ASSERT_TRUE(cutFile.open(QIODevice::WriteOnly));
    cutFile.write(bytes.left(bytes.size() - 200));  // within the measured salinities
    cutFile.close();
    Open(cut);
    EXPECT_EQ(dialogs.messages, QStringList({"The input file ends before all its data were read; "
                                             "it may be damaged."}));
    EXPECT_FALSE(form->Input().Workflow().Complete());

    dialogs.messages.clear();
    const QString mac = dir.filePath("mac.inp");
    QFile macFile(mac);
    ASSERT_TRUE(macFile.open(QIODevice::WriteOnly));
    macFile.write(QByteArray(bytes).replace("\r\n", "\r"));
    macFile.close();
    Open(mac);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
    EXPECT_TRUE(form->Input().Workflow().Complete());
    EXPECT_EQ(E("NrTstEdit")->text(), "24");
    EXPECT_EQ(form->Data().MeasSalt[Layer1].size(), 25u);
}

TEST_F(OpenInput, ADamagedNumberOfStepsStopsTheReadingAtOnce) {
    // The reader itself refuses a count beyond the 50000 steps the grids hold, before the
    // count is stored or shown.
    Open(Altered("one_layer_monthly.inp", 6, " Nunber of time steps     : 200000"));
    EXPECT_EQ(dialogs.messages,
              QStringList({"The number of time steps is 200000. It can be at most 50000."}));
    EXPECT_EQ(E("NrTstEdit")->text(), "11");
    EXPECT_EQ(G("HydrGrid")->RowCount(), 12);
    EXPECT_TRUE(form->Data().Rain.empty());
    EXPECT_FALSE(form->Input().Workflow().Complete());
}

TEST_F(OpenInput, AFileOfNoTimeStepsEmptiesTheGridsOfTimeSteps) {
    Open(Example("one_layer_monthly.inp"));
    ASSERT_EQ(G("HydrGrid")->RowCount(), 25);
    InputData empty;
    empty.InputFileName = Example("one_layer_monthly.inp").toStdString();
    ReadInputFile(empty);
    empty.NrTst = 0;
    empty.HydrRows = 0;
    empty.InputFileName = QFile::encodeName(dir.filePath("nosteps.inp")).toStdString();
    WriteInputFile(empty);
    Open(dir.filePath("nosteps.inp"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(E("NrTstEdit")->text(), "0");
    for (const char* name : {"HydrGrid", "IrrSalGrid", "SaltGrid1"})
        EXPECT_EQ(G(name)->RowCount(), 1) << name;
    EXPECT_EQ(G("HydrGrid")->Cell(0, 0), "Time step");
    EXPECT_EQ(G("SaltGrid1")->Cell(0, 0), "Time step");
}

TEST_F(OpenInput, StepLengthOutsideTheChoicesLeavesTheChoiceShown) {
    C("TstCombo")->setCurrentIndex(2);
    Open(Altered("one_layer_monthly.inp", 7, " Step length (days)       : 10"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(C("TstCombo")->currentText(), "Week");
    EXPECT_EQ(form->Data().TstLength, 10);
}

TEST_F(OpenInput, OpeningWhileRunOutputIsOnViewClearsOutputFromRun) {
    form->Window().OutputFromRun = true;
    Open(Example("one_layer_monthly.inp"));
    EXPECT_FALSE(form->Window().OutputFromRun);
}

TEST_F(OpenInput, OpenedProjectRunsAndGivesTheBatchRunnersOutput) {
    Open(Example("two_layers_yearly_drained.inp"));
    const QString input = dir.filePath("yearly.inp");
    dialogs.files.push_back(input);
    dialogs.answers = {true, false, false};  // calculations; no refinement; no optimisation
    Click("SaveAllButton");
    EXPECT_EQ(LastMessage(), "The calculations were made. The output can be inspected.");
    EXPECT_EQ(dialogs.questions.size(), 3);
    EXPECT_TRUE(QFile::exists(dir.filePath("yearly.out")));
}

TEST_F(OpenInput, OpeningAfterARunDisablesTheOutputAndGraphButtons) {
    EnterProject(SampleEntry(1));
    SaveAndRun("ran.inp");
    ASSERT_TRUE(On("SeeGraphsButton"));
    ASSERT_TRUE(On("SeeSaltButton"));
    Open(Example("one_layer_monthly.inp"));
    for (const char* button : {"SeeGraphsButton", "SeeSaltButton", "SeeHydrButton"})
        EXPECT_FALSE(On(button)) << button;
    EXPECT_TRUE(W<QLabel>("OutLabel")->isHidden());
    EXPECT_FALSE(form->Window().OutputFromRun);
}

}  // namespace
}  // namespace halosoil::test
