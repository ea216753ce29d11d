// The measured-salinity panel for a root zone of 3 layers.
#pragma once

#include "SaltPanel.h"

namespace halosoil {

class Salt3Panel : public SaltPanel {
    Q_OBJECT
public:
    Salt3Panel(MainForm& form, QWidget* parent);

    void Salt3SaveButtonClick() { SaltPanel::SaveButtonClick(); }
    void Salt3QuitButtonClick() { SaltPanel::QuitButtonClick(); }

    void SaveButtonClick() override { Salt3SaveButtonClick(); }
    void QuitButtonClick() override { Salt3QuitButtonClick(); }
};

}  // namespace halosoil
