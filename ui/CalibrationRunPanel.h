// The Calibration tab of the Calibration page: the joint calibration of the checked
// parameters against the observations, run on the page's worker, and its results: the
// estimates with their intervals, the fit per quantity, the warnings, the observed against the
// simulated series, the report, and "Apply to input" handed back to the page.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "Calibration.h"
#include "Dialogs.h"
#include "StudyInputs.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace halosoil {

class StudyChart;
class StudyProgress;
class StudySaving;

class CalibrationRunPanel : public QWidget {
    Q_OBJECT
public:
    CalibrationRunPanel(Dialogs& dialogs, StudySaving& saving, StudyProgress& progress,
                        StudyInputs inputs, QWidget* parent = nullptr);

    // A project of another shape: the last calibration no longer belongs to it.
    void StartAfresh();
    // "Calibrate", and "Apply to input" once there is a calibration, may be pressed.
    void EnableStart(bool canStart);
    const std::optional<study::CalibrationResult>& Last() const { return calibration_; }

    void CalibrateButtonClick();
    void ApplyButtonClick();
    void SaveReportButtonClick();
    void SaveEstimatesCsvButtonClick();
    void SaveFitCsvButtonClick();

signals:
    // A calibration went through, or the last one was dropped (nothing).
    void Calibrated(const std::optional<study::CalibrationResult>& calibration);
    // "Apply to input": the window sets these values in its project record.
    void ApplyRequested(const std::vector<study::Parameter>& parameters,
                        const std::vector<double>& values);

private:
    void Show();
    void PlotFit();
    void EnableSaving();

    Dialogs& dialogs_;
    StudySaving& saving_;
    StudyProgress& progress_;
    StudyInputs inputs_;
    bool canStart_ = false;

    std::optional<study::CalibrationResult> calibration_;
    // What the last calibration fitted.
    study::Observations observations_;

    QPushButton* calibrateButton_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* saveReportButton_ = nullptr;
    QPushButton* saveEstimatesButton_ = nullptr;
    QPushButton* saveFitButton_ = nullptr;
    QTableWidget* estimateTable_ = nullptr;
    QTableWidget* fitTable_ = nullptr;
    QPlainTextEdit* warnings_ = nullptr;
    QComboBox* quantityCombo_ = nullptr;
    StudyChart* chart_ = nullptr;
    QLabel* valueLabel_ = nullptr;
};

}  // namespace halosoil
