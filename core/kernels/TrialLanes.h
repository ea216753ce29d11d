// Trials side by side: a value per trial in the lanes of a vector of the unit's own width
// (two doubles for SSE2, four for AVX2, eight for AVX-512), each lane computed with exactly the
// operations, in exactly the order, of the plain one-trial loop. Branches of that loop become
// selects between the values of both sides, so every lane ends with the bits the plain loop
// gives. A plain double is the width-one case: the kernels written over a lane type are the
// plain loops themselves when instantiated with it.
#pragma once

#include <type_traits>

#include "CalibrationKernels.h"

namespace halosoil::lanes {

using V2 = double __attribute__((vector_size(2 * sizeof(double))));
using V4 = double __attribute__((vector_size(4 * sizeof(double))));
using V8 = double __attribute__((vector_size(8 * sizeof(double))));

template <class V>
inline constexpr int kWidth = sizeof(V) / sizeof(double);

template <class V>
inline constexpr bool kOneLane = std::is_same_v<V, double>;

template <class V>
using MaskOf = decltype(V{} < V{});

// Everything a kernel calls is inlined into it, so that it is compiled for the kernel's vector
// unit: a call to a function compiled for the baseline would pass the wide vectors in the
// baseline's registers and lose their upper lanes. Lambdas carry the mark after their
// parameters.
#define HALOSOIL_LANES_INLINE [[gnu::always_inline]] inline
#define HALOSOIL_LANE_LAMBDA __attribute__((always_inline))

// Every lane the value itself: value - (+0) is value for every double, -0 included (adding
// zeros would turn -0 into +0), and the compiler makes it a plain broadcast.
template <class V>
HALOSOIL_LANES_INLINE V Splat(double value) {
    return value - V{};
}

template <class V>
HALOSOIL_LANES_INLINE V Load(const double* values) {
    if constexpr (kOneLane<V>) {
        return values[0];
    } else {
        V v;
        for (int k = 0; k < kWidth<V>; ++k) v[k] = values[k];
        return v;
    }
}

template <class V>
HALOSOIL_LANES_INLINE void Store(V v, double* values) {
    if constexpr (kOneLane<V>)
        values[0] = v;
    else
        for (int k = 0; k < kWidth<V>; ++k) values[k] = v[k];
}

// Lane k of v.
template <class V>
HALOSOIL_LANES_INLINE double Lane(V v, int k) {
    if constexpr (kOneLane<V>) {
        (void)k;
        return v;
    } else {
        return v[k];
    }
}

// Where the mask is set, a, elsewhere b.
template <class V>
HALOSOIL_LANES_INLINE V Select(MaskOf<V> mask, V a, V b) {
    return mask ? a : b;
}

// The magnitude: the sign bit cleared, as fabs does.
template <class V>
HALOSOIL_LANES_INLINE V Abs(V v) {
    if constexpr (kOneLane<V>) {
        return __builtin_fabs(v);
    } else {
        using Mask = MaskOf<V>;
        const Mask noSign = Mask{} + 0x7fffffffffffffffLL;
        return reinterpret_cast<V>(reinterpret_cast<Mask>(v) & noSign);
    }
}

// Whether every lane of the mask is set.
template <class V>
HALOSOIL_LANES_INLINE bool All(MaskOf<V> mask) {
    if constexpr (kOneLane<V>) {
        return mask;
    } else {
        for (int k = 0; k < kWidth<V>; ++k)
            if (!mask[k]) return false;
        return true;
    }
}

// Whether any lane of the mask is set.
template <class V>
HALOSOIL_LANES_INLINE bool Any(MaskOf<V> mask) {
    if constexpr (kOneLane<V>) {
        return mask;
    } else {
        for (int k = 0; k < kWidth<V>; ++k)
            if (mask[k]) return true;
        return false;
    }
}

}  // namespace halosoil::lanes
