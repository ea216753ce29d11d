#include "UDrainForm.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "HelpTexts.h"

namespace halosoil {

DrainForm::DrainForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("DrainForm");
    setWindowTitle("Explanation subsurface drainage");
    resize(426, 418);
    DrainMemo = new QPlainTextEdit(this);
    DrainMemo->setObjectName("DrainMemo");
    DrainMemo->setPlainText(DrainExplanationLines().join('\n'));
    DrainMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(DrainMemo);
}

}  // namespace halosoil
