// The eleven input panels of the Input page, by the workflow's names for them, and what the
// page does to their grids as a whole.
#pragma once

#include <utility>
#include <vector>

#include "InputWorkflow.h"

namespace halosoil {

class InputPanelFrame;
class GenPanel;
class HydrPanel;
class SoilPanel;
class SaltPanel;
class IrrSalPanel;
class DrainPanel;
class CondPanel;
class StringGrid;

struct InputPanels {
    GenPanel* general = nullptr;
    HydrPanel* hydrology = nullptr;
    SoilPanel* soil[4] = {};  // index: layer count 1..3
    SaltPanel* salt[4] = {};
    IrrSalPanel* irrigationSalinity = nullptr;
    DrainPanel* drainage = nullptr;
    CondPanel* conditions = nullptr;

    // Every panel with its name, in the order of the input column.
    std::vector<std::pair<PanelId, InputPanelFrame*>> All() const;
    StringGrid* SaltGrid(int layers) const;
    StringGrid* SoilGrid(int layers) const;
    StringGrid* HydrGrid() const;
    StringGrid* IrrSalGrid() const;

    // The time-step grids follow the number of time steps; rows that a smaller count hides
    // keep their contents for when it grows again. The hydrological grid numbers its own rows
    // as they are typed or pasted, except after a new number of time steps.
    void ResizeTimeStepGrids(int nrTst, bool numberHydrologicalRows) const;
};

}  // namespace halosoil
