// The texts of the Output page's two tables and of their copy on the clipboard. The page's
// grid shows these cells as they are; keeping them apart from the widgets lets the tables be
// checked and timed without a window.
#pragma once

#include <string>
#include <vector>

#include "InputData.h"
#include "RunState.h"

namespace halosoil {

// A table of cell texts addressed as (column, row), row 0 holding the headings and column 0
// the step numbers, as on the page's grid.
class TextTable {
public:
    TextTable(int columns, int rows);

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    std::string& At(int col, int row) { return cells_[Index(col, row)]; }
    const std::string& At(int col, int row) const { return cells_[Index(col, row)]; }

private:
    std::size_t Index(int col, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(col);
    }

    int columns_;
    int rows_;
    std::vector<std::string> cells_;
};

// The cell of a missing measured salinity: 12 blanks and a hyphen.
inline constexpr const char* kMissingCell = "            -";

// The heading of every salinity column; the page writes it into the first ten columns.
inline constexpr const char* kSalinityUnit = "dS/m";
inline constexpr int kSalinityHeadingColumns = 10;

// NrTst + 1 rows; 7, 9 or 11 columns for 1, 2 or 3 layers: per zone the calculated and the
// measured salinity. A step beyond the end of a series shows an empty cell.
TextTable SalinityTable(const InputData& data, const RunState& state);

// NrTst + 1 rows, 9 columns: Rain, Irrig, Evap, Percol, CapRise, ActEvap, Drain, DepthWT in
// the general number format.
TextTable HydrologyTable(const InputData& data, const RunState& state);

// The table for a spreadsheet: cells joined by a tab, rows by a single carriage return,
// nothing after the last row; cells keep their blanks.
std::string ClipboardText(const TextTable& table);

}  // namespace halosoil
