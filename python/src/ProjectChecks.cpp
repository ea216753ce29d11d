#include "ProjectChecks.h"

#include "InputChecks.h"
#include "InputFile.h"
#include "Plausibility.h"
#include "RunCheck.h"

namespace halosoil::python {

void CheckAsBatchRunner(const InputData& data) {
    CheckPlausible(data);
    // The engine checks the project with its irrigation spread, as the batch runner gives it.
    InputData prepared = data;
    PrepareIrrigSpread(prepared);
    CheckRunnable(prepared);
}

void CheckAsWindow(const InputData& data) {
    CheckProject(data);
}

}  // namespace halosoil::python
