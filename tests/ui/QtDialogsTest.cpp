// The real file dialogs, answered by typing a name into them as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>

#include "QtDialogs.h"

namespace halosoil::test {
namespace {

// Types the name into the file dialog that is about to open and accepts it.
void AnswerNextFileDialog(const QString& name) {
    QTimer::singleShot(0, [name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(name);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class RealFileDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }
    QTemporaryDir folder;
    QtDialogs dialogs{nullptr};
    FileDialogSpec inputFiles() const {
        return {"input files (*.inp)|*.inp", "inp", folder.path()};
    }
    // The name the open or save dialog for input files returns when typed is typed into it.
    std::optional<QString> OpenTyping(const QString& typed) {
        AnswerNextFileDialog(typed);
        return dialogs.OpenFile(inputFiles());
    }
    std::optional<QString> SaveTyping(const QString& typed) {
        AnswerNextFileDialog(typed);
        return dialogs.SaveFile(inputFiles());
    }
};

TEST_F(RealFileDialogs, OpenAddsTheDefaultExtensionToANameTypedWithoutOne) {
    Touch(folder.filePath("delta.inp"));
    EXPECT_EQ(OpenTyping("delta"), folder.filePath("delta.inp"));
}

TEST_F(RealFileDialogs, OpenKeepsANameThatHasItsOwnExtension) {
    Touch(folder.filePath("delta.txt"));
    EXPECT_EQ(OpenTyping("delta.txt"), folder.filePath("delta.txt"));
}

TEST_F(RealFileDialogs, SaveAddsTheDefaultExtension) {
    EXPECT_EQ(SaveTyping("newproject"), folder.filePath("newproject.inp"));
}

TEST(RealClipboard, LinesEndedByLineFeedsAloneReachTheGridsAsCarriageReturnLineFeeds) {
    QtDialogs dialogs;
    QApplication::clipboard()->setText("1\t2\n3\t4\n");
    EXPECT_EQ(dialogs.ClipboardText(), "1\t2\r\n3\t4\r\n");
    QApplication::clipboard()->setText("5\t6\r\n7\t8");
    EXPECT_EQ(dialogs.ClipboardText(), "5\t6\r\n7\t8");
    dialogs.SetClipboardText("a\tb\rc\td");
    EXPECT_EQ(QApplication::clipboard()->text(), "a\tb\rc\td");
}

}  // namespace
}  // namespace halosoil::test
