// What the Output and Graphs pages show and refill together from the output file on view: the
// project record (whose sizes the reader replaces), the results, what the file's header tells
// beside them, and where the output on display comes from. The window owns each of them once.
#pragma once

#include <QString>
#include <exception>

#include "Dialogs.h"
#include "InputData.h"
#include "OutputFile.h"
#include "RunState.h"
#include "WindowState.h"

namespace halosoil {

struct OutputOnView {
    InputData& data;
    RunState& results;
    OutputReadBack& readBack;
    WindowState& window;
};

// The reader's message of a failure, naming the file it concerns also when the reader's text
// does not.
QString ReadFailureText(const std::exception& error, const QString& fileName);

// Reads the output file into the view; a failure is told through dialogs and gives false.
bool ReadOutputOnView(const OutputOnView& view, const QString& fileName, Dialogs& dialogs);

}  // namespace halosoil
