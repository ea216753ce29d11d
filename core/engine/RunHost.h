// What a run needs from whoever started it: an answer to each of its two questions, a place
// to show a message and a progress indicator. The window answers with dialogs, the batch
// runner from its flags, tests from a script.
#pragma once

#include <string>

namespace halosoil {

// The questions a run asks, in the order it asks them. A host tells them apart by this type,
// never by their wording.
enum class RunQuestion { RefineDrainageCapacity, OptimiseLeachingEfficiencies };

// The text the window shows for a question.
const char* QuestionText(RunQuestion question);

class RunHost {
public:
    virtual ~RunHost() = default;
    virtual bool Ask(RunQuestion question) = 0;
    virtual void ShowMessage(const std::string& message) = 0;
    // Position 0..10 of the progress indicator; the window pauses 100 ms after each one.
    virtual void SetProgress(int position) = 0;
};

}  // namespace halosoil
