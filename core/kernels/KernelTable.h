// The kernels that run trials or runs side by side, compiled once for each vector unit. The
// table of the unit a run uses is looked up once per calibration or batch; the processor is
// probed once per process.
#pragma once

#include "CalibrationKernels.h"
#include "EngineOptions.h"
#include "RunInputs.h"
#include "RunState.h"

namespace halosoil {

struct KernelTable {
    // See RefinementLanes.
    void (*refinement)(const RunInputs& data, const RunState& state, const double* q, int trials,
                       bool tenSubSteps, double* smallest);
    // See MemberLanes.
    void (*members)(const RunInputs& data, const RunState& state, const ZoneValues& le, int zone,
                    const double* e, const double* leSearched, double* sse, int trials,
                    SumBound bound);
    // See RunSaltBalances.
    void (*saltBalances)(const RunInputs* const* data, RunState* const* states, int count);
    // See RunWaterBalances.
    void (*waterBalances)(const RunInputs* const* data, RunState* const* states, int count);
};

// The kernels of the unit, or of the widest the processor has if it lacks that one.
const KernelTable& KernelsFor(VectorUnit unit);

// The table of each unit (KernelClones.h); Avx2Kernels and Avx512Kernels exist on x86-64 only.
const KernelTable& BaselineKernels();
const KernelTable& Avx2Kernels();
const KernelTable& Avx512Kernels();

}  // namespace halosoil
