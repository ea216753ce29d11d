// What a run needs from whoever started it: a Yes/No answer, a place to show a message and a
// progress indicator. The window answers with dialogs, the batch runner from its flags, tests
// from a script.
#pragma once

#include <string>

namespace halosoil {

class RunHost {
public:
    virtual ~RunHost() = default;
    virtual bool AskYesNo(const std::string& question) = 0;
    virtual void ShowMessage(const std::string& message) = 0;
    // Position 0..10 of the progress indicator; the window pauses 100 ms after each one.
    virtual void SetProgress(int position) = 0;
};

}  // namespace halosoil
