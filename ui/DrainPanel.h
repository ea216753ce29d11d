// The drainage panel: whether a subsurface drainage system is present, its depth and its two
// reaction factors, with the checks against the soil profile.
#pragma once

#include <QFrame>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace halosoil {

class MainForm;

class DrainPanel : public QFrame {
    Q_OBJECT
public:
    DrainPanel(MainForm& form, QWidget* parent);

    void DrainPresentComboChange();
    void DrainSaveButtonClick();
    void DrainQuitButtonClick();
    void DrainHelpButtonClick();

    // Enables or disables the depth and factor labels and fields.
    void EnableDrainFields(bool enabled);

    QComboBox* DrainPresentCombo = nullptr;
    QLabel* DrainDepthLabel = nullptr;
    QLineEdit* DrainDepthEdit = nullptr;
    QLabel* DrainQH1Label = nullptr;
    QLineEdit* DrainQH1Edit = nullptr;
    QLabel* DrainQH2Label = nullptr;
    QLineEdit* DrainQH2Edit = nullptr;
    QPushButton* DrainHelpButton = nullptr;
    QPushButton* DrainQuitButton = nullptr;
    QPushButton* DrainSaveButton = nullptr;

private:
    // Returns false when a check failed and its message was shown.
    bool ReadAndCheckDrainage();
    void HideExplanation();

    MainForm& form_;
};

}  // namespace halosoil
