// The study library for the package: observations, the joint calibration, the sensitivity
// analysis and the ensembles, each study's functions in a file of its own.

#include "StudyModule.h"

#include "StudyBindings.h"

namespace halosoil::python {

void AddStudyFunctions(pybind11::module_& m) {
    AddObservationBindings(m);
    AddCalibrationBindings(m);
    AddSensitivityBindings(m);
    AddEnsembleBindings(m);
    AddDecisionBindings(m);
}

}  // namespace halosoil::python
