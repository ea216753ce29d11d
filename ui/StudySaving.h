// Saving what a study shows: bytes, a chart as PNG or SVG, a table as CSV, each through the
// save dialog, asking before a file is replaced and writing it atomically. The folder last
// saved in is where the next dialog opens; a page's other dialogs may share it.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "Dialogs.h"

class QTableWidget;

namespace halosoil {

class StudyChart;

class StudySaving {
public:
    // saved is told "Saved NAME." after each file written.
    StudySaving(Dialogs& dialogs, QString& folder, std::function<void(const QString&)> saved)
        : dialogs_(dialogs), folder_(folder), saved_(std::move(saved)) {}

    void Bytes(const QString& filter, const QString& extension, const std::string& bytes);
    // The bytes are made once the name is chosen (a picture's kind goes by its extension).
    void Bytes(const QString& filter, const QString& extension,
               const std::function<std::string(const QString& chosen)>& bytesFor);
    void Chart(StudyChart* chart);
    // The table's headings and cells as they are shown, one line a row.
    void Table(const QTableWidget* table);

private:
    Dialogs& dialogs_;
    QString& folder_;
    std::function<void(const QString&)> saved_;
};

// A table's text as CSV, its hidden columns left out: a cell holding a comma or a quote is
// quoted.
QString TableCsv(const QTableWidget* table);

}  // namespace halosoil
