// "Save as CSV" on the Output page: the table on display, as it stands in the grid, as a CSV
// file for a spreadsheet or a script, its column headings those of the table shown. It stands
// beside "Copy to clipboard" and changes nothing of the page.
#pragma once

#include <QString>
#include <optional>

#include "Dialogs.h"

namespace halosoil {

class OutputTableView;

class OutputCsvExport {
public:
    // startFolder is where the first dialog opens; later ones open where the last file went.
    OutputCsvExport(Dialogs& dialogs, const QString& startFolder, const OutputTableView& table)
        : dialogs_(dialogs), startFolder_(startFolder), table_(table) {}

    void Save();

private:
    // Writes the table as CSV; why it failed, if it did.
    std::optional<QString> Write(const QString& name) const;

    Dialogs& dialogs_;
    const QString& startFolder_;
    const OutputTableView& table_;
    QString folder_;
};

}  // namespace halosoil
