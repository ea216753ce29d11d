#include "Soil2Panel.h"

#include "MainForm.h"

namespace halosoil {

// Every cell must be filled, except the leaching efficiency of the second layer, which may
// stay empty and is then stored as -1.
void Soil2Panel::Soil2SaveButtonClick() {
    const bool valid = ReadGrid([](int col, int row) {
        return col == 3 && row == 1 ? EmptyCell::Missing : EmptyCell::Invalid;
    });
    if (!valid) {
        form_.Dlg().Message("There are invalid values. Please adjust.");
        return;
    }
    FinishSave("The soil data were saved.",
               "The soil data were saved. Continue with the Salinity data ..");
}

void Soil2Panel::Soil2QuitButtonClick() {
    SoilPanel::QuitButtonClick();
}

}  // namespace halosoil
