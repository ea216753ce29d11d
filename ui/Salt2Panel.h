// The measured-salinity panel for a root zone of 2 layers.
#pragma once

#include "SaltPanel.h"

namespace halosoil {

class Salt2Panel : public SaltPanel {
    Q_OBJECT
public:
    Salt2Panel(MainForm& form, QWidget* parent);

    void Salt2SaveButtonClick() { SaltPanel::SaveButtonClick(); }
    void Salt2QuitButtonClick() { SaltPanel::QuitButtonClick(); }

    void SaveButtonClick() override { Salt2SaveButtonClick(); }
    void QuitButtonClick() override { Salt2QuitButtonClick(); }
};

}  // namespace halosoil
