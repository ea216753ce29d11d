// The irrigation-salinity panel: the salinity of the irrigation water per time step.
#pragma once

#include <QFrame>

class QPushButton;

namespace halosoil {

class MainForm;
class StringGrid;

class IrrSalPanel : public QFrame {
    Q_OBJECT
public:
    IrrSalPanel(MainForm& form, QWidget* parent);

    void IrrSalSaveButtonClick();
    void IrrSalCancelButtonClick();

    StringGrid* IrrSalGrid = nullptr;
    QPushButton* IrrSalCancelButton = nullptr;
    QPushButton* IrrSalSaveButton = nullptr;

private:
    MainForm& form_;
};

}  // namespace halosoil
