// The Region page: the fields of a GIS layer run as projects of their own from a base project
// (the Input page's or a file), as `halosoil-batch region` runs them. The layer's columns are
// shown with the parameter each is taken as, and the user may take a column of another name as
// a parameter or leave a column unused; the run goes on a worker thread with its progress and
// Cancel; its results GeoPackage (or one opened) is drawn on the results panel, where a field
// opens as a project of its own on the Input page.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "Dialogs.h"
#include "FieldLayer.h"
#include "InputData.h"
#include "RegionRun.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace halosoil {

class RegionColumnsTable;
class RegionResultsPanel;
class RegionRunner;

class RegionPage : public QWidget {
    Q_OBJECT
public:
    explicit RegionPage(Dialogs& dialogs, QWidget* parent = nullptr);
    ~RegionPage() override;

    // The project of the Input page as "Save all - Run" would save it, or nothing and why not;
    // it is the base unless a file was chosen.
    void SetInputProject(const std::optional<InputData>& project, const QString& whyNot);

    void OpenLayerButtonClick();
    void OpenResultsButtonClick();
    void ChooseBaseButtonClick();
    void UseInputBaseButtonClick();
    void RunButtonClick();
    void CancelButtonClick();
    // A layer (or a results GeoPackage, which opens as results) by its file's name: the
    // File menu's, a dropped file's.
    void OpenLayerNamed(const QString& path);
    void OpenResultsNamed(const QString& path);
    // A file dropped on the window: a region's results open as results, another layer as
    // the fields.
    void OpenDroppedNamed(const QString& path);

    // Waits for the run and delivers its end (for tests, which have no event loop running).
    void WaitForRegion();
    bool RegionRunning() const;
    RegionRunner& Runner() { return *runner_; }
    RegionResultsPanel& Results() { return *results_; }

signals:
    // "Open as project": the field's project was written to this input file, to be opened
    // on the Input page.
    void ProjectWritten(const QString& fileName);

private:
    QWidget* BuildSourceRows();
    QPushButton* Button(const char* name, const QString& text, void (RegionPage::*handler)());
    void EnableControls();
    void ShowBase();
    // The ids' column chosen: the columns shown again with it, the other uses kept.
    void IdColumnChosen();
    // The base a run or a field's project starts from; throws HalosoilError why there is none.
    std::shared_ptr<const InputData> Base() const;
    region::LayerChoice Choice() const;
    void RegionEnded(std::exception_ptr error, const region::RegionSummary& summary,
                     const QStringList& messages, const QString& resultsPath,
                     const region::LayerChoice& choice);
    void OpenFieldAsProject(int field);

    Dialogs& dialogs_;
    RegionRunner* runner_ = nullptr;
    QString folder_;

    std::optional<InputData> inputProject_;
    QString inputWhyNot_;
    // A base chosen from a file; none: the Input page's project.
    std::shared_ptr<const InputData> fileBase_;
    QString layerPath_;
    std::vector<std::string> layerColumns_;
    // Where the fields of the results on view come from, to make their projects.
    region::LayerChoice resultsSource_;

    QLabel* layerLabel_ = nullptr;
    QLabel* baseLabel_ = nullptr;
    QTabWidget* sections_ = nullptr;
    RegionColumnsTable* columns_ = nullptr;
    RegionResultsPanel* results_ = nullptr;
    QPlainTextEdit* messages_ = nullptr;
    QComboBox* idCombo_ = nullptr;
    QCheckBox* exchangeCheck_ = nullptr;
    QPushButton* openLayerButton_ = nullptr;
    QPushButton* openResultsButton_ = nullptr;
    QPushButton* chooseBaseButton_ = nullptr;
    QPushButton* inputBaseButton_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* statusLabel_ = nullptr;
};

}  // namespace halosoil
