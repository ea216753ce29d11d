#include "GenPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "Errors.h"
#include "PanelWidgets.h"
#include "StringToFloat.h"
#include "TimeStepLimit.h"

namespace halosoil {

namespace {

// The step length in days of each choice of TstCombo, in its order.
constexpr int kStepDays[] = {360, 30, 7, 1};

}  // namespace

GenPanel::GenPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs,
                   QWidget* parent)
    : InputPanelFrame(data, workflow, dialogs, "GenPanel", parent) {
    Tit1Edit = MakeEdit(this, "Tit1Edit");
    Tit2Edit = MakeEdit(this, "Tit2Edit");
    NrTstEdit = MakeEdit(this, "NrTstEdit");
    NrTstEdit->setMaximumWidth(90);
    TstCombo = MakeCombo(this, "TstCombo", {"Year", "Month", "Week", "Day"});
    LayersCombo = MakeCombo(this, "LayersCombo", {"1", "2", "3"});
    MakeFootButtons("GenQuitButton", "GenSaveButton", true);

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
        {Tit1Edit, Tit2Edit, NrTstEdit, TstCombo, LayersCombo, CancelButton(), SaveButton()});
    fields->setColumnStretch(2, 1);

    QLabel* note = MakeLabel(this, "The titles are shown in output and graphs", "GenNoteLabel");
    note->setAutoFillBackground(true);
    QPalette palette = note->palette();
    palette.setColor(QPalette::Window, Qt::white);
    note->setPalette(palette);
    note->setMargin(4);

    auto* content = new QVBoxLayout;
    content->addLayout(fields);
    content->addWidget(note, 0, Qt::AlignLeft);
    LayOut(MakeHeading(this, "General input data", true), content, false);
}

int GenPanel::ChosenStepLength() const {
    const int index = TstCombo->currentIndex();
    return index >= 0 && index < std::ssize(kStepDays) ? kStepDays[index] : 30;
}

void GenPanel::ShowStepLength(int days) {
    const auto* choice = std::find(std::begin(kStepDays), std::end(kStepDays), days);
    if (choice != std::end(kStepDays))
        TstCombo->setCurrentIndex(static_cast<int>(choice - std::begin(kStepDays)));
}

int GenPanel::ChosenLayers() const {
    return LayersCombo->currentIndex() + 1;
}

void GenPanel::ReadNumberOfTimeSteps() {
    int nrTst = 0;
    const QString text = NrTstEdit->text();
    if (!TryStringToInt(text.toStdString(), nrTst))
        throw HalosoilError("'" + text.toStdString() + "' is not a valid integer value");
    CheckTimeStepLimit(nrTst);
    data_.NrTst = nrTst;
    data_.HydrRows = data_.NrTst;
}

// A changed layer count sends the user through every group again; the Input page carries the
// data already entered over to the panels of the new count.
void GenPanel::SaveButtonClick() {
    data_.Title1 = Tit1Edit->text().toLatin1().toStdString();
    data_.Title2 = Tit2Edit->text().toLatin1().toStdString();
    ReadNumberOfTimeSteps();
    data_.TstLength = ChosenStepLength();
    data_.NrLayers = ChosenLayers();
    data_.SetLayerFlags(data_.NrLayers);

    const int oldLayers = workflow_.SavedLayers();
    if (data_.NrLayers > oldLayers) {
        dialogs_.Message(
            "The number of layers was increased and data must be added. Please check and save "
            "each data group before using \"Save All\"");
    } else if (data_.NrLayers < oldLayers) {
        dialogs_.Message(
            "The number of layers was reduced. Please check and save each data group before "
            "using \"Save All\"");
    }
    const bool stillComplete = workflow_.Complete() && data_.NrLayers == oldLayers;
    dialogs_.Message(stillComplete
                         ? "The general data were saved."
                         : "The general data were saved. Continue with the hydrological data.");
    emit Saved();
}

// Only the layer choice goes back; whatever else was typed stays for the next Save.
void GenPanel::CancelButtonClick() {
    const int saved = workflow_.SavedLayers();
    if (saved >= 1 && saved <= 3) LayersCombo->setCurrentIndex(saved - 1);
    emit Cancelled();
}

}  // namespace halosoil
