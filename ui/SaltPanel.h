// The measured-salinity panel of a root zone of one, two or three layers: a time-step grid
// with one column per zone, read into the measured-salinity series (an empty or unreadable
// cell is a missing measurement). Its texts differ per layer count (SaltPanel.cpp).
#pragma once

#include "InputPanelFrame.h"

class QPushButton;

namespace halosoil {

class StringGrid;

class SaltPanel : public InputPanelFrame {
    Q_OBJECT
public:
    SaltPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs, int layers,
              QWidget* parent);

    int Layers() const { return layers_; }

    // The handlers of the Save and Cancel buttons Salt<n>SaveButton and Salt<n>QuitButton.
    void SaveButtonClick() override;

    StringGrid* Grid = nullptr;

private:
    int layers_;
};

}  // namespace halosoil
