// What the window does when a panel reports its Save or Cancel: the data that one panel's Save
// means for other panels (a new layer count, a new number of time steps), then the workflow's
// next step.
#include <QPushButton>
#include <algorithm>

#include "CondPanel.h"
#include "DrainForm.h"
#include "DrainPanel.h"
#include "GenPanel.h"
#include "GridPaste.h"
#include "HydrPanel.h"
#include "IrrSalPanel.h"
#include "LayerCarryOver.h"
#include "MainForm.h"
#include "SaltPanel.h"
#include "SoilPanel.h"
#include "StringGrid.h"

namespace halosoil {

void MainForm::ConnectPanels() {
    for (const auto& [name, widget] : panels_.All()) {
        auto* panel = static_cast<InputPanelFrame*>(widget);
        const PanelId id = name;
        connect(panel, &InputPanelFrame::Saved, this,
                [this, id] { Guarded([this, id] { PanelSaved(id); }); });
        connect(panel, &InputPanelFrame::Cancelled, this,
                [this, id] { Guarded([this, id] { PanelCancelled(id); }); });
    }
    connect(panels_.soil[3], &SoilPanel::SoilReportedIncomplete, this,
            [this] { workflow_.SoilReportedIncomplete(); });
    connect(panels_.drainage, &DrainPanel::DepthRefused, this, [this] {
        workflow_.DrainageDepthRefused();
        ShowWorkflow();
    });
    connect(panels_.drainage, &DrainPanel::HelpRequested, this, [this] {
        drainForm->show();
        drainForm->raise();
    });
}

void MainForm::PanelSaved(PanelId panel) {
    switch (panel) {
        case PanelId::General:
            if (data_.NrLayers != workflow_.SavedLayers())
                CarryOverToNewLayerCount(workflow_.SavedLayers(), data_.NrLayers);
            ResizeTimeStepGrids(data_.NrTst, true);
            break;
        case PanelId::Hydrology:
            ResizeTimeStepGrids(data_.HydrRows, false);
            break;
        case PanelId::Drainage:
            workflow_.SetSavedDrainChoice(panels_.drainage->DrainChoice());
            drainForm->hide();
            break;
        default:
            break;
    }
    workflow_.Saved(panel, LayerCount(data_));
    ShowWorkflow();
}

void MainForm::PanelCancelled(PanelId panel) {
    if (panel == PanelId::Drainage) drainForm->hide();
    workflow_.Cancelled(panel);
    ShowWorkflow();
}

// More layers repeat the old first layer, fewer drop the deeper ones. A layer count outside
// 1..3 can only come from a damaged file; there is nothing to carry.
void MainForm::CarryOverToNewLayerCount(int oldLayers, int newLayers) {
    if (oldLayers < 1 || oldLayers > 3) return;
    CarrySoilGrid(*panels_.SoilGrid(oldLayers), oldLayers, *panels_.SoilGrid(newLayers), newLayers);
    StringGrid& salinity = *panels_.SaltGrid(newLayers);
    CarrySalinityGrid(*panels_.SaltGrid(oldLayers), oldLayers, salinity, newLayers, data_.NrTst);
    salinity.SetRowCount(std::max(data_.NrTst, 0) + 1);
}

// The time-step grids follow the number of time steps; rows that a smaller count hides keep
// their contents for when it grows again. The hydrological grid numbers its own rows as they
// are typed or pasted, except after a new number of time steps.
void MainForm::ResizeTimeStepGrids(int nrTst, bool numberHydrologicalRows) {
    const int rows = std::max(nrTst, 0) + 1;
    for (StringGrid* grid : {panels_.HydrGrid(), panels_.SaltGrid(1), panels_.SaltGrid(2),
                             panels_.SaltGrid(3), panels_.IrrSalGrid()}) {
        grid->SetRowCount(rows);
        if (grid != panels_.HydrGrid() || numberHydrologicalRows) NumberRows(*grid, nrTst);
    }
}

}  // namespace halosoil
