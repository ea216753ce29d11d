#include "GridPaste.h"

#include <QLineEdit>
#include <algorithm>
#include <exception>

#include "PastedBlock.h"
#include "StringGrid.h"
#include "TimeStepLimit.h"

namespace halosoil {

namespace {

constexpr char kNotEnoughData[] =
    "There are not enough data to be pasted or the data are incompatible";
// The one- and three-layer salinity grids have always said it so.
constexpr char kNotEnoughDat[] =
    "There are not enough dat to be pasted or the data are incompatible";
constexpr char kMoreSteps[] =
    "The number of time steps is larger than that given under Hydrological data. It will be "
    "reduced.";
constexpr char kFewerSteps[] =
    "The number of time steps is smaller than that given under Hydrological data. Missing data "
    "must be added";

bool IsBlock(const QString& text) {
    return text.contains(QChar('\t')) || text.contains(QChar('\r'));
}

}  // namespace

void NumberRows(StringGrid& grid, int count) {
    for (int row = 1; row <= count; ++row) grid.SetCell(0, row, QString::number(row));
}

int SpreadPastedText(StringGrid& grid, int c0, int r0, const QString& text) {
    // Characters outside Latin-1 never reach a cell; only their count of one matters, as the
    // character skipped after a carriage return.
    const PastedBlock block = CutPastedText(text.toLatin1().toStdString());
    for (const PastedCell& cell : block.cells)
        grid.SetCell(c0 + cell.col, r0 + cell.row, QString::fromStdString(cell.text));
    return block.lines;
}

void GridPaste::HandlePasteMultiCell(StringGrid& grid, int c0, int r0, const QString& text) {
    const int lines = SpreadPastedText(grid, c0, r0, text);
    if (window_.LastEditedHydro)
        AdjustAfterHydroPaste(lines, r0);
    else
        AdjustAfterSalinityPaste(lines);
}

// The pasted block sets the number of time steps; a block pasted lower down adds its start
// row to the rows of the table.
void GridPaste::AdjustAfterHydroPaste(int lines, int r0) {
    // A block longer than the grids can hold leaves the number of time steps as it was.
    if (lines + r0 - 1 > kMaxTimeSteps) {
        dialogs_.Message(QString::fromStdString(TimeStepLimitText(lines + r0 - 1)));
        return;
    }
    StringGrid& hydr = *grids_.hydr;
    hydr.SetColCount(4);
    data_.NrTst = lines;
    data_.HydrRows = data_.NrTst + r0 - 1;
    hydr.SetRowCount(std::max(data_.HydrRows, 0) + 1);
    if (grids_.nrTstEdit) grids_.nrTstEdit->setText(QString::number(data_.HydrRows));
    NumberRows(hydr, data_.HydrRows);
}

// A salinity block must match the time steps of the hydrological data.
void GridPaste::AdjustAfterSalinityPaste(int lines) {
    const int layers = data_.FlaggedLayers();
    if (layers == 0) return;
    if (layers < 3) {
        if (lines > data_.HydrRows) {
            dialogs_.Message(kMoreSteps);
            data_.NrTst = data_.HydrRows;
        }
        if (lines < data_.HydrRows) {
            dialogs_.Message(kFewerSteps);
            data_.NrTst = data_.HydrRows;
        }
    } else {
        if (lines > data_.NrTst) dialogs_.Message(kMoreSteps);
        if (lines < data_.HydrRows) dialogs_.Message(kFewerSteps);
        data_.NrTst = data_.HydrRows;
    }
    StringGrid& salt = *grids_.salt[layers];
    salt.SetRowCount(std::max(data_.NrTst, 0) + 1);
    NumberRows(salt, data_.HydrRows);
}

void GridPaste::NumberSalinityGrids() {
    for (int layers = 1; layers <= 3; ++layers) NumberRows(*grids_.salt[layers], data_.NrTst);
}

bool GridPaste::PasteIfBlock(StringGrid& grid, int col, int row, const QString& text,
                             const char* failureMessage) {
    if (!IsBlock(text)) return true;
    try {
        HandlePasteMultiCell(grid, col, row, text);
    } catch (const std::exception&) {
        dialogs_.Message(failureMessage);
        return false;
    }
    return true;
}

void GridPaste::HydrGridSetEditText(int col, int row, const QString& text) {
    window_.LastEditedHydro = true;
    if (!PasteIfBlock(*grids_.hydr, col, row, text, kNotEnoughData)) return;
    NumberSalinityGrids();
}

void GridPaste::SaltGrid1SetEditText(int col, int row, const QString& text) {
    window_.LastEditedHydro = false;
    data_.SetLayerFlags(1);
    PasteIfBlock(*grids_.salt[1], col, row, text, kNotEnoughDat);
}

void GridPaste::SaltGrid2SetEditText(int col, int row, const QString& text) {
    window_.LastEditedHydro = false;
    data_.SetLayerFlags(2);
    PasteIfBlock(*grids_.salt[2], col, row, text, kNotEnoughData);
}

void GridPaste::SaltGrid3SetEditText(int col, int row, const QString& text) {
    window_.LastEditedHydro = false;
    data_.SetLayerFlags(3);
    PasteIfBlock(*grids_.salt[3], col, row, text, kNotEnoughDat);
}

void GridPaste::IrrSalGridSetEditText(int col, int row, const QString& text) {
    PasteIfBlock(*grids_.irrSal, col, row, text, kNotEnoughData);
}

}  // namespace halosoil
