// A block copied from a spreadsheet, cut into the cells of a time-step grid: tab-separated
// columns, lines ended by a carriage return (the character after it, normally the line feed,
// is skipped). Only digits, commas, minus signs and points reach the cells.
#pragma once

#include <string>
#include <vector>

namespace halosoil {

struct PastedCell {
    int col = 0;  // columns and rows after the cell the block was pasted into
    int row = 0;
    std::string text;
};

struct PastedBlock {
    // Every cell the block reaches, in the order it reaches them; each is emptied first.
    std::vector<PastedCell> cells;
    // The number of carriage returns that ended a line.
    int lines = 0;
};

PastedBlock CutPastedText(const std::string& text);

}  // namespace halosoil
