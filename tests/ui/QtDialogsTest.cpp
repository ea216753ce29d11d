// The real file dialogs, answered by typing a name into them as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

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
};

TEST_F(RealFileDialogs, OpenAddsTheDefaultExtensionToANameTypedWithoutOne) {
    Touch(folder.filePath("delta.inp"));
    AnswerNextFileDialog("delta");
    const std::optional<QString> chosen = dialogs.OpenFile(inputFiles());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, folder.filePath("delta.inp"));
}

TEST_F(RealFileDialogs, OpenKeepsANameThatHasItsOwnExtension) {
    Touch(folder.filePath("delta.txt"));
    AnswerNextFileDialog("delta.txt");
    const std::optional<QString> chosen = dialogs.OpenFile(inputFiles());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, folder.filePath("delta.txt"));
}

TEST_F(RealFileDialogs, SaveAddsTheDefaultExtension) {
    AnswerNextFileDialog("newproject");
    const std::optional<QString> chosen = dialogs.SaveFile(inputFiles());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, folder.filePath("newproject.inp"));
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
