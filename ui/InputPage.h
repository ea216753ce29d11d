// The Input page: the name of the opened input file, the column of the seven group buttons,
// the eleven input panels of which at most one is on view, the progress bar of a run and the
// buttons "Restart", "Save all - Run" and "Open input". The page holds the input workflow,
// shows what it decides, and carries the data of one panel's Save over to the other panels (a
// new layer count, a new number of time steps).
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "Dialogs.h"
#include "InputData.h"
#include "InputPanels.h"
#include "InputWorkflow.h"
#include "WindowState.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace halosoil {

class GridPaste;

class InputPage : public QWidget {
    Q_OBJECT
public:
    InputPage(InputData& data, WindowState& window, Dialogs& dialogs, QWidget* parent = nullptr);
    ~InputPage() override;

    const InputWorkflow& Workflow() const { return workflow_; }
    QProgressBar* ProgressBar() const { return progressBar_; }
    // The step length in days of the time-step choice the general data show.
    int ChosenStepLength() const;

    // The page's part of start-up and "Restart": a fresh first pass, the time-step grids
    // emptied to 11 rows, the general data's choices back to 11 months and one layer.
    void Restart();
    void InpTabShow();
    // The equations are a reason to walk the groups again from the general data.
    void MathTabShow();

    // The group buttons.
    void GenOpenButtonClick() { OpenGroup(InputGroup::General); }
    void HydrOpenButtonClick() { OpenGroup(InputGroup::Hydrology); }
    void SoilOpenButtonClick() { OpenGroup(InputGroup::Soil); }
    void SaltOpenButtonClick() { OpenGroup(InputGroup::Salinity); }
    void IrrSalButtonClick() { OpenGroup(InputGroup::IrrigationSalinity); }
    void DrainOpenButtonClick() { OpenGroup(InputGroup::Drainage); }
    void CondOpenButtonClick() { OpenGroup(InputGroup::Conditions); }

    // "Open input": choose a file, then read it as OpenInputNamed does.
    void OpenInpButtonClick();
    // Read the chosen input file into the record and every panel and make every group and
    // "Save all - Run" available at once.
    void OpenInputNamed(const QString& fileName);
    // Shows the record's numbers in the panels as a file read shows them.
    void ShowRecordInPanels();

signals:
    void ReStartButtonClicked();
    void SaveAllButtonClicked();
    // An input file was read into the record and the panels.
    void InputOpened(const QString& fileName);
    // The drainage panel's "Help", and the end of the drainage panel (its Save or Cancel).
    void DrainHelpRequested();
    void DrainPanelClosed();

private:
    void BuildPage();
    QGroupBox* BuildGroupColumn();
    QWidget* BuildPanelArea();
    void ConnectButtons();
    void ConnectPanels();
    void ConnectGridEditing();

    void OpenGroup(InputGroup group);
    // What the page does beside the workflow when a panel reports.
    void PanelSaved(PanelId panel);
    void PanelCancelled(PanelId panel);
    // Enables every workflow button and shows the one panel as the workflow says.
    void ShowWorkflow();

    InputData& data_;
    WindowState& window_;
    Dialogs& dialogs_;
    InputWorkflow workflow_;
    InputPanels panels_;
    std::unique_ptr<GridPaste> paste_;

    QLabel* fileLabel_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QGroupBox* inputPanel_ = nullptr;
    QPushButton* reStartButton_ = nullptr;
    QPushButton* saveAllButton_ = nullptr;
    QPushButton* openInpButton_ = nullptr;
    // The buttons whose enabling the workflow decides, in the order of WorkflowButton.
    std::array<QPushButton*, kWorkflowButtons> workflowButtons_{};
};

}  // namespace halosoil
