#include "CalibrationKernels.h"

#include "KernelTable.h"

namespace halosoil {

void RefinementLanes(const RunInputs& data, const RunState& state, const double* q, int trials,
                     bool tenSubSteps, double* smallest, VectorUnit unit) {
    KernelsFor(unit).refinement(data, state, q, trials, tenSubSteps, smallest);
}

void MemberLanes(const RunInputs& data, const RunState& state, const ZoneValues& le, int zone,
                 const double* e, const double* leSearched, double* sse, int trials, SumBound bound,
                 VectorUnit unit) {
    KernelsFor(unit).members(data, state, le, zone, e, leSearched, sse, trials, bound);
}

}  // namespace halosoil
