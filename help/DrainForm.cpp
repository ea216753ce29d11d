#include "DrainForm.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTextDocument>
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
    // made wide enough for its longest line and high enough for its last one in the font in
    // use, never smaller than its reference size of 401 x 369.
    const QFontMetrics metrics(DrainMemo->font());
    const QStringList lines = DrainExplanationLines();
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const int margins =
        2 * (DrainMemo->frameWidth() + static_cast<int>(DrainMemo->document()->documentMargin()));
    // The cursor, the text layout's own rounding and the window frame ask a little more: a
    // few characters' width and one line's height.
    const int textHeight = static_cast<int>(lines.size() + 1) * metrics.lineSpacing();
    const int slack = 4 * metrics.averageCharWidth();
    resize(std::max(401, widest + margins + slack), std::max(369, textHeight + margins));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(DrainMemo);
}

}  // namespace halosoil
