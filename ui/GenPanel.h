// The general data panel: titles, number and length of the time steps, number of layers in
// the root zone.
#pragma once

#include "InputPanelFrame.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace halosoil {

class GenPanel : public InputPanelFrame {
    Q_OBJECT
public:
    GenPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs, QWidget* parent);

    void SaveButtonClick() override;
    void CancelButtonClick() override;

    // The step length in days of the time-step choice: 360, 30, 7 or 1.
    int ChosenStepLength() const;
    // Selects the choice of a step length; any other length leaves the choice as it is.
    void ShowStepLength(int days);
    int ChosenLayers() const;

    QLineEdit* Tit1Edit = nullptr;
    QLineEdit* Tit2Edit = nullptr;
    QLineEdit* NrTstEdit = nullptr;
    QComboBox* TstCombo = nullptr;
    QComboBox* LayersCombo = nullptr;

private:
    void ReadNumberOfTimeSteps();
};

}  // namespace halosoil
