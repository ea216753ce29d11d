#include "SaveAllRun.h"

#include <QFileInfo>
#include <QProgressBar>
#include <QStringList>

#include "InputFile.h"
#include "InputPage.h"
#include "NativeFileName.h"
#include "NumberFormat.h"
#include "Plausibility.h"
#include "QtRunHost.h"
#include "SaltBudget.h"

namespace halosoil {

namespace {

const FileDialogSpec kInputFiles{"input files (*.inp)|*.inp", "inp", {}};

}  // namespace

SaveAllRun::SaveAllRun(InputData& data, RunState& results, WindowState& window,
                       const InputPage& input, Dialogs& dialogs, QObject* parent)
    : QObject(parent),
      data_(data),
      results_(results),
      window_(window),
      input_(input),
      dialogs_(dialogs) {}

void SaveAllRun::SaveAllButtonClick() {
    // A value no soil or climate can have is refused before a file name is asked for, so that
    // nothing is written.
    CheckPlausible(data_);
    dialogs_.Message("For saving please create an input data file");
    FileDialogSpec spec = kInputFiles;
    spec.initialFolder = window_.InputSaveFolder;
    const std::optional<QString> chosen = dialogs_.SaveFile(spec);
    if (!chosen) {
        dialogs_.Message("No input file was selected");
        return;
    }
    const QString fileName = *chosen;
    data_.InputFileName = ToNative(fileName);
    if (QFileInfo::exists(fileName) && !dialogs_.YesNo("The file already exists, overwrite?"))
        return;
    const QString folder = QFileInfo(fileName).absolutePath();
    window_.InputOpenFolder = folder;
    window_.InputSaveFolder = folder;

    // The writer refuses a series left shorter than the number of time steps. The rows are
    // settled first, so that the window's record holds them settled also when it refuses.
    SettleRows(data_);
    data_ = WriteInputFile(data_);
    TellRoundedValues();
    if (!dialogs_.YesNo("The data were saved as " + fileName + ". Do you wish to" +
                        " do the calculations?")) {
        dialogs_.Message("The calculations were not made.");
        return;
    }
    if (data_.NrTst > 10) ShowProgressBar();
    data_.TstLength = input_.ChosenStepLength();

    RunAndKeepResults();
    QProgressBar* progressBar = input_.ProgressBar();
    if (!input_.Workflow().SoilComplete() || results_.RunStopped) {
        // A run that stopped early or lacks soil data shows no output, and no progress either.
        progressBar->hide();
        return;
    }

    dialogs_.Message("The calculations were made. The output can be inspected.");
    progressBar->hide();
    window_.OutputFromRun = true;
    emit OutputWritten();
}

void SaveAllRun::RememberApplied(const std::vector<study::Parameter>& parameters,
                                 const std::vector<double>& values) {
    applied_.clear();
    for (std::size_t k = 0; k < parameters.size() && k < values.size(); ++k)
        if (!study::IsFactor(parameters[k].kind)) applied_.emplace_back(parameters[k], values[k]);
}

void SaveAllRun::TellRoundedValues() {
    if (applied_.empty()) return;
    InputData asFile;
    ReadInputText(InputFileText(data_), asFile);
    QStringList rounded;
    for (const auto& [parameter, value] : applied_) {
        // A value the user has changed since is the user's, not the calibration's.
        if (study::ValueIn(data_, parameter) != value) continue;
        const double written = study::ValueIn(asFile, parameter);
        if (written == value) continue;
        const int decimals = parameter.Info().decimalsInFile;
        rounded << QString("%1 %2 is written as %3 (%4 %5)")
                       .arg(QString::fromStdString(parameter.Name()))
                       .arg(QString::fromStdString(GeneralText(value)))
                       .arg(QString::fromStdString(GeneralText(written)))
                       .arg(decimals)
                       .arg(decimals == 1 ? "decimal" : "decimals");
    }
    applied_.clear();
    if (rounded.isEmpty()) return;
    dialogs_.Message("The input file keeps its numbers with fixed decimals: " + rounded.join("; ") +
                     ". This run uses the calibrated values; a run of the saved file uses the "
                     "written ones.");
}

void SaveAllRun::ShowProgressBar() {
    QProgressBar* progressBar = input_.ProgressBar();
    progressBar->setRange(0, 10);
    progressBar->setValue(1);
    progressBar->show();
    dialogs_.Pause(100);
}

// The tables and graphs show what the run left, also of a run that failed part-way.
void SaveAllRun::RunAndKeepResults() {
    QtRunHost host(dialogs_, input_.ProgressBar());
    data_.SaltBalance = ChosenSaltBalance();
    window_.SaltBudgetNote.clear();
    try {
        engine_.Run(data_, host);
    } catch (...) {
        results_ = engine_.State();
        input_.ProgressBar()->hide();
        throw;
    }
    results_ = engine_.State();
    if (results_.RunStopped) return;
    QStringList warnings;
    for (const std::string& warning :
         SaltBudgetWarnings(TotalsOf(SaltBudgetOf(data_, results_), results_, data_)))
        warnings << QString::fromStdString(warning);
    if (!warnings.isEmpty()) window_.SaltBudgetNote = "Salt budget: " + warnings.join("; ") + ".";
}

SaltBalanceKind SaveAllRun::ChosenSaltBalance() const {
    return window_.ConservingSalt ? SaltBalanceKind::Conserving : SaltBalanceKind::Specified;
}

InputData SaveAllRun::ProjectAsSaved() const {
    InputData saved = data_;
    saved.SaltBalance = ChosenSaltBalance();
    // The run of "Save all - Run" takes the step length the general data show.
    saved.TstLength = input_.ChosenStepLength();
    // The writer's checks and its settling of the number of rows; the run then takes the
    // record itself, not the file's rounded text, and so does a study.
    InputFileText(saved);
    return AsWritten(saved);
}

}  // namespace halosoil
