// The dispatch to the kernels of the vector unit a run uses; the kernels themselves are
// compiled in KernelsBaseline.cpp, KernelsAvx2.cpp and KernelsAvx512.cpp.

#include "KernelTable.h"

#include "VectorUnit.h"
#include "WaterBalance.h"

namespace halosoil {

const KernelTable& KernelsFor(VectorUnit unit) {
    switch (ChosenVectorUnit(unit)) {
#if defined(__x86_64__)
        case VectorUnit::AVX512:
            return Avx512Kernels();
        case VectorUnit::AVX2:
            return Avx2Kernels();
#endif
        default:
            return BaselineKernels();
    }
}

void RefinementLanes(const RunInputs& data, const RunState& state, const double* q, int trials,
                     bool tenSubSteps, double* smallest, VectorUnit unit) {
    KernelsFor(unit).refinement(data, state, q, trials, tenSubSteps, smallest);
}

void MemberLanes(const RunInputs& data, const RunState& state, const ZoneValues& le, int zone,
                 const double* e, const double* leSearched, double* sse, int trials, SumBound bound,
                 VectorUnit unit) {
    KernelsFor(unit).members(data, state, le, zone, e, leSearched, sse, trials, bound);
}

void RunSaltBalances(const RunInputs* const* data, RunState* const* states, int count,
                     VectorUnit unit) {
    KernelsFor(unit).saltBalances(data, states, count);
}

void RunWaterBalances(const RunInputs* const* data, RunState* const* states, int count,
                      VectorUnit unit) {
    KernelsFor(unit).waterBalances(data, states, count);
}

}  // namespace halosoil
