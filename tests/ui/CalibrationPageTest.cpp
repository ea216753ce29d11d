// The Calibration page on the project of the Input page: observations from a file, a paste or
// the input's measurements; the calibration on the worker equals the library's and the batch
// runner's with the same inputs and seed; "Apply to input" reaches the panels and the next
// "Save all - Run"; Cancel leaves everything as it was; the refusals; the charts' series.
#include <nlohmann/json.hpp>

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCheckBox>
#include <QFile>
#include <QLineSeries>
#include <QListWidget>
#include <QProcess>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>
#include <QXYSeries>
#include <future>

#include "CalibrationPage.h"
#include "Ensemble.h"
#include "InputFile.h"
#include "MainFormFixture.h"
#include "NumberFormat.h"
#include "ObservationGrid.h"
#include "ParameterTable.h"
#include "RunQuestions.h"
#include "Sensitivity.h"
#include "StudyChart.h"
#include "StudyWorker.h"

namespace halosoil::test {
namespace {

constexpr char kObservations[] =
    "step,depth_water_table,salinity_layer1\n3,1.5,\n6,1.6,5\n12,1.4,6\n18,1.5,\n24,1.45,7\n";

class CalibrationPageTest : public MainFormTest {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    CalibrationPage* Page() { return W<CalibrationPage>("CalibrationPage"); }
    ParameterTable* Parameters() { return W<ParameterTable>("ParameterTable"); }
    ObservationGrid* Grid() { return W<ObservationGrid>("ObservationGrid"); }
    QTableWidget* Table(const QString& name) { return W<QTableWidget>(name); }

    void WriteFile(const QString& name, const QByteArray& text) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // The one-layer monthly example opened on the Input page, its observations on the page.
    void OpenExample() {
        ASSERT_TRUE(QFile::copy(HALOSOIL_EXAMPLES "/one_layer_monthly.inp", Path("field.inp")));
        WriteFile("obs.csv", kObservations);
        dialogs.files.push_back(Path("field.inp"));
        Click("OpenInpButton");
        ShowCalibrationPage();
        dialogs.files.push_back(Path("obs.csv"));
        Click("OpenObservationsButton");
    }
    void ShowCalibrationPage() { Pages()->setCurrentIndex(6); }
    void Check(const char* name, const QString& low, const QString& high) {
        const int row = Parameters()->RowOf(name);
        ASSERT_GE(row, 0) << name;
        Parameters()->item(row, ParameterTable::NameColumn)->setCheckState(Qt::Checked);
        Parameters()->item(row, ParameterTable::LowColumn)->setText(low);
        Parameters()->item(row, ParameterTable::HighColumn)->setText(high);
    }
    // The calibration the test asks of the page, with one thread and seed 7; the page hands
    // the checked parameters over in the table's order.
    void ChooseCalibration() {
        Check("leaching_efficiency_layer1", "30", "100");
        Check("groundwater_inflow", "0", "5");
        W<QSpinBox>("SeedSpin")->setValue(7);
        W<QSpinBox>("ThreadsSpin")->setValue(1);
    }
    void Calibrate() {
        Click("CalibrateButton");
        Page()->WaitForStudy();
    }

    // The project as halosoil-batch reads it and the same calibration by the library.
    InputData BatchProject() {
        InputData data;
        data.InputFileName = Path("field.inp").toStdString();
        ReadInputFile(data);
        PrepareIrrigSpread(data);
        return data;
    }
    std::vector<study::Parameter> Chosen(const InputData& data) {
        return {study::MakeParameter("groundwater_inflow", 0, 5, data),
                study::MakeParameter("leaching_efficiency_layer1", 30, 100, data)};
    }
    study::CalibrationResult LibraryCalibration() {
        const InputData data = BatchProject();
        study::CalibrationSettings settings;
        settings.parameters = Chosen(data);
        settings.observations = study::ObservationsFor(data, Path("obs.csv").toStdString());
        settings.seed = 7;
        settings.options.threads = 1;
        return study::Calibrate(data, settings);
    }
    std::vector<double> PageValues() {
        std::vector<double> values;
        for (const auto& estimate : Page()->LastCalibration()->estimates)
            values.push_back(estimate.value);
        return values;
    }
    static std::vector<double> Values(const study::CalibrationResult& result) {
        std::vector<double> values;
        for (const auto& estimate : result.estimates) values.push_back(estimate.value);
        return values;
    }
    static QStringList SeriesNames(StudyChart* chart) {
        QStringList names;
        for (QAbstractSeries* series : chart->chart()->series()) names << series->name();
        return names;
    }
    static QXYSeries* XY(StudyChart* chart, const QString& name) {
        for (QAbstractSeries* series : chart->chart()->series())
            if (series->name() == name) return qobject_cast<QXYSeries*>(series);
        return nullptr;
    }
};

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

TEST_F(CalibrationPageTest, SensitivityEqualsTheLibrarysAndIsChartedWithItsIntervals) {
    OpenExample();
    ChooseCalibration();
    QListWidget* targets = W<QListWidget>("SensitivityTargetList");
    const auto found = targets->findItems("salinity_layer1:final", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    found[0]->setCheckState(Qt::Checked);
    W<QSpinBox>("SensitivitySamplesSpin")->setValue(32);
    Click("SensitivityButton");
    Page()->WaitForStudy();
    ASSERT_TRUE(Page()->LastSensitivity().has_value());

    const InputData data = BatchProject();
    study::SensitivitySettings settings;
    settings.parameters = Chosen(data);
    settings.targets = {study::ParseTarget("salinity_layer1:final", data)};
    settings.samples = 32;
    settings.seed = 7;
    settings.options.threads = 1;
    const study::SensitivityResult library = study::RunSensitivity(data, settings);
    EXPECT_EQ(study::SensitivityCsv(*Page()->LastSensitivity()), study::SensitivityCsv(library));

    StudyChart* chart = W<StudyChart>("SensitivityChart");
    const QList<QAbstractSeries*> series = chart->chart()->series();
    ASSERT_EQ(series.size(), 5);  // the bars and an interval per index
    auto* bars = qobject_cast<QBarSeries*>(series[0]);
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), 2);
    EXPECT_EQ(bars->barSets()[0]->label(), "S1");
    EXPECT_EQ(bars->barSets()[1]->label(), "ST");
    EXPECT_EQ(bars->barSets()[0]->count(), 2);
    EXPECT_EQ(bars->barSets()[0]->at(0), library.rows[0].first.value);
    EXPECT_EQ(SeriesNames(chart).mid(1),
              QStringList({"S1 interval groundwater_inflow", "ST interval groundwater_inflow",
                           "S1 interval leaching_efficiency_layer1",
                           "ST interval leaching_efficiency_layer1"}));
    auto* interval = qobject_cast<QXYSeries*>(series[1]);
    EXPECT_EQ(interval->count(), 2);
    EXPECT_EQ(interval->at(0).y(), library.rows[0].first.low);
    EXPECT_EQ(interval->at(1).y(), library.rows[0].first.high);
}

TEST_F(CalibrationPageTest, AnEnsembleEqualsTheLibrarysAndShowsItsBands) {
    OpenExample();
    ChooseCalibration();
    W<QSpinBox>("EnsembleMembersSpin")->setValue(20);
    Click("EnsembleButton");
    Page()->WaitForStudy();
    ASSERT_TRUE(Page()->LastEnsemble().has_value());

    const InputData data = BatchProject();
    study::EnsembleSettings settings;
    settings.parameters = Chosen(data);
    settings.distributions = {study::Uniform(0, 5), study::Uniform(30, 100)};
    settings.members = 20;
    settings.seed = 7;
    settings.options.threads = 1;
    const study::EnsembleResult library = study::RunEnsemble(data, settings);
    EXPECT_EQ(Page()->LastEnsemble()->series, library.series);

    C("BandQuantityCombo")->setCurrentText("salinity_layer1");
    E("ThresholdEdit")->setText("6");
    W<QCheckBox>("ThresholdCheck")->setChecked(true);
    StudyChart* bands = W<StudyChart>("BandChart");
    EXPECT_EQ(SeriesNames(bands),
              QStringList({"5-95 %", "25-75 %", "median", "observations", "threshold"}));
    const study::Threshold threshold{study::Quantity::SalinityLayer1, true, 6};
    std::vector<double> medians, exceeding;
    for (const study::BandRow& row : study::Bands(library, {threshold}))
        if (row.quantity == study::Quantity::SalinityLayer1) {
            medians.push_back(row.q50);
            exceeding.push_back(row.pExceed);
        }
    ASSERT_EQ(medians.size(), 24u);
    QXYSeries* median = XY(bands, "median");
    ASSERT_EQ(median->count(), 24);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(median->at(i).y(), medians[i]);
    auto* wide = qobject_cast<QAreaSeries*>(bands->chart()->series()[0]);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->upperSeries()->count(), 24);
    EXPECT_EQ(XY(bands, "observations")->count(), 3);
    EXPECT_EQ(XY(bands, "threshold")->at(0).y(), 6);
    StudyChart* exceed = W<StudyChart>("ExceedChart");
    EXPECT_EQ(SeriesNames(exceed), QStringList({"probability of exceeding"}));
    QXYSeries* p = XY(exceed, "probability of exceeding");
    ASSERT_EQ(p->count(), 24);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(p->at(i).y(), exceeding[i]);

    // From the calibration's estimates instead of the bounds.
    Calibrate();
    C("EnsembleSourceCombo")->setCurrentIndex(1);
    Click("EnsembleButton");
    Page()->WaitForStudy();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    settings.distributions.clear();
    settings.fromReport =
        study::ParseReportEstimates(study::ReportJson(LibraryCalibration()), data, "report");
    EXPECT_EQ(Page()->LastEnsemble()->series, study::RunEnsemble(data, settings).series);
}

TEST_F(CalibrationPageTest, PlotsSaveAsPngOrSvgAndTheBandsAsTheLibrarysCsv) {
    OpenExample();
    ChooseCalibration();
    W<QSpinBox>("EnsembleMembersSpin")->setValue(10);
    Click("EnsembleButton");
    Page()->WaitForStudy();
    ASSERT_TRUE(Page()->LastEnsemble().has_value());

    dialogs.files.push_back(Path("bands.svg"));
    Click("SaveBandChartButton");
    dialogs.files.push_back(Path("bands.png"));
    Click("SaveBandChartButton");
    dialogs.files.push_back(Path("bands.csv"));
    Click("SaveBandsCsvButton");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();

    const auto bytes = [this](const QString& name) {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    };
    const QByteArray svg = bytes("bands.svg");
    EXPECT_TRUE(svg.startsWith("<?xml")) << svg.left(40).toStdString();
    EXPECT_TRUE(svg.contains("<svg"));
    // The axes keep their words as text, not as pixels.
    EXPECT_TRUE(svg.contains(">time step<"));
    EXPECT_TRUE(svg.contains("<text"));
    EXPECT_TRUE(bytes("bands.png").startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_EQ(bytes("bands.csv").toStdString(),
              study::BandsCsv(study::Bands(*Page()->LastEnsemble(), {})));
}

TEST_F(CalibrationPageTest, EveryControlOfThePageHasAnAccessibleName) {
    OpenExample();
    int controls = 0;
    for (QWidget* widget : Page()->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) ||
                             qobject_cast<QAbstractSpinBox*>(widget) ||
                             qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                             qobject_cast<QAbstractItemView*>(widget);
        bool inner = false;
        for (QWidget* up = widget->parentWidget(); up && up != Page(); up = up->parentWidget())
            inner = inner || qobject_cast<QAbstractItemView*>(up) ||
                    qobject_cast<QAbstractSpinBox*>(up) || qobject_cast<QComboBox*>(up);
        if (!control || inner) continue;
        ++controls;
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
        EXPECT_FALSE(widget->objectName().isEmpty()) << widget->metaObject()->className();
    }
    EXPECT_GT(controls, 30);
}

TEST_F(CalibrationPageTest, ChartsZoomPanAndTellTheValueUnderThePointer) {
    OpenExample();
    ChooseCalibration();
    W<QSpinBox>("EnsembleMembersSpin")->setValue(10);
    Click("EnsembleButton");
    Page()->WaitForStudy();
    StudyChart* bands = W<StudyChart>("BandChart");
    bands->resize(640, 400);
    bands->chart()->resize(640, 400);
    const auto axis = [bands](Qt::Orientation orientation) {
        return qobject_cast<QValueAxis*>(bands->chart()->axes(orientation).value(0));
    };
    ASSERT_NE(axis(Qt::Horizontal), nullptr);
    const double width = axis(Qt::Horizontal)->max() - axis(Qt::Horizontal)->min();
    const double height = axis(Qt::Vertical)->max() - axis(Qt::Vertical)->min();
    QTest::keyClick(bands, Qt::Key_Plus);
    EXPECT_LT(axis(Qt::Horizontal)->max() - axis(Qt::Horizontal)->min(), width * 0.75);
    EXPECT_LT(axis(Qt::Vertical)->max() - axis(Qt::Vertical)->min(), height * 0.75);
    const double left = axis(Qt::Horizontal)->min();
    QTest::keyClick(bands, Qt::Key_Right);
    EXPECT_GT(axis(Qt::Horizontal)->min(), left);
    QTest::keyClick(bands, Qt::Key_0);
    EXPECT_DOUBLE_EQ(axis(Qt::Horizontal)->max() - axis(Qt::Horizontal)->min(), width);

    QXYSeries* median = XY(bands, "median");
    emit median->hovered(QPointF(3, 1.25), true);
    EXPECT_EQ(W<QLabel>("BandValueLabel")->text(), "median: 3, 1.25");
    emit median->hovered(QPointF(3, 1.25), false);
    EXPECT_EQ(W<QLabel>("BandValueLabel")->text(), "");
}

}  // namespace
}  // namespace halosoil::test
