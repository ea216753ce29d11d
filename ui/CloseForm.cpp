#include "CloseForm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ProjectInfo.h"

namespace halosoil {

// Qt 6's quit() first asks every window to close and gives up when one refuses, as the main
// window always does; exit() ends the event loop without asking.
void EndProgram() {
    QCoreApplication::exit(0);
}

CloseForm::CloseForm(QWidget* parent)
    : QWidget(parent, Qt::Window), onClosed_([] { EndProgram(); }) {
    setObjectName("CloseForm");
    setWindowTitle("Close all");
    resize(263, 153);
    CloseMemo = new QPlainTextEdit(this);
    CloseMemo->setObjectName("CloseMemo");
    QFont memoFont = CloseMemo->font();
    memoFont.setPointSize(10);
    CloseMemo->setFont(memoFont);
    QPalette palette = CloseMemo->palette();
    palette.setColor(QPalette::Base, QColor(0xC0, 0xFF, 0xC0));
    CloseMemo->setPalette(palette);
    CloseMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    CloseMemo->setPlainText(
        "\n"
        "   Thank you for using HalosoilS\n"
        "\n"
        "   E-mail: " +
        QString(kMakerEmail) + "\n" + "   Web: " + QString(kMakerWeb));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CloseMemo);
}

void CloseForm::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onClosed_) onClosed_();
}

}  // namespace halosoil
