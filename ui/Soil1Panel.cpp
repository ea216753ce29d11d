#include "Soil1Panel.h"

#include "MainForm.h"

namespace halosoil {

// Every cell must be filled; an empty one leaves its value in the record as it was.
void Soil1Panel::Soil1SaveButtonClick() {
    const bool valid = ReadGrid([](int, int) { return EmptyCell::Invalid; });
    if (!valid) {
        form_.Dlg().Message("There are invalid values. Please adjust.");
        return;
    }
    FinishSave("The data on Soil properties were saved.",
               "The soil data were saved. Continue with the Salinity data ..");
}

void Soil1Panel::Soil1QuitButtonClick() {
    SoilPanel::QuitButtonClick();
}

}  // namespace halosoil
