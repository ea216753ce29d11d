// A file named on the command line, or handed over by the desktop, opens through the
// window's own "Open input" and "Open output", with their results and their messages.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "MainFormFixture.h"
#include "OutputPage.h"

namespace halosoil::test {
namespace {

class OpenFromOutsideTest : public MainFormTest {
protected:
    // The hand-written one-layer output and its input file, under the given base name.
    QString CopyDelta(const QString& base, bool withInput = true) {
        const QString from = QString(HALOSOIL_TEST_DATA) + "/output-view/delta";
        EXPECT_TRUE(QFile::copy(from + ".out", dir.filePath(base + ".out")));
        if (withInput) {
            EXPECT_TRUE(QFile::copy(from + ".inp", dir.filePath(base + ".inp")));
        }
        return dir.filePath(base);
    }
    QString CurrentPage() { return Pages()->currentWidget()->objectName(); }
};

TEST_F(OpenFromOutsideTest, AnInputFileOpensAsOpenInputDoesOnTheInputPage) {
    const QString base = CopyDelta("delta");
    form->OpenFileFromOutside(base + ".inp");
    EXPECT_EQ(CurrentPage(), "InpTab");
    EXPECT_TRUE(form->Input().Workflow().Complete());
    EXPECT_EQ(form->Data().InputFileName, (base + ".inp").toStdString());
    EXPECT_EQ(W<QLabel>("NameLabel")->text(), base + ".inp");
    EXPECT_FALSE(W<QLabel>("FileLabel")->isHidden());
    EXPECT_TRUE(B("SaveAllButton")->isEnabled());
    EXPECT_FALSE(W<GenPanel>("GenPanel")->isHidden());
    EXPECT_EQ(form->Data().NrTst, 3);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
}

TEST_F(OpenFromOutsideTest, ARelativeNameOpensTheFileOfTheStartFolder) {
    const QString base = CopyDelta("relative");
    form->OpenFileFromOutside("relative.inp");
    EXPECT_EQ(W<QLabel>("NameLabel")->text(), base + ".inp");
}

TEST_F(OpenFromOutsideTest, AnOutputFileOpensAsOpenOutputDoesAndShowsTheOutputPage) {
    const QString base = CopyDelta("delta");
    form->OpenFileFromOutside(base + ".out");
    EXPECT_EQ(CurrentPage(), "OutTab");
    EXPECT_EQ(form->Window().OutputFileName, base + ".out");
    EXPECT_FALSE(form->Window().OutputFromRun);
    auto* memo = W<QPlainTextEdit>("OutputMemo");
    EXPECT_TRUE(memo->toPlainText().startsWith("OUTPUT OF Halosoil\n"));
    EXPECT_TRUE(W<QPushButton>("SeeSaltButton")->isEnabled());
    EXPECT_TRUE(W<QPushButton>("SeeGraphsButton")->isEnabled());
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
}

TEST_F(OpenFromOutsideTest, AnOutputFileUnderAnotherNameIsKnownByItsFirstLine) {
    CopyDelta("renamed");
    const QString renamed = dir.filePath("renamed.txt");
    ASSERT_TRUE(QFile::rename(dir.filePath("renamed.out"), renamed));
    form->OpenFileFromOutside(renamed);
    EXPECT_EQ(CurrentPage(), "OutTab");
    EXPECT_EQ(form->Window().OutputFileName, renamed);
}

TEST_F(OpenFromOutsideTest, AnUnreadableFileGivesTheMessagesOfTheWindowsOwnActions) {
    // What "Open input" and "Open output" say about a missing file, chosen in their dialogs.
    const QString missingInput = dir.filePath("missing.inp");
    dialogs.files.push_back(missingInput);
    form->Guarded([this] { form->Input().OpenInpButtonClick(); });
    const QStringList byOpenInput = dialogs.messages;
    const QString outputWithoutInput = CopyDelta("lonely", /*withInput=*/false) + ".out";
    dialogs.messages.clear();
    dialogs.files.push_back(outputWithoutInput);
    form->Guarded([this] { W<QPushButton>("OpenOutButton")->click(); });
    const QStringList byOpenOutput = dialogs.messages;
    ASSERT_FALSE(byOpenInput.isEmpty());
    ASSERT_FALSE(byOpenOutput.isEmpty());
    EXPECT_TRUE(byOpenOutput.last().contains("lonely.inp")) << byOpenOutput.last().toStdString();

    form->FormCreate();
    dialogs.messages.clear();
    form->Guarded([this, &missingInput] { form->OpenFileFromOutside(missingInput); });
    EXPECT_EQ(dialogs.messages, byOpenInput);
    dialogs.messages.clear();
    form->Guarded([this, &outputWithoutInput] { form->OpenFileFromOutside(outputWithoutInput); });
    EXPECT_EQ(dialogs.messages, byOpenOutput);
    EXPECT_NE(CurrentPage(), "OutTab");
}

}  // namespace
}  // namespace halosoil::test
