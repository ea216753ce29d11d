#include "CondPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

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
        const char* name;
        const char* label;
    } kFields[kFieldCount] = {
        {"SaltIrrigEdit", "Salinity irrigation water (dS/m)"},
        {"WTdepthEdit", "Initial depth water table (m)"},
        {"CritDepthEdit", "Crtical depth of water table for capillary rise (m)"},
        {"MoistEdit", "Initial soil moisture content (%)"},
        {"IrrEffEdit", "Irrigation efficiency (%)"},
        {"GrwtInfEdit", "Ground water inflow (mm/day)"},
        {"GrwtOutEdit", "Ground water outflow (mm/day)"},
        {"SalInfEdit", "Salinity ground water inflow (dS/m)"},
    };
    auto* fields = new QGridLayout;
    for (int row = 0; row < kFieldCount; ++row) {
        QLineEdit* edit = MakeEdit(this, kFields[row].name);
        edit->setMaximumWidth(100);
        fields->addWidget(MakeLabelFor(this, kFields[row].label, edit), row, 0);
        fields->addWidget(edit, row, 1);
        edits_[row] = edit;
    }
    fields->setColumnStretch(2, 1);
    MakeFootButtons("CondQuitButton", "CondSaveButton", true);
    std::vector<QWidget*> readingOrder(edits_.begin(), edits_.end());
    readingOrder.push_back(CancelButton());
    readingOrder.push_back(SaveButton());
    SetReadingOrder(readingOrder);

    LayOut(MakeHeading(this, "Intial and boundary conditions", true), fields, false);
}

void CondPanel::SaveButtonClick() {
    bool valid = true;
    ReadField(Edit(Field::SaltIrrig), data_.SaltIrrig, valid);
    ReadField(Edit(Field::WTdepth), data_.WTdepth, valid);
    ReadField(Edit(Field::GrwtInf), data_.GrwtInf, valid);
    ReadField(Edit(Field::GrwtOut), data_.GrwtOut, valid);
    ReadField(Edit(Field::CritDepth), data_.CritDepth, valid);
    ReadField(Edit(Field::IrrEff), data_.IrrEff, valid);
    ReadField(Edit(Field::Moist), data_.Moist, valid);
    // The limits apply to the stored values only; the fields keep what was typed.
    data_.IrrEff = std::clamp(data_.IrrEff, 30.0, 100.0);
    data_.Moist = std::clamp(data_.Moist, 20.0, 100.0);
    ReadField(Edit(Field::SalInf), data_.SalInf, valid);
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
