// The Options menu's conserving salt balance and the salt budget's note on the Output page:
// off at start, the specified balance runs and a long run that makes salt says so above its
// output; on, the run writes what the batch runner's conserving balance writes.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>

#include "ExampleProjects.h"
#include "InputFile.h"
#include "MainFormFixture.h"
#include "RunQuestions.h"

namespace halosoil::test {
namespace {

QByteArray ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

class SaltBalanceMenu : public MainFormTest {
protected:
    QAction* Conserving() {
        QAction* action = form->findChild<QAction*>("ConservingSaltItem");
        EXPECT_NE(action, nullptr);
        return action;
    }

    // The daily example's season four times over: 480 days of capillary rise, in which the
    // specified balance makes more salt than irrigation and groundwater bring.
    QString WriteLongProject() {
        const InputData season = examples::TwoLayersDaily();
        InputData d = season;
        d.NrTst = d.HydrRows = 480;
        for (Series* series : {&d.Rain, &d.Irrig, &d.Evap, &d.IrrSal}) SizeSeries(*series, 480);
        for (auto& measured : d.MeasSalt) measured.assign(481, kMissing);
        for (int i = 1; i <= 480; ++i) {
            const int k = (i - 1) % 120 + 1;
            d.Rain[i] = season.Rain[k];
            d.Irrig[i] = season.Irrig[k];
            d.Evap[i] = season.Evap[k];
            d.IrrSal[i] = season.IrrSal[k];
        }
        d.InputFileName = dir.filePath("long.inp").toStdString();
        WriteInputFile(d);
        return dir.filePath("long.inp");
    }

    // Opens the file and runs it through "Save all - Run" under the name run.inp.
    void OpenAndRun(const QString& input) {
        dialogs.files.push_back(input);
        form->findChild<QAction*>("OpenInputItem")->trigger();
        const QString saved = dir.filePath("run.inp");
        dialogs.files.push_back(saved);
        // Overwrite an earlier run.inp; do the calculations; no refinement.
        dialogs.answers = QFile::exists(saved) ? std::deque<bool>{true, true, false}
                                               : std::deque<bool>{true, false};
        Click("SaveAllButton");
    }

    QLabel* Note() { return W<QLabel>("SaltBudgetNote"); }
};

TEST_F(SaltBalanceMenu, IsOffAtStartAndBesideTheFileAndEditMenus) {
    ASSERT_NE(Conserving(), nullptr);
    EXPECT_TRUE(Conserving()->isCheckable());
    EXPECT_FALSE(Conserving()->isChecked());
    EXPECT_FALSE(form->Window().ConservingSalt);
    const QList<QAction*> menus = form->menuBar()->actions();
    ASSERT_GE(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_EQ(menus[1]->text(), "&Edit");
}

TEST_F(SaltBalanceMenu, ALongSpecifiedRunShowsTheNoteAndTheConservingOneMatchesTheBatchRunner) {
    const QString input = WriteLongProject();
    OpenAndRun(input);
    ASSERT_TRUE(
        dialogs.messages.contains("The calculations were made. The output can be "
                                  "inspected."))
        << dialogs.messages.join("; ").toStdString();
    EXPECT_FALSE(Note()->isHidden());
    EXPECT_TRUE(Note()->text().startsWith("Salt budget: the salt balance made "))
        << Note()->text().toStdString();
    EXPECT_EQ(form->Data().SaltBalance, SaltBalanceKind::Specified);

    Conserving()->trigger();
    EXPECT_TRUE(form->Window().ConservingSalt);
    dialogs.messages.clear();
    OpenAndRun(input);
    ASSERT_TRUE(
        dialogs.messages.contains("The calculations were made. The output can be "
                                  "inspected."));
    EXPECT_TRUE(Note()->isHidden());
    const QByteArray windowOutput = ReadWholeFile(dir.filePath("run.out"));
    ASSERT_FALSE(windowOutput.isEmpty());
    ASSERT_TRUE(QFile::remove(dir.filePath("run.out")));
    QProcess batch;
    batch.start(HALOSOIL_BATCH, {"run", "--salt-balance", "conserving", dir.filePath("run.inp")});
    ASSERT_TRUE(batch.waitForFinished(120000));
    ASSERT_EQ(batch.exitCode(), 0);
    EXPECT_EQ(batch.readAllStandardError(), "");
    EXPECT_EQ(ReadWholeFile(dir.filePath("run.out")), windowOutput);
}

}  // namespace
}  // namespace halosoil::test
