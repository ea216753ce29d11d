#include "GenPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "CondPanel.h"
#include "DrainPanel.h"
#include "Errors.h"
#include "GridPaste.h"
#include "HydrPanel.h"
#include "IrrSalPanel.h"
#include "LayerCarryOver.h"
#include "PanelWidgets.h"
#include "SaltPanel.h"
#include "SoilPanel.h"
#include "StringGrid.h"
#include "StringToFloat.h"
#include "TimeStepLimit.h"
#include "MainForm.h"

namespace halosoil {

GenPanel::GenPanel(MainForm& form, QWidget* parent) : QFrame(parent), form_(form) {
    SetUpPanelFrame(this, "GenPanel");
    Tit1Edit = MakeEdit(this, "Tit1Edit");
    Tit2Edit = MakeEdit(this, "Tit2Edit");
    NrTstEdit = MakeEdit(this, "NrTstEdit");
    NrTstEdit->setMaximumWidth(90);
    TstCombo = MakeCombo(this, "TstCombo", {"Year", "Month", "Week", "Day"});
    LayersCombo = MakeCombo(this, "LayersCombo", {"1", "2", "3"});
    GenQuitButton = MakeButton(this, "GenQuitButton", "Cancel", true);
    GenSaveButton = MakeButton(this, "GenSaveButton", "Save", true);

    auto* fields = new QGridLayout;
    fields->addWidget(MakeLabelFor(this, "Title1", Tit1Edit), 0, 0);
    fields->addWidget(Tit1Edit, 0, 1, 1, 2);
    fields->addWidget(MakeLabelFor(this, "Title2", Tit2Edit), 1, 0);
    fields->addWidget(Tit2Edit, 1, 1, 1, 2);
    fields->addWidget(MakeLabelFor(this, "Number of timesteps", NrTstEdit), 2, 0);
    fields->addWidget(NrTstEdit, 2, 1);
    fields->addWidget(MakeLabelFor(this, "Length of time steps", TstCombo), 3, 0);
    fields->addWidget(TstCombo, 3, 1);
    fields->addWidget(MakeLabelFor(this, "Nr. of layers in root zone", LayersCombo), 4, 0);
    fields->addWidget(LayersCombo, 4, 1);
    SetReadingOrder(
        {Tit1Edit, Tit2Edit, NrTstEdit, TstCombo, LayersCombo, GenQuitButton, GenSaveButton});
    fields->setColumnStretch(2, 1);

    QLabel* note = MakeLabel(this, "The titles are shown in output and graphs", "GenNoteLabel");
    note->setAutoFillBackground(true);
    QPalette palette = note->palette();
    palette.setColor(QPalette::Window, Qt::white);
    note->setPalette(palette);
    note->setMargin(4);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(GenQuitButton);
    buttons->addWidget(GenSaveButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeHeading(this, "General input data", true));
    layout->addLayout(fields);
    layout->addWidget(note, 0, Qt::AlignLeft);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(GenSaveButton, &QPushButton::clicked, this,
            [this] { form_.Guarded([this] { GenSaveButtonClick(); }); });
    connect(GenQuitButton, &QPushButton::clicked, this,
            [this] { form_.Guarded([this] { GenQuitButtonClick(); }); });
}

int GenPanel::ChosenStepLength() const {
    static const int kDays[] = {360, 30, 7, 1};
    const int index = TstCombo->currentIndex();
    return index >= 0 && index < 4 ? kDays[index] : 30;
}

void GenPanel::ShowStepLength(int days) {
    switch (days) {
        case 360:
            TstCombo->setCurrentIndex(0);
            break;
        case 30:
            TstCombo->setCurrentIndex(1);
            break;
        case 7:
            TstCombo->setCurrentIndex(2);
            break;
        case 1:
            TstCombo->setCurrentIndex(3);
            break;
        default:
            break;
    }
}

int GenPanel::ChosenLayers() const {
    return LayersCombo->currentIndex() + 1;
}

void GenPanel::ReadNumberOfTimeSteps() {
    InputData& data = form_.Data();
    int nrTst = 0;
    const QString text = NrTstEdit->text();
    if (!TryStringToInt(text.toStdString(), nrTst))
        throw HalosoilError("'" + text.toStdString() + "' is not a valid integer value");
    CheckTimeStepLimit(nrTst);
    data.NrTst = nrTst;
    data.HydrRows = data.NrTst;
}

// The time-step grids follow the number of time steps; rows that a smaller count hides keep
// their contents for when it grows again.
void GenPanel::ResizeTimeStepGrids() {
    const int rows = std::max(form_.Data().NrTst, 0) + 1;
    StringGrid* grids[] = {form_.hydrPanel->HydrGrid, form_.SaltGrid(1), form_.SaltGrid(2),
                           form_.SaltGrid(3), form_.irrSalPanel->IrrSalGrid};
    for (StringGrid* grid : grids) {
        grid->SetRowCount(rows);
        NumberRows(*grid, form_.Data().NrTst);
    }
}

void GenPanel::GenSaveButtonClick() {
    InputData& data = form_.Data();
    Dialogs& dialogs = form_.Dlg();
    data.Title1 = Tit1Edit->text().toLatin1().toStdString();
    data.Title2 = Tit2Edit->text().toLatin1().toStdString();
    ReadNumberOfTimeSteps();
    data.TstLength = ChosenStepLength();
    data.NrLayers = ChosenLayers();
    data.SetLayerFlags(data.NrLayers);

    const int oldLayers = data.SavedNrLayers;
    const bool layersChanged = data.NrLayers != oldLayers;
    // A layer count outside 1..3 can only come from a damaged file; there is nothing to carry.
    const bool carry = layersChanged && oldLayers >= 1 && oldLayers <= 3;
    if (carry) {
        form_.soilPanel[oldLayers]->hide();
        CarrySoilGrid(*form_.soilPanel[oldLayers]->Grid, oldLayers,
                      *form_.soilPanel[data.NrLayers]->Grid, data.NrLayers);
    }
    if (data.NrLayers > oldLayers) {
        data.InputComplete = false;
        dialogs.Message(
            "The number of layers was increased and data must be added. Please check and save "
            "each data group before using \"Save All\"");
    } else if (data.NrLayers < oldLayers) {
        data.InputComplete = false;
        dialogs.Message(
            "The number of layers was reduced. Please check and save each data group before "
            "using \"Save All\"");
    }
    if (!data.InputComplete) {
        QPushButton* cancels[] = {GenQuitButton,
                                  form_.hydrPanel->HydrQuitButton,
                                  form_.saltPanel[1]->QuitButton,
                                  form_.saltPanel[2]->QuitButton,
                                  form_.saltPanel[3]->QuitButton,
                                  form_.soilPanel[1]->QuitButton,
                                  form_.soilPanel[2]->QuitButton,
                                  form_.soilPanel[3]->QuitButton,
                                  form_.drainPanel->DrainQuitButton,
                                  form_.condPanel->CondQuitButton};
        for (QPushButton* cancel : cancels) cancel->setEnabled(false);
    }
    if (carry) {
        StringGrid& target = *form_.SaltGrid(data.NrLayers);
        CarrySalinityGrid(*form_.SaltGrid(oldLayers), oldLayers, target, data.NrLayers, data.NrTst);
        target.SetRowCount(std::max(data.NrTst, 0) + 1);
    }
    ResizeTimeStepGrids();
    dialogs.Message(data.InputComplete
                        ? "The general data were saved."
                        : "The general data were saved. Continue with the hydrological data.");
    data.SavedNrLayers = data.NrLayers;
    hide();
    form_.SettleGroupButtons();
    GenQuitButton->setEnabled(true);
    form_.HydrOpenButton->setEnabled(true);
    form_.hydrPanel->show();
}

// Only the layer choice goes back; whatever else was typed stays for the next Save.
void GenPanel::GenQuitButtonClick() {
    const int saved = form_.Data().SavedNrLayers;
    if (saved >= 1 && saved <= 3) LayersCombo->setCurrentIndex(saved - 1);
    hide();
    form_.SettleGroupButtons();
    form_.GenOpenButton->setEnabled(true);
}

}  // namespace halosoil
