#include "InputPanels.h"

#include <algorithm>

#include "CondPanel.h"
#include "DrainPanel.h"
#include "GenPanel.h"
#include "GridPaste.h"
#include "HydrPanel.h"
#include "IrrSalPanel.h"
#include "SaltPanel.h"
#include "SoilPanel.h"
#include "StringGrid.h"

namespace halosoil {

std::vector<std::pair<PanelId, InputPanelFrame*>> InputPanels::All() const {
    return {{PanelId::General, general},
            {PanelId::Hydrology, hydrology},
            {PanelId::Soil1, soil[1]},
            {PanelId::Soil2, soil[2]},
            {PanelId::Soil3, soil[3]},
            {PanelId::Salt1, salt[1]},
            {PanelId::Salt2, salt[2]},
            {PanelId::Salt3, salt[3]},
            {PanelId::IrrigationSalinity, irrigationSalinity},
            {PanelId::Drainage, drainage},
            {PanelId::Conditions, conditions}};
}

StringGrid* InputPanels::SaltGrid(int layers) const {
    return salt[layers]->Grid;
}

StringGrid* InputPanels::SoilGrid(int layers) const {
    return soil[layers]->Grid;
}

StringGrid* InputPanels::HydrGrid() const {
    return hydrology->HydrGrid;
}

StringGrid* InputPanels::IrrSalGrid() const {
    return irrigationSalinity->IrrSalGrid;
}

void InputPanels::ResizeTimeStepGrids(int nrTst, bool numberHydrologicalRows) const {
    const int rows = std::max(nrTst, 0) + 1;
    for (StringGrid* grid : {HydrGrid(), SaltGrid(1), SaltGrid(2), SaltGrid(3), IrrSalGrid()}) {
        grid->SetRowCount(rows);
        if (grid != HydrGrid() || numberHydrologicalRows) NumberRows(*grid, nrTst);
    }
}

}  // namespace halosoil
