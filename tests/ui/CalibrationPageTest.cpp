// The Calibration page on the project of the Input page: observations from a file, a paste or
// the input's measurements; the calibration on the worker equals the library's and the batch
// runner's with the same inputs and seed; "Apply to input" reaches the panels and the next
// "Save all - Run"; Cancel leaves everything as it was; the refusals.
#include <cmath>

#include "CalibrationPageFixture.h"

namespace halosoil::test {
namespace {

TEST_F(CalibrationPageTest, AnIncompleteInputLeavesThePageDisabledAndSaysWhy) {
    ShowCalibrationPage();
    EXPECT_EQ(W<QLabel>("CalibrationProjectLabel")->text(),
              "The input is not complete: enter or open a project on the Input page first, as "
              "\"Save all - Run\" requires.");
    EXPECT_FALSE(W<QWidget>("CalibrationSections")->isEnabled());
    EXPECT_FALSE(On("CalibrateButton"));
    EXPECT_FALSE(On("StudyCancelButton"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(CalibrationPageTest, TheInputsMeasuredSalinitiesAreInTheGridAndCounted) {
    EnterProject(SampleEntry(1));
    ASSERT_TRUE(form->Input().Workflow().Complete());
    ShowCalibrationPage();
    EXPECT_TRUE(W<QWidget>("CalibrationSections")->isEnabled());
    ObservationGrid* grid = Grid();
    int column = -1;
    for (int c = 0; c < grid->columnCount(); ++c)
        if (grid->horizontalHeaderItem(c)->text() == "salinity_layer1") column = c;
    ASSERT_GE(column, 0);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "step");
    const QStringList rows[] = {{"2", "6.5"}, {"5", "7.25"}, {"9", "8"}};
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(QStringList({grid->Cell(0, row), grid->Cell(column, row)}), rows[row]);
    QTableWidget* counts = Table("ObservationCountsTable");
    QStringList counted;
    for (int row = 0; row < counts->rowCount(); ++row)
        if (counts->item(row, 2)->text() != "0")
            counted << counts->item(row, 0)->text() + "=" + counts->item(row, 2)->text();
    EXPECT_EQ(counted, QStringList({"salinity_layer1=3"}));
    // One layer, no drains: the parameters of the zones and the factors the project has.
    EXPECT_GE(Parameters()->RowOf("leaching_efficiency_layer1"), 0);
    EXPECT_EQ(Parameters()->RowOf("leaching_efficiency_layer2"), -1);
    EXPECT_EQ(Parameters()->RowOf("qh1"), -1);
    const int row = Parameters()->RowOf("groundwater_inflow");
    EXPECT_EQ(Parameters()->item(row, ParameterTable::ValueColumn)->text(), "0.4");
    EXPECT_EQ(Parameters()->item(row, ParameterTable::UnitColumn)->text(), "mm/day");
}

TEST_F(CalibrationPageTest, ACalibrationEqualsTheLibrarysAndTheBatchRunners) {
    OpenExample();
    EXPECT_EQ(Grid()->Cell(0, 0), "3");
    EXPECT_EQ(Grid()->Cell(1, 4), "1.45");
    ChooseCalibration();
    Calibrate();
    ASSERT_TRUE(Page()->LastCalibration().has_value());
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    const study::CalibrationResult library = LibraryCalibration();
    EXPECT_EQ(PageValues(), Values(library));
    EXPECT_EQ(Page()->LastCalibration()->objectiveEnd, library.objectiveEnd);

    QProcess batch;
    batch.start(HALOSOIL_BATCH, {"calibrate", Path("field.inp"), "--observations", Path("obs.csv"),
                                 "--parameter", "groundwater_inflow=0:5", "--parameter",
                                 "leaching_efficiency_layer1=30:100", "--seed", "7", "-j", "1",
                                 "--report", Path("batch.json"), "-o", Path("batch.inp")});
    ASSERT_TRUE(batch.waitForFinished(120000));
    ASSERT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString();
    QFile report(Path("batch.json"));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const auto json = nlohmann::json::parse(report.readAll().toStdString());
    std::vector<double> batchValues;
    for (const auto& parameter : json["parameters"]) batchValues.push_back(parameter["value"]);
    EXPECT_EQ(PageValues(), batchValues);

    // The tables: a row per parameter and per observed quantity.
    QTableWidget* estimates = Table("EstimateTable");
    ASSERT_EQ(estimates->rowCount(), 2);
    EXPECT_EQ(estimates->item(0, 0)->text(), "groundwater_inflow");
    EXPECT_EQ(estimates->item(1, 0)->text(), "leaching_efficiency_layer1");
    QTableWidget* fit = Table("FitTable");
    ASSERT_EQ(fit->rowCount(), 2);
    EXPECT_EQ(QStringList({fit->item(0, 0)->text(), fit->item(0, 1)->text()}),
              QStringList({"depth_water_table", "5"}));
    EXPECT_EQ(QStringList({fit->item(1, 0)->text(), fit->item(1, 1)->text()}),
              QStringList({"salinity_layer1", "3"}));

    // Observed against simulated, first for the water table, then for the salinity.
    StudyChart* chart = W<StudyChart>("FitChart");
    EXPECT_EQ(SeriesNames(chart), QStringList({"simulated", "observed"}));
    EXPECT_EQ(XY(chart, "simulated")->count(), 24);
    EXPECT_EQ(XY(chart, "observed")->count(), 5);
    C("FitQuantityCombo")->setCurrentIndex(1);
    EXPECT_EQ(XY(chart, "observed")->count(), 3);
    EXPECT_EQ(XY(chart, "observed")->at(2), QPointF(24, 7));

    // The report as the library writes it, through the save dialog.
    dialogs.files.push_back(Path("page.json"));
    Click("SaveReportButton");
    QFile saved(Path("page.json"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const auto pageJson = nlohmann::json::parse(saved.readAll().toStdString());
    EXPECT_EQ(pageJson["parameters"], json["parameters"]);
    EXPECT_EQ(pageJson["fit"], json["fit"]);
}

TEST_F(CalibrationPageTest, ApplyReachesThePanelsAndTheNextSaveAllRun) {
    OpenExample();
    ChooseCalibration();
    Calibrate();
    ASSERT_TRUE(Page()->LastCalibration().has_value());
    // Nothing of the project changes before the user applies.
    EXPECT_EQ(form->Data().GrwtInf, 0.4);
    EXPECT_EQ(form->Data().LeachEff[1], 80);
    EXPECT_EQ(E("GrwtInfEdit")->text(), "0.4");

    const study::CalibrationResult library = LibraryCalibration();
    Click("ApplyCalibrationButton");
    EXPECT_EQ(form->Data().GrwtInf, library.estimates[0].value);
    EXPECT_EQ(form->Data().LeachEff[1], library.estimates[1].value);
    EXPECT_EQ(E("GrwtInfEdit")->text(),
              QString::fromStdString(GeneralText(library.estimates[0].value)));
    EXPECT_EQ(G("Soil1Grid")->Cell(3, 0),
              QString::fromStdString(GeneralText(library.estimates[1].value)));
    // The page's table shows the project's new values.
    const int row = Parameters()->RowOf("groundwater_inflow");
    EXPECT_EQ(Parameters()->item(row, ParameterTable::ValueColumn)->text().toDouble(),
              library.estimates[0].value);

    GoToInput();
    const QString input = Path("calibrated.inp");
    dialogs.files.push_back(input);
    dialogs.answers = {true, false};
    dialogs.messages.clear();
    Click("SaveAllButton");
    EXPECT_EQ(LastMessage(), "The calculations were made. The output can be inspected.");
    // The file keeps the groundwater inflow with one decimal and the efficiency with none, and
    // the save says so; the run is of the calibrated values.
    const double inflow = library.estimates[0].value;
    const double efficiency = library.estimates[1].value;
    const QString rounding =
        QString(
            "The input file keeps its numbers with fixed decimals: groundwater_inflow %1 is "
            "written as %2 (1 decimal); leaching_efficiency_layer1 %3 is written as %4 (0 "
            "decimals). This run uses the calibrated values; a run of the saved file uses "
            "the written ones.")
            .arg(QString::fromStdString(GeneralText(inflow)))
            .arg(QString::fromStdString(GeneralText(std::round(inflow * 10) / 10)))
            .arg(QString::fromStdString(GeneralText(efficiency)))
            .arg(QString::fromStdString(GeneralText(std::round(efficiency))));
    EXPECT_TRUE(dialogs.messages.contains(rounding)) << dialogs.messages.join("\n").toStdString();
    // Said once: the next save of the same values says nothing of it.
    dialogs.files.push_back(input);
    dialogs.answers = {true, false};  // overwrite; no calculations
    dialogs.messages.clear();
    Click("SaveAllButton");
    EXPECT_FALSE(dialogs.messages.contains(rounding));
    for (study::Quantity quantity :
         {study::Quantity::DepthWaterTable, study::Quantity::SalinityLayer1})
        EXPECT_EQ(study::SeriesOf(form->Results(), quantity),
                  study::SeriesOf(library.state, quantity));
}

TEST_F(CalibrationPageTest, CancelLeavesEverythingAsItWas) {
    OpenExample();
    ChooseCalibration();
    Calibrate();
    ASSERT_TRUE(Page()->LastCalibration().has_value());
    const std::vector<double> first = PageValues();
    const QString shown = Table("EstimateTable")->item(0, 2)->text();

    // A second calibration on other bounds, held before its first run and cancelled there.
    Check("groundwater_inflow", "1", "4");
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    Page()->Worker().SetStartGate([released] { released.wait(); });
    Click("CalibrateButton");
    EXPECT_TRUE(Page()->StudyRunning());
    EXPECT_TRUE(On("StudyCancelButton"));
    EXPECT_FALSE(On("CalibrateButton"));
    // The window answers meanwhile.
    GoToInput();
    Click("CondOpenButton");
    EXPECT_TRUE(Shown("CondPanel"));
    Click("StudyCancelButton");
    release.set_value();
    Page()->WaitForStudy();
    Page()->Worker().SetStartGate(nullptr);

    EXPECT_EQ(W<QLabel>("StudyStatusLabel")->text(), "The study was cancelled.");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    EXPECT_EQ(PageValues(), first);
    EXPECT_EQ(Table("EstimateTable")->item(0, 2)->text(), shown);
    EXPECT_EQ(form->Data().GrwtInf, 0.4);
    EXPECT_TRUE(On("CalibrateButton"));
    EXPECT_FALSE(On("StudyCancelButton"));
}

TEST_F(CalibrationPageTest, RefusalsAreShownAsTheLibraryWordsThem) {
    OpenExample();
    Click("CalibrateButton");
    EXPECT_EQ(LastMessage(), "Name at least one parameter to move.");
    EXPECT_FALSE(Page()->StudyRunning());

    // Reversed bounds are marked as typed and told under the table.
    Check("leaching_efficiency_layer1", "90", "40");
    const int row = Parameters()->RowOf("leaching_efficiency_layer1");
    EXPECT_TRUE(Parameters()->Refused(row));
    EXPECT_EQ(W<QLabel>("ParameterStatusLabel")->text(),
              "Parameter leaching_efficiency_layer1: the bounds 90:40 are reversed");
    Click("CalibrateButton");
    EXPECT_EQ(LastMessage(), "Parameter leaching_efficiency_layer1: the bounds 90:40 are reversed");
    Parameters()->item(row, ParameterTable::HighColumn)->setText("100");
    EXPECT_FALSE(Parameters()->Refused(row));
    EXPECT_EQ(W<QLabel>("ParameterStatusLabel")->text(), "");

    // A damaged file leaves the grid as it was.
    WriteFile("bad.csv", "step,depth_water_table\n1,1.5\n2,abc\n");
    dialogs.files.push_back(Path("bad.csv"));
    Click("OpenObservationsButton");
    EXPECT_EQ(LastMessage(),
              Path("bad.csv") + ", line 3, column 2: 'abc' is not a valid floating point value");
    EXPECT_EQ(Grid()->Cell(0, 0), "3");

    // A pasted step outside the project's steps, with the cell it names made current.
    ObservationGrid* grid = Grid();
    grid->setCurrentCell(5, 0);
    EXPECT_TRUE(grid->PasteText("30\t1.5\r\n"));
    EXPECT_EQ(LastMessage(),
              "observations grid, line 7, column 1: step 30 lies outside the project's steps 1 "
              "to 24");
    EXPECT_EQ(grid->currentRow(), 5);
    EXPECT_EQ(grid->currentColumn(), 0);

    // A weight that is no number.
    grid->setCurrentCell(5, 0);
    grid->PasteText("20\t1.55\r\n21\t1.5\r\n");
    QTableWidget* weights = Table("WeightTable");
    weights->item(0, 1)->setText("x");
    Click("CalibrateButton");
    EXPECT_EQ(LastMessage(),
              "Weight of depth_water_table: 'x' is not a valid floating point value");
    EXPECT_FALSE(Page()->StudyRunning());
}

TEST_F(CalibrationPageTest, APastedBlockAddsObservations) {
    OpenExample();
    ObservationGrid* grid = Grid();
    grid->setCurrentCell(5, 0);
    ASSERT_TRUE(grid->PasteText("20\t1.55\r\n21\t1.5\r\n"));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    const study::Observations observations = Page()->CurrentObservations();
    ASSERT_EQ(observations.Count(study::Quantity::DepthWaterTable), 7);
    EXPECT_EQ(observations.Of(study::Quantity::DepthWaterTable)[4].step, 20);
    EXPECT_EQ(observations.Of(study::Quantity::DepthWaterTable)[4].value, 1.55);
    QTableWidget* counts = Table("ObservationCountsTable");
    EXPECT_EQ(counts->item(0, 0)->text(), "depth_water_table");
    EXPECT_EQ(counts->item(0, 2)->text(), "7");
}

}  // namespace
}  // namespace halosoil::test
