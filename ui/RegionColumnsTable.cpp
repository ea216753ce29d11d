#include "RegionColumnsTable.h"

#include <QComboBox>
#include <QHeaderView>

#include "Parameters.h"
#include "Zones.h"

namespace halosoil {

const QString RegionColumnsTable::kNotUsed = "(not used)";

namespace {

// The columns region/FieldLayer reads for a purpose of their own.
struct SpecialColumn {
    const char* name;
    const char* use;
};
constexpr SpecialColumn kSpecialColumns[] = {
    {"project", "the field's base project"},
    {"weather", "the field's station record"},
    {"elevation", "the field's elevation"},
};

// Every name a parameter column may have: the table's names, the per-zone ones with each zone.
QStringList ParameterNames() {
    QStringList names;
    for (const study::ParameterInfo& info : study::ParameterTable()) {
        if (!info.perZone) {
            names << info.name;
            continue;
        }
        for (int zone = Layer1; zone <= Aquif; ++zone)
            names << QString("%1_%2").arg(info.name, ZoneKey(zone));
    }
    return names;
}

QTableWidgetItem* FixedCell(const QString& text) {
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

// The unit of a parameter's name as the table gives it; empty for no parameter.
QString UnitOf(const QString& name) {
    for (const study::ParameterInfo& info : study::ParameterTable()) {
        if (!info.perZone && name == info.name) return info.unit;
        for (int zone = Layer1; info.perZone && zone <= Aquif; ++zone)
            if (name == QString("%1_%2").arg(info.name, ZoneKey(zone))) return info.unit;
    }
    return {};
}

}  // namespace

RegionColumnsTable::RegionColumnsTable(QWidget* parent) : QTableWidget(0, 3, parent) {
    setHorizontalHeaderLabels({"column", "taken as", "unit"});
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
}

void RegionColumnsTable::ShowColumns(const std::vector<std::string>& columns,
                                     const std::string& idColumn) {
    setRowCount(0);
    setRowCount(static_cast<int>(columns.size()));
    const QStringList parameters = ParameterNames();
    for (int row = 0; row < rowCount(); ++row) {
        const QString name = QString::fromStdString(columns[static_cast<std::size_t>(row)]);
        setItem(row, NameColumn, FixedCell(name));
        QString special;
        if (!idColumn.empty() && name.toStdString() == idColumn) special = "the field's id";
        for (const SpecialColumn& column : kSpecialColumns)
            if (name == column.name) special = column.use;
        if (!special.isEmpty()) {
            setItem(row, UseColumn, FixedCell(special));
            setItem(row, UnitColumn, FixedCell({}));
            continue;
        }
        auto* use = new QComboBox;
        use->setObjectName(QString("ColumnUse_%1").arg(name));
        use->setAccessibleName(QString("Use of the column %1").arg(name));
        use->addItem(kNotUsed);
        use->addItems(parameters);
        use->setCurrentIndex(parameters.contains(name) ? use->findText(name) : 0);
        setCellWidget(row, UseColumn, use);
        setItem(row, UnitColumn, FixedCell({}));
        ShowUnit(row);
        connect(use, &QComboBox::currentIndexChanged, this, [this, row] {
            ShowUnit(row);
            emit UseChanged();
        });
    }
}

QString RegionColumnsTable::UseOf(int row) const {
    if (const auto* use = qobject_cast<const QComboBox*>(cellWidget(row, UseColumn)))
        return use->currentText();
    const QTableWidgetItem* cell = item(row, UseColumn);
    return cell ? cell->text() : QString();
}

void RegionColumnsTable::ChooseUse(int row, const QString& parameter) {
    auto* use = qobject_cast<QComboBox*>(cellWidget(row, UseColumn));
    if (!use) return;
    use->setCurrentIndex(parameter.isEmpty() ? 0 : use->findText(parameter));
}

int RegionColumnsTable::RowOf(const QString& column) const {
    for (int row = 0; row < rowCount(); ++row)
        if (item(row, NameColumn)->text() == column) return row;
    return -1;
}

std::map<std::string, std::string> RegionColumnsTable::ColumnUse() const {
    std::map<std::string, std::string> uses;
    for (int row = 0; row < rowCount(); ++row) {
        const auto* use = qobject_cast<const QComboBox*>(cellWidget(row, UseColumn));
        if (!use) continue;
        const QString name = item(row, NameColumn)->text();
        const QString chosen = use->currentIndex() == 0 ? QString() : use->currentText();
        const bool named = use->findText(name) > 0;
        if (chosen != (named ? name : QString())) uses[name.toStdString()] = chosen.toStdString();
    }
    return uses;
}

void RegionColumnsTable::ShowUnit(int row) {
    item(row, UnitColumn)->setText(UnitOf(UseOf(row)));
}

}  // namespace halosoil
