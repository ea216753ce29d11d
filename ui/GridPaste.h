// Editing and pasting in the five time-step grids: the cell-edit handlers, the spreading of a
// block copied from a spreadsheet (tab-separated columns, carriage-return-separated lines)
// over a grid, and the adjustment of the number of time steps that follows a paste.
#pragma once

#include <QString>

#include "Dialogs.h"
#include "InputData.h"
#include "WindowState.h"

class QLineEdit;

namespace halosoil {

class StringGrid;

// The grids and the field a paste adjusts.
struct TimeStepGrids {
    StringGrid* hydr = nullptr;
    StringGrid* salt[4] = {};  // index: layer count 1..3
    StringGrid* irrSal = nullptr;
    QLineEdit* nrTstEdit = nullptr;
};

// Spreads text over grid from (c0, r0) and returns the number of pasted lines (the number of
// carriage returns). Only digits, commas, minus signs and points reach the cells; a tab
// moves one column on, a carriage return one line down (the character after it, normally the
// line feed, is skipped). Cells beyond the grid's size are kept for when it grows.
int SpreadPastedText(StringGrid& grid, int c0, int r0, const QString& text);

class GridPaste {
public:
    GridPaste(InputData& data, WindowState& window, Dialogs& dialogs, TimeStepGrids grids)
        : data_(data), window_(window), dialogs_(dialogs), grids_(grids) {}

    // The cell-edit handlers of the five grids, called with every new text of a cell.
    void HydrGridSetEditText(int col, int row, const QString& text);
    void SaltGrid1SetEditText(int col, int row, const QString& text);
    void SaltGrid2SetEditText(int col, int row, const QString& text);
    void SaltGrid3SetEditText(int col, int row, const QString& text);
    void IrrSalGridSetEditText(int col, int row, const QString& text);

    // Spreads text over grid from (c0, r0), then adjusts the number of time steps as the
    // grid edited last asks (the hydrological grid or the salinity grid of the layer count).
    void HandlePasteMultiCell(StringGrid& grid, int c0, int r0, const QString& text);

private:
    // Returns false when spreading failed and the grid's message was shown.
    bool PasteIfBlock(StringGrid& grid, int col, int row, const QString& text,
                      const char* failureMessage);
    void AdjustAfterHydroPaste(int lines, int r0);
    void AdjustAfterSalinityPaste(int lines);
    void NumberSalinityGrids();

    InputData& data_;
    WindowState& window_;
    Dialogs& dialogs_;
    TimeStepGrids grids_;
};

// Column 0 of rows 1..count := "1".."count".
void NumberRows(StringGrid& grid, int count);

}  // namespace halosoil
