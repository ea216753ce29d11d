#include "ActionGuard.h"

#include <exception>
#include <new>

#include "Errors.h"

namespace halosoil {

void RunGuarded(Dialogs& dialogs, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::bad_alloc&) {
        dialogs.Message(kNotEnoughMemory);
    } catch (const std::exception& error) {
        dialogs.Message(QString::fromStdString(error.what()));
    } catch (...) {
        dialogs.Message("The action failed.");
    }
}

}  // namespace halosoil
