#include "StringGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <algorithm>

namespace halosoil {

namespace {

bool IsEditCommand(const QKeyEvent* key) {
    return key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Copy) ||
           key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Delete);
}

// The standard editing menu's Paste, found by its text without accelerator and shortcut.
QAction* FindPasteAction(QMenu* menu) {
    const QString paste = QLineEdit::tr("&Paste").remove('&');
    for (QAction* action : menu->actions())
        if (action->text().section('\t', 0, 0).remove('&') == paste) return action;
    return nullptr;
}

// The cell editor hands the paste command to its grid, which reports the pasted text as one
// edit instead of letting the line editor swallow tabs and line ends.
class CellEditor : public QLineEdit {
public:
    CellEditor(StringGrid* grid, QWidget* parent) : QLineEdit(parent), grid_(grid) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            event->accept();
            return true;
        }
        return QLineEdit::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste)) {
            grid_->PasteText(QString());  // the grid fetches the clipboard text itself
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
    // The menu's Paste goes the same way as Ctrl+V.
    void contextMenuEvent(QContextMenuEvent* event) override {
        QMenu* menu = createStandardContextMenu();
        if (QAction* paste = FindPasteAction(menu)) {
            disconnect(paste, &QAction::triggered, nullptr, nullptr);
            paste->setEnabled(true);
            StringGrid* grid = grid_;
            connect(paste, &QAction::triggered, grid, [grid] { grid->PasteText(QString()); });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
    }

private:
    StringGrid* grid_;
};

class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new CellEditor(grid_, parent);
        editor->setFrame(false);
        return editor;
    }

private:
    StringGrid* grid_;
};

}  // namespace

StringGrid::StringGrid(int columns, int rows, QWidget* parent, bool fixedCells)
    : QTableWidget(parent), fixedCells_(fixedCells) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setDefaultSectionSize(64);
    verticalHeader()->setDefaultSectionSize(20);
    setItemDelegate(new CellDelegate(this));
    Resize(columns, rows);
    connect(this, &QTableWidget::itemChanged, this, &StringGrid::OnItemChanged);
}

void StringGrid::SetColCount(int columns) {
    Resize(columns, rowCount());
}

void StringGrid::SetRowCount(int rows) {
    Resize(columnCount(), rows);
}

// The table would delete the items of the rows and columns it loses; they are taken out first
// and come back when the grid grows over them again.
void StringGrid::Resize(int columns, int rows) {
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    SetAsideCellsBeyond(columns, rows);
    setColumnCount(columns);
    setRowCount(rows);
    FillEmptyCells();
}

bool StringGrid::IsInTable(int col, int row) const {
    return row >= 0 && col >= 0 && row < rowCount() && col < columnCount();
}

void StringGrid::SetAsideCellsBeyond(int columns, int rows) {
    // Taking an item out changes the table; it is no edit of the user's.
    const QSignalBlocker quiet(this);
    for (int row = 0; row < rowCount(); ++row)
        for (int col = row < rows ? columns : 0; col < columnCount(); ++col)
            if (QTableWidgetItem* cell = takeItem(row, col)) PlaceAside(col, row).reset(cell);
}

// Every cell of the table gets an item: the one set aside for its place, or a new empty one.
void StringGrid::FillEmptyCells() {
    const QSignalBlocker quiet(this);
    for (int row = 0; row < rowCount(); ++row) {
        for (int col = 0; col < columnCount(); ++col) {
            if (item(row, col)) continue;
            QTableWidgetItem* cell = CellAside(col, row) ? PlaceAside(col, row).release() : nullptr;
            setItem(row, col, cell ? cell : NewCell(col, row));
        }
    }
}

// The fixed row and column are grey and not editable.
QTableWidgetItem* StringGrid::NewCell(int col, int row) const {
    auto* cell = new QTableWidgetItem;
    if (fixedCells_ && (row == 0 || col == 0)) {
        cell->setFlags(Qt::ItemIsEnabled);
        cell->setBackground(palette().button());
    }
    return cell;
}

QTableWidgetItem* StringGrid::CellAside(int col, int row) const {
    if (row < 0 || col < 0 || row >= static_cast<int>(aside_.size())) return nullptr;
    const auto& cells = aside_[row];
    return col < static_cast<int>(cells.size()) ? cells[col].get() : nullptr;
}

std::unique_ptr<QTableWidgetItem>& StringGrid::PlaceAside(int col, int row) {
    if (static_cast<int>(aside_.size()) <= row) aside_.resize(row + 1);
    auto& cells = aside_[row];
    if (static_cast<int>(cells.size()) <= col) cells.resize(col + 1);
    return cells[col];
}

QString StringGrid::Cell(int col, int row) const {
    const QTableWidgetItem* cell = IsInTable(col, row) ? item(row, col) : CellAside(col, row);
    return cell ? cell->text() : QString();
}

void StringGrid::SetCell(int col, int row, const QString& text) {
    if (row < 0 || col < 0) return;
    const QSignalBlocker quiet(this);  // the program's own text is no edit of the user's
    WritableCell(col, row).setText(text);
}

QTableWidgetItem& StringGrid::WritableCell(int col, int row) {
    if (IsInTable(col, row)) {
        if (!item(row, col)) setItem(row, col, NewCell(col, row));
        return *item(row, col);
    }
    std::unique_ptr<QTableWidgetItem>& aside = PlaceAside(col, row);
    if (!aside) aside.reset(NewCell(col, row));
    return *aside;
}

bool StringGrid::IsEditableCell(int col, int row) const {
    if (!IsInTable(col, row)) return false;
    return !fixedCells_ || (row > 0 && col > 0);
}

void StringGrid::OnItemChanged(QTableWidgetItem* cell) {
    emit CellEdited(cell->column(), cell->row(), cell->text());
}

QString StringGrid::ClipboardText() const {
    return clipboard_ ? clipboard_() : QApplication::clipboard()->text();
}

void StringGrid::PutOnClipboard(const QString& text) const {
    if (clipSink_)
        clipSink_(text);
    else
        QApplication::clipboard()->setText(text);
}

void StringGrid::ReportEdit(int col, int row, const QString& text) {
    SetCell(col, row, text);
    emit CellEdited(col, row, text);
}

// The pasted text takes the place of the editor's selection (or goes in at its cursor); the
// cell's whole new text is reported at once and the editor is closed without committing, so
// the handler sees the block exactly once.
bool StringGrid::PasteText(const QString& text) {
    const QString clip = text.isNull() ? ClipboardText() : text;
    const QModelIndex index = currentIndex();
    if (!index.isValid() || !IsEditableCell(index.column(), index.row())) return false;
    QString newText = clip;
    if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(index))) {
        const QString old = editor->text();
        int start = editor->cursorPosition();
        int length = 0;
        if (editor->hasSelectedText()) {
            start = editor->selectionStart();
            length = static_cast<int>(editor->selectedText().size());
        }
        newText = old.left(start) + clip + old.mid(start + length);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    ReportEdit(index.column(), index.row(), newText);
    return true;
}

void StringGrid::CopyCurrent() {
    const QModelIndex index = currentIndex();
    if (!index.isValid()) return;
    if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(index))) {
        if (editor->hasSelectedText()) PutOnClipboard(editor->selectedText());
        return;
    }
    PutOnClipboard(Cell(index.column(), index.row()));
}

void StringGrid::CutCurrent() {
    CopyCurrent();
    DeleteCurrent();
}

void StringGrid::DeleteCurrent() {
    const QModelIndex index = currentIndex();
    if (!index.isValid() || !IsEditableCell(index.column(), index.row())) return;
    if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(index))) {
        if (editor->hasSelectedText()) editor->del();
        return;
    }
    ReportEdit(index.column(), index.row(), QString());
}

bool StringGrid::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        IsEditCommand(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTableWidget::event(event);
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        PasteText(QString());
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        CopyCurrent();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        CutCurrent();
        return;
    }
    if (event->matches(QKeySequence::Delete)) {
        DeleteCurrent();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace halosoil
