#include "EditMenu.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextDocumentFragment>

#include "ActionGuard.h"
#include "StringGrid.h"

namespace halosoil {

namespace {

// A grid's cell editor: the grid handles its own edit commands.
bool IsInsideGrid(const QWidget* widget) {
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<const StringGrid*>(w)) return true;
    return false;
}

bool IsMenuEditCommand(const QKeyEvent* key) {
    return key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Copy) ||
           key->matches(QKeySequence::Cut);
}

StringGrid* GridOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* grid = qobject_cast<StringGrid*>(w)) return grid;
    return nullptr;
}

}  // namespace

EditMenu::EditMenu(QMainWindow& window, Dialogs& dialogs) : window_(window), dialogs_(dialogs) {
    QMenu* edit = window.menuBar()->addMenu("&Edit");
    edit->setObjectName("EditMenu");
    const struct {
        const char* name;
        const char* text;
        QKeySequence key;
        const char* hint;
        void (EditMenu::*handler)();
    } kItems[] = {
        {"CopyItem", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C),
         "Copy|Copies the selection and puts it on the Clipboard", &EditMenu::EditCopy},
        {"CutItem", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X),
         "Cut|Cuts the selection and puts it on the Clipboard", &EditMenu::EditCut},
        {"DeleteItem", "&Delete", QKeySequence(Qt::Key_Delete), "Delete|Erases the selection",
         &EditMenu::EditDelete},
        {"PasteItem", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V),
         "Paste|Inserts Clipboard contents", &EditMenu::EditPaste},
    };
    for (const auto& item : kItems) {
        QAction* action = edit->addAction(item.text);
        action->setObjectName(item.name);
        action->setShortcut(item.key);
        const QString hint = item.hint;
        action->setToolTip(hint.section('|', 0, 0));
        action->setStatusTip(hint.section('|', 1));
        const auto handler = item.handler;
        connect(action, &QAction::triggered, this,
                [this, handler] { RunGuarded(dialogs_, [this, handler] { (this->*handler)(); }); });
    }
    window.statusBar();
    qApp->installEventFilter(this);
}

EditMenu::~EditMenu() {
    qApp->removeEventFilter(this);
}

// Copy, cut and paste in the text fields and text boxes go through the window's clipboard like
// those of the Edit menu (the grids handle their own keys).
bool EditMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool textField =
        qobject_cast<QLineEdit*>(watched) || qobject_cast<QPlainTextEdit*>(watched);
    if (!textField || !window_.isAncestorOf(widget) || IsInsideGrid(widget))
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!IsMenuEditCommand(key)) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (key->matches(QKeySequence::Paste)) EditPaste();
    if (key->matches(QKeySequence::Copy)) EditCopy();
    if (key->matches(QKeySequence::Cut)) EditCut();
    return true;
}

void EditMenu::EditCopy() {
    QWidget* focus = QApplication::focusWidget();
    if (StringGrid* grid = GridOf(focus)) {
        grid->CopyCurrent();
    } else if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
        if (edit->hasSelectedText()) dialogs_.SetClipboardText(edit->selectedText());
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(focus)) {
        // The selection as plain text, with line feeds between its lines.
        const QString selected = text->textCursor().selection().toPlainText();
        if (!selected.isEmpty()) dialogs_.SetClipboardText(selected);
    }
}

void EditMenu::EditCut() {
    QWidget* focus = QApplication::focusWidget();
    if (StringGrid* grid = GridOf(focus)) {
        grid->CutCurrent();
        return;
    }
    EditCopy();
    EditDelete();
}

// Cut and Delete erase the selection only: with nothing selected they leave the text as it is,
// and the read-only output text never changes.
void EditMenu::EditDelete() {
    QWidget* focus = QApplication::focusWidget();
    if (StringGrid* grid = GridOf(focus)) {
        grid->DeleteCurrent();
    } else if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
        if (edit->hasSelectedText() && !edit->isReadOnly()) edit->del();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(focus)) {
        if (!text->isReadOnly()) text->textCursor().removeSelectedText();
    }
}

void EditMenu::EditPaste() {
    QWidget* focus = QApplication::focusWidget();
    const QString clip = dialogs_.ClipboardText();
    if (StringGrid* grid = GridOf(focus)) {
        grid->PasteText(clip);
    } else if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
        if (!edit->isReadOnly()) edit->insert(clip);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(focus)) {
        if (!text->isReadOnly()) text->insertPlainText(clip);
    }
}

}  // namespace halosoil
