// The irrigation-salinity panel: the salinity of the irrigation water per time step.
#pragma once

#include "InputPanelFrame.h"

class QPushButton;

namespace halosoil {

class StringGrid;

class IrrSalPanel : public InputPanelFrame {
    Q_OBJECT
public:
    IrrSalPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs, QWidget* parent);

    void SaveButtonClick() override;

    StringGrid* IrrSalGrid = nullptr;
};

}  // namespace halosoil
