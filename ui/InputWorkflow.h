// The input workflow of the Input page: the seven groups visited in a fixed order the first
// time, which panel is on view, and which group buttons, Cancel buttons and "Save all - Run"
// may be pressed. Every event of the workflow goes through here, and the rules of what each
// event enables are one table (InputWorkflow.cpp); the Input page only shows what this says.
#pragma once

#include <bitset>

namespace halosoil {

// The eleven input panels; the soil and salinity groups have one per layer count.
enum class PanelId {
    None,
    General,
    Hydrology,
    Soil1,
    Soil2,
    Soil3,
    Salt1,
    Salt2,
    Salt3,
    IrrigationSalinity,
    Drainage,
    Conditions,
};

// The seven groups, as their buttons in the input column name them.
enum class InputGroup {
    General,
    Hydrology,
    Soil,
    Salinity,
    IrrigationSalinity,
    Drainage,
    Conditions,
};

// The buttons whose enabling the workflow decides: the seven group buttons, "Save all - Run"
// and the Cancel button of each panel, each named as its objectName without "Button".
enum class WorkflowButton {
    GenOpen,
    HydrOpen,
    SoilOpen,
    SaltOpen,
    IrrSal,
    DrainOpen,
    CondOpen,
    SaveAll,
    GenQuit,
    HydrQuit,
    Soil1Quit,
    Soil2Quit,
    Soil3Quit,
    Salt1Quit,
    Salt2Quit,
    Salt3Quit,
    IrrSalCancel,
    DrainQuit,
    CondQuit,
    Count,
};

inline constexpr int kWorkflowButtons = static_cast<int>(WorkflowButton::Count);

// The panel of a group; the soil and salinity groups show the panel of the layer count.
PanelId PanelOf(InputGroup group, int layers);

class InputWorkflow {
public:
    InputWorkflow() { InitialLayout(); }

    // The window as it is built: only "General data" and "Initial and boundary conditions"
    // may be pressed; of the Cancel buttons only those of the one-layer salinity panel and
    // the irrigation-salinity panel.
    void InitialLayout();
    // Start-up and "Restart": a fresh first pass; the buttons keep their state.
    void Restart();
    void InputPageShown();
    // The equations are a reason to walk the groups again from the general data.
    void MathPageShown();
    // An input file was read: the input is complete and every panel may be cancelled.
    void InputFileOpened();
    // The layer count of a file being read: the panels of that count receive its data.
    void SetSavedLayers(int layers) { savedLayers_ = layers; }

    // A group button was pressed; layers chooses the soil or salinity panel.
    void Opened(InputGroup group, int layers);
    // A panel's Save passed its checks. layers is the layer count of the record after the
    // Save: the general data compare it with the count the panels hold, and the hydrological
    // data show the soil panel of it.
    void Saved(PanelId panel, int layers);
    void Cancelled(PanelId panel);
    // The drainage depth was refused for lying in the root zone or below the transition zone:
    // the panel stays and may be cancelled.
    void DrainageDepthRefused();
    // The three-layer soil data were reported incomplete; the run will show no output.
    void SoilReportedIncomplete() { soilComplete_ = false; }
    // The drainage choice of a successful drainage save or of a file read: 0 "no", 1 "yes".
    void SetSavedDrainChoice(int choice) { savedDrainChoice_ = choice == 1 ? 1 : 0; }

    // Every group has been checked: the group buttons are all enabled whenever no panel is
    // open, and the Saves show the short form of their messages.
    bool Complete() const { return complete_; }
    bool Enabled(WorkflowButton button) const { return enabled_[static_cast<int>(button)]; }
    PanelId Shown() const { return shown_; }
    // The layer count the soil and salinity panels hold: that of the last general-data save
    // or of the file read.
    int SavedLayers() const { return savedLayers_; }
    bool SoilComplete() const { return soilComplete_; }
    int SavedDrainChoice() const { return savedDrainChoice_; }

    // The events and the table of rules that say what each one enables and shows.
    enum class Event;
    struct Rule;

private:
    void Handle(Event event, PanelId panel = PanelId::None, int layers = 1);
    void SetGroupButtons(bool enabled);

    bool complete_ = false;
    std::bitset<kWorkflowButtons> enabled_;
    PanelId shown_ = PanelId::None;
    int savedLayers_ = 1;
    bool soilComplete_ = true;
    int savedDrainChoice_ = 0;
};

}  // namespace halosoil
