#include "HelpPages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "HelpTexts.h"
#include "Sketches.h"

namespace halosoil {

namespace {

const QColor kLightGreen(0xC0, 0xFF, 0xC0);

QPlainTextEdit* MakeMemo(QWidget* parent, const QString& name, const QStringList& lines) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setPlainText(lines.join('\n'));
    return memo;
}

}  // namespace

void BuildIntroPage(QWidget* page) {
    auto* picture = new QLabel(page);
    picture->setObjectName("IntroImage");
    picture->setPixmap(IntroPicture());
    picture->setFixedSize(109, 96);

    QPlainTextEdit* memo = MakeMemo(page, "IntroMemo", IntroLines());
    QFont memoFont = memo->font();
    memoFont.setPointSize(10);
    memo->setFont(memoFont);
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, kLightGreen);
    memo->setPalette(palette);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setMinimumWidth(457);
    memo->setMaximumWidth(560);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addSpacing(20);
    layout->addWidget(memo, 1);
    layout->addStretch(0);
}

void BuildMathPage(QWidget* page) {
    QPlainTextEdit* memo = MakeMemo(page, "MathMemo", MathLines());
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(memo);
}

void BuildFigurePage(QWidget* page) {
    auto* caption = new QLineEdit(page);
    caption->setObjectName("FigCaption");
    caption->setText(FigureCaption());
    caption->setFrame(false);
    QFont captionFont = caption->font();
    captionFont.setPointSize(12);
    caption->setFont(captionFont);

    auto* picture = new QLabel(page);
    picture->setObjectName("FigImage");
    picture->setPixmap(WaterMovementSketch());
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName("FigScroll");
    scroll->setWidget(picture);
    scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll->setFrameShape(QFrame::NoFrame);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(caption);
    layout->addWidget(scroll, 1);
}

}  // namespace halosoil
