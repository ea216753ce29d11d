// A run host whose answers are settled before the run starts: the batch runner's --refine and
// --optimise, the arguments of the Python module's run, a test's choice. It shows nothing; the
// run's messages are kept for the caller to report in its own way.
#pragma once

#include <string>
#include <vector>

#include "RunHost.h"

namespace halosoil {

class FixedAnswersHost : public RunHost {
public:
    FixedAnswersHost(bool refine, bool optimise) : refine_(refine), optimise_(optimise) {}

    bool Ask(RunQuestion question) override {
        return question == RunQuestion::RefineDrainageCapacity ? refine_ : optimise_;
    }
    void ShowMessage(const std::string& message) override { messages_.push_back(message); }
    void SetProgress(int) override {}

    const std::vector<std::string>& Messages() const { return messages_; }
    // The last message, or an empty text when the run showed none.
    std::string LastMessage() const { return messages_.empty() ? std::string() : messages_.back(); }

private:
    bool refine_;
    bool optimise_;
    std::vector<std::string> messages_;
};

}  // namespace halosoil
