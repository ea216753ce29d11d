#include "CalibrationPage.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "CalibrationRunPanel.h"
#include "DecisionsTab.h"
#include "EnsemblePanel.h"
#include "Errors.h"
#include "ObservationsPanel.h"
#include "ParametersPanel.h"
#include "SensitivityPanel.h"
#include "StudyProgress.h"
#include "StudyWidgets.h"

namespace halosoil {

namespace {

// Same shape: the page's observations, bounds and results still belong to the project.
bool SameShape(const InputData& a, const InputData& b) {
    return a.NrTst == b.NrTst && LayerCount(a) == LayerCount(b) && a.DrainPresent == b.DrainPresent;
}

}  // namespace

CalibrationPage::CalibrationPage(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      saving_(dialogs, folder_, [this](const QString& saved) { progress_->SetStatus(saved); }) {
    auto* layout = new QVBoxLayout(this);
    projectLabel_ = Named(new QLabel, "CalibrationProjectLabel", "Project of the studies");
    projectLabel_->setWordWrap(true);
    layout->addWidget(projectLabel_);

    // The run row stands under the sections, but the studies' tabs are made with it.
    progress_ = new StudyProgress(dialogs_);
    observations_ = Named(new ObservationsPanel(dialogs_, saving_, folder_,
                                                [this]() -> const InputData& { return Project(); }),
                          "ObservationsTab", "Observations");
    parameters_ = Named(new ParametersPanel, "ParametersTab", "Parameters");
    calibration_ = Named(new CalibrationRunPanel(dialogs_, saving_, *progress_, Inputs()),
                         "CalibrationResultsTab", "Calibration");
    sensitivity_ = Named(new SensitivityPanel(dialogs_, saving_, *progress_, Inputs()),
                         "SensitivityTab", "Sensitivity");
    ensemble_ = Named(new EnsemblePanel(dialogs_, saving_, *progress_, Inputs(),
                                        [this]() -> const study::CalibrationResult* {
                                            const auto& last = calibration_->Last();
                                            return last ? &*last : nullptr;
                                        }),
                      "UncertaintyTab", "Uncertainty");
    decisions_ = new DecisionsTab(dialogs_, [this] { return parameters_->Checked(); });
    decisions_->setObjectName("DecisionsTab");

    sections_ = Named(new QTabWidget, "CalibrationSections", "Study sections");
    sections_->addTab(observations_, "Observations");
    sections_->addTab(parameters_, "Parameters");
    sections_->addTab(calibration_, "Calibration");
    sections_->addTab(sensitivity_, "Sensitivity");
    sections_->addTab(ensemble_, "Uncertainty");
    sections_->addTab(decisions_, "Decisions");
    layout->addWidget(sections_, 1);
    layout->addWidget(progress_);

    connect(progress_, &StudyProgress::Changed, this, &CalibrationPage::EnableControls);
    connect(observations_, &ObservationsPanel::StatusChanged, progress_, &StudyProgress::SetStatus);
    connect(calibration_, &CalibrationRunPanel::Calibrated, decisions_,
            &DecisionsTab::SetCalibration);
    connect(calibration_, &CalibrationRunPanel::ApplyRequested, this,
            &CalibrationPage::ApplyRequested);
    connect(decisions_, &DecisionsTab::ApplyRequested, this, &CalibrationPage::ApplyRequested);
    SetProject(std::nullopt, "The input is not complete.");
}

CalibrationPage::~CalibrationPage() = default;

const InputData& CalibrationPage::Project() const {
    if (!project_) throw HalosoilError(projectLabel_->text().toStdString());
    return *project_;
}

StudyInputs CalibrationPage::Inputs() const {
    StudyInputs inputs;
    inputs.project = [this]() -> const InputData& { return Project(); };
    inputs.checkedParameters = [this] { return parameters_->Checked(); };
    inputs.observations = [this] { return observations_->Current(); };
    inputs.weights = [this] { return parameters_->Weights(); };
    inputs.seed = [this] { return parameters_->Seed(); };
    inputs.threads = [this] { return parameters_->Threads(); };
    return inputs;
}

void CalibrationPage::SetProject(const std::optional<InputData>& project, const QString& whyNot) {
    if (!project) {
        projectLabel_->setText(whyNot);
        project_.reset();
        decisions_->SetProject(std::nullopt, false);
        EnableControls();
        return;
    }
    const bool fresh = !project_ || !SameShape(*project_, *project);
    project_ = project;
    projectLabel_->setText("The studies work on the project of the Input page" +
                           (project_->InputFileName.empty()
                                ? QString(".")
                                : " (" + QString::fromStdString(project_->InputFileName) + ")."));
    if (fresh) observations_->StartAfresh(*project_);
    parameters_->SetProject(*project_, fresh);
    if (fresh) {
        calibration_->StartAfresh();
        sensitivity_->StartAfresh(*project_);
        ensemble_->StartAfresh();
    }
    decisions_->SetProject(project_, fresh);
    observations_->FillCounts();
    EnableControls();
}

void CalibrationPage::EnableControls() {
    const bool ready = project_.has_value();
    const bool canStart = ready && !progress_->Busy();
    sections_->setEnabled(ready);
    observations_->EnableStart(canStart);
    calibration_->EnableStart(canStart);
    sensitivity_->EnableStart(canStart);
    ensemble_->EnableStart(canStart);
}

void CalibrationPage::OpenObservationsButtonClick() {
    observations_->OpenButtonClick();
}

void CalibrationPage::OpenObservationsNamed(const QString& fileName) {
    observations_->OpenNamed(fileName);
}

study::Observations CalibrationPage::CurrentObservations() const {
    return observations_->Current();
}

const std::optional<study::CalibrationResult>& CalibrationPage::LastCalibration() const {
    return calibration_->Last();
}

const std::optional<study::SensitivityResult>& CalibrationPage::LastSensitivity() const {
    return sensitivity_->Last();
}

const std::optional<study::EnsembleResult>& CalibrationPage::LastEnsemble() const {
    return ensemble_->Last();
}

void CalibrationPage::WaitForStudy() {
    progress_->Wait();
}

bool CalibrationPage::StudyRunning() const {
    return progress_->Busy();
}

StudyWorker& CalibrationPage::Worker() {
    return progress_->Worker();
}

}  // namespace halosoil
