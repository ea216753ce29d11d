#include "InputWorkflow.h"

#include <initializer_list>

namespace halosoil {

namespace {

using Buttons = std::bitset<kWorkflowButtons>;
using B = WorkflowButton;

Buttons Of(std::initializer_list<WorkflowButton> buttons) {
    Buttons set;
    for (WorkflowButton button : buttons) set.set(static_cast<int>(button));
    return set;
}

}  // namespace

enum class InputWorkflow::Event {
    InitialLayout,
    Restart,
    InputPageShown,
    MathPageShown,
    InputFileOpened,
    Opened,
    Saved,
    Cancelled,
    DrainageDepthRefused,
};

namespace {

using Event = InputWorkflow::Event;

// Whether a rule holds on the first pass, once the input is complete, or always.
enum class When { Always, FirstPass, Complete };

// What a rule does to the seven group buttons and "Save all - Run" as a whole, before it
// enables or disables single buttons. Settling enables them all when the input is complete and
// disables them all on the first pass.
enum class Groups { Keep, DisableGroupButtons, EnableGroupButtons, SettleGroupButtons };

enum class Completion { Keep, Set, Clear };

// The panel on view after a rule: the same, none, a given one, the one just opened, or the
// soil panel of the layer count.
enum class Next { Stay, HidePanels, Panel, OpenedPanel, SoilPanelOfTheLayers };

struct NextPanel {
    Next next = Next::Stay;
    PanelId panel = PanelId::None;
};

const NextPanel kStay{};
const NextPanel kHidePanels{Next::HidePanels};
const NextPanel kOpenedPanel{Next::OpenedPanel};
const NextPanel kSoilPanelOfTheLayers{Next::SoilPanelOfTheLayers};
NextPanel Show(PanelId panel) {
    return {Next::Panel, panel};
}

const Buttons kSixGroupsAfterGeneral =
    Of({B::HydrOpen, B::SoilOpen, B::SaltOpen, B::IrrSal, B::DrainOpen, B::CondOpen});
const Buttons kAllCancels =
    Of({B::GenQuit, B::HydrQuit, B::Soil1Quit, B::Soil2Quit, B::Soil3Quit, B::Salt1Quit,
        B::Salt2Quit, B::Salt3Quit, B::IrrSalCancel, B::DrainQuit, B::CondQuit});
// A first-pass save of the general data starts the walk again: every Cancel but that of the
// irrigation-salinity panel waits for its panel's next save.
const Buttons kCancelsAGeneralSaveDisables = kAllCancels & ~Of({B::IrrSalCancel});

}  // namespace

// One rule of the workflow: on an event (for one panel, or for any when panel is None), when
// the input is as `when` says, set the completion, the group buttons as a whole, disable
// `off`, enable `on`, and show the panel `then` names. Every rule that matches an event is
// applied, in the order of the table.
struct InputWorkflow::Rule {
    Event event;
    PanelId panel;
    When when;
    Completion completion;
    Groups groups;
    Buttons off;
    Buttons on;
    NextPanel then;
};

namespace {

using P = PanelId;

// clang-format off
const InputWorkflow::Rule kRules[] = {
    // event                      panel                  when             completion         groups                       disable                       enable                                                             then shown
    {Event::InitialLayout,        P::None,               When::Always,    Completion::Keep,  Groups::DisableGroupButtons, kAllCancels,                  Of({B::GenOpen, B::CondOpen, B::Salt1Quit, B::IrrSalCancel}),    kHidePanels},
    {Event::Restart,              P::None,               When::Always,    Completion::Clear, Groups::Keep,                {},                           {},                                                                kHidePanels},
    {Event::InputPageShown,       P::None,               When::Always,    Completion::Keep,  Groups::Keep,                {},                           Of({B::GenOpen}),                                                  kHidePanels},
    {Event::InputPageShown,       P::None,               When::FirstPass, Completion::Keep,  Groups::Keep,                kSixGroupsAfterGeneral,       {},                                                                kStay},
    {Event::InputPageShown,       P::None,               When::Complete,  Completion::Keep,  Groups::Keep,                {},                           kSixGroupsAfterGeneral,                                            kStay},
    {Event::MathPageShown,        P::None,               When::Always,    Completion::Clear, Groups::Keep,                {},                           {},                                                                kStay},
    {Event::InputFileOpened,      P::None,               When::Always,    Completion::Set,   Groups::Keep,                {},                           kSixGroupsAfterGeneral | Of({B::SaveAll}) | kAllCancels,           Show(P::General)},

    // Opening a group: only its panel's Save and Cancel lead out; the irrigation-salinity
    // panel keeps its own group button.
    {Event::Opened,               P::None,               When::Always,    Completion::Keep,  Groups::DisableGroupButtons, {},                           {},                                                                kOpenedPanel},
    {Event::Opened,               P::IrrigationSalinity, When::Always,    Completion::Keep,  Groups::Keep,                {},                           Of({B::IrrSal}),                                               kStay},

    // The Saves: each enables its own Cancel and the next group's button and shows the next
    // panel.
    {Event::Saved,                P::General,            When::FirstPass, Completion::Keep,  Groups::Keep,                kCancelsAGeneralSaveDisables, {},                                                                kStay},
    {Event::Saved,                P::General,            When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::GenQuit, B::HydrOpen}),                                   Show(P::Hydrology)},
    {Event::Saved,                P::Hydrology,          When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::HydrQuit, B::SoilOpen}),                                  kSoilPanelOfTheLayers},
    {Event::Saved,                P::Soil1,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::Soil1Quit, B::SaltOpen}),                                 Show(P::Salt1)},
    {Event::Saved,                P::Soil2,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::Soil2Quit, B::SaltOpen}),                                 Show(P::Salt2)},
    {Event::Saved,                P::Soil2,              When::FirstPass, Completion::Keep,  Groups::Keep,                Of({B::DrainQuit}),         {},                                                                kStay},
    {Event::Saved,                P::Soil3,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::Soil3Quit, B::SaltOpen}),                                 Show(P::Salt3)},
    {Event::Saved,                P::Soil3,              When::FirstPass, Completion::Keep,  Groups::Keep,                Of({B::DrainQuit}),         {},                                                                kStay},
    {Event::Saved,                P::Salt1,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::Salt1Quit, B::IrrSal}),                               Show(P::IrrigationSalinity)},
    {Event::Saved,                P::Salt2,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::Salt2Quit, B::IrrSal}),                               Show(P::IrrigationSalinity)},
    {Event::Saved,                P::Salt3,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::Salt3Quit, B::IrrSal}),                               Show(P::IrrigationSalinity)},
    {Event::Saved,                P::IrrigationSalinity, When::FirstPass, Completion::Keep,  Groups::DisableGroupButtons, {},                           Of({B::IrrSalCancel, B::DrainOpen, B::DrainQuit}),               Show(P::Drainage)},
    {Event::Saved,                P::IrrigationSalinity, When::Complete,  Completion::Keep,  Groups::EnableGroupButtons,  {},                           Of({B::IrrSalCancel, B::DrainOpen, B::DrainQuit}),               kHidePanels},
    {Event::Saved,                P::Drainage,           When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::DrainQuit, B::CondOpen}),                                 Show(P::Conditions)},
    {Event::Saved,                P::Conditions,         When::Always,    Completion::Set,   Groups::EnableGroupButtons,  {},                           Of({B::CondQuit}),                                               kHidePanels},
    {Event::DrainageDepthRefused, P::None,               When::Always,    Completion::Keep,  Groups::Keep,                {},                           Of({B::DrainQuit}),                                              kStay},

    // The Cancels: back to the group buttons, with the cancelled group's own enabled.
    {Event::Cancelled,            P::General,            When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::GenOpen}),                                                  kHidePanels},
    {Event::Cancelled,            P::Hydrology,          When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::HydrOpen}),                                                 kHidePanels},
    {Event::Cancelled,            P::Soil1,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::SoilOpen}),                                                 kHidePanels},
    {Event::Cancelled,            P::Soil2,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::SoilOpen}),                                                 kHidePanels},
    {Event::Cancelled,            P::Soil3,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::SoilOpen, B::Soil1Quit, B::Soil2Quit, B::Salt3Quit}), kHidePanels},
    {Event::Cancelled,            P::Salt1,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::SaltOpen}),                                                 kHidePanels},
    {Event::Cancelled,            P::Salt2,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::SaltOpen}),                                                 kHidePanels},
    {Event::Cancelled,            P::Salt3,              When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::SaltOpen}),                                                 kHidePanels},
    // On the first pass the irrigation-salinity Cancel moves on to the drainage panel as its
    // Save does.
    {Event::Cancelled,            P::IrrigationSalinity, When::FirstPass, Completion::Keep,  Groups::DisableGroupButtons, {},                           Of({B::DrainOpen}),                                                Show(P::Drainage)},
    {Event::Cancelled,            P::IrrigationSalinity, When::Complete,  Completion::Keep,  Groups::EnableGroupButtons,  {},                           Of({B::DrainOpen}),                                                kHidePanels},
    {Event::Cancelled,            P::Drainage,           When::Always,    Completion::Keep,  Groups::SettleGroupButtons,  {},                           Of({B::DrainOpen}),                                                kHidePanels},
    {Event::Cancelled,            P::Conditions,         When::Always,    Completion::Keep,  Groups::EnableGroupButtons,  {},                           {},                                                                kHidePanels},
    {Event::Cancelled,            P::Conditions,         When::FirstPass, Completion::Keep,  Groups::Keep,                Of({B::SaveAll}),             {},                                                                kStay},
};
// clang-format on

}  // namespace

PanelId PanelOf(InputGroup group, int layers) {
    const int index = layers >= 1 && layers <= 3 ? layers - 1 : 0;
    switch (group) {
        case InputGroup::General:
            return PanelId::General;
        case InputGroup::Hydrology:
            return PanelId::Hydrology;
        case InputGroup::Soil:
            return static_cast<PanelId>(static_cast<int>(PanelId::Soil1) + index);
        case InputGroup::Salinity:
            return static_cast<PanelId>(static_cast<int>(PanelId::Salt1) + index);
        case InputGroup::IrrigationSalinity:
            return PanelId::IrrigationSalinity;
        case InputGroup::Drainage:
            return PanelId::Drainage;
        case InputGroup::Conditions:
            return PanelId::Conditions;
    }
    return PanelId::None;
}

namespace {

bool Holds(const InputWorkflow::Rule& rule, Event event, PanelId panel, bool complete) {
    if (rule.event != event) return false;
    if (rule.panel != PanelId::None && rule.panel != panel) return false;
    switch (rule.when) {
        case When::FirstPass:
            return !complete;
        case When::Complete:
            return complete;
        case When::Always:
            break;
    }
    return true;
}

}  // namespace

void InputWorkflow::Handle(Event event, PanelId panel, int layers) {
    for (const Rule& rule : kRules) {
        if (!Holds(rule, event, panel, complete_)) continue;
        if (rule.completion != Completion::Keep) complete_ = rule.completion == Completion::Set;
        switch (rule.groups) {
            case Groups::DisableGroupButtons:
                SetGroupButtons(false);
                break;
            case Groups::EnableGroupButtons:
                SetGroupButtons(true);
                break;
            case Groups::SettleGroupButtons:
                SetGroupButtons(complete_);
                break;
            case Groups::Keep:
                break;
        }
        enabled_ &= ~rule.off;
        enabled_ |= rule.on;
        switch (rule.then.next) {
            case Next::HidePanels:
                shown_ = PanelId::None;
                break;
            case Next::Panel:
                shown_ = rule.then.panel;
                break;
            case Next::OpenedPanel:
                shown_ = panel;
                break;
            case Next::SoilPanelOfTheLayers:
                shown_ = PanelOf(InputGroup::Soil, layers);
                break;
            case Next::Stay:
                break;
        }
    }
}

void InputWorkflow::SetGroupButtons(bool enabled) {
    for (WorkflowButton button : {B::GenOpen, B::HydrOpen, B::SoilOpen, B::SaltOpen, B::IrrSal,
                                  B::DrainOpen, B::CondOpen, B::SaveAll})
        enabled_.set(static_cast<int>(button), enabled);
}

void InputWorkflow::InitialLayout() {
    Handle(Event::InitialLayout);
}

void InputWorkflow::Restart() {
    Handle(Event::Restart);
    savedLayers_ = 1;
    soilComplete_ = true;
    savedDrainChoice_ = 0;
}

void InputWorkflow::InputPageShown() {
    Handle(Event::InputPageShown);
}

void InputWorkflow::MathPageShown() {
    Handle(Event::MathPageShown);
}

void InputWorkflow::InputFileOpened() {
    Handle(Event::InputFileOpened);
}

void InputWorkflow::Opened(InputGroup group, int layers) {
    Handle(Event::Opened, PanelOf(group, layers), layers);
}

void InputWorkflow::Saved(PanelId panel, int layers) {
    if (panel == PanelId::General) {
        // A new layer count needs every group checked again.
        if (layers != savedLayers_) complete_ = false;
        savedLayers_ = layers;
    }
    Handle(Event::Saved, panel, layers);
}

void InputWorkflow::Cancelled(PanelId panel) {
    Handle(Event::Cancelled, panel);
}

void InputWorkflow::DrainageDepthRefused() {
    Handle(Event::DrainageDepthRefused);
}

}  // namespace halosoil
