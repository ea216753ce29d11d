// Trials side by side: a value per trial in one vector of kTrialLanes doubles, each lane
// computed with exactly the operations, in exactly the order, of the plain one-trial loop.
// Branches of that loop become selects between the values of both sides, so every lane ends
// with the bits the plain loop gives. Only the kernels include this header.
#pragma once

#include "CalibrationKernels.h"

namespace halosoil::lanes {

using V = double __attribute__((vector_size(kTrialLanes * sizeof(double))));
using Mask = long long __attribute__((vector_size(kTrialLanes * sizeof(double))));

#define HALOSOIL_LANES_INLINE [[gnu::always_inline]] inline

HALOSOIL_LANES_INLINE V Splat(double value) {
    V v;
    for (int k = 0; k < kTrialLanes; ++k) v[k] = value;
    return v;
}

HALOSOIL_LANES_INLINE V Load(const double* values) {
    V v;
    for (int k = 0; k < kTrialLanes; ++k) v[k] = values[k];
    return v;
}

HALOSOIL_LANES_INLINE void Store(V v, double* values) {
    for (int k = 0; k < kTrialLanes; ++k) values[k] = v[k];
}

// Where the mask is set, a, elsewhere b.
HALOSOIL_LANES_INLINE V Select(Mask mask, V a, V b) {
    return mask ? a : b;
}

// The magnitude: the sign bit cleared, as fabs does.
HALOSOIL_LANES_INLINE V Abs(V v) {
    const Mask noSign = Mask{} + 0x7fffffffffffffffLL;
    return reinterpret_cast<V>(reinterpret_cast<Mask>(v) & noSign);
}

}  // namespace halosoil::lanes
