// The drainage explanation window opens large enough for its whole text: neither its last
// line nor its longest one needs scrolling, at the desktop's font size and at a larger one,
// and it is never smaller than its reference size of 401 x 369.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "DrainForm.h"

namespace halosoil {
namespace {

void ExpectWholeTextShown() {
    DrainForm form;
    form.show();
    QApplication::processEvents();
    EXPECT_GE(form.width(), 401);
    EXPECT_GE(form.height(), 369);
    EXPECT_EQ(form.DrainMemo->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(form.DrainMemo->horizontalScrollBar()->maximum(), 0);
    // The last line stands inside the text box.
    QTextCursor end = form.DrainMemo->textCursor();
    end.movePosition(QTextCursor::End);
    EXPECT_LE(form.DrainMemo->cursorRect(end).bottom(), form.DrainMemo->viewport()->height());
}

TEST(DrainFormSize, TheWholeExplanationShowsWithoutScrolling) {
    ExpectWholeTextShown();
}

TEST(DrainFormSize, AlsoWithALargerDesktopFont) {
    const QFont previous = QApplication::font();
    QFont larger = previous;
    larger.setPointSizeF(previous.pointSizeF() * 1.5);
    QApplication::setFont(larger);
    ExpectWholeTextShown();
    QApplication::setFont(previous);
}

}  // namespace
}  // namespace halosoil
