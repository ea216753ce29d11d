#include "CalibrationPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ActionGuard.h"
#include "AtomicFile.h"
#include "DecisionsTab.h"
#include "Errors.h"
#include "InputFile.h"
#include "NativeFileName.h"
#include "ObservationGrid.h"
#include "ParameterTable.h"
#include "StudyChart.h"
#include "StudyWidgets.h"
#include "StudyWorker.h"

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
      worker_(new StudyWorker(this)),
      saving_(dialogs, folder_, [this](const QString& saved) { statusLabel_->setText(saved); }) {
    auto* layout = new QVBoxLayout(this);
    projectLabel_ = Named(new QLabel, "CalibrationProjectLabel", "Project of the studies");
    projectLabel_->setWordWrap(true);
    layout->addWidget(projectLabel_);

    sections_ = Named(new QTabWidget, "CalibrationSections", "Study sections");
    sections_->addTab(BuildObservationsTab(), "Observations");
    sections_->addTab(BuildParametersTab(), "Parameters");
    sections_->addTab(BuildCalibrationTab(), "Calibration");
    sections_->addTab(BuildSensitivityTab(), "Sensitivity");
    sections_->addTab(BuildUncertaintyTab(), "Uncertainty");
    decisions_ = new DecisionsTab(dialogs_, [this] { return parameterTable_->Checked(); });
    decisions_->setObjectName("DecisionsTab");
    sections_->addTab(decisions_, "Decisions");
    connect(decisions_, &DecisionsTab::ApplyRequested, this, &CalibrationPage::ApplyRequested);
    layout->addWidget(sections_, 1);

    auto* runRow = new QHBoxLayout;
    progress_ = Named(new QProgressBar, "StudyProgressBar", "Progress of the study");
    progress_->setRange(0, 100);
    progress_->setValue(0);
    cancelButton_ = Button("StudyCancelButton", "Cancel", &CalibrationPage::CancelButtonClick);
    statusLabel_ = Named(new QLabel, "StudyStatusLabel", "State of the study");
    runRow->addWidget(progress_, 1);
    runRow->addWidget(cancelButton_);
    runRow->addWidget(statusLabel_, 2);
    layout->addLayout(runRow);

    connect(worker_, &StudyWorker::Progress, this, [this](long long done, long long total) {
        if (!worker_->Busy() || total <= 0) return;
        progress_->setValue(static_cast<int>(done * 100 / total));
    });
    SetProject(std::nullopt, "The input is not complete.");
}

CalibrationPage::~CalibrationPage() = default;

QPushButton* CalibrationPage::Button(const char* name, const QString& text,
                                     void (CalibrationPage::*handler)()) {
    auto* button = Named(new QPushButton(text), name, QString(text).remove('&'));
    if (handler) ConnectGuarded<CalibrationPage>(this, dialogs_, {{button, handler}});
    return button;
}

QPushButton* CalibrationPage::SaveChartButton(const char* name, const QString& text,
                                              StudyChart* chart) {
    QPushButton* button = Button(name, text);
    connect(button, &QPushButton::clicked, this,
            [this, chart] { RunGuarded(dialogs_, [this, chart] { saving_.Chart(chart); }); });
    return button;
}

QLayout* CalibrationPage::ChartRow(QComboBox* combo, const char* saveName, QLabel* valueLabel,
                                   StudyChart* chart, void (CalibrationPage::*plot)()) {
    QPushButton* save = SaveChartButton(saveName, "Save picture", chart);
    chart->SetValueLabel(valueLabel);
    auto* row = new QHBoxLayout;
    row->addWidget(combo);
    row->addWidget(save);
    row->addWidget(valueLabel, 1);
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, plot] { RunGuarded(dialogs_, [this, plot] { (this->*plot)(); }); });
    return row;
}

QWidget* CalibrationPage::BuildObservationsTab() {
    auto* tab = Named(new QWidget, "ObservationsTab", "Observations");
    auto* layout = new QVBoxLayout(tab);
    openObservationsButton_ = Button("OpenObservationsButton", "Open observations",
                                     &CalibrationPage::OpenObservationsButtonClick);
    saveObservationsButton_ = Button("SaveObservationsButton", "Save as CSV",
                                     &CalibrationPage::SaveObservationsButtonClick);
    layout->addLayout(ButtonRow({openObservationsButton_, saveObservationsButton_}));
    auto* hint = new QLabel(
        "The input's measured salinities are in the grid; an opened file's columns take the "
        "place of theirs. Paste a block from a spreadsheet (step first) or type the values.");
    hint->setWordWrap(true);
    layout->addWidget(Named(hint, "ObservationsHint", "About the observations"));
    auto* row = new QHBoxLayout;
    observationGrid_ = Named(new ObservationGrid, "ObservationGrid", "Observations grid");
    observationGrid_->SetClipboardSource([this] { return dialogs_.ClipboardText(); });
    observationGrid_->SetClipboardSink(
        [this](const QString& text) { dialogs_.SetClipboardText(text); });
    connect(observationGrid_, &StringGrid::CellEdited, this,
            [this](int col, int row, const QString& text) {
                RunGuarded(dialogs_, [&] { GridEdited(col, row, text); });
            });
    countsTable_ = Table("ObservationCountsTable", "Observations per quantity",
                         {"quantity", "unit", "observations"});
    row->addWidget(observationGrid_, 3);
    row->addWidget(countsTable_, 1);
    layout->addLayout(row, 1);
    observationStatus_ = Named(new QLabel, "ObservationStatusLabel", "State of the observations");
    observationStatus_->setWordWrap(true);
    layout->addWidget(observationStatus_);
    return tab;
}

QWidget* CalibrationPage::BuildParametersTab() {
    auto* tab = Named(new QWidget, "ParametersTab", "Parameters");
    auto* layout = new QVBoxLayout(tab);
    parameterTable_ = Named(new ParameterTable, "ParameterTable", "Parameters and their bounds");
    parameterStatus_ = Named(new QLabel, "ParameterStatusLabel", "State of the bounds");
    parameterStatus_->setWordWrap(true);
    parameterTable_->SetStatusSink(
        [this](const QString& text) { parameterStatus_->setText(text); });
    layout->addWidget(parameterTable_, 3);
    layout->addWidget(parameterStatus_);
    auto* row = new QHBoxLayout;
    weightTable_ =
        Table("WeightTable", "Weights of the observed quantities", {"quantity", "weight"});
    weightTable_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    row->addWidget(weightTable_, 1);
    auto* form = new QFormLayout;
    seedSpin_ = Named(new QSpinBox, "SeedSpin", "Seed of the random draws");
    seedSpin_->setRange(0, 2147483647);
    threadsSpin_ = Named(new QSpinBox, "ThreadsSpin", "Threads for the runs");
    threadsSpin_->setRange(0, 256);
    threadsSpin_->setSpecialValueText("one per core");
    form->addRow("Seed", seedSpin_);
    form->addRow("Threads", threadsSpin_);
    row->addLayout(form, 1);
    layout->addLayout(row, 1);
    return tab;
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
    if (fresh) {
        observationGrid_->SetUp(*project_, study::MeasuredSalinities(*project_));
        parameterTable_->SetUp(*project_);
        FillWeights();
        FillTargets();
        calibration_.reset();
        decisions_->SetCalibration(std::nullopt);
        sensitivity_.reset();
        ensemble_.reset();
        bands_.clear();
        ShowCalibration();
        ShowSensitivity();
        PlotBands();
    } else {
        parameterTable_->ShowValues(*project_);
    }
    decisions_->SetProject(project_, fresh);
    FillCounts();
    EnableControls();
}

void CalibrationPage::EnableControls() {
    const bool ready = project_.has_value();
    const bool running = worker_->Busy();
    sections_->setEnabled(ready);
    for (QPushButton* start :
         {calibrateButton_, sensitivityButton_, ensembleButton_, openObservationsButton_})
        start->setEnabled(ready && !running);
    applyButton_->setEnabled(ready && !running && calibration_.has_value());
    saveReportButton_->setEnabled(calibration_.has_value());
    saveEstimatesButton_->setEnabled(calibration_.has_value());
    saveFitButton_->setEnabled(calibration_.has_value());
    saveSensitivityButton_->setEnabled(sensitivity_.has_value());
    saveBandsButton_->setEnabled(!bands_.empty());
    cancelButton_->setEnabled(running);
}

void CalibrationPage::StartStudy(const QString& what,
                                 std::function<void(const study::StudyOptions&)> work,
                                 std::function<void()> done) {
    progress_->setValue(0);
    statusLabel_->setText(what + "...");
    worker_->Start(
        threadsSpin_->value(), std::move(work),
        [this, done = std::move(done)](std::exception_ptr error) { StudyEnded(error, done); });
    EnableControls();
}

void CalibrationPage::StudyEnded(std::exception_ptr error, const std::function<void()>& done) {
    EnableControls();
    RunGuarded(dialogs_, [&] {
        try {
            if (error) std::rethrow_exception(error);
        } catch (const study::StudyCancelled& cancelled) {
            progress_->setValue(0);
            statusLabel_->setText(cancelled.what());
            return;
        } catch (...) {
            progress_->setValue(0);
            statusLabel_->clear();
            throw;
        }
        progress_->setValue(100);
        done();
        EnableControls();
    });
}

void CalibrationPage::CancelButtonClick() {
    worker_->Cancel();
}

void CalibrationPage::WaitForStudy() {
    worker_->Join();
}

bool CalibrationPage::StudyRunning() const {
    return worker_->Busy();
}

}  // namespace halosoil
