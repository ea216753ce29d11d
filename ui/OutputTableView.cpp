// The Output page's table: OutGrid filled with the salinity or the hydrology table, placed
// under its heading as the program has always placed it, and copied to the clipboard as it
// stands, the user's edits included.
#include <QBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpacerItem>

#include "OutputPage.h"
#include "OutputTables.h"
#include "StringGrid.h"

namespace halosoil {

namespace {

const QString kOnClipboard = "The data are on the clipboard to be pasted elsewhere.";

// Grid positions per layer count of the salinity table (index 0 unused) and of the
// hydrology table; the column counts follow from the tables themselves.
constexpr TableGeometry kSalinityGeometry[4] = {
    {0, 0, 0, 0}, {100, 480, 106, 102}, {50, 610, 56, 52}, {10, 740, 16, 12}};
constexpr TableGeometry kHydrologyGeometry{50, 612, 56, 52};

}  // namespace

void OutputPage::SetIndent(QSpacerItem* spacer, int left) {
    spacer->changeSize(left, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
}

void OutputPage::ShowTable(const TextTable& table, const TableGeometry& geometry) {
    // Cells of rows beyond the row count are only stored, so filling with one row and
    // growing afterwards makes each cell once.
    outGrid_->SetRowCount(1);
    outGrid_->SetColCount(table.Columns());
    for (int row = 0; row < table.Rows(); ++row)
        for (int col = 0; col < table.Columns(); ++col)
            outGrid_->SetCell(col, row, QString::fromStdString(table.At(col, row)));
    outGrid_->SetRowCount(table.Rows());
    outGrid_->setFixedWidth(geometry.gridWidth);
    SetIndent(tableIndent_, geometry.gridLeft);
    SetIndent(clickIndent_, geometry.clickLabelLeft);
    SetIndent(copyIndent_, geometry.copyButtonLeft);
    pageLayout_->invalidate();
    clickLabel_->show();
    copyButton_->show();
    saveCsvButton_->show();
}

void OutputPage::FillSalinityTable() {
    const TextTable table = SalinityTable(view_.data, view_.results);
    ShowTable(table, kSalinityGeometry[LayerCount(view_.data)]);
    // The unit heading goes into the first ten columns whatever the layout, so that a wider
    // layout shown later finds it in place.
    for (int col = table.Columns(); col <= kSalinityHeadingColumns; ++col)
        outGrid_->SetCell(col, 0, kSalinityUnit);
    QPlainTextEdit* heading = saltHeadings_[LayerCount(view_.data) - 1];
    heading->show();
    AlignHeading(heading);
    hydrOutMemo_->hide();
}

void OutputPage::FillHydrologyTable() {
    ShowTable(HydrologyTable(view_.data, view_.results), kHydrologyGeometry);
    hydrOutMemo_->show();
    AlignHeading(hydrOutMemo_);
    for (QPlainTextEdit* heading : saltHeadings_) heading->hide();
}

TextTable OutputPage::GridTable() const {
    TextTable table(outGrid_->ColCount(), outGrid_->RowCount());
    for (int row = 0; row < table.Rows(); ++row)
        for (int col = 0; col < table.Columns(); ++col)
            table.At(col, row) = outGrid_->Cell(col, row).toStdString();
    return table;
}

void OutputPage::CopyButtonClick() {
    const TextTable table = GridTable();
    dialogs_.SetClipboardText(QString::fromStdString(ClipboardText(table)));
    dialogs_.Message(kOnClipboard);
}

}  // namespace halosoil
