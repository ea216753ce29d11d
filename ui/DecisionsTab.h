// The Decisions tab of the Calibration page: from salinity to decisions. The crop and its
// salt tolerance, then three sections: the relative yield per step (with the bands of an
// ensemble), the drain-design calculator, and a design of the controls that meets a yield at
// the least irrigation, drainage or control, run on a worker thread of its own with progress
// and Cancel. The tab reads the page's project, its last calibration and its checked
// parameters, and hands "Apply to input" back to the page.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "Calibration.h"
#include "Dialogs.h"
#include "InputData.h"
#include "StudySaving.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace halosoil {

class CropChooser;
class DesignPanel;
class DrainCalculator;
class StudyWorker;
class YieldPanel;

class DecisionsTab : public QWidget {
    Q_OBJECT
public:
    // checkedParameters gives the Parameters tab's checked parameters with their bounds (or
    // throws its refusal), which the members are drawn uniformly within when the user asks.
    DecisionsTab(Dialogs& dialogs, std::function<std::vector<study::Parameter>()> checkedParameters,
                 QWidget* parent = nullptr);
    ~DecisionsTab() override;

    // The page's project; fresh when it has another shape, which empties the results.
    void SetProject(const std::optional<InputData>& project, bool fresh);
    // The page's last calibration, whose estimates the members may be drawn from.
    void SetCalibration(const std::optional<study::CalibrationResult>& calibration);

    void ComputeYieldButtonClick();
    void DesignButtonClick();
    void ApplyButtonClick();
    void SaveReportButtonClick();
    void CancelButtonClick();

    // Waits for a running computation and delivers its end (for tests).
    void WaitForWork();
    StudyWorker& Worker() { return *worker_; }

signals:
    void ApplyRequested(const std::vector<study::Parameter>& parameters,
                        const std::vector<double>& values);

private:
    // The last calibration's estimates for the members; throws HalosoilError when there is
    // no calibration to draw them from.
    study::ReportEstimates CalibrationEstimates() const;
    void Start(const QString& what, std::function<void(const study::StudyOptions&)> work,
               std::function<void()> done);
    void EnableControls();

    Dialogs& dialogs_;
    std::function<std::vector<study::Parameter>()> checkedParameters_;
    std::optional<InputData> project_;
    std::optional<study::CalibrationResult> calibration_;
    StudyWorker* worker_ = nullptr;
    QString folder_;
    StudySaving saving_;

    CropChooser* crop_ = nullptr;
    YieldPanel* yield_ = nullptr;
    DrainCalculator* drains_ = nullptr;
    DesignPanel* design_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* statusLabel_ = nullptr;
};

}  // namespace halosoil
