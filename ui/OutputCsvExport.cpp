#include "OutputCsvExport.h"

#include "AtomicFile.h"
#include "Errors.h"
#include "NativeFileName.h"
#include "OutputCsv.h"
#include "OutputTableView.h"
#include "SaveThroughDialogs.h"

namespace halosoil {

namespace {

// The salinity layouts have a calculated and a measured column per zone: 7, 9 or 11 columns
// for 1, 2 or 3 root-zone layers.
int LayersOfSalinityColumns(int columns) {
    const int layers = (columns - 1) / 2 - 2;
    return layers < 1 ? 1 : (layers > 3 ? 3 : layers);
}

}  // namespace

void OutputCsvExport::Save() {
    // Two blanks before the file name, as the graph's message has them.
    const SaveTexts texts = {"CSV files (*.csv)|*.csv", "csv",
                             "The file already exists, overwrite?", "The table was not saved",
                             "The table was saved as  "};
    SaveThroughDialogs(dialogs_, texts, startFolder_, folder_,
                       [this](const QString& name) { return Write(name); });
}

std::optional<QString> OutputCsvExport::Write(const QString& name) const {
    const TextTable table = table_.Table();
    const std::string csv =
        CsvText(table, table_.HydrologyShown()
                           ? HydrologyCsvHeadings()
                           : SalinityCsvHeadings(LayersOfSalinityColumns(table.Columns())));
    try {
        WriteFileAtomically(ToNative(name), csv);
    } catch (const FileError& error) {
        return QString::fromStdString(error.what());
    }
    return std::nullopt;
}

}  // namespace halosoil
