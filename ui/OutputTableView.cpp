#include "OutputTableView.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyledItemDelegate>

#include "OutputHeadings.h"
#include "PanelWidgets.h"
#include "StringGrid.h"

namespace halosoil {

namespace {

const QString kOnClipboard = "The data are on the clipboard to be pasted elsewhere.";

// Grid positions per layer count of the salinity table (index 0 unused) and of the
// hydrology table; the column counts follow from the tables themselves.
constexpr TableGeometry kSalinityGeometry[4] = {
    {0, 0, 0, 0}, {100, 480, 106, 102}, {50, 610, 56, 52}, {10, 740, 16, 12}};
constexpr TableGeometry kHydrologyGeometry{50, 612, 56, 52};

// Shows the table's numbers right-aligned and cut at the left rather than elided: the cells
// keep the leading blanks of their fixed formats for the clipboard, and in a column of 64
// pixels those blanks would otherwise push the digits out of sight.
class NumberCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideNone;
        if (index.row() > 0 && index.column() > 0)
            option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }
};

void SetIndent(QSpacerItem* spacer, int left) {
    spacer->changeSize(left, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
}

// item behind a fixed indent, the rest of the row empty.
QHBoxLayout* Indented(QLayoutItem* item, QSpacerItem*& spacer) {
    auto* row = new QHBoxLayout;
    spacer = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    row->addSpacerItem(spacer);
    row->addItem(item);
    row->addStretch();
    return row;
}

}  // namespace

OutputTableView::OutputTableView(QWidget* page) {
    copyButton_ = MakeButton(page, "CopyButton", "Copy to clipboard");
    saveCsvButton_ = MakeButton(page, "SaveCsvButton", "Save as CSV");
    clickLabel_ = MakeLabel(page, "Click table and:", "ClickLabel");
    headings_ = std::make_unique<OutputHeadings>(page);
    grid_ = new StringGrid(7, 2, page);
    grid_->setObjectName("OutGrid");
    grid_->setAccessibleName("Output table");
    grid_->setItemDelegate(new NumberCellDelegate(grid_));
    grid_->setWordWrap(false);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
}

OutputTableView::~OutputTableView() = default;

void OutputTableView::AddTo(QBoxLayout* layout) {
    layout_ = layout;
    // The table and its headings stand at the left of their layout; the indents follow it.
    auto* tableColumn = new QVBoxLayout;
    tableColumn->setSpacing(0);
    // The headings start where the grid's first column of values does.
    tableColumn->addLayout(headings_->Row());
    tableColumn->addWidget(grid_, 1);
    // The CSV export stands beside "Copy to clipboard" and comes and goes with it.
    auto* copyRow = new QHBoxLayout;
    copyRow->addWidget(copyButton_);
    copyRow->addWidget(saveCsvButton_);
    layout->addLayout(Indented(tableColumn, tableIndent_), 2);
    layout->addLayout(Indented(new QWidgetItem(clickLabel_), clickIndent_));
    layout->addLayout(Indented(copyRow, copyIndent_));
}

void OutputTableView::Show(const TextTable& table, const TableGeometry& geometry) {
    // Cells of rows beyond the row count are only stored, so filling with one row and
    // growing afterwards makes each cell once.
    grid_->SetRowCount(1);
    grid_->SetColCount(table.Columns());
    for (int row = 0; row < table.Rows(); ++row)
        for (int col = 0; col < table.Columns(); ++col)
            grid_->SetCell(col, row, QString::fromStdString(table.At(col, row)));
    grid_->SetRowCount(table.Rows());
    grid_->setFixedWidth(geometry.gridWidth);
    SetIndent(tableIndent_, geometry.gridLeft);
    SetIndent(clickIndent_, geometry.clickLabelLeft);
    SetIndent(copyIndent_, geometry.copyButtonLeft);
    layout_->invalidate();
    clickLabel_->show();
    copyButton_->show();
    saveCsvButton_->show();
}

void OutputTableView::ShowSalinity(const InputData& data, const RunState& results) {
    const TextTable table = SalinityTable(data, results);
    Show(table, kSalinityGeometry[LayerCount(data)]);
    // The unit heading goes into the first ten columns whatever the layout, so that a wider
    // layout shown later finds it in place.
    for (int col = table.Columns(); col <= kSalinityHeadingColumns; ++col)
        grid_->SetCell(col, 0, kSalinityUnit);
    headings_->ShowSalinity(LayerCount(data), *grid_);
    layout_->invalidate();
}

void OutputTableView::ShowHydrology(const InputData& data, const RunState& results) {
    Show(HydrologyTable(data, results), kHydrologyGeometry);
    headings_->ShowHydrology(*grid_);
    layout_->invalidate();
}

void OutputTableView::Hide() {
    headings_->Hide();
    for (QWidget* widget :
         std::initializer_list<QWidget*>{grid_, clickLabel_, copyButton_, saveCsvButton_})
        widget->hide();
}

bool OutputTableView::HydrologyShown() const {
    return headings_->HydrologyShown();
}

TextTable OutputTableView::Table() const {
    TextTable table(grid_->ColCount(), grid_->RowCount());
    for (int row = 0; row < table.Rows(); ++row)
        for (int col = 0; col < table.Columns(); ++col)
            table.At(col, row) = grid_->Cell(col, row).toStdString();
    return table;
}

void OutputTableView::CopyToClipboard(Dialogs& dialogs) const {
    dialogs.SetClipboardText(QString::fromStdString(ClipboardText(Table())));
    dialogs.Message(kOnClipboard);
}

}  // namespace halosoil
