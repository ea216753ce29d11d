// The table of kernels of the vector unit a run uses; the kernels themselves are compiled in
// KernelsBaseline.cpp, KernelsAvx2.cpp and KernelsAvx512.cpp, and each pass that runs them
// calls them through KernelsFor beside its declaration.

#include "KernelTable.h"

#include "VectorUnit.h"

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

}  // namespace halosoil
