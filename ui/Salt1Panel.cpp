#include "Salt1Panel.h"

namespace halosoil {

Salt1Panel::Salt1Panel(MainForm& form, QWidget* parent)
    : SaltPanel(form, 1,
                {"Measured salinity (dS/m), if any",
                 "",
                 {"Root zone", "Transition  zone", "Aquifer"},
                 "Data can be pasted here",
                 "The salinity data were saved. Continue with the Drainage data.."},
                parent) {}

}  // namespace halosoil
