#include "ObservationsPanel.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Errors.h"
#include "NativeFileName.h"
#include "ObservationGrid.h"
#include "StudyButtons.h"
#include "StudySaving.h"

namespace halosoil {

namespace {

const FileDialogSpec kObservationFiles{"observations (*.csv)|*.csv", "csv", {}};

}  // namespace

ObservationsPanel::ObservationsPanel(Dialogs& dialogs, StudySaving& saving, QString& folder,
                                     std::function<const InputData&()> project, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      saving_(saving),
      folder_(folder),
      project_(std::move(project)) {
    auto* layout = new QVBoxLayout(this);
    openButton_ = StudyButton(this, dialogs_, "OpenObservationsButton", "Open observations",
                              &ObservationsPanel::OpenButtonClick);
    QPushButton* save = StudyButton(this, dialogs_, "SaveObservationsButton", "Save as CSV",
                                    &ObservationsPanel::SaveButtonClick);
    layout->addLayout(ButtonRow({openButton_, save}));
    auto* hint = new QLabel(
        "The input's measured salinities are in the grid; an opened file's columns take the "
        "place of theirs. Paste a block from a spreadsheet (step first) or type the values.");
    hint->setWordWrap(true);
    layout->addWidget(Named(hint, "ObservationsHint", "About the observations"));
    auto* row = new QHBoxLayout;
    grid_ = Named(new ObservationGrid, "ObservationGrid", "Observations grid");
    grid_->SetClipboardSource([this] { return dialogs_.ClipboardText(); });
    grid_->SetClipboardSink([this](const QString& text) { dialogs_.SetClipboardText(text); });
    connect(grid_, &StringGrid::CellEdited, this, [this](int col, int row, const QString& text) {
        RunGuarded(dialogs_, [&] { GridEdited(col, row, text); });
    });
    countsTable_ = Table("ObservationCountsTable", "Observations per quantity",
                         {"quantity", "unit", "observations"});
    row->addWidget(grid_, 3);
    row->addWidget(countsTable_, 1);
    layout->addLayout(row, 1);
    status_ = Named(new QLabel, "ObservationStatusLabel", "State of the observations");
    status_->setWordWrap(true);
    layout->addWidget(status_);
}

void ObservationsPanel::StartAfresh(const InputData& project) {
    grid_->SetUp(project, study::MeasuredSalinities(project));
}

study::Observations ObservationsPanel::Current() const {
    return grid_->Read(project_());
}

void ObservationsPanel::EnableStart(bool canStart) {
    openButton_->setEnabled(canStart);
}

void ObservationsPanel::FillCounts() {
    countsTable_->setRowCount(0);
    const InputData& project = project_();
    study::Observations observations;
    try {
        observations = Current();
        status_->clear();
    } catch (const HalosoilError& error) {
        status_->setText(QString::fromStdString(error.what()));
    }
    const std::vector<study::Quantity> quantities = study::QuantitiesOf(project);
    countsTable_->setRowCount(static_cast<int>(quantities.size()));
    for (int row = 0; row < countsTable_->rowCount(); ++row) {
        const study::QuantityInfo& info = study::InfoOf(quantities[static_cast<std::size_t>(row)]);
        countsTable_->setItem(row, 0, new QTableWidgetItem(info.name));
        countsTable_->setItem(row, 1, new QTableWidgetItem(info.unit));
        countsTable_->setItem(
            row, 2, new QTableWidgetItem(QString::number(observations.Count(info.quantity))));
    }
    countsTable_->resizeColumnsToContents();
}

// A block pasted into the grid is spread over it as in the time-step grids, then read as a
// file is; its damage is shown as the reader words it. A cell typed by hand only tells its
// damage under the grid, since the row may still be on its way.
void ObservationsPanel::GridEdited(int col, int row, const QString& text) {
    const bool block = text.contains('\t') || text.contains('\r') || text.contains('\n');
    if (block) grid_->Spread(col, row, text);
    FillCounts();
    if (block && !status_->text().isEmpty()) {
        MarkDamage(status_->text());
        dialogs_.Message(status_->text());
    }
}

void ObservationsPanel::MarkDamage(const QString& message) {
    static const QRegularExpression where(", line (\\d+)(, column (\\d+))?:");
    const QRegularExpressionMatch match = where.match(message);
    if (!match.hasMatch()) return;
    const int row = match.captured(1).toInt() - 2;
    const int col = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt() - 1;
    if (row >= 0 && row < grid_->RowCount()) grid_->setCurrentCell(row, col);
}

void ObservationsPanel::OpenButtonClick() {
    FileDialogSpec spec = kObservationFiles;
    spec.initialFolder = folder_;
    const std::optional<QString> chosen = dialogs_.OpenFile(spec);
    if (!chosen) return;
    OpenNamed(*chosen);
}

void ObservationsPanel::OpenNamed(const QString& fileName) {
    const InputData& project = project_();
    folder_ = QFileInfo(fileName).absolutePath();
    const std::string path = ToNative(fileName);
    study::Observations file;
    try {
        file = study::ReadObservationsFile(path, project);
    } catch (const HalosoilError& error) {
        // The reader names the file and line itself; a file that cannot be opened gets its name.
        throw HalosoilError(error.File().empty() ? error.what() : WithFileAndLine(path, error));
    }
    grid_->Show(study::Combined(study::MeasuredSalinities(project), file));
    FillCounts();
    emit StatusChanged("Observations read from " + fileName + ".");
}

void ObservationsPanel::SaveButtonClick() {
    saving_.Bytes("observations (*.csv)|*.csv", "csv", study::ObservationsCsvText(Current()));
}

}  // namespace halosoil
