// The measured-salinity panel for a root zone of 1 layer.
#pragma once

#include "SaltPanel.h"

namespace halosoil {

class Salt1Panel : public SaltPanel {
    Q_OBJECT
public:
    Salt1Panel(MainForm& form, QWidget* parent);

    void Salt1SaveButtonClick() { SaltPanel::SaveButtonClick(); }
    void Salt1QuitButtonClick() { SaltPanel::QuitButtonClick(); }

    void SaveButtonClick() override { Salt1SaveButtonClick(); }
    void QuitButtonClick() override { Salt1QuitButtonClick(); }
};

}  // namespace halosoil
