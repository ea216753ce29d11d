// "Save as CSV" on the Output page: the table on display, as it stands in the grid, as a CSV
// file for a spreadsheet or a script. It stands beside "Copy to clipboard" and changes
// nothing of the page.
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>

#include "AtomicFile.h"
#include "Errors.h"
#include "NativeFileName.h"
#include "OutputCsv.h"
#include "OutputPage.h"
#include "SaveThroughDialogs.h"
#include "StringGrid.h"

namespace halosoil {

namespace {

// The salinity layouts have a calculated and a measured column per zone: 7, 9 or 11 columns
// for 1, 2 or 3 root-zone layers.
int LayersOfSalinityColumns(int columns) {
    const int layers = (columns - 1) / 2 - 2;
    return layers < 1 ? 1 : (layers > 3 ? 3 : layers);
}

}  // namespace

void OutputPage::SaveCsvButtonClick() {
    // Two blanks before the file name, as the graph's message has them.
    const SaveTexts texts = {"CSV files (*.csv)|*.csv", "csv",
                             "The file already exists, overwrite?", "The table was not saved",
                             "The table was saved as  "};
    SaveThroughDialogs(dialogs_, texts, view_.window.StartFolder, csvFolder_,
                       [this](const QString& name) { return WriteCsv(name); });
}

std::optional<QString> OutputPage::WriteCsv(const QString& name) {
    const TextTable table = GridTable();
    const bool hydrology = !hydrOutMemo_->isHidden();
    const std::string csv =
        CsvText(table, hydrology ? HydrologyCsvHeadings()
                                 : SalinityCsvHeadings(LayersOfSalinityColumns(table.Columns())));
    try {
        WriteFileAtomically(ToNative(name), csv);
    } catch (const FileError& error) {
        return QString::fromStdString(error.what());
    }
    return std::nullopt;
}

}  // namespace halosoil
