// The panel of initial and boundary conditions; saving it completes the input.
#pragma once

#include "InputPanelFrame.h"

class QLineEdit;
class QPushButton;

namespace halosoil {

class CondPanel : public InputPanelFrame {
    Q_OBJECT
public:
    CondPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs, QWidget* parent);

    void SaveButtonClick() override;

    QLineEdit* SaltIrrigEdit = nullptr;
    QLineEdit* WTdepthEdit = nullptr;
    QLineEdit* CritDepthEdit = nullptr;
    QLineEdit* MoistEdit = nullptr;
    QLineEdit* IrrEffEdit = nullptr;
    QLineEdit* GrwtInfEdit = nullptr;
    QLineEdit* GrwtOutEdit = nullptr;
    QLineEdit* SalInfEdit = nullptr;
};

}  // namespace halosoil
