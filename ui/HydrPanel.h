// The hydrological data panel: rainfall, irrigation and evaporation per time step.
#pragma once

#include "InputPanelFrame.h"

class QPushButton;

namespace halosoil {

class StringGrid;

class HydrPanel : public InputPanelFrame {
    Q_OBJECT
public:
    HydrPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs, QWidget* parent);

    void SaveButtonClick() override;

    StringGrid* HydrGrid = nullptr;
};

}  // namespace halosoil
