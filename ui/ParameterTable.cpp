#include "ParameterTable.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include "Errors.h"
#include "ShortestText.h"
#include "StringToFloat.h"

namespace halosoil {

namespace {

QString BoundText(double value) {
    return QString::fromStdString(study::ShortestText(value));
}

QTableWidgetItem* ReadOnly(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

double Bound(const QString& text) {
    return PointStringToFloat(text.trimmed().toStdString());
}

}  // namespace

ParameterTable::ParameterTable(QWidget* parent) : QTableWidget(0, 6, parent) {
    setHorizontalHeaderLabels({"parameter", "meaning", "unit", "value", "low", "high"});
    horizontalHeader()->setSectionResizeMode(MeaningColumn, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::ResizeToContents);
    verticalHeader()->hide();
    connect(this, &QTableWidget::itemChanged, this, &ParameterTable::OnItemChanged);
}

void ParameterTable::SetUp(const InputData& data) {
    const QSignalBlocker quiet(this);
    project_ = data;
    defaults_ = study::DefaultParametersOf(project_);
    setRowCount(static_cast<int>(defaults_.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const study::Parameter& parameter = defaults_[static_cast<std::size_t>(row)];
        auto* name = new QTableWidgetItem(QString::fromStdString(parameter.Name()));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        name->setCheckState(Qt::Unchecked);
        setItem(row, NameColumn, name);
        setItem(row, MeaningColumn, ReadOnly(parameter.Info().meaning));
        setItem(row, UnitColumn, ReadOnly(parameter.Info().unit));
        setItem(row, ValueColumn, ReadOnly(BoundText(study::ValueIn(project_, parameter))));
        setItem(row, LowColumn, new QTableWidgetItem(BoundText(parameter.low)));
        setItem(row, HighColumn, new QTableWidgetItem(BoundText(parameter.high)));
    }
    if (status_) status_({});
}

void ParameterTable::ShowValues(const InputData& data) {
    const QSignalBlocker quiet(this);
    project_ = data;
    for (int row = 0; row < rowCount(); ++row)
        item(row, ValueColumn)
            ->setText(
                BoundText(study::ValueIn(project_, defaults_[static_cast<std::size_t>(row)])));
}

int ParameterTable::RowOf(const std::string& name) const {
    for (int row = 0; row < rowCount(); ++row)
        if (item(row, NameColumn)->text().toStdString() == name) return row;
    return -1;
}

study::Parameter ParameterTable::ParameterOfRow(int row) const {
    const std::string name = item(row, NameColumn)->text().toStdString();
    try {
        return study::MakeParameter(name, Bound(item(row, LowColumn)->text()),
                                    Bound(item(row, HighColumn)->text()), project_);
    } catch (const ConversionError& error) {
        throw HalosoilError("Parameter " + name + ": " + error.what());
    }
}

std::vector<study::Parameter> ParameterTable::Checked() const {
    std::vector<study::Parameter> parameters;
    for (int row = 0; row < rowCount(); ++row)
        if (item(row, NameColumn)->checkState() == Qt::Checked)
            parameters.push_back(ParameterOfRow(row));
    study::CheckParameterSet(parameters, project_);
    return parameters;
}

bool ParameterTable::Refused(int row) const {
    return item(row, LowColumn)->data(Qt::UserRole).toBool();
}

// A refused row's bounds are marked until they are right again.
void ParameterTable::CheckRow(int row) {
    QString refusal;
    try {
        ParameterOfRow(row);
    } catch (const HalosoilError& error) {
        refusal = QString::fromUtf8(error.what());
    }
    const QSignalBlocker quiet(this);
    for (int column : {LowColumn, HighColumn}) {
        QTableWidgetItem* cell = item(row, column);
        cell->setData(Qt::UserRole, !refusal.isEmpty());
        cell->setBackground(refusal.isEmpty() ? QBrush() : QBrush(QColor(255, 200, 200)));
        cell->setToolTip(refusal);
    }
    if (status_) status_(refusal);
}

void ParameterTable::OnItemChanged(QTableWidgetItem* changed) {
    if (changed->column() == LowColumn || changed->column() == HighColumn) CheckRow(changed->row());
}

}  // namespace halosoil
