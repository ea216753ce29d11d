// The File menu and files dropped on the window: the open actions of the pages, the input and
// output files of this session most recent first, and a dropped input, output or observations
// file opened as the matching action opens it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

#include "CalibrationPage.h"
#include "MainFormFixture.h"
#include "RecentFilesMenu.h"

namespace halosoil::test {
namespace {

class FileMenuTest : public MainFormTest {
protected:
    QString Copy(const QString& from, const QString& name) {
        EXPECT_TRUE(QFile::copy(from, dir.filePath(name))) << from.toStdString();
        return dir.filePath(name);
    }
    QString Example(const QString& name) {
        return Copy(QString(HALOSOIL_EXAMPLES) + "/" + name, name);
    }
    QAction* Item(const QString& name) {
        QAction* action = form->findChild<QAction*>(name);
        EXPECT_NE(action, nullptr) << name.toStdString();
        return action;
    }
    QStringList RecentItems() {
        QStringList texts;
        for (QAction* action : form->findChild<QMenu*>("RecentFilesMenu")->actions())
            texts << action->text();
        return texts;
    }
    // Drags the files over the window and drops them; whether the window took the drag.
    bool Drop(const QStringList& files) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& file : files) urls << QUrl::fromLocalFile(file);
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &drop);
        return true;
    }
    QString CurrentPage() { return Pages()->currentWidget()->objectName(); }
};

TEST_F(FileMenuTest, TheFileMenuComesBeforeEditWithTheOpenActions) {
    const QList<QAction*> menus = form->menuBar()->actions();
    ASSERT_GE(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_EQ(menus[1]->text(), "&Edit");
    EXPECT_EQ(RecentItems(), QStringList({"(none yet)"}));

    const QString input = Example("one_layer_monthly.inp");
    dialogs.files.push_back(input);
    Item("OpenInputItem")->trigger();
    EXPECT_EQ(CurrentPage(), "InpTab");
    EXPECT_EQ(W<QLabel>("NameLabel")->text(), input);
    EXPECT_EQ(RecentItems(), QStringList({"&1 one_layer_monthly.inp"}));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
}

TEST_F(FileMenuTest, TheRecentFilesAreThoseOfThisSessionMostRecentFirstAndReopen) {
    const QString monthly = Example("one_layer_monthly.inp");
    const QString yearly = Example("two_layers_yearly_drained.inp");
    form->OpenFileNamed(monthly);
    form->OpenFileNamed(yearly);
    // "Save all - Run" of the yearly project: its input and output come first.
    const QString saved = dir.filePath("saved.inp");
    dialogs.files.push_back(saved);
    dialogs.answers = {true, false, false};  // do the calculations; no refinement, optimisation
    Click("SaveAllButton");
    ASSERT_TRUE(QFile::exists(dir.filePath("saved.out")));
    EXPECT_EQ(dialogs.messages.last(), "The calculations were made. The output can be inspected.");
    dialogs.messages.clear();
    EXPECT_EQ(RecentItems(),
              QStringList({"&1 saved.out", "&2 saved.inp", "&3 two_layers_yearly_drained.inp",
                           "&4 one_layer_monthly.inp"}));
    EXPECT_EQ(form->RecentFiles()->Files()[0], dir.filePath("saved.out"));

    // Choosing the monthly project again opens it, and it goes to the head of the list.
    Item("RecentFile4")->trigger();
    EXPECT_EQ(W<QLabel>("NameLabel")->text(), monthly);
    EXPECT_EQ(form->Data().NrTst, 24);
    EXPECT_EQ(RecentItems().first(), "&1 one_layer_monthly.inp");
    EXPECT_EQ(RecentItems().size(), 4);
    // An output of the list opens as "Open output" does.
    form->findChild<QAction*>("RecentFile2")->trigger();
    EXPECT_EQ(CurrentPage(), "OutTab");
    EXPECT_TRUE(W<QPlainTextEdit>("OutputMemo")->toPlainText().startsWith("OUTPUT OF Halosoil"));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
}

TEST_F(FileMenuTest, TheListKeepsTheMostRecentFilesOnly) {
    RecentFilesMenu* recent = const_cast<RecentFilesMenu*>(form->RecentFiles());
    for (int k = 0; k < RecentFilesMenu::kMostRecent + 3; ++k)
        recent->Remember(dir.filePath(QString("p%1.inp").arg(k)));
    recent->Remember(dir.filePath("p5.inp"));
    EXPECT_EQ(recent->Files().size(), RecentFilesMenu::kMostRecent);
    EXPECT_EQ(recent->Files()[0], dir.filePath("p5.inp"));
    EXPECT_EQ(recent->Files()[1], dir.filePath("p10.inp"));
    EXPECT_EQ(recent->Files().count(dir.filePath("p5.inp")), 1);
}

TEST_F(FileMenuTest, DroppedFilesOpenAsTheirActionsOpenThem) {
    const QString input = Example("one_layer_monthly.inp");
    ASSERT_TRUE(Drop({input}));
    EXPECT_EQ(CurrentPage(), "InpTab");
    EXPECT_EQ(W<QLabel>("NameLabel")->text(), input);

    // Observations on the Calibration page, over the input's measured salinities.
    const QString observations = dir.filePath("field.csv");
    QFile file(observations);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("step,depth_water_table\n2,1.5\n4,1.6\n");
    file.close();
    ASSERT_TRUE(Drop({observations}));
    EXPECT_EQ(CurrentPage(), "CalTab");
    EXPECT_EQ(W<CalibrationPage>("CalibrationPage")
                  ->CurrentObservations()
                  .Count(study::Quantity::DepthWaterTable),
              2);

    // An output file shows on the Output page.
    SaveAndRun("run.inp");
    ASSERT_TRUE(QFile::exists(dir.filePath("run.out")));
    dialogs.messages.clear();
    // Its input file of the same name comes along, as "Open output" reads it too.
    const QString output = Copy(dir.filePath("run.out"), "dropped.out");
    Copy(dir.filePath("run.inp"), "dropped.inp");
    ASSERT_TRUE(Drop({output}));
    EXPECT_EQ(CurrentPage(), "OutTab");
    EXPECT_EQ(form->Window().OutputFileName, output);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();

    // Files of other kinds are not taken.
    EXPECT_FALSE(Drop({dir.filePath("notes.txt")}));
}

TEST_F(FileMenuTest, ADroppedFileThatCannotBeReadGivesItsActionsMessage) {
    const QString missing = dir.filePath("missing.inp");
    // What "Open input" says of the file chosen in its dialog.
    dialogs.files.push_back(missing);
    form->Guarded([this] { form->Input().OpenInpButtonClick(); });
    const QStringList byOpenInput = dialogs.messages;
    ASSERT_FALSE(byOpenInput.isEmpty());
    dialogs.messages.clear();
    ASSERT_TRUE(Drop({missing}));
    EXPECT_EQ(dialogs.messages, byOpenInput);
    // Observations need a complete input first; the page says so.
    dialogs.messages.clear();
    ASSERT_TRUE(Drop({dir.filePath("some.csv")}));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0], W<QLabel>("CalibrationProjectLabel")->text());
}

}  // namespace
}  // namespace halosoil::test
