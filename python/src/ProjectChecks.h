// What a script's project must pass. By default what halosoil-batch run asks of the project
// of a file: values a soil or climate can have, and what the engine needs. The input panels'
// own refusals (a drain outside the transition zone, the moisture and efficiency limits of the
// conditions panel, ...) are asked for separately, since files hold projects the panels
// would not let through and the batch runner runs them.
#pragma once

#include "InputData.h"

namespace halosoil::python {

// Throws HalosoilError with the program's text.
void CheckAsBatchRunner(const InputData& data);

// The panels' checks group by group in the window's order, then those of CheckAsBatchRunner.
void CheckAsWindow(const InputData& data);

}  // namespace halosoil::python
