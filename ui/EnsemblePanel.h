// The Uncertainty tab of the Calibration page: an ensemble run on the page's worker, its
// members drawn uniformly within the checked parameters' bounds or from the last calibration's
// estimates, and for a chosen quantity its bands per step (median, 25-75 % and 5-95 %) with the
// observations, an optional threshold and the share of members beyond it.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "Calibration.h"
#include "Dialogs.h"
#include "Ensemble.h"
#include "StudyInputs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace halosoil {

class StudyChart;
class StudyProgress;
class StudySaving;

class EnsemblePanel : public QWidget {
    Q_OBJECT
public:
    // lastCalibration gives the page's last calibration, or null when there is none.
    EnsemblePanel(Dialogs& dialogs, StudySaving& saving, StudyProgress& progress,
                  StudyInputs inputs,
                  std::function<const study::CalibrationResult*()> lastCalibration,
                  QWidget* parent = nullptr);

    // A project of another shape: the last ensemble is dropped.
    void StartAfresh();
    // "Run ensemble" may be pressed.
    void EnableStart(bool canStart);
    const std::optional<study::EnsembleResult>& Last() const { return ensemble_; }

    void EnsembleButtonClick();
    void SaveBandsCsvButtonClick();

private:
    void PlotBands();

    Dialogs& dialogs_;
    StudySaving& saving_;
    StudyProgress& progress_;
    StudyInputs inputs_;
    std::function<const study::CalibrationResult*()> lastCalibration_;

    std::optional<study::EnsembleResult> ensemble_;
    std::vector<study::BandRow> bands_;

    QComboBox* sourceCombo_ = nullptr;
    QSpinBox* membersSpin_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QComboBox* quantityCombo_ = nullptr;
    QCheckBox* thresholdCheck_ = nullptr;
    QComboBox* thresholdSideCombo_ = nullptr;
    QLineEdit* thresholdEdit_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* saveBandsButton_ = nullptr;
    StudyChart* bandChart_ = nullptr;
    StudyChart* exceedChart_ = nullptr;
    QLabel* valueLabel_ = nullptr;
};

}  // namespace halosoil
