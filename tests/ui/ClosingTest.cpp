// Closing the main window: the closing window it shows instead, and the end of the program
// when that window is closed.
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTimer>

#include "CloseForm.h"
#include "MainFormFixture.h"

namespace halosoil::test {
namespace {

using Closing = MainFormTest;

TEST_F(Closing, TheMainWindowShowsTheClosingWindow) {
    form->show();
    bool ended = false;
    W<CloseForm>("CloseForm")->SetOnClosed([&] { ended = true; });
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(W<CloseForm>("CloseForm")->isVisible());
    EXPECT_EQ(W<CloseForm>("CloseForm")->windowTitle(), "Close all");
    const QString text = W<CloseForm>("CloseForm")->CloseMemo->toPlainText();
    EXPECT_TRUE(text.startsWith("\n   Thank you for using HalosoilS\n\n"));
    EXPECT_EQ(W<CloseForm>("CloseForm")->CloseMemo->font().pointSize(), 10);
    EXPECT_FALSE(ended);
    W<CloseForm>("CloseForm")->close();
    EXPECT_TRUE(ended);
    form->hide();
}

// As under a window manager: the close request reaches the closing window while the event
// loop runs, and the loop must end although the main window refuses to close.
TEST_F(Closing, TheClosingWindowEndsTheProgram) {
    form->show();
    QTimer::singleShot(0, form.get(), [this] {
        form->close();
        ASSERT_TRUE(W<CloseForm>("CloseForm")->isVisible());
        W<CloseForm>("CloseForm")->close();
    });
    // Only a guard against a loop that would never end; it exits with another code.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(20000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    guard.stop();
    form->hide();
}

}  // namespace
}  // namespace halosoil::test
