// The soil panel for a root zone of 2 layers.
#pragma once

#include "SoilPanel.h"

namespace halosoil {

class Soil2Panel : public SoilPanel {
    Q_OBJECT
public:
    Soil2Panel(MainForm& form, QWidget* parent) : SoilPanel(form, 2, parent) {}

    void Soil2SaveButtonClick();
    void Soil2QuitButtonClick();

    void SaveButtonClick() override { Soil2SaveButtonClick(); }
    void QuitButtonClick() override { Soil2QuitButtonClick(); }
};

}  // namespace halosoil
