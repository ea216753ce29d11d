// The one place where a failure of a user action becomes a message: every slot of the window
// runs its action through RunGuarded, so no exception reaches Qt's event loop.
#pragma once

#include <QObject>
#include <QPushButton>
#include <functional>
#include <initializer_list>
#include <utility>

#include "Dialogs.h"

namespace halosoil {

// Runs action; a failure is shown with its text (a failed allocation with the memory message)
// and ends the action, keeping what was stored before it.
void RunGuarded(Dialogs& dialogs, const std::function<void()>& action);

// Runs each handler of owner when its button is pressed, through RunGuarded.
template <class Owner>
void ConnectGuarded(
    Owner* owner, Dialogs& dialogs,
    std::initializer_list<std::pair<QPushButton*, void (Owner::*)()>> handlersOfButtons) {
    for (const auto& buttonAndHandler : handlersOfButtons) {
        const auto handler = buttonAndHandler.second;
        QObject::connect(buttonAndHandler.first, &QPushButton::clicked, owner,
                         [owner, &dialogs, handler] {
                             RunGuarded(dialogs, [owner, handler] { (owner->*handler)(); });
                         });
    }
}

}  // namespace halosoil
