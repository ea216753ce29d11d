// Failures inside the actions of the Output and Graphs pages never reach Qt's event loop: the
// window shows their text, as it does for the input panels, and the pages stay as they were.
// The dialogs themselves fail here, as a platform's dialog or clipboard can.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>
#include <new>
#include <stdexcept>

#include "Errors.h"
#include "GraphPage.h"
#include "MainForm.h"
#include "MainFormFixture.h"
#include "OutputPage.h"
#include "ScriptedDialogs.h"

namespace halosoil {
namespace {

class FailingDialogs : public ScriptedDialogs {
public:
    std::function<void()> failure;

    std::optional<QString> OpenFile(const FileDialogSpec& spec) override {
        if (failure) failure();
        return ScriptedDialogs::OpenFile(spec);
    }
    std::optional<QString> SaveFile(const FileDialogSpec& spec) override {
        if (failure) failure();
        return ScriptedDialogs::SaveFile(spec);
    }
    void SetClipboardText(const QString& text) override {
        if (failure) failure();
        ScriptedDialogs::SetClipboardText(text);
    }
};

class PageGuardTest : public test::MainFormTestWith<FailingDialogs> {
protected:
    QPushButton* Button(const char* name) {
        QPushButton* button = form->findChild<QPushButton*>(name);
        EXPECT_NE(button, nullptr) << name;
        return button;
    }
    // Clicks as a user would, with the button enabled and shown.
    void Click(const char* name) {
        QPushButton* button = Button(name);
        button->setEnabled(true);
        button->click();
    }
};

TEST_F(PageGuardTest, OutputPageActionsThatFailShowTheirTextAndChangeNothing) {
    dialogs.failure = [] { throw FileError("Path not found"); };
    form->Window().OutputFileName = "earlier.out";
    Click("OpenOutButton");
    EXPECT_EQ(dialogs.messages, QStringList{"Path not found"});
    EXPECT_EQ(form->Window().OutputFileName, "earlier.out");
    EXPECT_FALSE(form->Window().OutputFromRun);

    dialogs.messages.clear();
    dialogs.failure = [] { throw std::runtime_error("The clipboard is in use."); };
    Click("CopyButton");
    EXPECT_EQ(dialogs.messages, QStringList{"The clipboard is in use."});
    EXPECT_TRUE(dialogs.clipboard.isEmpty());
}

TEST_F(PageGuardTest, AFolderChosenAsOutputFileIsReportedAndChangesNothingShown) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("results.out"));
    const QString folder = dir.filePath("results.out");
    dialogs.files.push_back(folder);
    Click("OpenOutButton");
    EXPECT_EQ(dialogs.messages, QStringList{"The file " + folder +
                                            "could not be opened. It may be damaged or in use "
                                            "by another program."});
    EXPECT_FALSE(form->Window().OutputFromRun);
    EXPECT_TRUE(form->Results().Percol.empty());
}

TEST_F(PageGuardTest, GraphPageActionsThatFailShowTheirTextAndKeepThePicture) {
    const QImage before = form->findChild<GraphPage*>("GraphPage")->Picture();
    dialogs.failure = [] { throw FileError("File access denied"); };
    Click("SaveGraphButton");
    EXPECT_EQ(dialogs.messages, QStringList{"File access denied"});

    dialogs.messages.clear();
    dialogs.failure = [] { throw std::bad_alloc(); };
    Click("OpenGraphButton");
    EXPECT_EQ(dialogs.messages, QStringList{kNotEnoughMemory});
    EXPECT_EQ(form->findChild<GraphPage*>("GraphPage")->Picture(), before);

    // "Make graph" opens an output file through the Output page.
    dialogs.messages.clear();
    dialogs.failure = [] { throw FileError("Path not found"); };
    Click("MakeGraphButton");
    EXPECT_EQ(
        dialogs.messages,
        QStringList({"To make a graph, an output file must be opened first.", "Path not found"}));
    EXPECT_TRUE(form->Window().OutputFileName.isEmpty());
}

}  // namespace
}  // namespace halosoil
