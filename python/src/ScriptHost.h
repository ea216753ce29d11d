// The run host of a script: answers the run's two questions as the caller chose, and keeps
// the message of a stopped run, which the package raises as an exception.
#pragma once

#include <string>

#include "RunHost.h"

namespace halosoil::python {

class ScriptHost : public RunHost {
public:
    ScriptHost(bool refine, bool optimise) : refine_(refine), optimise_(optimise) {}
    bool Ask(RunQuestion question) override {
        return question == RunQuestion::RefineDrainageCapacity ? refine_ : optimise_;
    }
    void ShowMessage(const std::string& message) override { message_ = message; }
    void SetProgress(int) override {}
    const std::string& Message() const { return message_; }

private:
    bool refine_;
    bool optimise_;
    std::string message_;
};

}  // namespace halosoil::python
