// "Open input": read a saved project into the record and every panel, and make every group
// and "Save all - Run" available at once.
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "CondPanel.h"
#include "DrainPanel.h"
#include "GenPanel.h"
#include "GraphPage.h"
#include "HydrPanel.h"
#include "InputFile.h"
#include "InputReadDisplay.h"
#include "IrrSalPanel.h"
#include "OutputPage.h"
#include "SaltPanel.h"
#include "SoilPanel.h"
#include "MainForm.h"

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

    InputReadDisplay display(*this);
    ReadInputFile(data_, &display);
    display.ReadingEnded();

    FileLabel->show();
    NameLabel->setText(*chosen);
    data_.InputComplete = true;
    for (QPushButton* button : {HydrOpenButton, SaltOpenButton, SoilOpenButton, IrrSalButton,
                                DrainOpenButton, CondOpenButton, SaveAllButton})
        button->setEnabled(true);
    for (QPushButton* cancel :
         {genPanel->GenQuitButton, hydrPanel->HydrQuitButton, saltPanel[1]->QuitButton,
          saltPanel[2]->QuitButton, saltPanel[3]->QuitButton, soilPanel[1]->QuitButton,
          soilPanel[2]->QuitButton, soilPanel[3]->QuitButton, irrSalPanel->IrrSalCancelButton,
          drainPanel->DrainQuitButton, condPanel->CondQuitButton})
        cancel->setEnabled(true);
    HidePanels();
    genPanel->show();
    window_.OutputFromRun = false;
    outputPage->DisableForOpenedInput();
    graphPage->DisableGraphButtons();
}

}  // namespace halosoil
