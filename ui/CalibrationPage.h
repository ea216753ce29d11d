// The Calibration page: the observations of the project held by the Input page, the
// parameters a study may move, and three studies run on a worker thread while the window
// answers: the joint calibration (with its fit, its report and "Apply to input"), the
// sensitivity of chosen results to the parameters, an ensemble with its prediction bands, and
// the decisions a crop's yield asks for (on a tab of their own).
// Nothing of the project changes before the user applies a calibration; the window does that.
#pragma once

#include <QWidget>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

#include "Calibration.h"
#include "Dialogs.h"
#include "Ensemble.h"
#include "InputData.h"
#include "Sensitivity.h"
#include "StudySaving.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace halosoil {

class DecisionsTab;
class ObservationGrid;
class ParameterTable;
class StudyChart;
class StudyWorker;

class CalibrationPage : public QWidget {
    Q_OBJECT
public:
    explicit CalibrationPage(Dialogs& dialogs, QWidget* parent = nullptr);
    ~CalibrationPage() override;

    // The project the Input page holds, as "Save all - Run" would save and run it; nothing
    // when the input is not complete, and why in whyNot. A project of another shape (steps,
    // layers, drains) starts the page afresh; the same shape keeps the observations, the
    // parameters' bounds and the results.
    void SetProject(const std::optional<InputData>& project, const QString& whyNot);

    // "Open observations" after its dialog: the file's columns over the input's measured
    // salinities, as halosoil-batch --observations reads them. Also a file dropped on the
    // window.
    void OpenObservationsNamed(const QString& fileName);

    // The handlers of the page's buttons.
    void OpenObservationsButtonClick();
    void SaveObservationsButtonClick();
    void CalibrateButtonClick();
    void CancelButtonClick();
    void ApplyButtonClick();
    void SaveReportButtonClick();
    void SaveEstimatesCsvButtonClick();
    void SaveFitCsvButtonClick();
    void SensitivityButtonClick();
    void SaveSensitivityCsvButtonClick();
    void EnsembleButtonClick();
    void SaveBandsCsvButtonClick();

    // Waits for a running study and delivers its end (for tests, which have no event loop
    // running while they wait).
    void WaitForStudy();
    bool StudyRunning() const;
    StudyWorker& Worker() { return *worker_; }

    // The observations as the grid holds them; throws the reader's message for a damage.
    study::Observations CurrentObservations() const;
    const std::optional<study::CalibrationResult>& LastCalibration() const { return calibration_; }
    const std::optional<study::SensitivityResult>& LastSensitivity() const { return sensitivity_; }
    const std::optional<study::EnsembleResult>& LastEnsemble() const { return ensemble_; }

signals:
    // "Apply to input": the window sets these values in its project record.
    void ApplyRequested(const std::vector<study::Parameter>& parameters,
                        const std::vector<double>& values);

private:
    QWidget* BuildObservationsTab();
    QWidget* BuildParametersTab();
    QWidget* BuildCalibrationTab();
    QWidget* BuildSensitivityTab();
    QWidget* BuildUncertaintyTab();
    // A button of the page; pressing it runs handler, if any, through RunGuarded.
    QPushButton* Button(const char* name, const QString& text,
                        void (CalibrationPage::*handler)() = nullptr);
    // A button that saves chart as a picture.
    QPushButton* SaveChartButton(const char* name, const QString& text, StudyChart* chart);
    // The row over a chart: the combo that chooses what it shows (a change replots it with
    // plot), a button that saves it as a picture, and the label of the value under the pointer.
    QLayout* ChartRow(QComboBox* combo, const char* saveName, QLabel* valueLabel, StudyChart* chart,
                      void (CalibrationPage::*plot)());
    void EnableControls();

    void FillCounts();
    void FillWeights();
    void FillTargets();
    study::Weights CurrentWeights() const;
    void GridEdited(int col, int row, const QString& text);
    // Marks the cell a reader's message names.
    void MarkDamage(const QString& message);

    // Starts work on the worker; done runs on this thread when it went through.
    void StartStudy(const QString& what, std::function<void(const study::StudyOptions&)> work,
                    std::function<void()> done);
    // Runs a study of the project on the worker with the worker's options; show gets its
    // result on this thread when it went through.
    template <class Settings, class Result, class Show>
    void StartStudy(const QString& what, Settings settings,
                    Result (*run)(const InputData&, const Settings&), Show show) {
        auto result = std::make_shared<Result>();
        StartStudy(
            what,
            [base = *project_, settings, run, result](const study::StudyOptions& options) mutable {
                settings.options = options;
                *result = run(base, settings);
            },
            [result, show = std::move(show)] { show(std::move(*result)); });
    }
    void StudyEnded(std::exception_ptr error, const std::function<void()>& done);

    void ShowCalibration();
    void PlotFit();
    void ShowSensitivity();
    void PlotSensitivity();
    void PlotBands();

    Dialogs& dialogs_;
    std::optional<InputData> project_;
    StudyWorker* worker_ = nullptr;
    QString folder_;
    StudySaving saving_;

    std::optional<study::CalibrationResult> calibration_;
    // What the last calibration fitted.
    study::Observations calibrationObservations_;
    std::optional<study::SensitivityResult> sensitivity_;
    std::optional<study::EnsembleResult> ensemble_;
    std::vector<study::BandRow> bands_;

    QLabel* projectLabel_ = nullptr;
    QTabWidget* sections_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QSpinBox* seedSpin_ = nullptr;
    QSpinBox* threadsSpin_ = nullptr;

    ObservationGrid* observationGrid_ = nullptr;
    QTableWidget* countsTable_ = nullptr;
    QLabel* observationStatus_ = nullptr;
    QPushButton* openObservationsButton_ = nullptr;
    QPushButton* saveObservationsButton_ = nullptr;

    ParameterTable* parameterTable_ = nullptr;
    QLabel* parameterStatus_ = nullptr;
    QTableWidget* weightTable_ = nullptr;

    QPushButton* calibrateButton_ = nullptr;
    QTableWidget* estimateTable_ = nullptr;
    QTableWidget* fitTable_ = nullptr;
    QPlainTextEdit* warnings_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* saveReportButton_ = nullptr;
    QPushButton* saveEstimatesButton_ = nullptr;
    QPushButton* saveFitButton_ = nullptr;
    QComboBox* fitQuantityCombo_ = nullptr;
    StudyChart* fitChart_ = nullptr;
    QLabel* fitValueLabel_ = nullptr;

    QListWidget* targetList_ = nullptr;
    QComboBox* methodCombo_ = nullptr;
    QSpinBox* samplesSpin_ = nullptr;
    QPushButton* sensitivityButton_ = nullptr;
    QComboBox* sensitivityTargetCombo_ = nullptr;
    QTableWidget* sensitivityTable_ = nullptr;
    QPushButton* saveSensitivityButton_ = nullptr;
    StudyChart* sensitivityChart_ = nullptr;
    QLabel* sensitivityValueLabel_ = nullptr;

    QComboBox* ensembleSourceCombo_ = nullptr;
    QSpinBox* membersSpin_ = nullptr;
    QPushButton* ensembleButton_ = nullptr;
    QComboBox* bandQuantityCombo_ = nullptr;
    QCheckBox* thresholdCheck_ = nullptr;
    QComboBox* thresholdSideCombo_ = nullptr;
    QLineEdit* thresholdEdit_ = nullptr;
    QLabel* ensembleStatus_ = nullptr;
    QPushButton* saveBandsButton_ = nullptr;
    StudyChart* bandChart_ = nullptr;
    StudyChart* exceedChart_ = nullptr;
    QLabel* bandValueLabel_ = nullptr;

    DecisionsTab* decisions_ = nullptr;
};

}  // namespace halosoil
