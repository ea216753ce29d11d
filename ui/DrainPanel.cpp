#include "DrainPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ActionGuard.h"
#include "InputChecks.h"
#include "PanelWidgets.h"
#include "StringToFloat.h"

namespace halosoil {

namespace {

// The program itself shows a single space in these fields when a file without drains was
// opened, so a field of blanks counts as empty.
bool IsBlank(const QLineEdit* edit) {
    return edit->text().trimmed().isEmpty();
}

double NumberOr(const QLineEdit* edit, double emptyValue) {
    return IsBlank(edit) ? emptyValue : StringToFloat(edit->text().toStdString());
}

}  // namespace

DrainPanel::DrainPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs,
                       QWidget* parent)
    : InputPanelFrame(data, workflow, dialogs, "DrainPanel", parent) {
    DrainPresentCombo = MakeCombo(this, "DrainPresentCombo", {"no", "yes"});
    DrainDepthEdit = MakeEdit(this, "DrainDepthEdit");
    DrainDepthLabel = MakeLabelFor(this, "Drainage depth (m)", DrainDepthEdit, "DrainDepthLabel");
    DrainQH1Edit = MakeEdit(this, "DrainQH1Edit");
    DrainQH1Label =
        MakeLabelFor(this, "Drainage reaction factor QH1 (m/day/m)", DrainQH1Edit, "DrainQH1Label");
    DrainQH2Edit = MakeEdit(this, "DrainQH2Edit");
    DrainQH2Label = MakeLabelFor(this, "Drainage reaction factor QH2 (m/day/msq)", DrainQH2Edit,
                                 "DrainQH2Label");
    DrainHelpButton = MakeButton(this, "DrainHelpButton", "Help");
    MakeFootButtons("DrainQuitButton", "DrainSaveButton", true);
    for (QLineEdit* edit : {DrainDepthEdit, DrainQH1Edit, DrainQH2Edit}) edit->setMaximumWidth(100);
    DrainPresentCombo->setMaximumWidth(100);

    auto* fields = new QGridLayout;
    fields->addWidget(MakeLabelFor(this, "Subsurface drainage system present?", DrainPresentCombo),
                      0, 0);
    SetReadingOrder({DrainPresentCombo, DrainDepthEdit, DrainQH1Edit, DrainQH2Edit, DrainHelpButton,
                     CancelButton(), SaveButton()});
    fields->addWidget(DrainPresentCombo, 0, 1);
    fields->addWidget(DrainDepthLabel, 1, 0);
    fields->addWidget(DrainDepthEdit, 1, 1);
    fields->addWidget(DrainQH1Label, 2, 0);
    fields->addWidget(DrainQH1Edit, 2, 1);
    fields->addWidget(DrainQH2Label, 3, 0);
    fields->addWidget(DrainQH2Edit, 3, 1);
    fields->setColumnStretch(2, 1);

    LayOut(MakeHeading(this, "Properties of the subsurface drainage system", true), fields, false,
           DrainHelpButton);

    connect(DrainPresentCombo, &QComboBox::activated, this,
            [this] { RunGuarded(dialogs_, [this] { DrainPresentComboChange(); }); });
    ConnectGuarded<DrainPanel>(this, dialogs_,
                               {{DrainHelpButton, &DrainPanel::DrainHelpButtonClick}});
    // No drainage system until a file or a save says otherwise.
    EnableDrainFields(false);
}

void DrainPanel::EnableDrainFields(bool enabled) {
    for (QWidget* widget :
         std::initializer_list<QWidget*>{DrainDepthLabel, DrainDepthEdit, DrainQH1Label,
                                         DrainQH1Edit, DrainQH2Label, DrainQH2Edit})
        widget->setEnabled(enabled);
}

int DrainPanel::DrainChoice() const {
    return DrainPresentCombo->currentIndex() == 1 ? 1 : 0;
}

void DrainPanel::DrainPresentComboChange() {
    const bool present = DrainChoice() == 1;
    data_.DrainPresent = present;
    EnableDrainFields(present);
}

bool DrainPanel::ReadAndCheckDrainage() {
    double rootThick = 0;
    for (int layer = 1; layer <= LayerCount(data_); ++layer) rootThick += data_.Thick[layer];
    if (!data_.DrainPresent) return true;

    data_.DrainDepth = NumberOr(DrainDepthEdit, -1);
    data_.QH1 = NumberOr(DrainQH1Edit, 0);
    data_.QH2 = NumberOr(DrainQH2Edit, 0);
    const DrainageFault fault = CheckDrainage(data_, rootThick);
    if (fault == DrainageFault::None) return true;
    dialogs_.Message(DrainageFaultText(fault));
    if (fault == DrainageFault::DepthWithinRootZone ||
        fault == DrainageFault::DepthBelowTransitionZone)
        emit DepthRefused();
    return false;
}

void DrainPanel::SaveButtonClick() {
    if (!ReadAndCheckDrainage()) return;
    SavedMessage("The data on the Subsurface Drainage System were saved.",
                 "The data on the subsurface drainage system were saved. Continue with the data "
                 "on the Initial Conditions.");
    emit Saved();
}

// The choice goes back to that of the last successful save.
void DrainPanel::CancelButtonClick() {
    DrainPresentCombo->setCurrentIndex(workflow_.SavedDrainChoice() == 1 ? 1 : 0);
    DrainPresentComboChange();
    emit Cancelled();
}

void DrainPanel::DrainHelpButtonClick() {
    emit HelpRequested();
}

}  // namespace halosoil
