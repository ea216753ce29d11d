// The run host of the window: the engine's questions and messages go through the window's
// dialogs, its progress positions to the progress bar, each followed by a pause of 100 ms.
#pragma once

#include "Dialogs.h"
#include "RunHost.h"

class QProgressBar;

namespace halosoil {

class QtRunHost : public RunHost {
public:
    QtRunHost(Dialogs& dialogs, QProgressBar* progressBar)
        : dialogs_(dialogs), progressBar_(progressBar) {}

    bool Ask(RunQuestion question) override;
    void ShowMessage(const std::string& message) override;
    void SetProgress(int position) override;

private:
    Dialogs& dialogs_;
    QProgressBar* progressBar_;
};

}  // namespace halosoil
