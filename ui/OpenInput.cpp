// "Open input": read a saved project into the record and every panel, and make every group
// and "Save all - Run" available at once.
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "GraphPage.h"
#include "InputFile.h"
#include "InputReadDisplay.h"
#include "MainForm.h"
#include "OutputPage.h"
#include "RecentFilesMenu.h"

namespace halosoil {

void MainForm::OpenInpButtonClick() {
    OpenInputFile();
}

void MainForm::OpenInputFile() {
    const std::optional<QString> chosen =
        dialogs_.OpenFile({"input files (*.inp)|*.inp", "inp", window_.InputOpenFolder});
    if (!chosen) {
        dialogs_.Message("No input file was selected");
        return;
    }
    OpenInputNamed(*chosen);
}

void MainForm::OpenInputNamed(const QString& chosenName) {
    const std::optional<QString> chosen = chosenName;
    data_.InputFileName = QFile::encodeName(*chosen).toStdString();
    const QString folder = QFileInfo(*chosen).absolutePath();
    window_.InputOpenFolder = folder;
    window_.InputSaveFolder = folder;

    InputReadDisplay display(data_, workflow_, panels_);
    ReadInputFile(data_, &display);
    display.ReadingEnded();

    FileLabel->show();
    NameLabel->setText(*chosen);
    workflow_.InputFileOpened();
    ShowWorkflow();
    window_.OutputFromRun = false;
    outputPage->DisableForOpenedInput();
    graphPage->DisableGraphButtons();
    if (recentFiles_) recentFiles_->Remember(*chosen);
}

}  // namespace halosoil
