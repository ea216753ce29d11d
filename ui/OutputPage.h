// The Output page: the output text, the salinity and hydrology tables (ui/OutputTableView.*),
// copying a table to the clipboard or saving it as CSV (ui/OutputCsvExport.*), and opening an
// earlier output file with its input file.
#pragma once

#include <QWidget>
#include <memory>

#include "Dialogs.h"
#include "OutputOnView.h"

class QBoxLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace halosoil {

class OutputCsvExport;
class OutputTableView;

class OutputPage : public QWidget {
    Q_OBJECT
public:
    OutputPage(OutputOnView view, Dialogs& dialogs, QWidget* parent = nullptr);
    ~OutputPage() override;

    // After a successful run: the output text and the buttons and labels a new output needs
    // (everything of the run's completion except the message and the page switch).
    void ShowRunOutput();
    // An input file was opened: disable "See graphs", "See salinity output" and "See
    // hydrological output" and hide OutLabel.
    void DisableForOpenedInput();
    // "Open output". Returns false when a reading failed (a cancelled dialog returns true);
    // when the failing reading had already changed the results in memory, the buttons that
    // would show them are disabled.
    bool OpenOutput();
    // "Open output" after its dialog: read the chosen output file and its input file and show
    // them. Also opens a file named on the command line.
    bool OpenOutputFile(const QString& chosen);
    // "Save as CSV": the table on display as a CSV file.
    void SaveCsvButtonClick();

    // Loads the output file on display into OutputMemo: the run's output when OutputFromRun
    // is set, otherwise the one chosen with "Open output". False when it cannot be read.
    bool ShowOutputText();
    // Fill OutGrid from the results and series in memory and lay it out.
    void FillSalinityTable();
    void FillHydrologyTable();

    // The output file the page shows: the run's, or the one chosen with "Open output".
    QString CurrentOutputFileName() const;

public slots:
    void OpenOutButtonClick();
    void SeeGraphsButtonClick();
    void SeeSaltButtonClick();
    void SeeHydrButtonClick();
    void CopyButtonClick();

signals:
    void SeeGraphsClicked();
    // "Open output" read a file: the Graphs page hides its picture and selection panel.
    void OutputOpened();

private:
    void BuildWidgets();
    void HideTable();
    void ShowOutputControls();
    bool ReadOutput();
    // After a reading of "Open output" failed part-way, the results in memory belong neither
    // to the output on display nor to the chosen file: no table or graph may be made of them.
    void DisableOutputButtons();
    void Fail(const std::exception& error, const QString& fileName);

    OutputOnView view_;
    Dialogs& dialogs_;

    QPlainTextEdit* outputMemo_ = nullptr;
    QPushButton* openOutButton_ = nullptr;
    QPushButton* seeGraphsButton_ = nullptr;
    QPushButton* seeSaltButton_ = nullptr;
    QPushButton* seeHydrButton_ = nullptr;
    QLabel* outLabel_ = nullptr;
    QLabel* saltNote_ = nullptr;  // the run's salt budget warnings, when there are any
    QLabel* excelLabel_ = nullptr;
    std::unique_ptr<OutputTableView> table_;
    std::unique_ptr<OutputCsvExport> csv_;
    QBoxLayout* pageLayout_ = nullptr;
};

}  // namespace halosoil
