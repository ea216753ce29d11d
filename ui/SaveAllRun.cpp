// "Save all - Run": write the input file under a name the user chooses, run the model on it
// and show the output.
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>

#include "Errors.h"
#include "GenPanel.h"
#include "InputFile.h"
#include "MainForm.h"
#include "OutputFileName.h"
#include "OutputPage.h"
#include "Plausibility.h"
#include "QtRunHost.h"
#include "RecentFilesMenu.h"

namespace halosoil {

namespace {

const FileDialogSpec kInputFiles{"input files (*.inp)|*.inp", "inp", {}};

}  // namespace

void MainForm::ApplyTimeStepChoice() {
    data_.TstLength = panels_.general->ChosenStepLength();
}

void MainForm::SaveAllButtonClick() {
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
    data_.InputFileName = QFile::encodeName(fileName).toStdString();
    if (QFileInfo::exists(fileName) && !dialogs_.YesNo("The file already exists, overwrite?"))
        return;
    const QString folder = QFileInfo(fileName).absolutePath();
    window_.InputOpenFolder = folder;
    window_.InputSaveFolder = folder;

    // The writer refuses a series left shorter than the number of time steps. The rows are
    // settled first, so that the window's record holds them settled also when it refuses.
    SettleRows(data_);
    data_ = WriteInputFile(data_);
    if (!dialogs_.YesNo("The data were saved as " + fileName + ". Do you wish to" +
                        " do the calculations?")) {
        dialogs_.Message("The calculations were not made.");
        return;
    }
    if (data_.NrTst > 10) {
        ProgressBar->setRange(0, 10);
        ProgressBar->setValue(1);
        ProgressBar->show();
        dialogs_.Pause(100);
    }
    ApplyTimeStepChoice();

    QtRunHost host(dialogs_, ProgressBar);
    try {
        engine_.Run(data_, host);
    } catch (...) {
        ProgressBar->hide();
        throw;
    }
    if (!workflow_.SoilComplete() || engine_.State().RunStopped) {
        // A run that stopped early or lacks soil data shows no output, and no progress either.
        ProgressBar->hide();
        return;
    }

    dialogs_.Message("The calculations were made. The output can be inspected.");
    ProgressBar->hide();
    window_.OutputFromRun = true;
    recentFiles_->Remember(QFile::decodeName(data_.InputFileName.c_str()));
    recentFiles_->Remember(QFile::decodeName(OutputFileNameFor(data_.InputFileName).c_str()));
    outputPage->ShowRunOutput();
    ShowPage("OutTab");
}

}  // namespace halosoil
