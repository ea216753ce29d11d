// What the Output and Graphs pages show and refill together from the output file on view: the
// project record (whose sizes the reader replaces), the results, what the file's header tells
// beside them, and where the output on display comes from. The window owns each of them once.
#pragma once

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

}  // namespace halosoil
