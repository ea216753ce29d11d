// The main window: six tab pages, the input workflow on the Input page (seven groups, each in
// a panel of its own), "Save all - Run", "Open input", "Restart", the Edit menu, and the
// Output and Graphs pages. The window owns the project record, the workflow state, the engine
// and what an output file read back gives the graphs.
#pragma once

#include <QMainWindow>
#include <QTabWidget>
#include <functional>
#include <memory>

#include "Dialogs.h"
#include "InputData.h"
#include "OutputFile.h"
#include "Engine.h"
#include "WindowState.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QGroupBox;
class QAction;

namespace halosoil {

class GenPanel;
class HydrPanel;
class SoilPanel;
class SaltPanel;
class IrrSalPanel;
class DrainPanel;
class CondPanel;
class GridPaste;
class OutputPage;
class GraphPage;
class CloseForm;
class DrainForm;
class StringGrid;

class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainForm() override;

    InputData& Data() { return data_; }
    WindowState& Window() { return window_; }
    Dialogs& Dlg() { return dialogs_; }
    Engine& Calc() { return engine_; }
    OutputReadBack& ReadBack() { return readBack_; }
    GridPaste& Paste() { return *paste_; }

    // Runs one user action; a failure of the core is shown with its text and ends the action,
    // keeping what was stored before it.
    void Guarded(const std::function<void()>& action);

    // Start-up; "Restart" runs it again.
    void FormCreate();
    void ReStartButtonClick();
    void InpTabShow();
    void MathTabShow();

    // The operations the panels use.
    void HidePanels();
    void DisableGroupButtons();
    void EnableGroupButtons();
    void SettleGroupButtons();
    // The soil or salinity panel of the current layer count (from the layer flags; before
    // the first general-data save, from the layer count the panels hold).
    SoilPanel* CurrentSoilPanel();
    SaltPanel* CurrentSaltPanel();
    int CurrentLayerCount() const;

    // The group buttons.
    void GenOpenButtonClick();
    void HydrOpenButtonClick();
    void SoilOpenButtonClick();
    void SaltOpenButtonClick();
    void IrrSalButtonClick();
    void DrainOpenButtonClick();
    void CondOpenButtonClick();

    void SaveAllButtonClick();
    void OpenInpButtonClick();
    void OpenInputFile();
    // "Open input" after its dialog: read the chosen file into the record and the panels.
    void OpenInputNamed(const QString& chosen);
    // A file named on the command line or handed over by the desktop: an output file (by its
    // extension ".out" or its first line) opens as "Open output" does and shows the Output
    // page; any other file opens as "Open input" does.
    void OpenFileFromOutside(const QString& fileName);

    // The Edit menu, acting on the focused field or grid cell.
    void EditCopy();
    void EditCut();
    void EditDelete();
    void EditPaste();

    void ShowPage(const QString& tabName);

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

    GenPanel* genPanel = nullptr;
    HydrPanel* hydrPanel = nullptr;
    SoilPanel* soilPanel[4] = {};  // index: layer count 1..3
    SaltPanel* saltPanel[4] = {};
    IrrSalPanel* irrSalPanel = nullptr;
    DrainPanel* drainPanel = nullptr;
    CondPanel* condPanel = nullptr;
    OutputPage* outputPage = nullptr;
    GraphPage* graphPage = nullptr;
    CloseForm* closeForm = nullptr;
    DrainForm* drainForm = nullptr;

    StringGrid* SaltGrid(int layers);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu();
    void BuildInputPage(QWidget* page);
    void BuildHelpPages();
    void BuildOutputPages();
    void ConnectGroupButtons();
    void OnPageChanged(int index);
    void SetInitialLayout();
    void ApplyTimeStepChoice();

    Dialogs& dialogs_;
    InputData data_;
    WindowState window_;
    Engine engine_;
    OutputReadBack readBack_;
    std::unique_ptr<GridPaste> paste_;
};

}  // namespace halosoil
