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
#include "StringGrid.h"

namespace halosoil {

namespace {

const QString kCsvFilter = "CSV files (*.csv)|*.csv";
const QString kCsvExtension = "csv";
const QString kOverwriteQuestion = "The file already exists, overwrite?";
const QString kNotSaved = "The table was not saved";
// Two blanks before the file name, as the graph's message has them.
const QString kSavedAs = "The table was saved as  ";

// The salinity layouts have a calculated and a measured column per zone: 7, 9 or 11 columns
// for 1, 2 or 3 root-zone layers.
int LayersOfSalinityColumns(int columns) {
    const int layers = (columns - 1) / 2 - 2;
    return layers < 1 ? 1 : (layers > 3 ? 3 : layers);
}

}  // namespace

void OutputPage::SaveCsvButtonClick() {
    const QString folder = csvFolder_.isEmpty() ? view_.window.StartFolder : csvFolder_;
    const std::optional<QString> chosen = dialogs_.SaveFile({kCsvFilter, kCsvExtension, folder});
    if (!chosen) {
        dialogs_.Message(kNotSaved);
        return;
    }
    csvFolder_ = QFileInfo(*chosen).absolutePath();
    if (QFileInfo::exists(*chosen) && !dialogs_.YesNo(kOverwriteQuestion)) return;

    const TextTable table = GridTable();
    const bool hydrology = !hydrOutMemo_->isHidden();
    const std::string csv =
        CsvText(table, hydrology ? HydrologyCsvHeadings()
                                 : SalinityCsvHeadings(LayersOfSalinityColumns(table.Columns())));
    try {
        WriteFileAtomically(ToNative(*chosen), csv);
    } catch (const FileError& error) {
        dialogs_.Message("Cannot create file \"" + *chosen + "\". " +
                         QString::fromStdString(error.what()));
        return;
    }
    dialogs_.Message(kSavedAs + *chosen);
}

}  // namespace halosoil
