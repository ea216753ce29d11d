#include "DecisionsTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "ActionGuard.h"
#include "CropChooser.h"
#include "DesignPanel.h"
#include "DrainCalculator.h"
#include "Errors.h"
#include "Parameters.h"
#include "ShowStudyEnd.h"
#include "StudyWidgets.h"
#include "StudyWorker.h"
#include "YieldPanel.h"

namespace halosoil {

namespace {

// The members drawn uniformly within the bounds of parameters.
void DrawUniformly(const std::vector<study::Parameter>& parameters,
                   std::vector<study::Parameter>& uncertain,
                   std::vector<study::Distribution>& distributions) {
    if (parameters.empty())
        throw HalosoilError(
            "Check the parameters to draw the members from on the Parameters tab, with their "
            "bounds.");
    uncertain = parameters;
    distributions.clear();
    for (const study::Parameter& parameter : parameters)
        distributions.push_back(study::Uniform(parameter.low, parameter.high));
}

}  // namespace

DecisionsTab::DecisionsTab(Dialogs& dialogs,
                           std::function<std::vector<study::Parameter>()> checkedParameters,
                           QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      checkedParameters_(std::move(checkedParameters)),
      worker_(new StudyWorker(this)),
      saving_(dialogs, folder_, [this](const QString& saved) { statusLabel_->setText(saved); }) {
    crop_ = new CropChooser;
    crop_->setObjectName("CropChooser");
    yield_ = new YieldPanel(dialogs, saving_);
    yield_->setObjectName("YieldPanel");
    drains_ = new DrainCalculator;
    drains_->setObjectName("DrainCalculator");
    design_ = new DesignPanel;
    design_->setObjectName("DesignPanel");
    auto* sections = Named(new QTabWidget, "DecisionsSections", "Decisions sections");
    sections->addTab(yield_, "Yield");
    sections->addTab(drains_, "Drains");
    sections->addTab(design_, "Design");
    progress_ = Named(new QProgressBar, "DecisionsProgress", "Progress of the decisions");
    progress_->setRange(0, 100);
    cancelButton_ =
        Named(new QPushButton("Cancel"), "DecisionsCancelButton", "Cancel the yield or design");
    statusLabel_ = Named(new QLabel, "DecisionsStatusLabel", "State of the decisions");
    statusLabel_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(crop_);
    layout->addWidget(sections, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(progress_, 1);
    bottom->addWidget(cancelButton_);
    layout->addLayout(bottom);
    layout->addWidget(statusLabel_);

    ConnectGuarded(this, dialogs_,
                   {{yield_->ComputeButton(), &DecisionsTab::ComputeYieldButtonClick},
                    {design_->RunButton(), &DecisionsTab::DesignButtonClick},
                    {design_->ApplyButton(), &DecisionsTab::ApplyButtonClick},
                    {design_->SaveReportButton(), &DecisionsTab::SaveReportButtonClick},
                    {cancelButton_, &DecisionsTab::CancelButtonClick}});
    connect(worker_, &StudyWorker::Progress, this, [this](long long done, long long total) {
        progress_->setValue(total > 0 ? static_cast<int>(done * 100 / total) : 0);
    });
    // A yield reckoned for another crop no longer holds.
    connect(crop_, &CropChooser::Changed, this, [this] { yield_->Clear(); });
    EnableControls();
}

DecisionsTab::~DecisionsTab() = default;

void DecisionsTab::SetProject(const std::optional<InputData>& project, bool fresh) {
    project_ = project;
    if (project_ && fresh) {
        design_->SetUp(*project_);
        yield_->Clear();
    } else if (project_) {
        design_->ShowValues(*project_);
    }
    EnableControls();
}

void DecisionsTab::SetCalibration(const std::optional<study::CalibrationResult>& calibration) {
    calibration_ = calibration;
}

study::ReportEstimates DecisionsTab::CalibrationEstimates() const {
    if (!calibration_)
        throw HalosoilError(
            "There is no calibration to draw the members from: calibrate first, or draw them "
            "uniformly within the checked parameters' bounds.");
    // Through the report, so the members are those halosoil-batch draws from it.
    return study::ParseReportEstimates(study::ReportJson(*calibration_), *project_,
                                       "the last calibration");
}

void DecisionsTab::ComputeYieldButtonClick() {
    if (!project_) throw HalosoilError("There is no complete project on the Input page.");
    YieldRequest request;
    request.crop = crop_->Crop();
    request.eceFactor = crop_->EceFactor();
    if (yield_->MembersFrom() != YieldPanel::ProjectAsItIs) {
        study::EnsembleSettings members;
        members.members = yield_->Members();
        if (yield_->MembersFrom() == YieldPanel::FromCalibration) {
            members.fromReport = CalibrationEstimates();
            members.parameters = members.fromReport->parameters;
        } else {
            DrawUniformly(checkedParameters_(), members.parameters, members.distributions);
        }
        request.ensemble = std::move(members);
    }
    auto outcome = std::make_shared<YieldOutcome>();
    const QString cropName = QString::fromStdString(request.crop.name);
    Start(
        "Computing the yield",
        [project = *project_, request, outcome](const study::StudyOptions& options) {
            *outcome = ComputeYield(project, request, options);
        },
        [this, outcome, cropName] { yield_->Show(std::move(*outcome), cropName); });
}

void DecisionsTab::DesignButtonClick() {
    if (!project_) throw HalosoilError("There is no complete project on the Input page.");
    study::DesignSettings settings = design_->Settings();
    settings.crop = crop_->Crop();
    settings.eceFactor = crop_->EceFactor();
    study::CheckEceFactor(settings.eceFactor);
    const bool spacing = std::any_of(
        settings.controls.begin(), settings.controls.end(),
        [](const study::Parameter& p) { return p.kind == study::ParameterKind::DrainSpacing; });
    if (spacing) study::SetDrainSoil(settings.controls, drains_->Soil());
    if (design_->WithProbability()) {
        if (design_->UncertainFrom() == DesignPanel::FromCalibration)
            settings.fromReport = CalibrationEstimates();
        else
            DrawUniformly(checkedParameters_(), settings.uncertain, settings.distributions);
    }
    auto result = std::make_shared<study::DesignResult>();
    Start(
        "Running the design",
        [project = *project_, settings, result](const study::StudyOptions& options) mutable {
            settings.options = options;
            *result = study::RunDesign(project, settings);
        },
        [this, settings, result] { design_->Show(settings, std::move(*result)); });
}

void DecisionsTab::ApplyButtonClick() {
    if (!design_->Last()) return;
    emit ApplyRequested(design_->LastSettings().controls, design_->Last()->values);
    statusLabel_->setText("The design's controls were applied to the input.");
}

void DecisionsTab::SaveReportButtonClick() {
    if (!design_->Last()) return;
    saving_.Bytes("design reports (*.json)|*.json", "json",
                  study::DesignReportJson(design_->LastSettings(), *design_->Last()));
}

void DecisionsTab::CancelButtonClick() {
    worker_->Cancel();
}

void DecisionsTab::WaitForWork() {
    worker_->Join();
}

void DecisionsTab::Start(const QString& what, std::function<void(const study::StudyOptions&)> work,
                         std::function<void()> done) {
    progress_->setValue(0);
    statusLabel_->setText(what + "...");
    worker_->Start(0, std::move(work), [this, done = std::move(done)](std::exception_ptr error) {
        EnableControls();
        ShowStudyEnd<study::StudyCancelled>(dialogs_, error, progress_, statusLabel_, [&] {
            statusLabel_->clear();
            done();
        });
    });
    EnableControls();
}

void DecisionsTab::EnableControls() {
    const bool ready = project_.has_value();
    const bool running = worker_->Busy();
    for (QPushButton* start : {yield_->ComputeButton(), design_->RunButton()})
        start->setEnabled(ready && !running);
    design_->ApplyButton()->setEnabled(ready && !running && design_->Last().has_value());
    cancelButton_->setEnabled(running);
}

}  // namespace halosoil
