// The workflow's rules on their own, without a window: after each event, the whole set of
// buttons that may be pressed, the panel on view and whether the input is complete.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InputWorkflow.h"

namespace halosoil {
namespace {

using B = WorkflowButton;
using P = PanelId;
using G = InputGroup;

const char* const kButtonNames[kWorkflowButtons] = {
    "GenOpen",   "HydrOpen",  "SoilOpen",     "SaltOpen",  "IrrSal",    "DrainOpen", "CondOpen",
    "SaveAll",   "GenQuit",   "HydrQuit",     "Soil1Quit", "Soil2Quit", "Soil3Quit", "Salt1Quit",
    "Salt2Quit", "Salt3Quit", "IrrSalCancel", "DrainQuit", "CondQuit"};

using Names = std::vector<std::string>;

Names Enabled(const InputWorkflow& workflow) {
    Names names;
    for (int index = 0; index < kWorkflowButtons; ++index)
        if (workflow.Enabled(static_cast<WorkflowButton>(index)))
            names.push_back(kButtonNames[index]);
    return names;
}

const Names kAllGroups = {"GenOpen", "HydrOpen",  "SoilOpen", "SaltOpen",
                          "IrrSal",  "DrainOpen", "CondOpen", "SaveAll"};

Names Join(Names first, const Names& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The first pass through the seven groups with a layer count, as the user makes it: each
// group opened from its button is saved.
void FirstPass(InputWorkflow& workflow, int layers) {
    workflow.Opened(G::General, 1);
    workflow.Saved(P::General, layers);
    workflow.Saved(P::Hydrology, layers);
    workflow.Saved(PanelOf(G::Soil, layers), layers);
    workflow.Saved(PanelOf(G::Salinity, layers), layers);
    workflow.Saved(P::IrrigationSalinity, layers);
    workflow.Saved(P::Drainage, layers);
    workflow.Saved(P::Conditions, layers);
}

TEST(InputWorkflow, TheWindowStartsWithGeneralDataAndConditionsOnly) {
    InputWorkflow workflow;
    EXPECT_EQ(Enabled(workflow), Names({"GenOpen", "CondOpen", "Salt1Quit", "IrrSalCancel"}));
    EXPECT_EQ(workflow.Shown(), P::None);
    EXPECT_FALSE(workflow.Complete());
    EXPECT_EQ(workflow.SavedLayers(), 1);
}

// Each first-pass Save disables the group buttons, enables its own Cancel and the next group,
// and shows the next panel.
TEST(InputWorkflow, FirstPassWalksTheGroupsInTheirOrder) {
    InputWorkflow workflow;
    workflow.Opened(G::General, 1);
    EXPECT_EQ(Enabled(workflow), Names({"Salt1Quit", "IrrSalCancel"}));
    EXPECT_EQ(workflow.Shown(), P::General);

    // The general data's first save disables every Cancel but the irrigation-salinity one.
    workflow.Saved(P::General, 1);
    EXPECT_EQ(Enabled(workflow), Names({"HydrOpen", "GenQuit", "IrrSalCancel"}));
    EXPECT_EQ(workflow.Shown(), P::Hydrology);

    workflow.Saved(P::Hydrology, 1);
    EXPECT_EQ(Enabled(workflow), Names({"SoilOpen", "GenQuit", "HydrQuit", "IrrSalCancel"}));
    EXPECT_EQ(workflow.Shown(), P::Soil1);

    workflow.Saved(P::Soil1, 1);
    EXPECT_EQ(Enabled(workflow),
              Names({"SaltOpen", "GenQuit", "HydrQuit", "Soil1Quit", "IrrSalCancel"}));
    EXPECT_EQ(workflow.Shown(), P::Salt1);

    workflow.Saved(P::Salt1, 1);
    EXPECT_EQ(Enabled(workflow),
              Names({"IrrSal", "GenQuit", "HydrQuit", "Soil1Quit", "Salt1Quit", "IrrSalCancel"}));
    EXPECT_EQ(workflow.Shown(), P::IrrigationSalinity);

    // The irrigation salinity also enables the drainage Cancel.
    workflow.Saved(P::IrrigationSalinity, 1);
    EXPECT_EQ(Enabled(workflow), Names({"DrainOpen", "GenQuit", "HydrQuit", "Soil1Quit",
                                        "Salt1Quit", "IrrSalCancel", "DrainQuit"}));
    EXPECT_EQ(workflow.Shown(), P::Drainage);

    workflow.Saved(P::Drainage, 1);
    EXPECT_EQ(Enabled(workflow), Names({"CondOpen", "GenQuit", "HydrQuit", "Soil1Quit", "Salt1Quit",
                                        "IrrSalCancel", "DrainQuit"}));
    EXPECT_EQ(workflow.Shown(), P::Conditions);
    EXPECT_FALSE(workflow.Complete());

    workflow.Saved(P::Conditions, 1);
    EXPECT_EQ(Enabled(workflow), Join(kAllGroups, {"GenQuit", "HydrQuit", "Soil1Quit", "Salt1Quit",
                                                   "IrrSalCancel", "DrainQuit", "CondQuit"}));
    EXPECT_EQ(workflow.Shown(), P::None);
    EXPECT_TRUE(workflow.Complete());
}

TEST(InputWorkflow, TheSoilAndSalinityPanelsAreThoseOfTheLayerCount) {
    for (int layers = 1; layers <= 3; ++layers) {
        InputWorkflow workflow;
        workflow.Opened(G::General, 1);
        workflow.Saved(P::General, layers);
        workflow.Saved(P::Hydrology, layers);
        EXPECT_EQ(workflow.Shown(), PanelOf(G::Soil, layers));
        workflow.Saved(PanelOf(G::Soil, layers), layers);
        EXPECT_EQ(workflow.Shown(), PanelOf(G::Salinity, layers));
        EXPECT_TRUE(workflow.Enabled(static_cast<B>(static_cast<int>(B::Soil1Quit) + layers - 1)));
        workflow.Opened(G::Salinity, layers);
        EXPECT_EQ(workflow.Shown(), PanelOf(G::Salinity, layers));
    }
    EXPECT_EQ(PanelOf(G::Soil, 3), P::Soil3);
    EXPECT_EQ(PanelOf(G::Salinity, 2), P::Salt2);
}

// Once complete, every Save leaves all group buttons enabled and still shows the next panel,
// except the irrigation salinity, which shows none.
TEST(InputWorkflow, OnceCompleteTheSavesKeepEveryGroupEnabled) {
    const struct {
        P saved;
        P next;
    } kSaves[] = {{P::General, P::Hydrology},
                  {P::Hydrology, P::Soil2},
                  {P::Soil2, P::Salt2},
                  {P::Salt2, P::IrrigationSalinity},
                  {P::IrrigationSalinity, P::None},
                  {P::Drainage, P::Conditions},
                  {P::Conditions, P::None}};
    for (const auto& save : kSaves) {
        InputWorkflow workflow;
        FirstPass(workflow, 2);
        workflow.Saved(save.saved, 2);
        EXPECT_TRUE(workflow.Complete());
        for (int index = 0; index < 8; ++index)
            EXPECT_TRUE(workflow.Enabled(static_cast<B>(index))) << kButtonNames[index];
        EXPECT_EQ(workflow.Shown(), save.next) << static_cast<int>(save.saved);
    }
}

TEST(InputWorkflow, OpeningAGroupDisablesTheGroupButtonsButIrrigationSalinityKeepsItsOwn) {
    InputWorkflow workflow;
    FirstPass(workflow, 1);
    workflow.Opened(G::Drainage, 1);
    EXPECT_EQ(workflow.Shown(), P::Drainage);
    for (int index = 0; index < 8; ++index)
        EXPECT_FALSE(workflow.Enabled(static_cast<B>(index))) << kButtonNames[index];
    workflow.Opened(G::IrrigationSalinity, 1);
    EXPECT_EQ(workflow.Shown(), P::IrrigationSalinity);
    EXPECT_TRUE(workflow.Enabled(B::IrrSal));
    EXPECT_FALSE(workflow.Enabled(B::SaveAll));
    // The Cancels keep their state through the opening.
    EXPECT_TRUE(workflow.Enabled(B::DrainQuit));
}

// A Cancel closes the panel: settled group buttons with the cancelled group's own enabled.
TEST(InputWorkflow, CancelOnTheFirstPassEnablesOnlyTheCancelledGroup) {
    const struct {
        P panel;
        const char* own;
    } kCancels[] = {{P::General, "GenOpen"},   {P::Hydrology, "HydrOpen"}, {P::Soil1, "SoilOpen"},
                    {P::Soil2, "SoilOpen"},    {P::Salt1, "SaltOpen"},     {P::Salt3, "SaltOpen"},
                    {P::Drainage, "DrainOpen"}};
    for (const auto& cancel : kCancels) {
        InputWorkflow workflow;
        workflow.Opened(G::General, 1);
        workflow.Cancelled(cancel.panel);
        EXPECT_EQ(Enabled(workflow), Names({cancel.own, "Salt1Quit", "IrrSalCancel"}))
            << cancel.own;
        EXPECT_EQ(workflow.Shown(), P::None);
    }
}

TEST(InputWorkflow, CancelOnceCompleteEnablesEveryGroup) {
    for (P panel : {P::General, P::Hydrology, P::Soil3, P::Salt2, P::IrrigationSalinity,
                    P::Drainage, P::Conditions}) {
        InputWorkflow workflow;
        FirstPass(workflow, 1);
        workflow.Opened(G::General, 1);
        workflow.Cancelled(panel);
        for (int index = 0; index < 8; ++index)
            EXPECT_TRUE(workflow.Enabled(static_cast<B>(index))) << kButtonNames[index];
        EXPECT_EQ(workflow.Shown(), P::None);
    }
}

// On the first pass the irrigation-salinity Cancel moves on to the drainage panel as its Save
// does, and the conditions' Cancel enables the groups but not "Save all - Run".
TEST(InputWorkflow, FirstPassCancelsOfIrrigationSalinityAndConditions) {
    InputWorkflow irrigation;
    irrigation.Opened(G::IrrigationSalinity, 1);
    irrigation.Cancelled(P::IrrigationSalinity);
    EXPECT_EQ(Enabled(irrigation), Names({"DrainOpen", "Salt1Quit", "IrrSalCancel"}));
    EXPECT_EQ(irrigation.Shown(), P::Drainage);

    InputWorkflow conditions;
    conditions.Opened(G::Conditions, 1);
    conditions.Cancelled(P::Conditions);
    EXPECT_EQ(Enabled(conditions), Names({"GenOpen", "HydrOpen", "SoilOpen", "SaltOpen", "IrrSal",
                                          "DrainOpen", "CondOpen", "Salt1Quit", "IrrSalCancel"}));
    EXPECT_FALSE(conditions.Complete());
}

TEST(InputWorkflow, TheThreeLayerSoilCancelEnablesTheOtherSoilCancelsAndItsSalinityCancel) {
    InputWorkflow workflow;
    workflow.Opened(G::General, 1);
    workflow.Saved(P::General, 3);
    workflow.Cancelled(P::Soil3);
    EXPECT_EQ(Enabled(workflow), Names({"SoilOpen", "GenQuit", "Soil1Quit", "Soil2Quit",
                                        "Salt3Quit", "IrrSalCancel"}));
}

TEST(InputWorkflow, ASoilSaveOfSeveralLayersOnTheFirstPassDisablesTheDrainageCancel) {
    for (int layers = 1; layers <= 3; ++layers) {
        InputWorkflow workflow;
        workflow.InputFileOpened();
        workflow.MathPageShown();
        workflow.Saved(PanelOf(G::Soil, layers), layers);
        EXPECT_EQ(workflow.Enabled(B::DrainQuit), layers == 1) << layers;
    }
}

// A fresh workflow whose first pass has reached the drainage group.
InputWorkflow AtDrainage() {
    InputWorkflow workflow;
    workflow.Opened(G::Drainage, 1);
    return workflow;
}

TEST(InputWorkflow, ARefusedDrainageDepthEnablesTheDrainageCancelAndKeepsThePanel) {
    InputWorkflow workflow = AtDrainage();
    workflow.DrainageDepthRefused();
    EXPECT_EQ(Enabled(workflow), Names({"Salt1Quit", "IrrSalCancel", "DrainQuit"}));
    EXPECT_EQ(workflow.Shown(), P::Drainage);
}

TEST(InputWorkflow, AFileOpenedCompletesTheInputAndEnablesEveryCancel) {
    InputWorkflow workflow;
    workflow.InputFileOpened();
    EXPECT_TRUE(workflow.Complete());
    EXPECT_EQ(workflow.Shown(), P::General);
    // "General data" keeps its state: only the six after it are enabled by the opening.
    EXPECT_EQ(
        Enabled(workflow),
        Join(kAllGroups, {"GenQuit", "HydrQuit", "Soil1Quit", "Soil2Quit", "Soil3Quit", "Salt1Quit",
                          "Salt2Quit", "Salt3Quit", "IrrSalCancel", "DrainQuit", "CondQuit"}));
    InputWorkflow withGeneralOpen;
    withGeneralOpen.Opened(G::General, 1);
    withGeneralOpen.InputFileOpened();
    EXPECT_FALSE(withGeneralOpen.Enabled(B::GenOpen));
    EXPECT_TRUE(withGeneralOpen.Enabled(B::HydrOpen));
}

TEST(InputWorkflow, TheInputPageEnablesGeneralDataAndTheOthersAsTheInputIsComplete) {
    InputWorkflow fresh = AtDrainage();
    fresh.InputPageShown();
    EXPECT_EQ(Enabled(fresh), Names({"GenOpen", "Salt1Quit", "IrrSalCancel"}));
    EXPECT_EQ(fresh.Shown(), P::None);

    InputWorkflow complete;
    FirstPass(complete, 1);
    complete.Opened(G::Soil, 1);
    complete.InputPageShown();
    // "Save all - Run" stays as the opening left it.
    EXPECT_EQ(Enabled(complete), Join({"GenOpen", "HydrOpen", "SoilOpen", "SaltOpen", "IrrSal",
                                       "DrainOpen", "CondOpen"},
                                      {"GenQuit", "HydrQuit", "Soil1Quit", "Salt1Quit",
                                       "IrrSalCancel", "DrainQuit", "CondQuit"}));
}

TEST(InputWorkflow, TheMathPageSendsTheUserThroughTheGroupsAgain) {
    InputWorkflow workflow;
    FirstPass(workflow, 1);
    const Names before = Enabled(workflow);
    workflow.MathPageShown();
    EXPECT_FALSE(workflow.Complete());
    EXPECT_EQ(Enabled(workflow), before);
    workflow.InputPageShown();
    EXPECT_TRUE(workflow.Enabled(B::GenOpen));
    EXPECT_FALSE(workflow.Enabled(B::HydrOpen));
    EXPECT_TRUE(workflow.Enabled(B::SaveAll));
}

TEST(InputWorkflow, ANewLayerCountMakesTheInputIncompleteAgain) {
    InputWorkflow same;
    FirstPass(same, 2);
    same.Saved(P::General, 2);
    EXPECT_TRUE(same.Complete());

    InputWorkflow changed;
    FirstPass(changed, 2);
    changed.Opened(G::General, 2);
    changed.Saved(P::General, 3);
    EXPECT_FALSE(changed.Complete());
    EXPECT_EQ(changed.SavedLayers(), 3);
    EXPECT_EQ(Enabled(changed), Names({"HydrOpen", "GenQuit", "IrrSalCancel"}));
}

TEST(InputWorkflow, RestartStartsAFreshPassAndKeepsTheButtons) {
    InputWorkflow workflow;
    FirstPass(workflow, 3);
    workflow.SoilReportedIncomplete();
    workflow.SetSavedDrainChoice(1);
    workflow.Opened(G::Hydrology, 3);
    const Names before = Enabled(workflow);
    workflow.Restart();
    EXPECT_FALSE(workflow.Complete());
    EXPECT_EQ(workflow.Shown(), P::None);
    EXPECT_EQ(Enabled(workflow), before);
    EXPECT_EQ(workflow.SavedLayers(), 1);
    EXPECT_TRUE(workflow.SoilComplete());
    EXPECT_EQ(workflow.SavedDrainChoice(), 0);
}

}  // namespace
}  // namespace halosoil
