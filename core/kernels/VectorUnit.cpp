#include "VectorUnit.h"

#include <algorithm>

namespace halosoil {

namespace {

VectorUnit ProbedVectorUnit() {
#if defined(__x86_64__) && defined(__GNUC__)
    __builtin_cpu_init();
    // The AVX-512 kernels also turn comparisons into masks of whole lanes, which needs DQ.
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq"))
        return VectorUnit::AVX512;
    if (__builtin_cpu_supports("avx2")) return VectorUnit::AVX2;
#endif
    return VectorUnit::Baseline;
}

}  // namespace

VectorUnit DetectedVectorUnit() {
    // The processor does not change while the program runs: it is asked once.
    static const VectorUnit detected = ProbedVectorUnit();
    return detected;
}

std::vector<VectorUnit> AvailableVectorUnits() {
    std::vector<VectorUnit> units = {VectorUnit::Baseline};
    const VectorUnit widest = DetectedVectorUnit();
    if (widest >= VectorUnit::AVX2) units.push_back(VectorUnit::AVX2);
    if (widest >= VectorUnit::AVX512) units.push_back(VectorUnit::AVX512);
    return units;
}

VectorUnit ChosenVectorUnit(VectorUnit widestAllowed) {
    return std::min(widestAllowed, DetectedVectorUnit());
}

const char* VectorUnitName(VectorUnit unit) {
    switch (unit) {
        case VectorUnit::AVX512:
            return "AVX-512";
        case VectorUnit::AVX2:
            return "AVX2";
        default:
#if defined(__x86_64__)
            return "SSE2";
#else
            return "portable";
#endif
    }
}

}  // namespace halosoil
