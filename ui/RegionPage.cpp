#include "RegionPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ActionGuard.h"
#include "Errors.h"
#include "InputFile.h"
#include "NativeFileName.h"
#include "RegionColumnsTable.h"
#include "RegionLibrary.h"
#include "RegionResultsPanel.h"
#include "RegionRunner.h"
#include "ResultsSchema.h"
#include "ShowStudyEnd.h"
#include "StudyWidgets.h"

namespace halosoil {

namespace {

const QString kLayerFilter =
    "GIS layers (*.gpkg *.shp *.geojson *.json *.fgb)|*.gpkg;*.shp;*.geojson;*.json;*.fgb";
const QString kResultsFilter = "Region results (*.gpkg)|*.gpkg";
const QString kInputFilter = "input files (*.inp)|*.inp";
const QString kFeatureIds = "(feature ids)";

// The project of an input file as a run takes it; throws HalosoilError naming file and line.
InputData ReadBase(const QString& path) {
    InputData data;
    data.InputFileName = ToNative(path);
    try {
        ReadInputFile(data);
    } catch (const HalosoilError& error) {
        throw HalosoilError(WithFileAndLine(data.InputFileName, error));
    }
    return data;
}

}  // namespace

RegionPage::RegionPage(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), runner_(new RegionRunner(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildSourceRows());

    columns_ = Named(new RegionColumnsTable, "RegionColumnsTable", "Columns of the layer");
    results_ = new RegionResultsPanel(dialogs_);
    results_->setObjectName("RegionResultsPanel");
    messages_ = Named(new QPlainTextEdit, "RegionMessages", "Messages of the region");
    messages_->setReadOnly(true);
    sections_ = Named(new QTabWidget, "RegionSections", "Region sections");
    sections_->addTab(columns_, "Columns");
    sections_->addTab(results_, "Results");
    sections_->addTab(messages_, "Messages");
    layout->addWidget(sections_, 1);

    connect(runner_, &RegionRunner::Progress, this, [this](long long done, long long total) {
        if (runner_->Busy() && total > 0) progress_->setValue(static_cast<int>(done * 100 / total));
    });
    connect(results_, &RegionResultsPanel::OpenProjectRequested, this, [this](int field) {
        RunGuarded(dialogs_, [this, field] { OpenFieldAsProject(field); });
    });
    ShowBase();
    EnableControls();
}

RegionPage::~RegionPage() = default;

QPushButton* RegionPage::Button(const char* name, const QString& text,
                                void (RegionPage::*handler)()) {
    auto* button = Named(new QPushButton(text), name, text);
    ConnectGuarded<RegionPage>(this, dialogs_, {{button, handler}});
    return button;
}

QWidget* RegionPage::BuildSourceRows() {
    auto* rows = new QWidget;
    auto* layout = new QVBoxLayout(rows);
    layout->setContentsMargins(0, 0, 0, 0);
    openLayerButton_ =
        Button("RegionOpenLayerButton", "Open fields layer", &RegionPage::OpenLayerButtonClick);
    openResultsButton_ =
        Button("RegionOpenResultsButton", "Open results", &RegionPage::OpenResultsButtonClick);
    idCombo_ = Named(new QComboBox, "RegionIdCombo", "Column of the fields' ids");
    idCombo_->addItem(kFeatureIds);
    connect(idCombo_, &QComboBox::currentIndexChanged, this,
            [this] { RunGuarded(dialogs_, [this] { IdColumnChosen(); }); });
    layerLabel_ = Named(new QLabel("No layer is open."), "RegionLayerLabel", "The fields layer");
    QHBoxLayout* layerRow =
        ButtonRow({openLayerButton_, openResultsButton_, new QLabel("Ids:"), idCombo_});
    layerRow->insertWidget(4, layerLabel_, 1);
    layout->addLayout(layerRow);

    chooseBaseButton_ =
        Button("RegionChooseBaseButton", "Choose base project", &RegionPage::ChooseBaseButtonClick);
    inputBaseButton_ = Button("RegionInputBaseButton", "Use the Input page's project",
                              &RegionPage::UseInputBaseButtonClick);
    baseLabel_ = Named(new QLabel, "RegionBaseLabel", "The base project");
    baseLabel_->setWordWrap(true);
    QHBoxLayout* baseRow = ButtonRow({chooseBaseButton_, inputBaseButton_});
    baseRow->insertWidget(2, baseLabel_, 1);
    layout->addLayout(baseRow);

    exchangeCheck_ = Named(new QCheckBox("Exchange groundwater between fields"),
                           "RegionExchangeCheck", "Exchange groundwater between fields");
    runButton_ = Button("RegionRunButton", "Run", &RegionPage::RunButtonClick);
    cancelButton_ = Button("RegionCancelButton", "Cancel", &RegionPage::CancelButtonClick);
    progress_ = Named(new QProgressBar, "RegionProgressBar", "Progress of the region");
    progress_->setRange(0, 100);
    progress_->setValue(0);
    statusLabel_ = Named(new QLabel, "RegionStatusLabel", "State of the region");
    auto* runRow = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{exchangeCheck_, runButton_,
                                                           cancelButton_, progress_, statusLabel_})
        runRow->addWidget(widget, widget == progress_ || widget == statusLabel_ ? 1 : 0);
    layout->addLayout(runRow);
    return rows;
}

void RegionPage::EnableControls() {
    const bool running = runner_->Busy();
    for (QPushButton* button : {openLayerButton_, openResultsButton_, chooseBaseButton_})
        button->setEnabled(!running);
    idCombo_->setEnabled(!running && !layerPath_.isEmpty());
    inputBaseButton_->setEnabled(!running && fileBase_ && inputProject_);
    runButton_->setEnabled(!running && !layerPath_.isEmpty());
    cancelButton_->setEnabled(running);
    columns_->setEnabled(!running);
}

void RegionPage::ShowBase() {
    if (fileBase_)
        baseLabel_->setText("Base: " + FromNative(fileBase_->InputFileName));
    else if (inputProject_)
        baseLabel_->setText("Base: the Input page's project " +
                            FromNative(inputProject_->InputFileName));
    else
        baseLabel_->setText("Base: none. " + inputWhyNot_);
}

void RegionPage::SetInputProject(const std::optional<InputData>& project, const QString& whyNot) {
    inputProject_ = project;
    inputWhyNot_ = whyNot;
    ShowBase();
    EnableControls();
}

std::shared_ptr<const InputData> RegionPage::Base() const {
    if (fileBase_) return fileBase_;
    if (inputProject_) return std::make_shared<const InputData>(*inputProject_);
    throw HalosoilError(
        ("There is no base project: choose one, or complete the Input page's. " + inputWhyNot_)
            .trimmed()
            .toStdString());
}

region::LayerChoice RegionPage::Choice() const {
    region::LayerChoice choice;
    choice.path = ToNative(layerPath_);
    choice.columnUse = columns_->ColumnUse();
    if (idCombo_->currentIndex() > 0) choice.idColumn = idCombo_->currentText().toStdString();
    return choice;
}

void RegionPage::IdColumnChosen() {
    const std::map<std::string, std::string> uses = columns_->ColumnUse();
    const std::string id =
        idCombo_->currentIndex() > 0 ? idCombo_->currentText().toStdString() : std::string();
    columns_->ShowColumns(layerColumns_, id);
    for (const auto& [column, use] : uses)
        if (column != id)
            columns_->ChooseUse(columns_->RowOf(QString::fromStdString(column)),
                                QString::fromStdString(use));
}

void RegionPage::OpenLayerButtonClick() {
    const std::optional<QString> chosen = dialogs_.OpenFile({kLayerFilter, "gpkg", folder_});
    if (chosen) OpenLayerNamed(*chosen);
}

void RegionPage::OpenLayerNamed(const QString& path) {
    region::LayerChoice choice;
    choice.path = ToNative(path);
    const region::LayerOverview overview = RegionLibrary::ReadLayer(choice);
    folder_ = QFileInfo(path).absolutePath();
    layerPath_ = path;
    layerColumns_ = overview.columns;
    {
        const QSignalBlocker quiet(idCombo_);
        idCombo_->clear();
        idCombo_->addItem(kFeatureIds);
        for (const std::string& column : overview.columns)
            idCombo_->addItem(QString::fromStdString(column));
    }
    columns_->ShowColumns(overview.columns, choice.idColumn);
    const auto fields = overview.cells.fields.size();
    layerLabel_->setText(
        QString("%1: %2 %3").arg(path).arg(fields).arg(fields == 1 ? "field" : "fields"));
    sections_->setCurrentWidget(columns_);
    EnableControls();
}

void RegionPage::OpenResultsButtonClick() {
    const std::optional<QString> chosen = dialogs_.OpenFile({kResultsFilter, "gpkg", folder_});
    if (chosen) OpenResultsNamed(*chosen);
}

void RegionPage::OpenResultsNamed(const QString& path) {
    results_->Open(path);
    folder_ = QFileInfo(path).absolutePath();
    // The results carry the layer's columns, so that a field's project can be made again.
    resultsSource_ = {ToNative(path), region::kFieldsLayer, region::kFieldColumn, {}};
    sections_->setCurrentWidget(results_);
}

void RegionPage::OpenDroppedNamed(const QString& path) {
    try {
        OpenResultsNamed(path);
    } catch (const HalosoilError&) {
        // Not a region's results: the fields of a run.
        OpenLayerNamed(path);
    }
}

void RegionPage::ChooseBaseButtonClick() {
    const std::optional<QString> chosen = dialogs_.OpenFile({kInputFilter, "inp", folder_});
    if (!chosen) return;
    fileBase_ = std::make_shared<const InputData>(ReadBase(*chosen));
    ShowBase();
    EnableControls();
}

void RegionPage::UseInputBaseButtonClick() {
    fileBase_.reset();
    ShowBase();
    EnableControls();
}

void RegionPage::RunButtonClick() {
    if (layerPath_.isEmpty()) throw HalosoilError("Open a fields layer first.");
    const std::shared_ptr<const InputData> base = Base();
    const std::optional<QString> chosen =
        dialogs_.SaveFile({kResultsFilter, "gpkg", QFileInfo(layerPath_).absolutePath()});
    if (!chosen) return;
    if (QFileInfo(*chosen) == QFileInfo(layerPath_))
        throw HalosoilError("The results would overwrite the fields layer " +
                            chosen->toStdString());
    if (QFileInfo::exists(*chosen) && !dialogs_.YesNo("The file already exists, overwrite?"))
        return;
    region::RegionOptions options;
    options.base = base->InputFileName;
    options.fields = Choice();
    options.exchange = exchangeCheck_->isChecked();
    options.results = ToNative(*chosen);
    options.command = "halosoil, the Region page";
    progress_->setValue(0);
    statusLabel_->setText("Running the fields...");
    runner_->Start(options, base,
                   [this, resultsPath = *chosen, choice = options.fields](
                       std::exception_ptr error, const region::RegionSummary& summary,
                       const QStringList& messages) {
                       RegionEnded(error, summary, messages, resultsPath, choice);
                   });
    EnableControls();
}

void RegionPage::RegionEnded(std::exception_ptr error, const region::RegionSummary& summary,
                             const QStringList& messages, const QString& resultsPath,
                             const region::LayerChoice& choice) {
    EnableControls();
    messages_->setPlainText(messages.join('\n'));
    ShowStudyEnd<region::RegionCancelled>(dialogs_, error, progress_, statusLabel_, [&] {
        statusLabel_->setText(QString("%1 fields: %2 ran, %3 stopped, %4 refused.")
                                  .arg(summary.fields)
                                  .arg(summary.ran)
                                  .arg(summary.stopped)
                                  .arg(summary.refused));
        results_->Open(resultsPath);
        resultsSource_ = choice;
        sections_->setCurrentWidget(results_);
    });
}

void RegionPage::CancelButtonClick() {
    runner_->Cancel();
}

void RegionPage::WaitForRegion() {
    runner_->Join();
}

bool RegionPage::RegionRunning() const {
    return runner_->Busy();
}

void RegionPage::OpenFieldAsProject(int field) {
    const std::string id = results_->Layer().fields.at(static_cast<std::size_t>(field)).id;
    const std::shared_ptr<const InputData> base = Base();
    const region::LayerOverview source = RegionLibrary::ReadLayer(resultsSource_);
    std::size_t index = 0;
    while (index < source.cells.fields.size() && source.cells.fields[index].id != id) ++index;
    if (index == source.cells.fields.size())
        throw HalosoilError(resultsSource_.path + " has no field " + id + " any more");
    InputData project = RegionLibrary::FieldProject(*base, source.cells, index);

    const QString folder = QFileInfo(results_->Path()).absolutePath();
    const std::optional<QString> chosen = dialogs_.SaveFile({kInputFilter, "inp", folder});
    if (!chosen) return;
    if (QFileInfo::exists(*chosen) && !dialogs_.YesNo("The file already exists, overwrite?"))
        return;
    project.InputFileName = ToNative(*chosen);
    WriteInputFile(project);
    emit ProjectWritten(*chosen);
}

}  // namespace halosoil
