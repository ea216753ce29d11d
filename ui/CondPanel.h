// The panel of initial and boundary conditions; saving it completes the input.
#pragma once

#include <QFrame>

class QLineEdit;
class QPushButton;

namespace halosoil {

class MainForm;

class CondPanel : public QFrame {
    Q_OBJECT
public:
    CondPanel(MainForm& form, QWidget* parent);

    void CondSaveButtonClick();
    void CondQuitButtonClick();

    QLineEdit* SaltIrrigEdit = nullptr;
    QLineEdit* WTdepthEdit = nullptr;
    QLineEdit* CritDepthEdit = nullptr;
    QLineEdit* MoistEdit = nullptr;
    QLineEdit* IrrEffEdit = nullptr;
    QLineEdit* GrwtInfEdit = nullptr;
    QLineEdit* GrwtOutEdit = nullptr;
    QLineEdit* SalInfEdit = nullptr;
    QPushButton* CondQuitButton = nullptr;
    QPushButton* CondSaveButton = nullptr;

private:
    MainForm& form_;
};

}  // namespace halosoil
