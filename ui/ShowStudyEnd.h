// The end of work run on a worker thread, shown on its progress bar and status label: the
// work's error is rethrown; a cancellation (Cancelled) leaves its text as the status and the
// bar at 0; another failure empties both and is shown as a message through RunGuarded; work
// that went through fills the bar and runs shown.
#pragma once

#include <QLabel>
#include <QProgressBar>
#include <exception>
#include <functional>

#include "ActionGuard.h"
#include "Dialogs.h"

namespace halosoil {

template <class Cancelled>
void ShowStudyEnd(Dialogs& dialogs, std::exception_ptr error, QProgressBar* progress,
                  QLabel* status, const std::function<void()>& shown) {
    RunGuarded(dialogs, [&] {
        try {
            if (error) std::rethrow_exception(error);
        } catch (const Cancelled& cancelled) {
            progress->setValue(0);
            status->setText(cancelled.what());
            return;
        } catch (...) {
            progress->setValue(0);
            status->clear();
            throw;
        }
        progress->setValue(100);
        shown();
    });
}

}  // namespace halosoil
