// "Save all - Run": write the input file under a name the user chooses, run the model on it
// and hand the results to the window. Holds the engine; the window keeps a copy of the last
// run's results, which the Output and Graphs pages refill from the output file on view.
#pragma once

#include <QObject>
#include <utility>
#include <vector>

#include "Dialogs.h"
#include "Engine.h"
#include "InputData.h"
#include "Parameters.h"
#include "RunState.h"
#include "WindowState.h"

namespace halosoil {

class InputPage;

class SaveAllRun : public QObject {
    Q_OBJECT
public:
    SaveAllRun(InputData& data, RunState& results, WindowState& window, const InputPage& input,
               Dialogs& dialogs, QObject* parent = nullptr);

    void SaveAllButtonClick();
    // The values "Apply to input" of a calibration set in the record: the next save tells
    // which of them the file's fixed decimals round.
    void RememberApplied(const std::vector<study::Parameter>& parameters,
                         const std::vector<double>& values);
    // The project record as "Save all - Run" runs it (a file read gives the batch runner's
    // project). Throws the writer's refusal.
    InputData ProjectAsSaved() const;

signals:
    // "The calculations were made": the output file of the run is there to be shown.
    void OutputWritten();

private:
    // Shows the progress bar at position 1 before a run of more than 10 time steps.
    void ShowProgressBar();
    void RunAndKeepResults();
    // The balance the Options menu chooses for runs and studies.
    SaltBalanceKind ChosenSaltBalance() const;
    // After the input file is written: a message naming each applied value the file holds
    // rounded, said once.
    void TellRoundedValues();

    InputData& data_;
    RunState& results_;
    WindowState& window_;
    const InputPage& input_;
    Dialogs& dialogs_;
    Engine engine_;
    std::vector<std::pair<study::Parameter, double>> applied_;
};

}  // namespace halosoil
