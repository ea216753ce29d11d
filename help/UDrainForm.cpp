#include "UDrainForm.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "HelpTexts.h"

namespace halosoil {

DrainForm::DrainForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("DrainForm");
    setWindowTitle("Explanation subsurface drainage");
    DrainMemo = new QPlainTextEdit(this);
    DrainMemo->setObjectName("DrainMemo");
    DrainMemo->setPlainText(DrainExplanationLines().join('\n'));
    DrainMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The text box fills the window. The explanation is kept line by line, so the window is
    // made wide enough for its longest line in the font in use.
    const QFontMetrics metrics(DrainMemo->font());
    int widest = 0;
    for (const QString& line : DrainExplanationLines())
        widest = std::max(widest, metrics.horizontalAdvance(line));
    resize(std::max(401, widest + 50), 369);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(DrainMemo);
}

}  // namespace halosoil
