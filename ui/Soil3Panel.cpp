#include "Soil3Panel.h"

#include <QPushButton>

#include "SaltPanel.h"
#include "UMain.h"

namespace halosoil {

namespace {

// The first zone lacking a thickness or porosity, top down, with its message.
const char* IncompleteZoneMessage(const InputData& data) {
    static const struct {
        int zone;
        const char* message;
    } kChecks[] = {
        {Layer1, "The soil data for the 1st layer are not complete. Calculations cannot be done"},
        {Layer2, "The soil data for the 2nd layer are not complete. Calculations cannot be done"},
        {Layer3, "The soil data for the 3rd layer are not complete. Calculations cannot be done"},
        {Trans,
         "The soil data for the transition zone are not complete. Calculations cannot be done"},
        {Aquif, "The soil data for the aquifer are not complete. Calculations cannot be done"},
    };
    for (const auto& check : kChecks) {
        if (data.Thick[check.zone] == kMissing || data.TotPor[check.zone] == kMissing ||
            data.EffPor[check.zone] == kMissing)
            return check.message;
    }
    return nullptr;
}

}  // namespace

// Empty cells are stored as -1; a zone without thickness or porosities is reported and marks
// the soil data incomplete for the run.
void Soil3Panel::Soil3SaveButtonClick() {
    ReadGrid([](int, int) { return EmptyCell::Missing; });
    if (const char* message = IncompleteZoneMessage(form_.Data())) {
        form_.Dlg().Message(message);
        form_.Window().SoilComplete = false;
        return;
    }
    FinishSave("The soil data were saved.",
               "The soil data were saved. Continue with the soil salinity data.");
}

void Soil3Panel::Soil3QuitButtonClick() {
    SoilPanel::QuitButtonClick();
    form_.soilPanel[1]->QuitButton->setEnabled(true);
    form_.soilPanel[2]->QuitButton->setEnabled(true);
    form_.saltPanel[3]->QuitButton->setEnabled(true);
}

}  // namespace halosoil
