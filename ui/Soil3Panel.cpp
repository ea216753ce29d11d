#include "Soil3Panel.h"

#include <QPushButton>

#include "InputChecks.h"
#include "SaltPanel.h"
#include "MainForm.h"

namespace halosoil {

// Empty cells are stored as -1; a zone without thickness or porosities is reported and marks
// the soil data incomplete for the run.
void Soil3Panel::Soil3SaveButtonClick() {
    ReadGrid([](int, int) { return EmptyCell::Missing; });
    if (const char* message = IncompleteSoilZoneMessage(form_.Data())) {
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
