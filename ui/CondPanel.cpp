#include "CondPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "PanelWidgets.h"
#include "StringToFloat.h"

namespace halosoil {

namespace {

// Stores a filled field; an empty one leaves the value as it was and makes the input invalid.
void ReadField(const QLineEdit* edit, double& value, bool& valid) {
    const QString text = edit->text();
    if (text.isEmpty()) {
        valid = false;
        return;
    }
    value = StringToFloat(text.toStdString());
}

}  // namespace

CondPanel::CondPanel(InputData& data, const InputWorkflow& workflow, Dialogs& dialogs,
                     QWidget* parent)
    : InputPanelFrame(data, workflow, dialogs, "CondPanel", parent) {
    // "Crtical" and "Intial" (the heading below) are spelt as users have always read them.
    const struct {
        QLineEdit** edit;
        const char* name;
        const char* label;
    } kFields[] = {
        {&SaltIrrigEdit, "SaltIrrigEdit", "Salinity irrigation water (dS/m)"},
        {&WTdepthEdit, "WTdepthEdit", "Initial depth water table (m)"},
        {&CritDepthEdit, "CritDepthEdit", "Crtical depth of water table for capillary rise (m)"},
        {&MoistEdit, "MoistEdit", "Initial soil moisture content (%)"},
        {&IrrEffEdit, "IrrEffEdit", "Irrigation efficiency (%)"},
        {&GrwtInfEdit, "GrwtInfEdit", "Ground water inflow (mm/day)"},
        {&GrwtOutEdit, "GrwtOutEdit", "Ground water outflow (mm/day)"},
        {&SalInfEdit, "SalInfEdit", "Salinity ground water inflow (dS/m)"},
    };
    auto* fields = new QGridLayout;
    int row = 0;
    for (const auto& field : kFields) {
        *field.edit = MakeEdit(this, field.name);
        (*field.edit)->setMaximumWidth(100);
        fields->addWidget(MakeLabelFor(this, field.label, *field.edit), row, 0);
        fields->addWidget(*field.edit, row, 1);
        ++row;
    }
    fields->setColumnStretch(2, 1);
    MakeFootButtons("CondQuitButton", "CondSaveButton", true);
    SetReadingOrder({SaltIrrigEdit, WTdepthEdit, CritDepthEdit, MoistEdit, IrrEffEdit, GrwtInfEdit,
                     GrwtOutEdit, SalInfEdit, CancelButton(), SaveButton()});

    LayOut(MakeHeading(this, "Intial and boundary conditions", true), fields, false);
}

void CondPanel::SaveButtonClick() {
    bool valid = true;
    ReadField(SaltIrrigEdit, data_.SaltIrrig, valid);
    ReadField(WTdepthEdit, data_.WTdepth, valid);
    ReadField(GrwtInfEdit, data_.GrwtInf, valid);
    ReadField(GrwtOutEdit, data_.GrwtOut, valid);
    ReadField(CritDepthEdit, data_.CritDepth, valid);
    ReadField(IrrEffEdit, data_.IrrEff, valid);
    ReadField(MoistEdit, data_.Moist, valid);
    // The limits apply to the stored values only; the fields keep what was typed.
    data_.IrrEff = std::clamp(data_.IrrEff, 30.0, 100.0);
    data_.Moist = std::clamp(data_.Moist, 20.0, 100.0);
    ReadField(SalInfEdit, data_.SalInf, valid);
    if (!valid) {
        dialogs_.Message("There are invalid values. Please adjust.");
        return;
    }
    SavedMessage("The data on the Initial Conditions were saved.",
                 "The data on the initial conditions were saved. Use \"Save all\" to do the "
                 "calculations.");
    emit Saved();
}

}  // namespace halosoil
