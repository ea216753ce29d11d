// The hydrological data panel: rainfall, irrigation and evaporation per time step.
#pragma once

#include <QFrame>

class QPushButton;

namespace halosoil {

class MainForm;
class StringGrid;

class HydrPanel : public QFrame {
    Q_OBJECT
public:
    HydrPanel(MainForm& form, QWidget* parent);

    void HydrSaveButtonClick();
    void HydrQuitButtonClick();

    StringGrid* HydrGrid = nullptr;
    QPushButton* HydrQuitButton = nullptr;
    QPushButton* HydrSaveButton = nullptr;

private:
    MainForm& form_;
};

}  // namespace halosoil
