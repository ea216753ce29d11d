// The Calibration page: the studies of the project held by the Input page, each on a tab of
// its own: the observations, the parameters a study may move, the joint calibration (with its
// fit, its report and "Apply to input"), the sensitivity of chosen results to the parameters,
// an ensemble with its prediction bands, and the decisions a crop's yield asks for. The first
// three studies run one at a time on the page's worker while the window answers, under one
// progress bar; the decisions have their own.
// Nothing of the project changes before the user applies a calibration; the window does that.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "Calibration.h"
#include "Dialogs.h"
#include "Ensemble.h"
#include "InputData.h"
#include "Sensitivity.h"
#include "StudyInputs.h"
#include "StudySaving.h"

class QLabel;
class QTabWidget;

namespace halosoil {

class CalibrationRunPanel;
class DecisionsTab;
class EnsemblePanel;
class ObservationsPanel;
class ParametersPanel;
class SensitivityPanel;
class StudyProgress;
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

    // "Open observations" with its dialog, and after it: the file's columns over the input's
    // measured salinities, as halosoil-batch --observations reads them. Also a file dropped
    // on the window.
    void OpenObservationsButtonClick();
    void OpenObservationsNamed(const QString& fileName);

    // Waits for a running study and delivers its end (for tests, which have no event loop
    // running while they wait).
    void WaitForStudy();
    bool StudyRunning() const;
    StudyWorker& Worker();

    // The observations as the grid holds them; throws the reader's message for a damage.
    study::Observations CurrentObservations() const;
    const std::optional<study::CalibrationResult>& LastCalibration() const;
    const std::optional<study::SensitivityResult>& LastSensitivity() const;
    const std::optional<study::EnsembleResult>& LastEnsemble() const;

signals:
    // "Apply to input" of a calibration or a design: the window sets these values in its
    // project record.
    void ApplyRequested(const std::vector<study::Parameter>& parameters,
                        const std::vector<double>& values);

private:
    // The project of the studies; throws why there is none.
    const InputData& Project() const;
    // What the studies read of the Observations and Parameters tabs.
    StudyInputs Inputs() const;
    void EnableControls();

    Dialogs& dialogs_;
    std::optional<InputData> project_;
    // Where the page's dialogs open: the folder last opened or saved in.
    QString folder_;
    StudySaving saving_;

    QLabel* projectLabel_ = nullptr;
    QTabWidget* sections_ = nullptr;
    StudyProgress* progress_ = nullptr;
    ObservationsPanel* observations_ = nullptr;
    ParametersPanel* parameters_ = nullptr;
    CalibrationRunPanel* calibration_ = nullptr;
    SensitivityPanel* sensitivity_ = nullptr;
    EnsemblePanel* ensemble_ = nullptr;
    DecisionsTab* decisions_ = nullptr;
};

}  // namespace halosoil
