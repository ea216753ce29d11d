// The observations of the Calibration page as a grid in the layout of an observations file:
// a step column and a column per result quantity of the project, one row per observed step.
// The grid is what the studies fit: it starts with the input's measured salinities, an opened
// file's columns take the place of theirs, and what is pasted or typed is read as a file
// would be, with the same messages naming the line and column of a damage.
#pragma once

#include <vector>

#include "InputData.h"
#include "Observations.h"
#include "StringGrid.h"

namespace halosoil {

// What a grid's text is called in the messages about it, as a file's name would be.
inline constexpr char kGridSourceName[] = "observations grid";

class ObservationGrid : public StringGrid {
    Q_OBJECT
public:
    explicit ObservationGrid(QWidget* parent = nullptr);

    // Columns for the project's quantities; the grid shows observations.
    void SetUp(const InputData& data, const study::Observations& observations);
    void Show(const study::Observations& observations);
    // The grid as the text of an observations file (line 1 the header, line k + 2 the grid's
    // row k, which its row header shows), an empty line for an empty row.
    std::string CsvText() const;
    // The grid read as an observations file; throws the reader's HalosoilError.
    study::Observations Read(const InputData& data) const;
    // Spreads a block pasted into (col, row) as the time-step grids do and makes room for it.
    void Spread(int col, int row, const QString& text);

    const std::vector<study::Quantity>& Columns() const { return quantities_; }

private:
    void NumberLines();

    std::vector<study::Quantity> quantities_;
};

}  // namespace halosoil
