#include "Salt2Panel.h"

namespace halosoil {

Salt2Panel::Salt2Panel(MainForm& form, QWidget* parent)
    : SaltPanel(form, 2,
                {"Measured salinity (dS/m),if any",
                 "- - - - Root zone - - - -",
                 {"1st layer", "2nd layer", "Transition  zone", "Aquifer"},
                 "Data can be pasted here from clip board",
                 "The salinity data were saved. Continue with the Drainage data .."},
                parent) {}

}  // namespace halosoil
