// A string grid addressed as (column, row), row 0 being the fixed header row and column 0 the
// fixed serial-number column, as the program's grids have always been addressed. The fixed
// cells are ordinary cells that the user cannot edit. The table's items are the only home of
// the cells' texts: cells beyond the row or column count are items taken out of the table and
// kept aside, so a grid that shrinks and grows again shows them again.
//
// A paste (Ctrl+V in an open cell editor or on a selected cell) is reported at once as one
// edit holding the whole new text of the cell, so that a block copied from a spreadsheet
// reaches the grid's handler with its tabs and line ends.
#pragma once

#include <QTableWidget>
#include <functional>
#include <memory>
#include <vector>

namespace halosoil {

class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    // fixedCells false: every cell is editable (the soil grids have no fixed row or column).
    StringGrid(int columns, int rows, QWidget* parent = nullptr, bool fixedCells = true);

    int ColCount() const { return columnCount(); }
    int RowCount() const { return rowCount(); }
    void SetColCount(int columns);
    void SetRowCount(int rows);

    QString Cell(int col, int row) const;
    // Sets a cell's text from the program; emits nothing.
    void SetCell(int col, int row, const QString& text);

    // Where pasted text comes from (the window's clipboard); the system clipboard if unset.
    void SetClipboardSource(std::function<QString()> source) { clipboard_ = std::move(source); }
    void SetClipboardSink(std::function<void(const QString&)> sink) { clipSink_ = std::move(sink); }

    // The edit commands on the current cell: into its open editor when there is one, else on
    // the cell as a whole. Paste, Cut and Delete report the cell's new text with CellEdited.
    bool PasteText(const QString& text);
    void CopyCurrent();
    void CutCurrent();
    void DeleteCurrent();
    bool IsEditableCell(int col, int row) const;

signals:
    // A cell's text was changed by the user (typing or pasting), in grid addressing.
    void CellEdited(int col, int row, const QString& text);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool IsInTable(int col, int row) const;
    void Resize(int columns, int rows);
    void SetAsideCellsBeyond(int columns, int rows);
    void FillEmptyCells();
    QTableWidgetItem* NewCell(int col, int row) const;
    QTableWidgetItem* CellAside(int col, int row) const;
    std::unique_ptr<QTableWidgetItem>& PlaceAside(int col, int row);
    QTableWidgetItem& WritableCell(int col, int row);
    void OnItemChanged(QTableWidgetItem* item);
    QString ClipboardText() const;
    void PutOnClipboard(const QString& text) const;
    void ReportEdit(int col, int row, const QString& text);

    // The cells outside the table, [row][col]; grows, never shrinks.
    std::vector<std::vector<std::unique_ptr<QTableWidgetItem>>> aside_;
    bool fixedCells_ = true;
    std::function<QString()> clipboard_;
    std::function<void(const QString&)> clipSink_;
};

}  // namespace halosoil
