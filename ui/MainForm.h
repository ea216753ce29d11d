// The main window: the tab pages Intro, Math, Figure, Input, Output, Graphs, Calibration and
// Region, the Edit and File menus, the closing window and the drainage explanation window. The
// window owns the project record, the results on display and what the window remembers beside them,
// and hands them to the pages; it carries what one page reports over to the others.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

#include "Dialogs.h"
#include "InputData.h"
#include "OutputFile.h"
#include "Parameters.h"
#include "RunState.h"
#include "WindowPage.h"
#include "WindowState.h"

class QTabWidget;

namespace halosoil {

class CalibrationPage;
class CloseForm;
class DrainForm;
class EditMenu;
class GraphPage;
class InputPage;
class OutputPage;
class RecentFilesMenu;
class RegionPage;
class SaveAllRun;

class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainForm() override;

    InputData& Data() { return data_; }
    WindowState& Window() { return window_; }
    // The results on display: those of the last run, refilled from the output file on view.
    const RunState& Results() const { return results_; }
    InputPage& Input() { return *inputPage_; }
    EditMenu& Edit() { return *editMenu_; }
    const RecentFilesMenu* RecentFiles() const { return recentFiles_; }

    // Runs one user action; a failure of the core is shown with its text and ends the action,
    // keeping what was stored before it.
    void Guarded(const std::function<void()>& action);

    // Start-up; "Restart" runs it again.
    void FormCreate();
    void ReStartButtonClick();
    // The Calibration page gets the project as "Save all - Run" would save it, when the input
    // is complete.
    void CalTabShow();
    // The Region page gets the same project as its base.
    void RegionTabShow();
    // "Apply to input" of a calibration: the values into the project record, and the panels
    // show them. The workflow stays as it is.
    void ApplyStudyValues(const std::vector<study::Parameter>& parameters,
                          const std::vector<double>& values);

    // A file named on the command line or handed over by the desktop: an output file (by its
    // extension ".out" or its first line) opens as "Open output" does and shows the Output
    // page; any other file opens as "Open input" does.
    void OpenFileFromOutside(const QString& fileName);
    // A file dropped on the window or chosen from the recent files: observations (".csv")
    // open on the Calibration page as "Open observations" does, GIS layers and a region's
    // results on the Region page; others as from outside.
    void OpenFileNamed(const QString& fileName);

    void ShowPage(WindowPage page);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* PageWidget(WindowPage page) const;
    // Puts a page's own widget on its tab.
    void PlaceOnPage(WindowPage page, QWidget* content);
    void BuildPages();
    void BuildFileMenu();
    void BuildOptionsMenu();
    void ConnectInputPage();
    void ConnectOutputPages();
    void ConnectCalibrationPage();
    void ConnectRegionPage();
    void OnPageChanged(int index);
    // "The calculations were made": the output of the run on the Output page.
    void ShowRunOutput();

    Dialogs& dialogs_;
    InputData data_;
    RunState results_;
    OutputReadBack readBack_;
    WindowState window_;

    std::unique_ptr<EditMenu> editMenu_;
    QTabWidget* pageControl_ = nullptr;
    InputPage* inputPage_ = nullptr;
    SaveAllRun* saveAllRun_ = nullptr;
    OutputPage* outputPage_ = nullptr;
    GraphPage* graphPage_ = nullptr;
    CalibrationPage* calibrationPage_ = nullptr;
    RegionPage* regionPage_ = nullptr;
    RecentFilesMenu* recentFiles_ = nullptr;
    CloseForm* closeForm_ = nullptr;
    DrainForm* drainForm_ = nullptr;
};

}  // namespace halosoil
