// The one place where a failure of a user action becomes a message: every slot of the window
// runs its action through RunGuarded, so no exception reaches Qt's event loop.
#pragma once

#include <functional>

#include "Dialogs.h"

namespace halosoil {

// Runs action; a failure is shown with its text (a failed allocation with the memory message)
// and ends the action, keeping what was stored before it.
void RunGuarded(Dialogs& dialogs, const std::function<void()>& action);

}  // namespace halosoil
