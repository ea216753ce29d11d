// "Save all - Run": write the input file under a name the user chooses, run the model on it
// and show the output.
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>

#include "Errors.h"
#include "GenPanel.h"
#include "InputFile.h"
#include "OutputPage.h"
#include "QtRunHost.h"
#include "UMain.h"

namespace halosoil {

namespace {

const FileDialogSpec kInputFiles{"input files (*.inp)|*.inp", "inp", {}};

bool Covers(const Series& series, int nrTst) {
    return static_cast<long long>(series.size()) >= static_cast<long long>(nrTst) + 1;
}

}  // namespace

// A group whose series is shorter than the number of time steps (the number was changed by
// the general data or a paste and the group not saved again) would make the file and the run
// read beyond the data entered; the user is asked to save that group again instead.
bool MainForm::SeriesReadyForRun() {
    const int nrTst = data_.NrTst != 0 ? data_.NrTst : data_.HydrRows;
    QString group;
    if (!Covers(data_.Rain, nrTst) || !Covers(data_.Irrig, nrTst) || !Covers(data_.Evap, nrTst))
        group = "hydrological data";
    else if (!Covers(data_.IrrSal, nrTst))
        group = "irrigation salinity";
    else
        for (int zone : ZonesOf(CurrentLayerCount()))
            if (!Covers(data_.MeasSalt[zone], nrTst)) group = "salinity data";
    if (group.isEmpty()) return true;
    dialogs_.Message("The " + group + " do not cover all " + QString::number(nrTst) +
                     " time steps. Please check and save them again.");
    return false;
}

void MainForm::ApplyTimeStepChoice() {
    data_.TstLength = genPanel->ChosenStepLength();
}

void MainForm::SaveAllButtonClick() {
    dialogs_.Message("For saving please create an input data file");
    FileDialogSpec spec = kInputFiles;
    spec.initialFolder = window_.InputSaveFolder;
    const std::optional<QString> chosen = dialogs_.SaveFile(spec);
    if (!chosen) {
        dialogs_.Message("No input file was selected");
        return;
    }
    const QString fileName = *chosen;
    data_.InputFileName = fileName.toStdString();
    if (QFileInfo::exists(fileName) && !dialogs_.YesNo("The file already exists, overwrite?"))
        return;
    const QString folder = QFileInfo(fileName).absolutePath();
    window_.InputOpenFolder = folder;
    window_.InputSaveFolder = folder;

    if (!SeriesReadyForRun()) return;
    WriteInputFile(data_);
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
    if (!window_.SoilComplete || engine_.State().RunStopped) return;

    dialogs_.Message("The calculations were made. The output can be inspected.");
    window_.OutputFromRun = true;
    outputPage->ShowRunOutput();
    ShowPage("OutTab");
    ProgressBar->hide();
}

}  // namespace halosoil
