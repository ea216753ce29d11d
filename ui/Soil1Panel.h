// The soil panel for a root zone of 1 layer.
#pragma once

#include "SoilPanel.h"

namespace halosoil {

class Soil1Panel : public SoilPanel {
    Q_OBJECT
public:
    Soil1Panel(MainForm& form, QWidget* parent) : SoilPanel(form, 1, parent) {}

    void Soil1SaveButtonClick();
    void Soil1QuitButtonClick();

    void SaveButtonClick() override { Soil1SaveButtonClick(); }
    void QuitButtonClick() override { Soil1QuitButtonClick(); }
};

}  // namespace halosoil
