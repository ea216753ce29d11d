// The observations section of the Calibration page: the grid of observed values, their counts
// per quantity and their weights, and opening and saving them as a CSV file.
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>

#include "CalibrationPage.h"
#include "Errors.h"
#include "NativeFileName.h"
#include "ObservationGrid.h"
#include "StringToFloat.h"

namespace halosoil {

namespace {

const FileDialogSpec kObservationFiles{"observations (*.csv)|*.csv", "csv", {}};

}  // namespace

study::Observations CalibrationPage::CurrentObservations() const {
    return observationGrid_->Read(*project_);
}

void CalibrationPage::FillCounts() {
    countsTable_->setRowCount(0);
    if (!project_) return;
    study::Observations observations;
    try {
        observations = CurrentObservations();
        observationStatus_->clear();
    } catch (const HalosoilError& error) {
        observationStatus_->setText(QString::fromStdString(error.what()));
    }
    const std::vector<study::Quantity> quantities = study::QuantitiesOf(*project_);
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

void CalibrationPage::FillWeights() {
    const std::vector<study::Quantity> quantities = study::QuantitiesOf(*project_);
    weightTable_->setRowCount(static_cast<int>(quantities.size()));
    for (int row = 0; row < weightTable_->rowCount(); ++row) {
        auto* name =
            new QTableWidgetItem(study::InfoOf(quantities[static_cast<std::size_t>(row)]).name);
        name->setFlags(Qt::ItemIsEnabled);
        weightTable_->setItem(row, 0, name);
        weightTable_->setItem(row, 1, new QTableWidgetItem("1"));
    }
    weightTable_->resizeColumnsToContents();
}

study::Weights CalibrationPage::CurrentWeights() const {
    study::Weights weights;
    for (int row = 0; row < weightTable_->rowCount(); ++row) {
        const std::string name = weightTable_->item(row, 0)->text().toStdString();
        const std::string text = weightTable_->item(row, 1)->text().trimmed().toStdString();
        double weight = 0;
        try {
            weight = PointStringToFloat(text);
        } catch (const ConversionError& error) {
            throw HalosoilError("Weight of " + name + ": " + error.what());
        }
        if (!(weight >= 0)) throw HalosoilError("Weight of " + name + ": a weight is 0 or more");
        weights.Set(*study::QuantityNamed(name), weight);
    }
    return weights;
}

// A block pasted into the grid is spread over it as in the time-step grids, then read as a
// file is; its damage is shown as the reader words it. A cell typed by hand only tells its
// damage under the grid, since the row may still be on its way.
void CalibrationPage::GridEdited(int col, int row, const QString& text) {
    const bool block = text.contains('\t') || text.contains('\r') || text.contains('\n');
    if (block) observationGrid_->Spread(col, row, text);
    FillCounts();
    if (block && !observationStatus_->text().isEmpty()) {
        MarkDamage(observationStatus_->text());
        dialogs_.Message(observationStatus_->text());
    }
}

void CalibrationPage::MarkDamage(const QString& message) {
    static const QRegularExpression where(", line (\\d+)(, column (\\d+))?:");
    const QRegularExpressionMatch match = where.match(message);
    if (!match.hasMatch()) return;
    const int row = match.captured(1).toInt() - 2;
    const int col = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt() - 1;
    if (row >= 0 && row < observationGrid_->RowCount()) observationGrid_->setCurrentCell(row, col);
}

void CalibrationPage::OpenObservationsButtonClick() {
    FileDialogSpec spec = kObservationFiles;
    spec.initialFolder = folder_;
    const std::optional<QString> chosen = dialogs_.OpenFile(spec);
    if (!chosen) return;
    OpenObservationsNamed(*chosen);
}

void CalibrationPage::OpenObservationsNamed(const QString& fileName) {
    if (!project_) throw HalosoilError(projectLabel_->text().toStdString());
    folder_ = QFileInfo(fileName).absolutePath();
    const std::string path = ToNative(fileName);
    study::Observations file;
    try {
        file = study::ReadObservationsFile(path, *project_);
    } catch (const HalosoilError& error) {
        // The reader names the file and line itself; a file that cannot be opened gets its name.
        throw HalosoilError(error.File().empty() ? error.what() : WithFileAndLine(path, error));
    }
    observationGrid_->Show(study::Combined(study::MeasuredSalinities(*project_), file));
    FillCounts();
    statusLabel_->setText("Observations read from " + fileName + ".");
}

void CalibrationPage::SaveObservationsButtonClick() {
    saving_.Bytes("observations (*.csv)|*.csv", "csv",
                  study::ObservationsCsvText(CurrentObservations()));
}

}  // namespace halosoil
