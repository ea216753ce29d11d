// The drainage panel: whether a subsurface drainage system is present, its depth and its two
// reaction factors, with the checks against the soil profile.
#pragma once

#include "InputPanelFrame.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace halosoil {

class DrainPanel : public InputPanelFrame {
    Q_OBJECT
public:
    DrainPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs, QWidget* parent);

    void DrainPresentComboChange();
    void SaveButtonClick() override;
    void CancelButtonClick() override;
    void DrainHelpButtonClick();

    // Enables or disables the depth and factor labels and fields.
    void EnableDrainFields(bool enabled);
    // The choice on view: 0 "no", 1 "yes".
    int DrainChoice() const;

    QComboBox* DrainPresentCombo = nullptr;
    QLabel* DrainDepthLabel = nullptr;
    QLineEdit* DrainDepthEdit = nullptr;
    QLabel* DrainQH1Label = nullptr;
    QLineEdit* DrainQH1Edit = nullptr;
    QLabel* DrainQH2Label = nullptr;
    QLineEdit* DrainQH2Edit = nullptr;
    QPushButton* DrainHelpButton = nullptr;

signals:
    // The drainage depth was refused for lying in the root zone or below the transition
    // zone; the panel stays and may be cancelled.
    void DepthRefused();
    void HelpRequested();

private:
    // Returns false when a check failed and its message was shown.
    bool ReadAndCheckDrainage();
};

}  // namespace halosoil
