// The Calibration page under test: the window with a complete project and observations of
// its depth and first-layer salinity.
#pragma once

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
    // Presses a study's button and waits for the study to end.
    void RunStudy(const char* button) {
        Click(button);
        Page()->WaitForStudy();
    }
    void Calibrate() { RunStudy("CalibrateButton"); }
    // An ensemble of the given number of members, drawn as the page is set.
    void RunEnsemble(int members) {
        W<QSpinBox>("EnsembleMembersSpin")->setValue(members);
        RunStudy("EnsembleButton");
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
    // A study's settings as the page's choices make them: the parameters chosen, seed 7,
    // one thread.
    template <class Settings>
    Settings LibrarySettings(const InputData& data) {
        Settings settings;
        settings.parameters = Chosen(data);
        settings.seed = 7;
        settings.options.threads = 1;
        return settings;
    }
    study::CalibrationResult LibraryCalibration() {
        const InputData data = BatchProject();
        auto settings = LibrarySettings<study::CalibrationSettings>(data);
        settings.observations = study::ObservationsFor(data, Path("obs.csv").toStdString());
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

}  // namespace
}  // namespace halosoil::test
