#include "Salt3Panel.h"

namespace halosoil {

Salt3Panel::Salt3Panel(MainForm& form, QWidget* parent)
    : SaltPanel(form, 3,
                {"Measured salinity (dS/m), if any",
                 " - - - - - - - - - Root zone - - - - - - - - - ",
                 {"1st layer", "2nd layer", "3rd layer", "Transition  zone", "Aquifer"},
                 "Data can be pasted here from clip board",
                 "The salinity data were saved. Continue with the Drainage data .."},
                parent) {}

}  // namespace halosoil
