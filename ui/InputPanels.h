// The eleven input panels of the Input page, by the workflow's names for them.
#pragma once

#include <vector>

#include "InputWorkflow.h"

class QWidget;

namespace halosoil {

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
    std::vector<std::pair<PanelId, QWidget*>> All() const;
    StringGrid* SaltGrid(int layers) const;
    StringGrid* SoilGrid(int layers) const;
    StringGrid* HydrGrid() const;
    StringGrid* IrrSalGrid() const;
};

}  // namespace halosoil
