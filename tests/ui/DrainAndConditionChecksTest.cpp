// The checks of the drainage and conditions panels and what a failing Save keeps: the
// drainage depth against the soil profile, the drainage factors, and the silent limits of the
// conditions.
#include "MainFormFixture.h"

namespace halosoil::test {
namespace {

class DrainChecks : public MainFormTest {
protected:
    // A root zone of 1.5 m (one layer) above a transition zone of 2.5 m.
    void OpenDrainage(const QString& depth, const QString& qh1 = "0.01",
                      const QString& qh2 = "0.002") {
        GoToInput();
        form->Data().SetLayerFlags(1);
        form->Data().Thick = {0, 1.5, 9, 9, 2.5, 10};
        form->Input().DrainOpenButtonClick();
        C("DrainPresentCombo")->setCurrentIndex(1);
        W<DrainPanel>("DrainPanel")->DrainPresentComboChange();
        SetText("DrainDepthEdit", depth);
        SetText("DrainQH1Edit", qh1);
        SetText("DrainQH2Edit", qh2);
        dialogs.messages.clear();
    }
    const QString kGreater =
        "The drain depth must be greater than the total thickness of the root zone. Enlarge the "
        "drain depth or reduce the rootzone thickness.";
    const QString kLess =
        "The drain depth must be less than the total thickness of the root zone plus transition "
        "zone. Reduce the drain depth or enlarge the transition zone thickness.";
    const QString kPassed =
        "The data on the subsurface drainage system were saved. Continue with the data on the "
        "Initial Conditions.";
};

TEST_F(DrainChecks, EmptyDepthIsInvalid) {
    OpenDrainage("");
    Click("DrainSaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({"Then depth value is invalid. Please adjust."}));
    EXPECT_EQ(form->Data().DrainDepth, -1);
    EXPECT_FALSE(On("DrainQuitButton"));
    EXPECT_TRUE(Shown("DrainPanel"));
}

TEST_F(DrainChecks, DepthMustLieInTheTransitionZoneBoundsIncluded) {
    OpenDrainage("1.0");
    Click("DrainSaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({kGreater}));
    EXPECT_TRUE(On("DrainQuitButton"));
    EXPECT_TRUE(Shown("DrainPanel"));

    W<DrainPanel>("DrainPanel")->CancelButton()->setEnabled(false);
    SetText("DrainDepthEdit", "4.5");
    Click("DrainSaveButton");
    EXPECT_EQ(LastMessage(), kLess);
    EXPECT_TRUE(On("DrainQuitButton"));

    for (const char* depth : {"1.5", "4.0"}) {
        form->Input().DrainOpenButtonClick();
        SetText("DrainDepthEdit", depth);
        Click("DrainSaveButton");
        EXPECT_EQ(LastMessage(), kPassed) << depth;
        EXPECT_EQ(ShownPanels(), QStringList({"CondPanel"}));
    }
    EXPECT_EQ(form->Data().DrainDepth, 4.0);
    EXPECT_EQ(form->Input().Workflow().SavedDrainChoice(), 1);
}

TEST_F(DrainChecks, BothFactorsEmptyOrZeroAreRefused) {
    const QString kFactors = "The drainage recation factors QH1 and QH2 need to be given a value.";
    OpenDrainage("2", "", "");
    Click("DrainSaveButton");
    EXPECT_EQ(LastMessage(), kFactors);
    SetText("DrainQH1Edit", "0");
    SetText("DrainQH2Edit", "0");
    Click("DrainSaveButton");
    EXPECT_EQ(LastMessage(), kFactors);
    SetText("DrainQH2Edit", "0.003");
    Click("DrainSaveButton");
    EXPECT_EQ(LastMessage(), kPassed);
    EXPECT_EQ(form->Data().QH1, 0);
    EXPECT_EQ(form->Data().QH2, 0.003);
}

TEST_F(DrainChecks, FactorThatIsNotANumberStopsWithTheConversionError) {
    OpenDrainage("2", "x1");
    Click("DrainSaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({"'x1' is not a valid floating point value"}));
    EXPECT_EQ(form->Data().DrainDepth, 2);
}

TEST_F(DrainChecks, NoDrainageSystemPassesWithoutReadingTheFields) {
    OpenDrainage("rubbish", "", "");
    form->Data().DrainDepth = 1.7;
    C("DrainPresentCombo")->setCurrentIndex(0);
    W<DrainPanel>("DrainPanel")->DrainPresentComboChange();
    EXPECT_FALSE(E("DrainDepthEdit")->isEnabled());
    Click("DrainSaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({kPassed}));
    EXPECT_EQ(form->Data().DrainDepth, 1.7);
    EXPECT_FALSE(form->Data().DrainPresent);
}

TEST_F(DrainChecks, CancelReturnsToTheSavedChoice) {
    OpenDrainage("2");
    ASSERT_TRUE(form->Data().DrainPresent);
    W<DrainPanel>("DrainPanel")->CancelButtonClick();
    EXPECT_EQ(C("DrainPresentCombo")->currentText(), "no");
    EXPECT_FALSE(form->Data().DrainPresent);
    EXPECT_FALSE(E("DrainQH1Edit")->isEnabled());
    EXPECT_FALSE(W<QLabel>("DrainDepthLabel")->isEnabled());
    EXPECT_EQ(EnabledGroupButtons(), QStringList({"DrainOpenButton"}));
}

class CondChecks : public MainFormTest {
protected:
    void OpenConditions() {
        GoToInput();
        form->Input().CondOpenButtonClick();
        FillConditions(SampleEntry(1));
        dialogs.messages.clear();
    }
};

TEST_F(CondChecks, EfficiencyAndMoistureAreKeptWithinTheirLimits) {
    OpenConditions();
    SetText("IrrEffEdit", "25");
    SetText("MoistEdit", "10");
    Click("CondSaveButton");
    EXPECT_EQ(form->Data().IrrEff, 30);
    EXPECT_EQ(form->Data().Moist, 20);
    EXPECT_EQ(E("IrrEffEdit")->text(), "25");
    EXPECT_EQ(E("MoistEdit")->text(), "10");
    form->Input().CondOpenButtonClick();
    SetText("IrrEffEdit", "150");
    SetText("MoistEdit", "100.5");
    Click("CondSaveButton");
    EXPECT_EQ(form->Data().IrrEff, 100);
    EXPECT_EQ(form->Data().Moist, 100);
    EXPECT_EQ(form->Data().SaltIrrig, 1.2);
    EXPECT_EQ(form->Data().WTdepth, 1.6);
    EXPECT_EQ(form->Data().CritDepth, 1.8);
    EXPECT_EQ(form->Data().GrwtInf, 0.4);
    EXPECT_EQ(form->Data().GrwtOut, 0.5);
    EXPECT_EQ(form->Data().SalInf, 2);
}

TEST_F(CondChecks, AnEmptyFieldIsInvalidButTheLimitsStillApply) {
    OpenConditions();
    SetText("GrwtOutEdit", "");
    SetText("IrrEffEdit", "150");
    form->Data().GrwtOut = 0.9;
    Click("CondSaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({"There are invalid values. Please adjust."}));
    EXPECT_EQ(form->Data().GrwtOut, 0.9);
    EXPECT_EQ(form->Data().IrrEff, 100);
    EXPECT_EQ(form->Data().SalInf, 2);
    EXPECT_FALSE(form->Input().Workflow().Complete());
    EXPECT_TRUE(Shown("CondPanel"));
}

TEST_F(CondChecks, AFieldThatIsNotANumberStopsWithTheConversionError) {
    OpenConditions();
    SetText("CritDepthEdit", "deep");
    form->Data().IrrEff = 55;
    Click("CondSaveButton");
    EXPECT_EQ(dialogs.messages, QStringList({"'deep' is not a valid floating point value"}));
    EXPECT_EQ(form->Data().GrwtOut, 0.5);  // read before the critical depth
    EXPECT_EQ(form->Data().IrrEff, 55);    // after it: untouched
    EXPECT_FALSE(form->Input().Workflow().Complete());
}

}  // namespace
}  // namespace halosoil::test
