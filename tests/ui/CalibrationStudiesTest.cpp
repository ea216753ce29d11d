// The Calibration page's sensitivity analysis and ensembles equal the library's and are
// charted; plots save as PNG or SVG; every control has an accessible name; charts zoom, pan
// and tell the value under the pointer.
#include "CalibrationPageFixture.h"

namespace halosoil::test {
namespace {

using CalibrationStudiesTest = CalibrationPageTest;

TEST_F(CalibrationStudiesTest, SensitivityEqualsTheLibrarysAndIsChartedWithItsIntervals) {
    OpenExample();
    ChooseCalibration();
    QListWidget* targets = W<QListWidget>("SensitivityTargetList");
    const auto found = targets->findItems("salinity_layer1:final", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    found[0]->setCheckState(Qt::Checked);
    W<QSpinBox>("SensitivitySamplesSpin")->setValue(32);
    RunStudy("SensitivityButton");
    ASSERT_TRUE(Page()->LastSensitivity().has_value());

    const InputData data = BatchProject();
    auto settings = LibrarySettings<study::SensitivitySettings>(data);
    settings.targets = {study::ParseTarget("salinity_layer1:final", data)};
    settings.samples = 32;
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

TEST_F(CalibrationStudiesTest, AnEnsembleEqualsTheLibrarysAndShowsItsBands) {
    OpenExample();
    ChooseCalibration();
    RunEnsemble(20);
    ASSERT_TRUE(Page()->LastEnsemble().has_value());

    const InputData data = BatchProject();
    auto settings = LibrarySettings<study::EnsembleSettings>(data);
    settings.distributions = {study::Uniform(0, 5), study::Uniform(30, 100)};
    settings.members = 20;
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
    RunStudy("EnsembleButton");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    settings.distributions.clear();
    settings.fromReport =
        study::ParseReportEstimates(study::ReportJson(LibraryCalibration()), data, "report");
    EXPECT_EQ(Page()->LastEnsemble()->series, study::RunEnsemble(data, settings).series);
}

TEST_F(CalibrationStudiesTest, PlotsSaveAsPngOrSvgAndTheBandsAsTheLibrarysCsv) {
    OpenExample();
    ChooseCalibration();
    RunEnsemble(10);
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

TEST_F(CalibrationStudiesTest, EveryControlOfThePageHasAnAccessibleName) {
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

TEST_F(CalibrationStudiesTest, ChartsZoomPanAndTellTheValueUnderThePointer) {
    OpenExample();
    ChooseCalibration();
    RunEnsemble(10);
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
