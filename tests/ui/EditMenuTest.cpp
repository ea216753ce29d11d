// The Edit menu: its four commands and hints, and how they act on the focused field through
// the window's clipboard.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "MainFormFixture.h"

namespace halosoil::test {
namespace {

using EditMenu = MainFormTest;

TEST_F(EditMenu, EditMenuHasTheFourCommandsWithTheirHints) {
    const struct {
        const char* name;
        const char* text;
        const char* key;
        const char* tip;
    } kItems[] = {
        {"CopyItem", "&Copy", "Ctrl+C", "Copies the selection and puts it on the Clipboard"},
        {"CutItem", "Cu&t", "Ctrl+X", "Cuts the selection and puts it on the Clipboard"},
        {"DeleteItem", "&Delete", "Del", "Erases the selection"},
        {"PasteItem", "&Paste", "Ctrl+V", "Inserts Clipboard contents"},
    };
    for (const auto& item : kItems) {
        auto* action = form->findChild<QAction*>(item.name);
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->text(), item.text);
        EXPECT_EQ(action->shortcut().toString(), item.key);
        EXPECT_EQ(action->statusTip(), item.tip);
    }
}

TEST_F(EditMenu, EditCommandsActOnTheFocusedFieldThroughTheWindowClipboard) {
    form->show();
    GoToInput();
    Click("GenOpenButton");
    QLineEdit* title = E("Tit1Edit");
    title->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), title);
    dialogs.clipboard = "Delta";
    form->Edit().EditPaste();
    EXPECT_EQ(title->text(), "Delta");
    title->selectAll();
    form->Edit().EditCut();
    EXPECT_EQ(dialogs.clipboard, "Delta");
    EXPECT_EQ(title->text(), "");
    dialogs.clipboard = "Nile";
    QTest::keyClick(title, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(title->text(), "Nile");
    // The help boxes copy to the same clipboard.
    Pages()->setCurrentIndex(1);
    auto* math = W<QPlainTextEdit>("MathMemo");
    math->setFocus();
    math->selectAll();
    QTest::keyClick(math, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.clipboard.contains("WATER AND SALT BALANCES USED IN Halosoil\n"));
    form->hide();
}

TEST_F(EditMenu, CutAndDeleteWithoutSelectionAndOnReadOnlyTextChangeNothing) {
    form->show();
    GoToInput();
    Click("GenOpenButton");
    QLineEdit* title = E("Tit1Edit");
    title->setFocus();
    title->setText("Indus");
    title->setCursorPosition(0);
    QApplication::processEvents();
    dialogs.clipboard = "kept";
    form->Edit().EditCut();
    form->Edit().EditDelete();
    EXPECT_EQ(title->text(), "Indus");
    EXPECT_EQ(dialogs.clipboard, "kept");
    // The output text is read-only: the menu's cut, delete and paste leave it whole.
    Pages()->setCurrentIndex(4);
    auto* memo = W<QPlainTextEdit>("OutputMemo");
    memo->setPlainText("result line");
    memo->setFocus();
    memo->selectAll();
    QApplication::processEvents();
    form->Edit().EditCut();
    form->Edit().EditDelete();
    form->Edit().EditPaste();
    EXPECT_EQ(memo->toPlainText(), "result line");
    EXPECT_EQ(dialogs.clipboard, "result line");
    form->hide();
}

}  // namespace
}  // namespace halosoil::test
