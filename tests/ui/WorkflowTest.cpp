// The main window's start-up, the enabling of the group buttons, the first pass through the
// seven groups with its long messages and the short messages afterwards, "Restart" and the
// Math page.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <functional>

#include "CondPanel.h"
#include "DrainForm.h"
#include "MainFormFixture.h"

namespace halosoil::test {
namespace {

using Workflow = MainFormTest;

const QStringList kAllGroupButtons = {"GenOpenButton",  "HydrOpenButton", "SoilOpenButton",
                                      "SaltOpenButton", "IrrSalButton",   "DrainOpenButton",
                                      "CondOpenButton", "SaveAllButton"};

TEST_F(Workflow, StartsOnTheIntroPageWithTheInitialLayout) {
    EXPECT_EQ(form->windowTitle(), "HalosoilS, soil salinity and water table model");
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "IntroTab");
    QStringList captions;
    for (int i = 0; i < Pages()->count(); ++i) captions << Pages()->tabText(i);
    EXPECT_EQ(captions, QStringList({"Intro", "Math", "Figure", "Input", "Output", "Graphs",
                                     "Calibration", "Region"}));
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"GenOpenButton", "CondOpenButton"}));
    EXPECT_TRUE(ShownPanels().isEmpty());
    EXPECT_TRUE(W<QLabel>("FileLabel")->isHidden());
    EXPECT_TRUE(W<QLabel>("NameLabel")->text().isEmpty());
    EXPECT_TRUE(W<QProgressBar>("ProgressBar")->isHidden());
    EXPECT_TRUE(On("Salt1QuitButton"));
    EXPECT_TRUE(On("IrrSalCancelButton"));
    for (const char* cancel : {"GenQuitButton", "HydrQuitButton", "Soil1QuitButton",
                               "Soil2QuitButton", "Soil3QuitButton", "Salt2QuitButton",
                               "Salt3QuitButton", "DrainQuitButton", "CondQuitButton"})
        EXPECT_FALSE(On(cancel)) << cancel;
    EXPECT_EQ(C("DrainPresentCombo")->currentText(), "no");
    EXPECT_FALSE(E("DrainDepthEdit")->isEnabled());
    EXPECT_FALSE(W<QLabel>("DrainQH2Label")->isEnabled());
    EXPECT_EQ(E("NrTstEdit")->text(), "11");
    EXPECT_EQ(C("TstCombo")->currentText(), "Month");
    EXPECT_EQ(C("LayersCombo")->currentText(), "1");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Workflow, StartUpSetsTheGridHeadersAndRows) {
    EXPECT_EQ(G("HydrGrid")->RowCount(), 12);
    EXPECT_EQ(G("SaltGrid3")->RowCount(), 12);
    ExpectCells({
        {"HydrGrid", 0, 0, "Serial Nr"},
        {"HydrGrid", 1, 0, "mm/timestep"},
        {"HydrGrid", 3, 0, "mm/timestep"},
        {"HydrGrid", 0, 11, "11"},
        {"SaltGrid1", 0, 0, "Serial Nr"},
        {"SaltGrid1", 2, 0, "(dS/m)"},
        {"SaltGrid2", 0, 0, ""},
        {"SaltGrid2", 4, 0, "dS/m"},
        {"SaltGrid3", 3, 0, "(dS/m)"},
        {"SaltGrid3", 4, 0, ""},
        {"SaltGrid3", 5, 0, "dS/m"},
        {"IrrSalGrid", 0, 0, "Serial Nr"},
        {"IrrSalGrid", 1, 0, " dS/m"},
        {"IrrSalGrid", 1, 1, "-"},
        {"IrrSalGrid", 1, 11, "-"},
        {"IrrSalGrid", 0, 7, "7"},
    });
    EXPECT_EQ(G("Soil1Grid")->RowCount(), 3);
    EXPECT_EQ(G("Soil3Grid")->RowCount(), 5);
    EXPECT_EQ(G("Soil3Grid")->ColCount(), 5);
    EXPECT_EQ(form->Data().NrTst, 11);
    EXPECT_EQ(form->Data().HydrRows, 11);
    EXPECT_FALSE(form->Input().Workflow().Complete());
}

TEST_F(Workflow, FirstOpeningOfTheInputPageEnablesOnlyGeneralData) {
    GoToInput();
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"GenOpenButton"}));
    Click("GenOpenButton");
    EXPECT_EQ(ShownPanels(), QStringList({"GenPanel"}));
    EXPECT_TRUE(EnabledGroupButtons().isEmpty());
}

// Each Save of the first pass: its long message, the buttons it enables, the panel it shows.
TEST_F(Workflow, FirstPassLeadsThroughTheGroupsInOrder) {
    const ProjectEntry e = SampleEntry(1);
    const struct {
        std::function<void()> fill;
        const char* save;
        QString message;
        QStringList enabledGroups;
        QStringList cancelsOn;
        QStringList cancelsOff;
        QStringList shown;
    } kSteps[] = {
        // The measured salinities' cancel stays disabled while the input is incomplete.
        {[&] { FillGeneral(e); },
         "GenSaveButton",
         "The general data were saved. Continue with the hydrological data.",
         {"HydrOpenButton"},
         {"GenQuitButton", "IrrSalCancelButton"},
         {"Salt1QuitButton"},
         {"HydrPanel"}},
        {[&] { FillHydro(e); },
         "HydrSaveButton",
         "The hydrological data were saved. Continue with the Soil properties.",
         {"SoilOpenButton"},
         {"HydrQuitButton"},
         {},
         {"Soil1Panel"}},
        {[&] { FillSoil(e); },
         "Soil1SaveButton",
         "The soil data were saved. Continue with the Salinity data ..",
         {"SaltOpenButton"},
         {"Soil1QuitButton"},
         {},
         {"Salt1Panel"}},
        {nullptr,
         "Salt1SaveButton",
         "The salinity data were saved. Continue with the Drainage data..",
         {"IrrSalButton"},
         {"Salt1QuitButton"},
         {"DrainQuitButton"},
         {"IrrSalPanel"}},
        {[&] { FillIrrSal(e); },
         "IrrSalSaveButton",
         "The salinity irrigation water was saved. Continue with the Drainage system.",
         {"DrainOpenButton"},
         {"IrrSalCancelButton", "DrainQuitButton"},
         {},
         {"DrainPanel"}},
        {nullptr,
         "DrainSaveButton",
         "The data on the subsurface drainage system were saved. Continue with the data on "
         "the Initial Conditions.",
         {"CondOpenButton"},
         {"DrainQuitButton"},
         {"CondQuitButton"},
         {"CondPanel"}},
        {[&] { FillConditions(e); },
         "CondSaveButton",
         "The data on the initial conditions were saved. Use \"Save all\" to do the "
         "calculations.",
         kAllGroupButtons,
         {"CondQuitButton"},
         {},
         {}},
    };
    GoToInput();
    Click("GenOpenButton");
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.save);
        if (step.fill) step.fill();
        Click(step.save);
        EXPECT_EQ(LastMessage(), step.message);
        EXPECT_EQ(EnabledGroupButtons(), step.enabledGroups);
        for (const QString& cancel : step.cancelsOn)
            EXPECT_TRUE(On(cancel)) << cancel.toStdString();
        for (const QString& cancel : step.cancelsOff)
            EXPECT_FALSE(On(cancel)) << cancel.toStdString();
        EXPECT_EQ(ShownPanels(), step.shown);
    }
    EXPECT_TRUE(form->Input().Workflow().Complete());
    EXPECT_EQ(dialogs.messages.size(), 7);
}

TEST_F(Workflow, SalinityMessageOfTwoAndThreeLayersHasABlankBeforeTheDots) {
    for (int layers : {2, 3}) {
        EnterProject(SampleEntry(layers));
        EXPECT_TRUE(dialogs.messages.contains(
            "The salinity data were saved. Continue with the Drainage data .."))
            << layers;
        dialogs.messages.clear();
        form->FormCreate();
    }
}

TEST_F(Workflow, ThreeLayerSoilSaveAsksForTheSoilSalinityData) {
    EnterProject(SampleEntry(3));
    EXPECT_TRUE(dialogs.messages.contains(
        "The soil data were saved. Continue with the soil salinity data."));
}

// Once the input is complete every Save gives its short message, all buttons stay enabled
// and the next panel still follows (but none after the irrigation salinity).
TEST_F(Workflow, AfterCompletionSavesGiveShortMessages) {
    EnterProject(SampleEntry(1));
    dialogs.messages.clear();
    const struct {
        const char* open;
        const char* save;
        const char* message;
        QStringList next;
    } kSteps[] = {
        {"GenOpenButton", "GenSaveButton", "The general data were saved.", {"HydrPanel"}},
        {"HydrOpenButton", "HydrSaveButton", "The hydrological data were saved.", {"Soil1Panel"}},
        {"SoilOpenButton",
         "Soil1SaveButton",
         "The data on Soil properties were saved.",
         {"Salt1Panel"}},
        {"SaltOpenButton", "Salt1SaveButton", "The salinity data were saved.", {"IrrSalPanel"}},
        {"IrrSalButton", "IrrSalSaveButton", "The salinity irrigation water was saved.", {}},
        {"DrainOpenButton",
         "DrainSaveButton",
         "The data on the Subsurface Drainage System were saved.",
         {"CondPanel"}},
        {"CondOpenButton", "CondSaveButton", "The data on the Initial Conditions were saved.", {}},
    };
    for (const auto& step : kSteps) {
        Click(step.open);
        EXPECT_EQ(ShownPanels().size(), 1) << step.open;
        Click(step.save);
        EXPECT_EQ(LastMessage(), step.message);
        EXPECT_EQ(EnabledGroupButtons(), kAllGroupButtons) << step.save;
        EXPECT_EQ(ShownPanels(), step.next) << step.save;
    }
    EXPECT_EQ(dialogs.messages.size(), 7);
}

TEST_F(Workflow, ShortSoilMessagesOfTwoAndThreeLayers) {
    for (int layers : {2, 3}) {
        EnterProject(SampleEntry(layers));
        Click("SoilOpenButton");
        Click(QString("Soil%1SaveButton").arg(layers));
        EXPECT_EQ(LastMessage(), "The soil data were saved.");
        EXPECT_EQ(EnabledGroupButtons(), kAllGroupButtons);
        form->FormCreate();
    }
}

TEST_F(Workflow, OpeningAGroupDisablesTheButtonsExceptIrrigationSalinity) {
    EnterProject(SampleEntry(2));
    Click("SoilOpenButton");
    EXPECT_EQ(ShownPanels(), QStringList({"Soil2Panel"}));
    EXPECT_TRUE(EnabledGroupButtons().isEmpty());
    Click("Soil2QuitButton");
    Click("SaltOpenButton");
    EXPECT_EQ(ShownPanels(), QStringList({"Salt2Panel"}));
    Click("Salt2QuitButton");
    Click("IrrSalButton");
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"IrrSalButton"}));
    // The irrigation-salinity panel can be left by opening another group.
    Click("IrrSalButton");
    EXPECT_EQ(ShownPanels(), QStringList({"IrrSalPanel"}));
}

TEST_F(Workflow, CancelsCloseTheirPanelAndReenableTheirGroup) {
    GoToInput();
    Click("GenOpenButton");
    C("LayersCombo")->setCurrentIndex(2);
    SetText("Tit1Edit", "typed");
    W<GenPanel>("GenPanel")->CancelButtonClick();
    EXPECT_EQ(C("LayersCombo")->currentText(), "1");
    EXPECT_EQ(E("Tit1Edit")->text(), "typed");
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"GenOpenButton"}));
    EXPECT_TRUE(ShownPanels().isEmpty());
    EXPECT_TRUE(form->Data().Title1.empty());
}

TEST_F(Workflow, IrrigationSalinityCancelOnTheFirstPassMovesToDrainage) {
    GoToInput();
    Click("IrrSalButton");  // disabled: nothing happens
    EXPECT_TRUE(ShownPanels().isEmpty());
    form->Input().IrrSalButtonClick();
    Click("IrrSalCancelButton");
    EXPECT_EQ(ShownPanels(), QStringList({"DrainPanel"}));
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"DrainOpenButton"}));
}

TEST_F(Workflow, ConditionsCancelOnTheFirstPassLeavesSaveAllDisabled) {
    GoToInput();
    form->Input().CondOpenButtonClick();
    Click("CondQuitButton");  // disabled in the initial layout
    EXPECT_TRUE(Shown("CondPanel"));
    W<CondPanel>("CondPanel")->CancelButtonClick();
    QStringList groups = kAllGroupButtons;
    groups.removeLast();
    EXPECT_EQ(EnabledGroupButtons(), groups);
    EXPECT_TRUE(ShownPanels().isEmpty());
    EXPECT_FALSE(form->Input().Workflow().Complete());
}

TEST_F(Workflow, SoilThreeCancelEnablesTheOtherSoilCancelsAndSalinityThree) {
    GoToInput();
    W<SoilPanel>("Soil3Panel")->CancelButtonClick();
    EXPECT_TRUE(On("Soil1QuitButton"));
    EXPECT_TRUE(On("Soil2QuitButton"));
    EXPECT_TRUE(On("Salt3QuitButton"));
    EXPECT_FALSE(On("Salt2QuitButton"));
    EXPECT_FALSE(On("Soil3QuitButton"));
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"SoilOpenButton"}));
}

TEST_F(Workflow, MathPageClearsInputCompleteAndLeavesSaveAllAsItWas) {
    EnterProject(SampleEntry(1));
    Pages()->setCurrentIndex(1);
    EXPECT_FALSE(form->Input().Workflow().Complete());
    GoToInput();
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"GenOpenButton", "SaveAllButton"}));
    // The groups are walked again: the next Save is a first-pass one.
    Click("GenOpenButton");
    Click("GenSaveButton");
    EXPECT_EQ(LastMessage(), "The general data were saved. Continue with the hydrological data.");
}

TEST_F(Workflow, InputPageShownHidesPanelsAndEnablesByCompleteness) {
    EnterProject(SampleEntry(1));
    Click("HydrOpenButton");
    Pages()->setCurrentIndex(0);
    GoToInput();
    EXPECT_TRUE(ShownPanels().isEmpty());
    QStringList groups = kAllGroupButtons;
    groups.removeLast();  // "Save all - Run" is left as it was: disabled by the open panel
    EXPECT_EQ(EnabledGroupButtons(), groups);
}

TEST_F(Workflow, RestartKeepsFieldsAndEmptiesTheTimeStepGrids) {
    ProjectEntry e = SampleEntry(2);
    e.nrTst = 11;
    EnterProject(e);
    Type(G("SaltGrid2"), 4, 3, "2.5");
    Click("ReStartButton");
    EXPECT_EQ(Pages()->currentWidget()->objectName(), "IntroTab");
    EXPECT_FALSE(form->Input().Workflow().Complete());
    EXPECT_EQ(form->Input().Workflow().SavedLayers(), 1);
    EXPECT_FALSE(form->Data().DrainPresent);
    EXPECT_EQ(C("DrainPresentCombo")->currentText(), "yes");  // the choice shown stays
    EXPECT_EQ(E("Tit1Edit")->text(), "Test plain");
    EXPECT_EQ(E("WTdepthEdit")->text(), "1.6");
    EXPECT_EQ(E("DrainDepthEdit")->text(), "1.5");
    EXPECT_EQ(G("Soil2Grid")->Cell(0, 1), "0.3");
    EXPECT_EQ(E("NrTstEdit")->text(), "11");
    EXPECT_EQ(C("LayersCombo")->currentText(), "1");
    for (int row = 1; row <= 11; ++row) {
        for (int col = 1; col <= 3; ++col) {
            EXPECT_EQ(G("HydrGrid")->Cell(col, row), "");
            EXPECT_EQ(G("SaltGrid2")->Cell(col, row), "");
        }
        EXPECT_EQ(G("IrrSalGrid")->Cell(1, row), "-");
    }
    // The further salinity column is not part of start-up.
    EXPECT_EQ(G("SaltGrid2")->Cell(4, 3), "2.5");
    GoToInput();
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"GenOpenButton", "SaveAllButton"}));
}

TEST_F(Workflow, DrainageHelpShowsTheExplanationUntilSaveOrCancel) {
    EnterProject(SampleEntry(1));
    Click("DrainOpenButton");
    Click("DrainHelpButton");
    EXPECT_TRUE(W<DrainForm>("DrainForm")->isVisible());
    EXPECT_EQ(W<DrainForm>("DrainForm")->windowTitle(), "Explanation subsurface drainage");
    EXPECT_FALSE(W<DrainForm>("DrainForm")->isModal());
    Click("DrainQuitButton");
    EXPECT_FALSE(W<DrainForm>("DrainForm")->isVisible());
    Click("DrainOpenButton");
    Click("DrainHelpButton");
    Click("DrainSaveButton");
    EXPECT_FALSE(W<DrainForm>("DrainForm")->isVisible());
}

TEST_F(Workflow, AnActionThatRunsOutOfMemoryEndsWithAMessage) {
    form->Guarded([] { throw std::bad_alloc(); });
    EXPECT_EQ(dialogs.messages, QStringList({"There is not enough memory for this action."}));
}

}  // namespace
}  // namespace halosoil::test
