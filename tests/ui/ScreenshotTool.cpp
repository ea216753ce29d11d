// Not a test: pictures of every page and panel for a person to look at, at the reference size
// and enlarged. Run with
//   ui_tests --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*'
// It writes PNG files to $HALOSOIL_SHOTS (default /tmp/halosoil-shots).
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QProcess>
#include <QTabWidget>

#include "OutputPage.h"

#include "CalibrationPage.h"
#include "CloseForm.h"
#include "DrainForm.h"
#include "MainFormFixture.h"
#include "ParameterTable.h"

namespace halosoil::test {
namespace {

using Screenshots = MainFormTest;

TEST_F(Screenshots, DISABLED_EveryPageAndPanel) {
    const QString folder = qEnvironmentVariableIsSet("HALOSOIL_SHOTS")
                               ? qEnvironmentVariable("HALOSOIL_SHOTS")
                               : QString("/tmp/halosoil-shots");
    ASSERT_TRUE(QDir().mkpath(folder));
    ProjectEntry e = SampleEntry(3);
    EnterProject(e);
    dialogs.files.push_back(QString(HALOSOIL_EXAMPLES) + "/two_layers_yearly_drained.inp");
    Click("OpenInpButton");
    const auto shoot = [&](const QString& name) {
        QApplication::processEvents();
        EXPECT_TRUE(form->grab().save(folder + "/" + name + ".png"));
    };
    for (const QSize& size : {QSize(806, 647), QSize(1100, 860)}) {
        form->resize(size);
        form->show();
        const QString suffix = QString("-%1").arg(size.width());
        for (int page = 0; page < Pages()->count(); ++page) {
            Pages()->setCurrentIndex(page);
            shoot(QString("page%1-%2").arg(page).arg(Pages()->tabText(page)) + suffix);
        }
        Pages()->setCurrentIndex(3);
        const struct {
            const char* name;
            std::function<void()> open;
        } kPanels[] = {
            {"GenPanel", [&] { form->Input().GenOpenButtonClick(); }},
            {"HydrPanel", [&] { form->Input().HydrOpenButtonClick(); }},
            {"IrrSalPanel", [&] { form->Input().IrrSalButtonClick(); }},
            {"DrainPanel", [&] { form->Input().DrainOpenButtonClick(); }},
            {"CondPanel", [&] { form->Input().CondOpenButtonClick(); }},
        };
        for (const auto& panel : kPanels) {
            panel.open();
            shoot(QString("panel-") + panel.name + suffix);
        }
        for (int layers = 1; layers <= 3; ++layers) {
            form->Data().SetLayerFlags(layers);
            form->Input().SoilOpenButtonClick();
            shoot(QString("panel-Soil%1Panel").arg(layers) + suffix);
            form->Input().SaltOpenButtonClick();
            shoot(QString("panel-Salt%1Panel").arg(layers) + suffix);
        }
        form->Input().InpTabShow();
    }
    // The Output page with the salinity table of every layer count and the hydrology table,
    // from the examples run by the batch runner.
    form->resize(QSize(806, 647));
    for (const char* example :
         {"one_layer_monthly", "two_layers_daily", "three_layers_weekly_drained"}) {
        const QString input = dir.filePath(QString(example) + ".inp");
        QFile::copy(QString(HALOSOIL_EXAMPLES) + "/" + example + ".inp", input);
        QProcess::execute(HALOSOIL_BATCH, {"run", input});
        form->OpenFileFromOutside(dir.filePath(QString(example) + ".out"));
        W<OutputPage>("OutputPage")->SeeSaltButtonClick();
        shoot(QString("output-salinity-") + example);
        W<OutputPage>("OutputPage")->FillHydrologyTable();
        shoot(QString("output-hydrology-") + example);
    }
    // The Calibration page after a calibration and an ensemble of the weekly example against
    // its observations, each section in turn.
    form->resize(QSize(1100, 860));
    form->OpenFileFromOutside(QString(HALOSOIL_EXAMPLES) + "/three_layers_weekly_drained.inp");
    form->ShowPage(WindowPage::Calibration);
    auto* page = W<CalibrationPage>("CalibrationPage");
    page->OpenObservationsNamed(QString(HALOSOIL_EXAMPLES) +
                                "/three_layers_weekly_drained_observations.csv");
    auto* parameters = W<ParameterTable>("ParameterTable");
    for (const char* name : {"qh1", "leaching_efficiency_layer1", "groundwater_inflow"})
        parameters->item(parameters->RowOf(name), ParameterTable::NameColumn)
            ->setCheckState(Qt::Checked);
    Click("CalibrateButton");
    page->WaitForStudy();
    Click("EnsembleButton");
    page->WaitForStudy();
    auto* sections = W<QTabWidget>("CalibrationSections");
    for (int section = 0; section < sections->count(); ++section) {
        sections->setCurrentIndex(section);
        shoot(QString("calibration-%1").arg(section));
    }
    W<DrainForm>("DrainForm")->show();
    QApplication::processEvents();
    EXPECT_TRUE(W<DrainForm>("DrainForm")->grab().save(folder + "/drainform.png"));
    W<CloseForm>("CloseForm")->SetOnClosed([] {});
    W<CloseForm>("CloseForm")->show();
    QApplication::processEvents();
    EXPECT_TRUE(W<CloseForm>("CloseForm")->grab().save(folder + "/closeform.png"));
    W<CloseForm>("CloseForm")->hide();
    W<DrainForm>("DrainForm")->hide();
    form->hide();
}

}  // namespace
}  // namespace halosoil::test
