// The main window: seven tab pages, the input workflow on the Input page (seven groups, each in
// a panel of its own), "Save all - Run", "Open input", "Restart", the Edit menu, and the
// Output, Graphs and Calibration pages. The window owns the project record, the input workflow, the
// engine and what an output file read back gives the graphs; it shows what the workflow decides and
// carries data between panels when one reports.
#pragma once

#include <QMainWindow>
#include <QTabWidget>
#include <array>
#include <functional>
#include <memory>

#include "Dialogs.h"
#include "Engine.h"
#include "InputData.h"
#include "InputPanels.h"
#include "InputWorkflow.h"
#include "OutputFile.h"
#include "Parameters.h"
#include "WindowState.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QGroupBox;
class QAction;

namespace halosoil {

class GridPaste;
class OutputPage;
class GraphPage;
class CalibrationPage;
class RecentFilesMenu;
class CloseForm;
class DrainForm;

class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainForm() override;

    InputData& Data() { return data_; }
    WindowState& Window() { return window_; }
    const InputWorkflow& Workflow() const { return workflow_; }
    Engine& Calc() { return engine_; }

    // Runs one user action; a failure of the core is shown with its text and ends the action,
    // keeping what was stored before it.
    void Guarded(const std::function<void()>& action);

    // Start-up; "Restart" runs it again.
    void FormCreate();
    void ReStartButtonClick();
    void InpTabShow();
    void MathTabShow();
    // The Calibration page gets the project as "Save all - Run" would save it, when the input
    // is complete.
    void CalTabShow();
    // The project record as "Save all - Run" runs it (a file read gives the batch runner's
    // project). Throws the writer's refusal.
    InputData ProjectAsSaved();
    // "Apply to input" of a calibration: the values into the project record, and the panels
    // show them. The workflow stays as it is.
    void ApplyStudyValues(const std::vector<study::Parameter>& parameters,
                          const std::vector<double>& values);

    // The group buttons.
    void GenOpenButtonClick() { OpenGroup(InputGroup::General); }
    void HydrOpenButtonClick() { OpenGroup(InputGroup::Hydrology); }
    void SoilOpenButtonClick() { OpenGroup(InputGroup::Soil); }
    void SaltOpenButtonClick() { OpenGroup(InputGroup::Salinity); }
    void IrrSalButtonClick() { OpenGroup(InputGroup::IrrigationSalinity); }
    void DrainOpenButtonClick() { OpenGroup(InputGroup::Drainage); }
    void CondOpenButtonClick() { OpenGroup(InputGroup::Conditions); }

    void SaveAllButtonClick();
    void OpenInpButtonClick();
    void OpenInputFile();
    // "Open input" after its dialog: read the chosen file into the record and the panels.
    void OpenInputNamed(const QString& chosen);
    // A file named on the command line or handed over by the desktop: an output file (by its
    // extension ".out" or its first line) opens as "Open output" does and shows the Output
    // page; any other file opens as "Open input" does.
    void OpenFileFromOutside(const QString& fileName);
    // A file dropped on the window or chosen from the recent files: observations (".csv")
    // open on the Calibration page as "Open observations" does; others as from outside.
    void OpenFileNamed(const QString& fileName);
    const RecentFilesMenu* RecentFiles() const { return recentFiles_; }

    // The Edit menu, acting on the focused field or grid cell.
    void EditCopy();
    void EditCut();
    void EditDelete();
    void EditPaste();

    void ShowPage(const QString& tabName);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu();
    void BuildFileMenu();
    void BuildInputPage(QWidget* page);
    void BuildInputPanels(QWidget* panelArea);
    void BuildHelpPages();
    void BuildOutputPages();
    void BuildCalibrationPage(QWidget* page);
    // Shows the record's numbers in the panels as a file read shows them.
    void ShowRecordInPanels();
    void ConnectGroupButtons();
    void ConnectPanels();
    void ConnectGridEditing();
    void OnPageChanged(int index);
    void ApplyTimeStepChoice();

    void OpenGroup(InputGroup group);
    // What the window does beside the workflow when a panel reports.
    void PanelSaved(PanelId panel);
    void PanelCancelled(PanelId panel);
    void CarryOverToNewLayerCount(int oldLayers, int newLayers);
    void ResizeTimeStepGrids(int nrTst, bool numberHydrologicalRows);
    // Enables every workflow button and shows the one panel as the workflow says.
    void ShowWorkflow();

    Dialogs& dialogs_;
    InputData data_;
    WindowState window_;
    InputWorkflow workflow_;
    Engine engine_;
    OutputReadBack readBack_;
    std::unique_ptr<GridPaste> paste_;

    // The widgets of the window, by their program names.
    QTabWidget* PageControl = nullptr;
    QLabel* FileLabel = nullptr;
    QLabel* NameLabel = nullptr;
    QGroupBox* InputPanel = nullptr;
    QPushButton* GenOpenButton = nullptr;
    QPushButton* HydrOpenButton = nullptr;
    QPushButton* SoilOpenButton = nullptr;
    QPushButton* SaltOpenButton = nullptr;
    QPushButton* IrrSalButton = nullptr;
    QPushButton* DrainOpenButton = nullptr;
    QPushButton* CondOpenButton = nullptr;
    QPushButton* ReStartButton = nullptr;
    QPushButton* SaveAllButton = nullptr;
    QPushButton* OpenInpButton = nullptr;
    QProgressBar* ProgressBar = nullptr;

    InputPanels panels_;
    // The buttons whose enabling the workflow decides, in the order of WorkflowButton.
    std::array<QPushButton*, kWorkflowButtons> workflowButtons_{};
    OutputPage* outputPage = nullptr;
    GraphPage* graphPage = nullptr;
    CalibrationPage* calibrationPage = nullptr;
    RecentFilesMenu* recentFiles_ = nullptr;
    CloseForm* closeForm = nullptr;
    DrainForm* drainForm = nullptr;
};

}  // namespace halosoil
