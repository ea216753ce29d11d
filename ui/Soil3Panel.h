// The soil panel for a root zone of 3 layers.
#pragma once

#include "SoilPanel.h"

namespace halosoil {

class Soil3Panel : public SoilPanel {
    Q_OBJECT
public:
    Soil3Panel(MainForm& form, QWidget* parent) : SoilPanel(form, 3, parent) {}

    void Soil3SaveButtonClick();
    void Soil3QuitButtonClick();

    void SaveButtonClick() override { Soil3SaveButtonClick(); }
    void QuitButtonClick() override { Soil3QuitButtonClick(); }
};

}  // namespace halosoil
