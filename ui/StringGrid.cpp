#include "StringGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>

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
    setColumnCount(columns);
    setRowCount(rows);
    Refill();
    connect(this, &QTableWidget::itemChanged, this, &StringGrid::OnItemChanged);
}

QString& StringGrid::Stored(int col, int row) {
    if (static_cast<int>(store_.size()) <= row) store_.resize(row + 1);
    auto& cells = store_[row];
    if (static_cast<int>(cells.size()) <= col) cells.resize(col + 1);
    return cells[col];
}

void StringGrid::SetColCount(int columns) {
    setColumnCount(columns < 0 ? 0 : columns);
    Refill();
}

void StringGrid::SetRowCount(int rows) {
    setRowCount(rows < 0 ? 0 : rows);
    Refill();
}

QString StringGrid::Cell(int col, int row) const {
    if (row < 0 || col < 0 || row >= static_cast<int>(store_.size())) return {};
    const auto& cells = store_[row];
    return col < static_cast<int>(cells.size()) ? cells[col] : QString();
}

void StringGrid::SetCell(int col, int row, const QString& text) {
    if (row < 0 || col < 0) return;
    Stored(col, row) = text;
    if (row < rowCount() && col < columnCount()) {
        filling_ = true;
        if (QTableWidgetItem* cell = item(row, col)) cell->setText(text);
        filling_ = false;
    }
}

bool StringGrid::IsEditableCell(int col, int row) const {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return false;
    return !fixedCells_ || (row > 0 && col > 0);
}

// Makes every visible cell an item showing its stored text; the fixed row and column are
// grey and not editable.
void StringGrid::Refill() {
    filling_ = true;
    const QBrush fixedBrush = palette().button();
    for (int row = 0; row < rowCount(); ++row) {
        for (int col = 0; col < columnCount(); ++col) {
            QTableWidgetItem* cell = item(row, col);
            if (!cell) {
                cell = new QTableWidgetItem;
                if (fixedCells_ && (row == 0 || col == 0)) {
                    cell->setFlags(Qt::ItemIsEnabled);
                    cell->setBackground(fixedBrush);
                }
                setItem(row, col, cell);
            }
            cell->setText(Cell(col, row));
        }
    }
    filling_ = false;
}

void StringGrid::OnItemChanged(QTableWidgetItem* cell) {
    if (filling_) return;
    const int col = cell->column();
    const int row = cell->row();
    Stored(col, row) = cell->text();
    emit CellEdited(col, row, cell->text());
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
