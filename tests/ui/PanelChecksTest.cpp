// The checks of the general, hydrological, soil, salinity and irrigation-salinity panels and
// what a failing Save keeps: conversion errors, empty cells and the soil completeness per
// layer count.
#include <QApplication>
#include <QLabel>

#include "MainFormFixture.h"

namespace halosoil::test {
namespace {

class PanelChecks : public MainFormTest {
protected:
    // The general data saved as they stand and the sample's hydrological data typed in, not
    // yet saved.
    void TypeHydrology() {
        GoToInput();
        Click("GenOpenButton");
        Click("GenSaveButton");
        FillHydro(SampleEntry(1));
    }
};

TEST_F(PanelChecks, GeneralDataWithANumberOfStepsThatIsNotWholeKeepsTheTitles) {
    GoToInput();
    Click("GenOpenButton");
    SetText("Tit1Edit", "Plain");
    SetText("Tit2Edit", "Second");
    SetText("NrTstEdit", "12.5");
    C("TstCombo")->setCurrentIndex(0);
    Click("GenSaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({"'12.5' is not a valid integer value"}));
    EXPECT_EQ(form->Data().Title1, "Plain");
    EXPECT_EQ(form->Data().Title2, "Second");
    EXPECT_EQ(form->Data().NrTst, 11);
    EXPECT_EQ(form->Data().TstLength, 0);
    EXPECT_EQ(ShownPanels(), QStringList({"GenPanel"}));
}

TEST_F(PanelChecks, ANumberOfStepsBeyondTheGridsIsRefusedWithoutHarm) {
    GoToInput();
    Click("GenOpenButton");
    SetText("Tit1Edit", "Huge");
    SetText("NrTstEdit", "100000000");
    Click("GenSaveButton");
    EXPECT_EQ(dialogs.messages,
              QStringList({"The number of time steps is 100000000. It can be at most 50000."}));
    EXPECT_EQ(form->Data().Title1, "Huge");
    EXPECT_EQ(form->Data().NrTst, 11);
    EXPECT_EQ(G("HydrGrid")->RowCount(), 12);
    EXPECT_EQ(ShownPanels(), QStringList({"GenPanel"}));
}

TEST_F(PanelChecks, NoTimeStepsAreStoredAndTheGridsKeepTheirHeader) {
    GoToInput();
    Click("GenOpenButton");
    SetText("NrTstEdit", "-3");
    Click("GenSaveButton");
    EXPECT_EQ(form->Data().NrTst, -3);
    EXPECT_EQ(form->Data().HydrRows, -3);
    EXPECT_EQ(G("HydrGrid")->RowCount(), 1);
    EXPECT_EQ(G("HydrGrid")->Cell(0, 0), "Serial Nr");
}

TEST_F(PanelChecks, FewerStepsHideRowsThatComeBackWithTheirContents) {
    TypeHydrology();
    Type(G("IrrSalGrid"), 1, 8, "1.7");
    Type(G("SaltGrid1"), 2, 9, "3.3");
    Click("HydrSaveButton");
    form->Input().GenOpenButtonClick();
    SetText("NrTstEdit", "5");
    Click("GenSaveButton");
    for (const char* name : {"HydrGrid", "SaltGrid1", "SaltGrid2", "SaltGrid3", "IrrSalGrid"}) {
        EXPECT_EQ(G(name)->RowCount(), 6) << name;
        EXPECT_EQ(G(name)->Cell(0, 5), "5") << name;
    }
    EXPECT_EQ(G("HydrGrid")->Cell(2, 5), "150");
    EXPECT_EQ(form->Data().HydrRows, 5);
    form->Input().GenOpenButtonClick();
    SetText("NrTstEdit", "11");
    Click("GenSaveButton");
    EXPECT_EQ(G("HydrGrid")->RowCount(), 12);
    EXPECT_EQ(G("HydrGrid")->item(11, 3)->text(), "75");
    EXPECT_EQ(G("IrrSalGrid")->item(8, 1)->text(), "1.7");
    EXPECT_EQ(G("SaltGrid1")->item(9, 2)->text(), "3.3");
    EXPECT_EQ(G("SaltGrid2")->item(11, 0)->text(), "11");
}

TEST_F(PanelChecks, MoreStepsThanEverHeldShowEmptyRows) {
    GoToInput();
    Click("GenOpenButton");
    SetText("NrTstEdit", "14");
    Click("GenSaveButton");
    EXPECT_EQ(G("HydrGrid")->RowCount(), 15);
    EXPECT_EQ(G("HydrGrid")->Cell(0, 14), "14");
    EXPECT_EQ(G("HydrGrid")->Cell(1, 14), "");
    EXPECT_EQ(G("IrrSalGrid")->Cell(1, 13), "");
}

TEST_F(PanelChecks, SavingTheSameLayerCountShowsNoLayerMessage) {
    EnterProject(SampleEntry(2));
    dialogs.messages.clear();
    Click("GenOpenButton");
    Click("GenSaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({"The general data were saved."}));
    EXPECT_TRUE(form->Input().Workflow().Complete());
}

TEST_F(PanelChecks, ChangingTheLayerCountAsksForEveryGroupAgain) {
    EnterProject(SampleEntry(2));
    dialogs.messages.clear();
    Click("GenOpenButton");
    C("LayersCombo")->setCurrentIndex(2);
    Click("GenSaveButton");
    EXPECT_EQ(dialogs.messages,
              QStringList({"The number of layers was increased and data must be added. Please "
                           "check and save each data group before using \"Save All\"",
                           "The general data were saved. Continue with the hydrological data."}));
    EXPECT_FALSE(form->Input().Workflow().Complete());
    EXPECT_TRUE(form->Data().ThreeLayers);
    EXPECT_EQ(form->Input().Workflow().SavedLayers(), 3);
    for (const char* cancel : {"HydrQuitButton", "Salt1QuitButton", "Salt2QuitButton",
                               "Salt3QuitButton", "Soil1QuitButton", "Soil2QuitButton",
                               "Soil3QuitButton", "DrainQuitButton", "CondQuitButton"})
        EXPECT_FALSE(On(cancel)) << cancel;
    EXPECT_TRUE(On("GenQuitButton"));
    EXPECT_TRUE(On("IrrSalCancelButton"));
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"HydrOpenButton"}));

    dialogs.messages.clear();
    form->Input().GenOpenButtonClick();
    C("LayersCombo")->setCurrentIndex(0);
    Click("GenSaveButton");
    EXPECT_EQ(dialogs.messages.first(),
              "The number of layers was reduced. Please check and save each data group before "
              "using \"Save All\"");
    EXPECT_TRUE(form->Data().OneLayer);
}

TEST_F(PanelChecks, HydrologicalSaveStopsAtTheFirstRowWithAnEmptyCell) {
    TypeHydrology();
    Type(G("HydrGrid"), 2, 5, "");
    Click("HydrSaveButton");
    EXPECT_EQ(LastMessage(), "There are empty cells, please correct.");
    const InputData& data = form->Data();
    ASSERT_EQ(data.Rain.size(), 12u);
    EXPECT_EQ(data.Irrig[4], 110);
    EXPECT_EQ(data.Evap[4], 150);
    EXPECT_EQ(data.Rain[5], 0);  // row 5 was not stored
    EXPECT_EQ(ShownPanels(), QStringList({"HydrPanel"}));
    EXPECT_FALSE(On("HydrQuitButton"));
}

TEST_F(PanelChecks, HydrologicalCellThatIsNotANumberStopsWithTheConversionError) {
    TypeHydrology();
    Type(G("HydrGrid"), 3, 2, "7o");
    Click("HydrSaveButton");
    EXPECT_EQ(LastMessage(), "'7o' is not a valid floating point value");
    EXPECT_EQ(form->Data().Evap[1], 55);
    EXPECT_EQ(form->Data().Irrig[2], 40);  // stored before the failing cell of its row
    EXPECT_EQ(ShownPanels(), QStringList({"HydrPanel"}));
}

class SoilChecks : public MainFormTest {
protected:
    void OpenSoil(int layers) {
        EnterUpToSoil(SampleEntry(layers));
        dialogs.messages.clear();
    }
    // Types the cells (column, row, text) into the grid of the layer count, saves it, and
    // returns what the Save said.
    QStringList TypeAndSave(int layers,
                            std::initializer_list<std::tuple<int, int, QString>> cells) {
        dialogs.messages.clear();
        StringGrid* grid = G(QString("Soil%1Grid").arg(layers));
        for (const auto& [col, row, text] : cells) Type(grid, col, row, text);
        Click(QString("Soil%1SaveButton").arg(layers));
        return dialogs.messages;
    }
};

TEST_F(SoilChecks, OneLayerWithAnEmptyCellIsInvalidButKeepsTheFilledOnes) {
    OpenSoil(1);
    form->Data().TotPor[Aquif] = 33;
    Type(G("Soil1Grid"), 1, 2, "");
    Type(G("Soil1Grid"), 4, 0, "7.5");
    Click("Soil1SaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({"There are invalid values. Please adjust."}));
    EXPECT_EQ(form->Data().TotPor[Aquif], 33);
    EXPECT_EQ(form->Data().InitSalt[Layer1], 7.5);
    EXPECT_EQ(form->Data().Thick[Aquif], 10);
    EXPECT_EQ(ShownPanels(), QStringList({"Soil1Panel"}));
    Type(G("Soil1Grid"), 1, 2, "38");
    Click("Soil1SaveButton");
    EXPECT_EQ(LastMessage(), "The soil data were saved. Continue with the Salinity data ..");
}

TEST_F(SoilChecks, OneLayerTextStopsAtThatCell) {
    OpenSoil(1);
    Type(G("Soil1Grid"), 2, 1, "ten");
    Click("Soil1SaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({"'ten' is not a valid floating point value"}));
    EXPECT_EQ(form->Data().TotPor[Aquif], 38);  // column 1 was read before column 2
    EXPECT_EQ(form->Data().EffPor[Layer1], 8);
    EXPECT_EQ(form->Data().EffPor[Trans], 0);
}

TEST_F(SoilChecks, TwoLayersMayLeaveTheLeachingEfficiencyOfLayerTwoEmpty) {
    OpenSoil(2);
    Type(G("Soil2Grid"), 3, 1, "");
    Click("Soil2SaveButton");
    EXPECT_EQ(dialogs.messages,
              QStringList({"The soil data were saved. Continue with the Salinity data .."}));
    EXPECT_EQ(form->Data().LeachEff[Layer2], -1);
    EXPECT_EQ(form->Data().LeachEff[Layer1], 80);
    EXPECT_EQ(ShownPanels(), QStringList({"Salt2Panel"}));
}

TEST_F(SoilChecks, TwoLayersWithAnotherEmptyCellIsInvalid) {
    OpenSoil(2);
    Type(G("Soil2Grid"), 4, 1, "");
    Click("Soil2SaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({"There are invalid values. Please adjust."}));
}

TEST_F(SoilChecks, ThreeLayersReportTheFirstIncompleteZone) {
    OpenSoil(3);
    EXPECT_EQ(TypeAndSave(3, {{1, 4, ""}}),
              QStringList({"The soil data for the aquifer are not complete. Calculations "
                           "cannot be done"}));
    EXPECT_FALSE(form->Input().Workflow().SoilComplete());
    EXPECT_EQ(form->Data().TotPor[Aquif], -1);
    EXPECT_EQ(ShownPanels(), QStringList({"Soil3Panel"}));

    EXPECT_EQ(TypeAndSave(3, {{1, 4, "38"}, {0, 1, ""}, {0, 4, ""}}),
              QStringList({"The soil data for the 2nd layer are not complete. Calculations "
                           "cannot be done"}));
    EXPECT_EQ(TypeAndSave(3, {{0, 1, "0.2"}, {0, 4, "10"}, {0, 0, "-1"}}),
              QStringList({"The soil data for the 1st layer are not complete. Calculations "
                           "cannot be done"}));

    // Complete again: the Save passes, but the soil stays marked incomplete until Restart.
    EXPECT_EQ(TypeAndSave(3, {{0, 0, "0.2"}, {3, 3, ""}, {4, 2, ""}}),
              QStringList({"The soil data were saved. Continue with the soil salinity data."}));
    EXPECT_EQ(form->Data().LeachEff[Trans], -1);
    EXPECT_EQ(form->Data().InitSalt[Layer3], -1);
    EXPECT_FALSE(form->Input().Workflow().SoilComplete());
    Click("ReStartButton");
    EXPECT_TRUE(form->Input().Workflow().SoilComplete());
}

TEST_F(SoilChecks, TransitionAndThirdLayerMessages) {
    OpenSoil(3);
    Type(G("Soil3Grid"), 2, 3, "");
    Click("Soil3SaveButton");
    EXPECT_EQ(LastMessage(),
              "The soil data for the transition zone are not complete. Calculations cannot be "
              "done");
    Type(G("Soil3Grid"), 2, 3, "10");
    Type(G("Soil3Grid"), 1, 2, "-1");
    Click("Soil3SaveButton");
    EXPECT_EQ(LastMessage(),
              "The soil data for the 3rd layer are not complete. Calculations cannot be done");
}

TEST_F(SoilChecks, TwoAndThreeLayerSavesOnTheFirstPassDisableTheDrainageCancel) {
    OpenSoil(2);
    W<DrainPanel>("DrainPanel")->CancelButton()->setEnabled(true);
    Click("Soil2SaveButton");
    EXPECT_FALSE(On("DrainQuitButton"));
}

TEST_F(SoilChecks, RootZoneStandsAboveItsLayersWhichAreIndented) {
    OpenSoil(3);
    form->resize(806, 647);
    form->show();
    QApplication::processEvents();
    QWidget* panel = W<SoilPanel>("Soil3Panel");
    auto labelAt = [panel](const QString& text) -> QLabel* {
        for (QLabel* label : panel->findChildren<QLabel*>())
            if (label->text() == text) return label;
        return nullptr;
    };
    QLabel* root = labelAt("Root zone");
    QLabel* first = labelAt("1st layer");
    QLabel* third = labelAt("3rd layer");
    QLabel* transition = labelAt("Transition zone");
    ASSERT_TRUE(root && first && third && transition);
    const auto top = [panel](QWidget* w) { return w->mapTo(panel, QPoint(0, 0)); };
    EXPECT_LT(top(root).y() + root->height(), top(first).y() + 1);
    EXPECT_GT(top(first).x(), top(root).x());
    EXPECT_LT(top(third).y(), top(transition).y());
    EXPECT_EQ(top(transition).x(), top(root).x());
    form->hide();
}

TEST_F(PanelChecks, SalinityCellsThatAreEmptyOrNotNumbersAreMissing) {
    GoToInput();
    form->Input().SaltOpenButtonClick();
    ASSERT_EQ(ShownPanels(), QStringList({"Salt1Panel"}));
    Type(G("SaltGrid1"), 1, 1, "abc");
    Type(G("SaltGrid1"), 2, 2, "3.5");
    Type(G("SaltGrid1"), 3, 11, "1,5");
    Click("Salt1SaveButton");
    EXPECT_EQ(dialogs.messages,
              QStringList({"The salinity data were saved. Continue with the Drainage data.."}));
    const InputData& data = form->Data();
    ASSERT_EQ(data.MeasSalt[Layer1].size(), 12u);
    EXPECT_EQ(data.MeasSalt[Layer1][1], -1);
    EXPECT_EQ(data.MeasSalt[Trans][2], 3.5);
    EXPECT_EQ(data.MeasSalt[Aquif][11], -1);
    EXPECT_EQ(data.MeasSalt[Aquif][5], -1);
    EXPECT_TRUE(data.MeasSalt[Layer2].empty());
}

TEST_F(PanelChecks, IrrigationSalinityRightAfterStartUpStopsAtTheHyphen) {
    GoToInput();
    form->Input().IrrSalButtonClick();
    Click("IrrSalSaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({"'-' is not a valid floating point value"}));
    EXPECT_EQ(ShownPanels(), QStringList({"IrrSalPanel"}));
    Type(G("IrrSalGrid"), 1, 1, "1.1");
    Type(G("IrrSalGrid"), 1, 2, "1.3");
    Type(G("IrrSalGrid"), 1, 3, "");
    Click("IrrSalSaveButton");
    EXPECT_EQ(LastMessage(), "'' is not a valid floating point value");
    EXPECT_EQ(form->Data().IrrSal[1], 1.1);
    EXPECT_EQ(form->Data().IrrSal[2], 1.3);
}

}  // namespace
}  // namespace halosoil::test
