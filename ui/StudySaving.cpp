#include "StudySaving.h"

#include <QFileInfo>
#include <QStringList>
#include <QTableWidget>

#include "AtomicFile.h"
#include "Errors.h"
#include "NativeFileName.h"
#include "StudyChart.h"

namespace halosoil {

namespace {

QString CsvCell(QString text) {
    if (text.contains(',') || text.contains('"')) text = '"' + text.replace('"', "\"\"") + '"';
    return text;
}

}  // namespace

void StudySaving::Bytes(const QString& filter, const QString& extension, const std::string& bytes) {
    Bytes(filter, extension, [&bytes](const QString&) { return bytes; });
}

void StudySaving::Bytes(const QString& filter, const QString& extension,
                        const std::function<std::string(const QString& chosen)>& bytesFor) {
    const std::optional<QString> chosen = dialogs_.SaveFile({filter, extension, folder_});
    if (!chosen) return;
    if (QFileInfo::exists(*chosen) && !dialogs_.YesNo("The file already exists, overwrite?"))
        return;
    folder_ = QFileInfo(*chosen).absolutePath();
    const std::string path = ToNative(*chosen);
    try {
        WriteFileAtomically(path, bytesFor(*chosen));
    } catch (const FileError& error) {
        throw HalosoilError("Cannot create file \"" + chosen->toStdString() + "\". " +
                            error.what());
    }
    if (saved_) saved_("Saved " + *chosen + ".");
}

void StudySaving::Chart(StudyChart* chart) {
    Bytes("PNG pictures (*.png)|*.png|SVG drawings (*.svg)|*.svg", "png",
          [chart](const QString& name) {
              return (name.endsWith(".svg", Qt::CaseInsensitive) ? chart->Svg() : chart->Png())
                  .toStdString();
          });
}

void StudySaving::Table(const QTableWidget* table) {
    Bytes("CSV files (*.csv)|*.csv", "csv", TableCsv(table).toStdString());
}

QString TableCsv(const QTableWidget* table) {
    QStringList lines;
    QStringList cells;
    for (int col = 0; col < table->columnCount(); ++col) {
        if (table->isColumnHidden(col)) continue;
        const QTableWidgetItem* heading = table->horizontalHeaderItem(col);
        cells << CsvCell(heading ? heading->text() : QString());
    }
    lines << cells.join(',');
    for (int row = 0; row < table->rowCount(); ++row) {
        cells.clear();
        for (int col = 0; col < table->columnCount(); ++col) {
            if (table->isColumnHidden(col)) continue;
            const QTableWidgetItem* cell = table->item(row, col);
            cells << CsvCell(cell ? cell->text() : QString());
        }
        lines << cells.join(',');
    }
    return lines.join('\n') + '\n';
}

}  // namespace halosoil
