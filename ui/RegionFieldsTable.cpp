#include "RegionFieldsTable.h"

#include <QHeaderView>

namespace halosoil {

namespace {

QString FieldValueText(const std::optional<double>& value) {
    return value ? QString::number(*value, 'g', 10) : QString();
}

QTableWidgetItem* FieldCell(const QString& text) {
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

QString FieldCsvCell(QString text) {
    if (text.contains(',') || text.contains('"') || text.contains('\n'))
        text = '"' + text.replace('"', "\"\"") + '"';
    return text;
}

}  // namespace

RegionFieldsTable::RegionFieldsTable(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setStretchLastSection(true);
}

void RegionFieldsTable::ShowFields(const region::ResultsLayer& layer,
                                   const std::vector<std::string>& summaryColumns,
                                   const QString& shownHeading,
                                   const std::vector<std::optional<double>>& shown) {
    QStringList headings = {"field", "status"};
    for (const std::string& column : summaryColumns) headings << QString::fromStdString(column);
    headings << shownHeading;
    setRowCount(0);
    setColumnCount(static_cast<int>(headings.size()));
    setHorizontalHeaderLabels(headings);
    setRowCount(static_cast<int>(layer.fields.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const region::MapField& field = layer.fields[static_cast<std::size_t>(row)];
        int col = 0;
        setItem(row, col++, FieldCell(QString::fromStdString(field.id)));
        setItem(row, col++, FieldCell(QString::fromStdString(field.status)));
        for (const std::optional<double>& summary : field.summaries)
            setItem(row, col++, FieldCell(FieldValueText(summary)));
        setItem(row, col, FieldCell(FieldValueText(shown.at(static_cast<std::size_t>(row)))));
    }
}

std::string RegionFieldsTable::Csv() const {
    QStringList lines;
    QStringList cells;
    for (int col = 0; col < columnCount(); ++col)
        cells << FieldCsvCell(horizontalHeaderItem(col)->text());
    lines << cells.join(',');
    for (int row = 0; row < rowCount(); ++row) {
        cells.clear();
        for (int col = 0; col < columnCount(); ++col) {
            const QTableWidgetItem* cell = item(row, col);
            cells << FieldCsvCell(cell ? cell->text() : QString());
        }
        lines << cells.join(',');
    }
    return (lines.join('\n') + '\n').toStdString();
}

}  // namespace halosoil
